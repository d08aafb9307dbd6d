#pragma once
// The scan console writer.
#include <string>

#include "scan/ScreenPorts.h"

namespace ConsoleTools {

// Appends text at the end of the console; with newLine, after a CR LF unless the console is
// empty (the first line never starts with a break, the console never ends with one).
void ConsoleWrite(ScreenPorts::TextBox& console, const std::string& text, bool newLine);
void ConsoleClear(ScreenPorts::TextBox& console);

}  // namespace ConsoleTools
