// The text box adapter: the program's bytes and caret against the editor's text.
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include "ui/qt/EditText.h"
#include "ui/qt/TextBoxControl.h"

class EditTextTest : public QObject {
  Q_OBJECT

 private slots:
  void breaksAndCharactersMapBothWays_data();
  void breaksAndCharactersMapBothWays();
  void offsetsInsideABreakOrCharacterRoundDown();
  void textComesBackByteForByte();
  void consoleLinesAppendAtTheCaret();
  void insertionInTheMiddleKeepsTheRest();
  void crAndLfWrittenApartMakeOneBreak();
  void caretFollowsTheUser();
  void setTextPutsTheCaretAtTheStart();
  void longConsoleScrollsToItsLastLine();

 private:
  QPlainTextEdit edit_;
};

void EditTextTest::breaksAndCharactersMapBothWays_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<int>("byteOffset");
  QTest::addColumn<int>("position");
  QTest::newRow("crlf") << QByteArray("ab\r\ncd") << QString("ab\ncd") << 4 << 3;
  QTest::newRow("lone cr and lf") << QByteArray("a\rb\nc") << QString("a\nb\nc") << 4 << 4;
  QTest::newRow("two-byte") << QByteArray("\xc3\xa9t\xc3\xa9") << QString::fromUtf8("\xc3\xa9t\xc3\xa9") << 3 << 2;
  QTest::newRow("three-byte") << QByteArray("\xe2\x82\xac!") << QString::fromUtf8("\xe2\x82\xac!") << 3 << 1;
  QTest::newRow("four-byte") << QByteArray("\xf0\x9f\x93\x81x") << QString::fromUtf8("\xf0\x9f\x93\x81x") << 4 << 2;
  QTest::newRow("invalid byte") << QByteArray("a\xffz") << QString::fromUtf8("a\xef\xbf\xbdz") << 2 << 2;
  QTest::newRow("cut sequence") << QByteArray("a\xc3") << QString::fromUtf8("a\xef\xbf\xbd") << 2 << 2;
  QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << QString::fromUtf8("\xef\xbf\xbd\xef\xbf\xbd") << 1 << 1;
}

void EditTextTest::breaksAndCharactersMapBothWays() {
  QFETCH(QByteArray, text);
  QFETCH(QString, shown);
  QFETCH(int, byteOffset);
  QFETCH(int, position);
  const std::string_view bytes(text.constData(), static_cast<std::size_t>(text.size()));
  QCOMPARE(EditText::ToEditor(bytes), shown);
  QCOMPARE(EditText::EditorPosition(bytes, static_cast<std::size_t>(byteOffset)), position);
  QCOMPARE(EditText::ByteOffset(bytes, position), static_cast<std::size_t>(byteOffset));
  // Both ends map to both ends.
  QCOMPARE(EditText::EditorPosition(bytes, bytes.size()), static_cast<int>(shown.size()));
  QCOMPARE(EditText::ByteOffset(bytes, static_cast<int>(shown.size())), bytes.size());
  QCOMPARE(EditText::ByteOffset(bytes, 10000), bytes.size());
}

void EditTextTest::offsetsInsideABreakOrCharacterRoundDown() {
  QCOMPARE(EditText::EditorPosition("ab\r\ncd", 3), 2);           // between CR and LF
  QCOMPARE(EditText::EditorPosition("\xe2\x82\xac!", 2), 0);      // inside the euro sign
  QCOMPARE(EditText::ByteOffset("\xf0\x9f\x93\x81x", 1), std::size_t{0});     // between two surrogates
}

void EditTextTest::textComesBackByteForByte() {
  QtUi::TextBoxControl box(&edit_);
  const std::string text = "C:\\Program Files\\caf\xc3\xa9\r\n\xff odd byte\r\n";
  box.SetText(text);
  QCOMPARE(box.Text(), text);
  QCOMPARE(edit_.toPlainText(), QString::fromUtf8("C:\\Program Files\\caf\xc3\xa9\n\xef\xbf\xbd odd byte\n"));
}

