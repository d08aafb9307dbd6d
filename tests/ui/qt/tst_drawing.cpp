// Drawing a window table: sizes and places in pixels, window borders, fonts, colours, the
// pictures, the cursor, default and cancel buttons, the tab order, the drive list, and the
// program's six windows as drawn.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextLayout>

#include "QtTestSupport.h"
#include "support/ScriptedForm.h"
#include "support/WindowsMachine.h"
#include "ui/DriveChoice.h"
#include "ui/qt/Images.h"
#include "ui/qt/QtToolkit.h"

using qttest::ControlOf;
using testsupport::Row;
using qttest::WorkingFolder;
using ui::ControlKind;

namespace {

QColor PixelAt(QWidget* widget, int x, int y) { return widget->grab().toImage().pixelColor(x, y); }

bool HasHandCursor(QWidget* widget) {
  if (!widget->testAttribute(Qt::WA_SetCursor)) return false;
  const QCursor cursor = widget->cursor();
  return cursor.shape() == Qt::BitmapCursor && cursor.hotSpot() == QPoint(5, 0) &&
         cursor.bitmap().size() == QSize(32, 32) && cursor.mask().size() == QSize(32, 32);
}

}  // namespace

class DrawingTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup();
  void everyKindIsPlacedInPixelsInsideItsContainer();
  void fontsColoursAndToolTips();
  void boldBitmapTextIsThicker();
  void boldBitmapLettersNeverTouch();
  void boldCaptionsFitTheirControls();
  void checkBoxesShowAllFourEdges();
  void labelsBreakLinesOnlyAtBlanks();
  void buttonsTakeTheirRolesAndCursor();
  void textBoxProgressBarAndCheckBox();
  void tabOrderFollowsTheTable();
  void pictureBoxesShowTheirPicturesUnscaled();
  void driveListStartsAtTheCurrentFolder();
  void programWindowsHaveTheirSizesAndBorders_data();
  void programWindowsHaveTheirSizesAndBorders();
  void mainWindowOpensCentred();
  void everyCommandButtonButAboutOkShowsTheHand();
  void mainWindowLookIsDrawn();
  void aboutSeparatorIsEtched();
  void aboutIconStandsOnTheWindowFace();

 private:
  // A window of the test's own, drawn from `controls`, loaded but not shown.
  QWidget* Draw(std::vector<ui::ControlRow> controls);

  std::unique_ptr<testsupport::FormBook> book_ = std::make_unique<testsupport::FormBook>();
  std::unique_ptr<QtUi::QtToolkit> tk_;
};

void DrawingTest::cleanup() {
  tk_.reset();
  book_ = std::make_unique<testsupport::FormBook>();
  QCOMPARE(qttest::LeftoverWindows(), QStringList());
}

QWidget* DrawingTest::Draw(std::vector<ui::ControlRow> controls) {
  book_->Add("SAMPLE", [controls](testsupport::ScriptedForm& f) {
    for (const auto& control : controls) f.table.controls.push_back(control);
  });
  tk_ = std::make_unique<QtUi::QtToolkit>(book_->Maker(), [] {});
  tk_->Get("SAMPLE", "OK");
  return tk_->Window("SAMPLE");
}

void DrawingTest::everyKindIsPlacedInPixelsInsideItsContainer() {
  auto inFrame = Row("Inner", ControlKind::Label, {150, 300, 1500, 255});
  inFrame.container = "Box";
  auto inPicture = Row("Band", ControlKind::CommandButton, {60, 45, 495, 375});
  inPicture.container = "Pic";  // the container comes later in the table
  QWidget* window = Draw({Row("Text", ControlKind::TextBox, {240, 600, 3000, 1500}),
                          Row("Box", ControlKind::Frame, {240, 2200, 3015, 700}), inFrame,
                          inPicture, Row("Pic", ControlKind::PictureBox, {3300, -120, 1050, 900}),
                          Row("Bar", ControlKind::ProgressBar, {120, 2950, 4000, 30})});
  QCOMPARE(window->size(), QSize(300, 200));
  QCOMPARE(window->minimumSize(), window->maximumSize());
  QCOMPARE(ControlOf<QPlainTextEdit>(window, "Text")->geometry(), QRect(16, 40, 200, 100));
  QCOMPARE(ControlOf<QGroupBox>(window, "Box")->geometry(), QRect(16, 146, 201, 46));
  auto* inner = ControlOf<QLabel>(window, "Inner");
  QCOMPARE(inner->parentWidget(), ControlOf<QGroupBox>(window, "Box"));
  QCOMPARE(inner->geometry(), QRect(10, 20, 100, 17));
  auto* picture = ControlOf<QLabel>(window, "Pic");
  QCOMPARE(picture->geometry(), QRect(220, -8, 70, 60));
  auto* band = ControlOf<QPushButton>(window, "Band");
  QCOMPARE(band->parentWidget(), picture);
  QCOMPARE(band->geometry(), QRect(4, 3, 33, 25));
  QCOMPARE(ControlOf<QProgressBar>(window, "Bar")->geometry(), QRect(8, 196, 266, 2));
}

