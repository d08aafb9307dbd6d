#include "support/posix/RegistryHive.h"

#include "support/hive/NtHive.h"
#include "support/hive/Win9xRegistry.h"

namespace testsupport {

RegistryHive::RegistryHive(Kind kind)
    : kind_(kind), root_{kind == Kind::Nt ? "$$$PROTO.HIV" : "", {}, {}} {}

std::string RegistryHive::PathIn(const std::string& windowsFolder) const {
  return windowsFolder + (kind_ == Kind::Nt ? "/system32/config/SOFTWARE" : "/SYSTEM.DAT");
}

hivefixture::HiveKey& RegistryHive::Key(std::string_view machinePath) {
  if (kind_ == Kind::Win9x) return root_.At(machinePath);
  const std::size_t cut = machinePath.find('\\');
  return root_.At(cut == std::string_view::npos ? std::string_view() : machinePath.substr(cut + 1));
}

RegistryHive& RegistryHive::SetText(std::string_view machinePath, const std::string& name,
                                    const std::string& text, std::uint32_t type) {
  Key(machinePath)
      .Set(name, type, kind_ == Kind::Nt ? hivefixture::NtText(text) : hivefixture::Win9xText(text));
  return *this;
}

std::string RegistryHive::Bytes() const {
  return kind_ == Kind::Nt ? hivefixture::WriteNtHive(root_) : hivefixture::WriteWin9xRegistry(root_);
}

}  // namespace testsupport