void EditTextTest::consoleLinesAppendAtTheCaret() {
  QtUi::TextBoxControl box(&edit_);
  box.SetText("");
  box.InsertAtCaret("12:00:00 - first");
  box.SetSelStart(box.Text().size());
  box.InsertAtCaret("\r\n12:00:01 - d\xc3\xa9j\xc3\xa0 vu");
  QCOMPARE(box.Text(), std::string("12:00:00 - first\r\n12:00:01 - d\xc3\xa9j\xc3\xa0 vu"));
  QCOMPARE(box.SelStart(), box.Text().size());
  // The editor takes the lines once control is back in the event loop.
  QCoreApplication::processEvents();
  QCOMPARE(edit_.toPlainText(), QString::fromUtf8("12:00:00 - first\n12:00:01 - d\xc3\xa9j\xc3\xa0 vu"));
  QCOMPARE(edit_.textCursor().position(), static_cast<int>(edit_.toPlainText().size()));
  QCOMPARE(box.SelStart(), box.Text().size());
  // A caret the user moves is read back from the editor, with the lines shown.
  box.SetSelStart(4);
  QCOMPARE(box.SelStart(), std::size_t{4});
}

void EditTextTest::insertionInTheMiddleKeepsTheRest() {
  QtUi::TextBoxControl box(&edit_);
  box.SetText("one\r\nthree");
  box.SetSelStart(5);
  box.InsertAtCaret("two\r\n");
  QCOMPARE(box.Text(), std::string("one\r\ntwo\r\nthree"));
  QCOMPARE(box.SelStart(), std::size_t{10});
  QCOMPARE(edit_.toPlainText(), QStringLiteral("one\ntwo\nthree"));
}

void EditTextTest::crAndLfWrittenApartMakeOneBreak() {
  QtUi::TextBoxControl box(&edit_);
  box.SetText("a\r");
  box.SetSelStart(2);
  box.InsertAtCaret("\nb");
  QCOMPARE(box.Text(), std::string("a\r\nb"));
  QCOMPARE(edit_.toPlainText(), QStringLiteral("a\nb"));
  // And a CR put in front of an LF.
  box.SetText("x\ny");
  box.SetSelStart(1);
  box.InsertAtCaret("\r");
  QCOMPARE(edit_.toPlainText(), QStringLiteral("x\ny"));
  // A caret between CR and LF stands at the start of the break they make.
  QCOMPARE(box.SelStart(), std::size_t{1});
}

void EditTextTest::caretFollowsTheUser() {
  QtUi::TextBoxControl box(&edit_);
  box.SetText("first\r\nsecond");
  QTextCursor cursor = edit_.textCursor();
  cursor.setPosition(8);  // "se|cond" on the editor's second line
  edit_.setTextCursor(cursor);
  QCOMPARE(box.SelStart(), std::size_t{9});
  // A selection reads as its start, from whichever end it was made.
  cursor.setPosition(10);
  cursor.setPosition(7, QTextCursor::KeepAnchor);
  edit_.setTextCursor(cursor);
  QCOMPARE(box.SelStart(), std::size_t{8});
  box.SetSelStart(1000);
  QCOMPARE(box.SelStart(), box.Text().size());
}

void EditTextTest::setTextPutsTheCaretAtTheStart() {
  QtUi::TextBoxControl box(&edit_);
  box.SetText("abc");
  box.SetSelStart(3);
  box.SetText("new text");
  QCOMPARE(box.SelStart(), std::size_t{0});
}

void EditTextTest::longConsoleScrollsToItsLastLine() {
  QPlainTextEdit console;
  console.resize(465, 177);
  console.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  console.show();
  QtUi::TextBoxControl box(&console);
  for (int i = 0; i < 200; ++i) {
    box.SetSelStart(box.Text().size());
    box.InsertAtCaret((i ? "\r\nline " : "line ") + std::to_string(i));
  }
  QCoreApplication::processEvents();
  QVERIFY(console.verticalScrollBar()->value() > 0);
  QVERIFY(console.viewport()->rect().contains(console.cursorRect()));
}

QTEST_MAIN(EditTextTest)
#include "tst_edittext.moc"
