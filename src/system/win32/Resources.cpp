// The README text and the other resources of the exe (resources/quillfen.rc).
#include "system/WindowsApi.h"
#include "system/win32/Win32Host.h"

namespace WindowsApi {

std::span<const unsigned char> CustomResource(int id) {
  const HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), "CUSTOM");
  if (!found) return {};
  const HGLOBAL loaded = LoadResource(nullptr, found);
  const DWORD size = SizeofResource(nullptr, found);
  // A resource stays loaded for the life of the program; LockResource only finds its bytes.
  const auto* bytes = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
  if (!bytes) return {};
  return {bytes, size};
}

}  // namespace WindowsApi
