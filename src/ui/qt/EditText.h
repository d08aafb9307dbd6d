#pragma once
// A text box's text as the program sees it (UTF-8 bytes, lines broken by CR LF) and as the
// Qt editor holds it (UTF-16, one "\n" per break), with caret positions carried between the
// two. CR LF, a lone CR and a lone LF each make one break; a byte that is not valid UTF-8
// shows as U+FFFD. Byte offsets that fall inside a break or a character round down to its
// start.
#include <QString>
#include <cstddef>
#include <string_view>

namespace EditText {

QString ToEditor(std::string_view text);
// The editor position of a byte offset (offsets past the end give the end).
int EditorPosition(std::string_view text, std::size_t byteOffset);
// The byte offset of an editor position (positions past the end give the end).
std::size_t ByteOffset(std::string_view text, int editorPosition);

}  // namespace EditText
