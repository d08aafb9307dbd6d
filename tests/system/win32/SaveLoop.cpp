// Saves one file over and over until it is killed, so that a test can cut a save short at any
// moment of a copy.
//   quillfen_save_loop <source> <destination>
#include "system/WindowsApi.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  for (;;)
    if (!WindowsApi::CopyFileReplacing(argv[1], argv[2])) return 1;
}
