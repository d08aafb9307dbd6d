#include "scan/ConsoleTools.h"

namespace ConsoleTools {

void ConsoleWrite(ScreenPorts::TextBox& console, const std::string& text, bool newLine) {
  const std::string current = console.Text();
  console.SetSelStart(current.size());
  // The break goes before the new text, so the console never ends with an empty line.
  if (!current.empty() && newLine)
    console.InsertAtCaret("\r\n" + text);
  else
    console.InsertAtCaret(text);
}

void ConsoleClear(ScreenPorts::TextBox& console) { console.SetText(""); }

}  // namespace ConsoleTools
