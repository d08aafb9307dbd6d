// Identifiers of the Windows program's resources, shared by the resource script and the code.
#pragma once

#define QUILLFEN_ICON 1
#define QUILLFEN_HAND_CURSOR 2
// The banner of the main windows (banner.bmp, made from banner.gif by scripts/make-images.sh).
#define QUILLFEN_BANNER 3
// The README text, of type "CUSTOM"; the engine asks for it by this number.
#define QUILLFEN_README_TEXT 101