void DrawingTest::fontsColoursAndToolTips() {
  auto title = Row("Title", ControlKind::Label, {0, 0, 4000, 495});
  title.font = {"Arial", 15.75, true};
  auto note = Row("Note", ControlKind::Label, {0, 600, 4000, 255});
  note.font = {"MS Sans Serif", 8.25, true};
  note.foreColor = ui::Color{192, 0, 0};
  note.toolTip = "A note";
  note.text = "Line one\r\nLine two";
  auto hidden = Row("Later", ControlKind::CommandButton, {0, 900, 1000, 375}, ui::kHidden);
  QWidget* window = Draw({title, note, hidden});

  QFont titleFont = ControlOf<QLabel>(window, "Title")->font();
  QCOMPARE(QFontInfo(titleFont).family(), QStringLiteral("Liberation Sans"));
  QCOMPARE(titleFont.pixelSize(), 21);
  QVERIFY(titleFont.bold());

  auto* label = ControlOf<QLabel>(window, "Note");
  if (QFileInfo::exists(QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf")))
    QCOMPARE(QFontInfo(label->font()).family(), QStringLiteral("MS Sans Serif"));
  QCOMPARE(label->font().pixelSize(), 11);
  QVERIFY(label->font().bold());
  QCOMPARE(label->palette().color(QPalette::WindowText), QColor(192, 0, 0));
  QCOMPARE(label->toolTip(), QStringLiteral("A note"));
  QCOMPARE(label->text(), QStringLiteral("Line one\nLine two"));
  QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
  QCOMPARE(tk_->Get("SAMPLE", "Note").Text(), std::string("Line one\r\nLine two"));

  auto* later = ControlOf<QPushButton>(window, "Later");
  QVERIFY(later->isHidden());
  QVERIFY(!tk_->Get("SAMPLE", "Later").Visible());
  tk_->Get("SAMPLE", "Later").SetVisible(true);
  QVERIFY(tk_->Get("SAMPLE", "Later").Visible());
  tk_->Show("SAMPLE");
  QVERIFY(later->isVisible());
}

void DrawingTest::boldBitmapTextIsThicker() {
  auto regular = Row("Regular", ControlKind::Label, {0, 0, 3000, 255});
  regular.text = "Operating System :";
  auto bold = Row("Bold", ControlKind::Label, {0, 300, 3000, 255});
  bold.text = regular.text;
  bold.font.bold = true;
  QWidget* window = Draw({regular, bold});
  const auto darkPixels = [](QWidget* label) {
    const QImage image = label->grab().toImage();
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 100;
    return dark;
  };
  const int thin = darkPixels(ControlOf<QLabel>(window, "Regular"));
  QVERIFY(thin > 0);
  QVERIFY2(darkPixels(ControlOf<QLabel>(window, "Bold")) > thin * 5 / 4, "bold text must be drawn thicker");
}

// The inked columns of a label's text: how many runs of them (letters apart from one
// another) and from where to where.
struct Ink {
  int runs = 0;
  int first = -1;
  int last = -1;
};

static Ink InkOf(QWidget* label) {
  const QImage image = label->grab().toImage();
  Ink ink;
  bool inRun = false;
  for (int x = 0; x < image.width(); ++x) {
    bool inked = false;
    for (int y = 0; y < image.height() && !inked; ++y) inked = qGray(image.pixel(x, y)) < 100;
    if (inked && !inRun) ++ink.runs;
    if (inked) {
      if (ink.first < 0) ink.first = x;
      ink.last = x;
    }
    inRun = inked;
  }
  return ink;
}

void DrawingTest::boldBitmapLettersNeverTouch() {
  if (!QFileInfo::exists(QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf")))
    QSKIP("the bitmap MS Sans Serif face is not installed");
  const std::string text = "When scanning:";
  auto regular = Row("Regular", ControlKind::Label, {0, 0, 3000, 255});
  regular.text = text;
  auto bold = Row("Bold", ControlKind::Label, {0, 300, 3000, 255});
  bold.text = text;
  bold.font.bold = true;
  QWidget* window = Draw({regular, bold});
  const Ink thin = InkOf(ControlOf<QLabel>(window, "Regular"));
  const Ink thick = InkOf(ControlOf<QLabel>(window, "Bold"));
  // Every gap between letters stays open ("rn" never reads as "m")...
  QCOMPARE(thick.runs, thin.runs);
  // ...because each letter is a pixel wider: the text ends one pixel further per letter.
  QCOMPARE(thick.first, thin.first);
  QCOMPARE(thick.last - thin.last, static_cast<int>(text.size()));
}

void DrawingTest::boldCaptionsFitTheirControls() {
  testsupport::WindowsMachine machine;
  tk_ = std::make_unique<QtUi::QtToolkit>(ui::MakeForm, [] {});
  int checked = 0;
  for (const char* form : {"BEGIN_FRM", "LOCALSCAN_FRM", "CHECK_FRM", "SCAN_OPTIONS", "OTHER_FRM", "ABOUT_FRM"}) {
    auto logic = ui::MakeForm(form);
    tk_->Get(form, "");
    for (const ui::ControlRow& row : logic->Table().controls) {
      if (!row.font.bold || row.text.empty() || row.font.face != "MS Sans Serif") continue;
      QWidget* widget = ControlOf<QWidget>(tk_->Window(form), row.name.c_str());
      const QFontMetrics metrics(widget->font());
      const QString text = QString::fromStdString(row.text);
      const QString where = QString(form) + "." + QString::fromStdString(row.name);
      // The second stroke reaches one pixel past the text's advance.
      const int width = metrics.horizontalAdvance(text) + 1;
      if (row.kind == ControlKind::CommandButton) {
        QVERIFY2(width <= widget->width() - 4, qPrintable(where));  // inside the button's bevel
      } else if (row.flags & ui::kWrap) {
        // Every line's letters stand inside the box; only the last descenders may be cut.
        const QRect lines = metrics.boundingRect(QRect(0, 0, widget->width() - 1, 1000),
                                                 Qt::TextWordWrap, text);
        QVERIFY2(lines.height() - metrics.descent() <= widget->height(), qPrintable(where));
      } else {
        QVERIFY2(width <= widget->width(), qPrintable(where));
      }
      ++checked;
    }
  }
  QCOMPARE(checked, 11);
}

void DrawingTest::checkBoxesShowAllFourEdges() {
  testsupport::WindowsMachine machine;
  tk_ = std::make_unique<QtUi::QtToolkit>(ui::MakeForm, [] {});
  tk_->Get("SCAN_OPTIONS", "");
  tk_->Get("SCAN_OPTIONS", "CheckV4Inventories").SetChecked(0);
  for (const char* name : {"CheckV3Inventories", "CheckV4Inventories"}) {
    auto* box = ControlOf<QCheckBox>(tk_->Window("SCAN_OPTIONS"), name);
    QCOMPARE(box->height(), 13);
    const QImage image = box->grab().toImage();
    const QColor grey(128, 128, 128), dark(64, 64, 64), white(Qt::white);
    const QColor face = box->palette().color(QPalette::Button);
    for (int i = 0; i < 12; ++i) {
      QCOMPARE(image.pixelColor(i, 0), grey);    // top edge
      QCOMPARE(image.pixelColor(0, i), grey);    // left edge
      QCOMPARE(image.pixelColor(i + 1, 12), white);  // bottom edge
      QCOMPARE(image.pixelColor(12, i + 1), white);  // right edge
    }
    QCOMPARE(image.pixelColor(1, 1), dark);
    QCOMPARE(image.pixelColor(11, 11), face);
    QCOMPARE(image.pixelColor(2, 2), white);  // the well
    // The tick's middle, where its two strokes meet.
    QCOMPARE(image.pixelColor(6, 6), box->isChecked() ? QColor(Qt::black) : white);
  }
}

void DrawingTest::labelsBreakLinesOnlyAtBlanks() {
  auto label = Row("Welcome", ControlKind::Label, {0, 0, 1500, 975});
  label.text = "for original V2/V3.1/V4 and Office-Update files";
  QWidget* window = Draw({label});
  auto* shown = ControlOf<QLabel>(window, "Welcome");
  // Lay the shown text out as the label does, and read where each line starts.
  QTextLayout layout(shown->text(), shown->font());
  QTextOption option;
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  QStringList starts;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(shown->width());
    starts << shown->text().mid(line.textStart(), 2);
  }
  layout.endLayout();
  for (const QString& start : starts) {
    const QChar first = start.at(0);
    QVERIFY2(first == u'f' || first == u'o' || first == u'V' || first == u'a' || first == u'O',
             qPrintable("a line starts inside a word: " + start));
  }
  QVERIFY(starts.size() > 1);
}

void DrawingTest::buttonsTakeTheirRolesAndCursor() {
  QWidget* window = Draw({Row("Go", ControlKind::CommandButton, {0, 0, 1000, 375},
                              ui::kDefault | ui::kHandCursor),
                          Row("Stop", ControlKind::CommandButton, {0, 400, 1000, 375}, ui::kCancel)});
  auto* go = ControlOf<QPushButton>(window, "Go");
  auto* stop = ControlOf<QPushButton>(window, "Stop");
  QVERIFY(go->isDefault());
  QVERIFY(!stop->isDefault());
  QVERIFY(HasHandCursor(go));
  QVERIFY(!HasHandCursor(stop));
  // The cursor is two-coloured with a mask, its tip opaque black at the hot spot.
  const QImage bits = go->cursor().bitmap().toImage();
  const QImage mask = go->cursor().mask().toImage();
  QCOMPARE(bits.pixelColor(5, 0), QColor(Qt::black));
  QCOMPARE(mask.pixelColor(5, 0), QColor(Qt::black));
  QCOMPARE(mask.pixelColor(31, 31), QColor(Qt::white));  // transparent corner
}

void DrawingTest::textBoxProgressBarAndCheckBox() {
  auto check = Row("Tick", ControlKind::CheckBox, {0, 3000, 2000, 195});
  check.text = "Tick me";
  QWidget* window =
      Draw({Row("Log", ControlKind::TextBox, {0, 0, 3000, 1500},
                ui::kMultiLine | ui::kReadOnly | ui::kVScroll),
            Row("Bar", ControlKind::ProgressBar, {0, 1600, 3000, 375}, ui::kFlat), check});
  auto* log = ControlOf<QPlainTextEdit>(window, "Log");
  QVERIFY(log->isReadOnly());
  QCOMPARE(log->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  QCOMPARE(log->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  QCOMPARE(log->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  auto* bar = ControlOf<QProgressBar>(window, "Bar");
  QCOMPARE(bar->minimum(), 0);
  QCOMPARE(bar->maximum(), 100);
  QCOMPARE(bar->value(), 0);
  QVERIFY(!bar->isTextVisible());
  ui::Control& tick = tk_->Get("SAMPLE", "Tick");
  QCOMPARE(tick.Text(), std::string("Tick me"));
  QCOMPARE(tick.Checked(), 0);
  tick.SetChecked(1);
  QVERIFY(ControlOf<QCheckBox>(window, "Tick")->isChecked());
  QCOMPARE(tick.Checked(), 1);
}

// The control Tab goes to from `widget`.
static QWidget* NextTabStop(QWidget* widget) {
  QWidget* next = widget->nextInFocusChain();
  while (next != widget && !(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
  return next;
}

void DrawingTest::tabOrderFollowsTheTable() {
  QWidget* window = Draw({Row("Third", ControlKind::CommandButton, {0, 0, 900, 375}, 0, 3),
                          Row("Label", ControlKind::Label, {0, 400, 900, 255}, 0, 0),
                          Row("First", ControlKind::CheckBox, {0, 700, 900, 255}, 0, 1),
                          Row("Second", ControlKind::TextBox, {0, 1000, 900, 600}, 0, 2),
                          Row("Picture", ControlKind::PictureBox, {1000, 0, 480, 480}, 0, 4),
                          Row("Bar", ControlKind::ProgressBar, {0, 1700, 900, 200}, 0, 5)});
  auto* ok = ControlOf<QPushButton>(window, "OK");  // the book's button, tab index 0
  QCOMPARE(NextTabStop(ok), ControlOf<QWidget>(window, "First"));
  QCOMPARE(NextTabStop(ControlOf<QWidget>(window, "First")), ControlOf<QWidget>(window, "Second"));
  QCOMPARE(NextTabStop(ControlOf<QWidget>(window, "Second")), ControlOf<QWidget>(window, "Third"));
  QCOMPARE(NextTabStop(ControlOf<QWidget>(window, "Third")), ControlOf<QWidget>(window, "Picture"));
  QCOMPARE(NextTabStop(ControlOf<QWidget>(window, "Picture")), ok);
  QCOMPARE(ControlOf<QLabel>(window, "Label")->focusPolicy(), Qt::NoFocus);
  QCOMPARE(ControlOf<QProgressBar>(window, "Bar")->focusPolicy(), Qt::NoFocus);
  QVERIFY(!ok->autoDefault());
  tk_->Show("SAMPLE");
  QVERIFY(QTest::qWaitForWindowActive(window));
  QCOMPARE(window->focusWidget(), ok);  // the lowest tab index that takes the focus
}

void DrawingTest::pictureBoxesShowTheirPicturesUnscaled() {
  auto bannerRow = Row("Banner", ControlKind::PictureBox, {0, 0, 5775, 1335}, ui::kBanner | ui::kNoBorder);
  bannerRow.backColor = ui::Color{255, 255, 255};
  QWidget* window = Draw({bannerRow,
                          Row("Icon", ControlKind::PictureBox, {0, 1400, 480, 480},
                              ui::kAppIcon | ui::kNoBorder)});
  auto* banner = ControlOf<QLabel>(window, "Banner");
  QCOMPARE(banner->pixmap().size(), QSize(438, 81));
  QCOMPARE(banner->size(), QSize(385, 89));
  const QImage image = QtImages::Banner().toImage();
  // Drawn from the top left at its own size, cut off on the right; white below it.
  for (QPoint at : {QPoint(0, 0), QPoint(44, 40), QPoint(120, 60), QPoint(384, 40)})
    QCOMPARE(PixelAt(banner, at.x(), at.y()), image.pixelColor(at));
  QCOMPARE(PixelAt(banner, 200, 86), QColor(Qt::white));
  auto* icon = ControlOf<QLabel>(window, "Icon");
  QCOMPARE(icon->pixmap().size(), QSize(32, 32));
  QCOMPARE(QtImages::AppIcon().availableSizes(),
           (QList<QSize>{QSize(16, 16), QSize(32, 32), QSize(48, 48)}));
}

void DrawingTest::driveListStartsAtTheCurrentFolder() {
  QCOMPARE(DriveChoice::IndexOfDrive({"c: [/a]", "d: [/b]"}, "D:\\WINDOWS"), 1);
  QCOMPARE(DriveChoice::IndexOfDrive({"c: [/a]", "d: [/b]"}, "d:"), 1);
  QCOMPARE(DriveChoice::IndexOfDrive({"c: [/a]", "d: [/b]"}, "E:\\"), -1);
  QCOMPARE(DriveChoice::IndexOfDrive({"c: [/a]"}, ""), -1);

  testsupport::WindowsMachine machine;
  machine.tree.Folder("d/WINNT");
  {
    WorkingFolder here(machine.tree.Path("d/WINNT"));
    QWidget* window = Draw({Row("Drives", ControlKind::DriveList, {0, 0, 3615, 315})});
    auto* list = ControlOf<QComboBox>(window, "Drives");
    QVERIFY(!list->isEditable());
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->itemText(0), QString::fromStdString("s: [" + machine.tree.Path("c") + "]"));
    QCOMPARE(list->currentIndex(), 1);
    QCOMPARE(tk_->Get("SAMPLE", "Drives").Text(), "t: [" + machine.tree.Path("d") + "]");
    tk_.reset();
    book_ = std::make_unique<testsupport::FormBook>();
  }
  WorkingFolder outside("/");
  QWidget* window = Draw({Row("Drives", ControlKind::DriveList, {0, 0, 3615, 315})});
  QCOMPARE(ControlOf<QComboBox>(window, "Drives")->currentIndex(), -1);
  QCOMPARE(tk_->Get("SAMPLE", "Drives").Text(), std::string());
}

void DrawingTest::programWindowsHaveTheirSizesAndBorders_data() {
  QTest::addColumn<QString>("form");
  QTest::addColumn<QSize>("client");
  QTest::addColumn<bool>("dialog");
  QTest::addColumn<bool>("closeBox");
  QTest::addColumn<QString>("caption");
  QTest::newRow("home") << "BEGIN_FRM" << QSize(496, 429) << false << true << "Quillfen";
  QTest::newRow("local scan") << "LOCALSCAN_FRM" << QSize(494, 510) << false << true << "Corvalen Quillfen";
  QTest::newRow("progress") << "CHECK_FRM" << QSize(360, 136) << false << false << "Scanning your computer...";
  QTest::newRow("options") << "SCAN_OPTIONS" << QSize(340, 211) << true << true << "Scan Options";
  QTest::newRow("other drives") << "OTHER_FRM" << QSize(494, 389) << false << true << "Scan other hard drives or directories";
  QTest::newRow("about") << "ABOUT_FRM" << QSize(382, 298) << true << true << "About the Quillfen";
}

void DrawingTest::programWindowsHaveTheirSizesAndBorders() {
  QFETCH(QString, form);
  QFETCH(QSize, client);
  QFETCH(bool, dialog);
  QFETCH(bool, closeBox);
  QFETCH(QString, caption);
  testsupport::WindowsMachine machine;
  tk_ = std::make_unique<QtUi::QtToolkit>(ui::MakeForm, [] {});
  tk_->Get(form.toStdString(), "");  // loads it, hidden
  QWidget* window = tk_->Window(form.toStdString());
  QVERIFY(window);
  QCOMPARE(window->size(), client);
  QCOMPARE(window->minimumSize(), client);
  QCOMPARE(window->maximumSize(), client);
  QCOMPARE(window->windowTitle(), caption);
  const Qt::WindowFlags flags = window->windowFlags();
  QCOMPARE(window->windowType() == Qt::Dialog, dialog);
  QCOMPARE(bool(flags & Qt::WindowCloseButtonHint), closeBox);
  QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
  QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
}

void DrawingTest::mainWindowOpensCentred() {
  testsupport::WindowsMachine machine;
  tk_ = std::make_unique<QtUi::QtToolkit>(ui::MakeForm, [] {});
  tk_->Show("BEGIN_FRM");
  QWidget* window = tk_->Window("BEGIN_FRM");
  const QPoint centre = window->screen()->availableGeometry().center();
  QVERIFY2((window->frameGeometry().center() - centre).manhattanLength() <= 2,
           qPrintable(QStringLiteral("window %1,%2 %3x%4 frame %5,%6 screen centre %7,%8")
                          .arg(window->x()).arg(window->y()).arg(window->width()).arg(window->height())
                          .arg(window->frameGeometry().x()).arg(window->frameGeometry().y())
                          .arg(centre.x()).arg(centre.y())));
}

void DrawingTest::everyCommandButtonButAboutOkShowsTheHand() {
  testsupport::WindowsMachine machine;
  tk_ = std::make_unique<QtUi::QtToolkit>(ui::MakeForm, [] {});
  int buttons = 0;
  for (const char* form : {"BEGIN_FRM", "LOCALSCAN_FRM", "CHECK_FRM", "SCAN_OPTIONS", "OTHER_FRM", "ABOUT_FRM"}) {
    tk_->Get(form, "");
    for (QPushButton* button : tk_->Window(form)->findChildren<QPushButton*>()) {
      if (!button->objectName().startsWith(QLatin1String("Command")) &&
          !button->objectName().endsWith(QLatin1String("Btn")) &&
          !button->objectName().startsWith(QLatin1String("cmd")) &&
          button->objectName() != QLatin1String("ScanButton"))
        continue;  // a push button of Qt's own inside another control
      ++buttons;
      const bool aboutOk = QString(form) == "ABOUT_FRM" && button->objectName() == "cmdOK";
      QVERIFY2(HasHandCursor(button) != aboutOk, qPrintable(QString(form) + "." + button->objectName()));
    }
  }
  QCOMPARE(buttons, 4 + 6 + 1 + 2 + 4 + 1);
}

void DrawingTest::mainWindowLookIsDrawn() {
  testsupport::WindowsMachine machine;
  tk_ = std::make_unique<QtUi::QtToolkit>(ui::MakeForm, [] {});
  tk_->Show("BEGIN_FRM");
  QWidget* home = tk_->Window("BEGIN_FRM");
  auto* banner = ControlOf<QLabel>(home, "Picture1");
  auto* band = ControlOf<QLabel>(home, "Picture2");
  QCOMPARE(banner->pixmap().size(), QSize(438, 81));
  // The banner lies over the band; the "?" button is inside the band.
  QVERIFY(home->children().indexOf(banner) > home->children().indexOf(band));
  QCOMPARE(ControlOf<QPushButton>(home, "Command1")->parentWidget(), band);
  QCOMPARE(PixelAt(home, 5, 5), QColor(Qt::white));
  QCOMPARE(ControlOf<QPushButton>(home, "Command2")->isDefault(), true);
  QVERIFY(QTest::qWaitForWindowActive(home));
  QCOMPARE(home->focusWidget(), ControlOf<QWidget>(home, "Picture1"));  // the banner, tab 0
  QCOMPARE(ControlOf<QLabel>(home, "Label4")->palette().color(QPalette::WindowText), QColor(192, 0, 0));
  // The local scan window's band sits 8 pixels higher.
  tk_->Get("LOCALSCAN_FRM", "");
  QCOMPARE(ControlOf<QLabel>(tk_->Window("LOCALSCAN_FRM"), "Picture2")->y(), -8);
  QCOMPARE(ControlOf<QLabel>(tk_->Window("LOCALSCAN_FRM"), "Picture1")->y(), 0);
}

void DrawingTest::aboutSeparatorIsEtched() {
  testsupport::WindowsMachine machine;
  tk_ = std::make_unique<QtUi::QtToolkit>(ui::MakeForm, [] {});
  tk_->Get("ABOUT_FRM", "");
  QWidget* about = tk_->Window("ABOUT_FRM");
  const QImage image = about->grab().toImage();
  const QColor face = about->palette().color(QPalette::Window);
  QCOMPARE(image.pixelColor(100, 250), face);
  QCOMPARE(image.pixelColor(100, 251), QColor(128, 128, 128));
  QCOMPARE(image.pixelColor(100, 252), QColor(Qt::white));
  QCOMPARE(image.pixelColor(100, 253), QColor(Qt::white));
  QCOMPARE(image.pixelColor(100, 254), face);
  QCOMPARE(image.pixelColor(5, 251), face);  // the grey line starts at pixel 6
}

void DrawingTest::aboutIconStandsOnTheWindowFace() {
  testsupport::WindowsMachine machine;
  tk_ = std::make_unique<QtUi::QtToolkit>(ui::MakeForm, [] {});
  tk_->Get("ABOUT_FRM", "");
  QWidget* about = tk_->Window("ABOUT_FRM");
  auto* icon = ControlOf<QLabel>(about, "picIcon");
  const QImage window = about->grab().toImage();
  const QImage picture = QtImages::AppIconPixmap(32).toImage();
  const QColor face = about->palette().color(QPalette::Window);
  QVERIFY(face != QColor(Qt::white));
  // Where the icon is transparent, the window's face shows through.
  int seen = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (qAlpha(picture.pixel(x, y)) == 0) {
        QCOMPARE(window.pixelColor(icon->geometry().topLeft() + QPoint(x, y)), face);
        ++seen;
      }
  QVERIFY(seen > 0);
}

QTEST_MAIN(DrawingTest)
#include "tst_drawing.moc"
