#pragma once
// Little-endian numbers put into a byte buffer, as both registry formats store them.
#include <cstdint>
#include <string>

namespace hivefixture {

inline void PutLe(std::string& bytes, std::size_t at, std::uint64_t value, int size) {
  if (bytes.size() < at + size) bytes.resize(at + size, '\0');
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}
inline void Put16(std::string& bytes, std::size_t at, std::uint32_t value) { PutLe(bytes, at, value, 2); }
inline void Put32(std::string& bytes, std::size_t at, std::uint32_t value) { PutLe(bytes, at, value, 4); }
inline void Put64(std::string& bytes, std::size_t at, std::uint64_t value) { PutLe(bytes, at, value, 8); }

inline std::uint32_t Get32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace hivefixture
