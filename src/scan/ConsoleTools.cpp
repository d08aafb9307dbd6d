#include "scan/ConsoleTools.h"

namespace ConsoleTools {

void ConsoleWrite(ScreenPorts::TextBox& console, const std::string& text, bool newLine) {
  const std::size_t length = console.Length();
  console.SetSelStart(length);
  // The break goes before the new text, so the console never ends with an empty line.
  if (length > 0 && newLine)
    console.InsertAtCaret("\r\n" + text);
  else
    console.InsertAtCaret(text);
}

void ConsoleClear(ScreenPorts::TextBox& console) { console.SetText(""); }

}  // namespace ConsoleTools
