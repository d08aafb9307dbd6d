#pragma once
// Native (POSIX) path text: joining, parting, tidying and containment, without looking at the
// disk. Its one home, for the POSIX host and for quillfen-scan's own paths alike.
#include <string>
#include <string_view>
#include <vector>

namespace PosixHost {

// The names of a path in order, without the empty ones of a doubled "/" and without ".":
// "/a//./b/" -> {"a", "b"}. They point into `path`.
std::vector<std::string_view> NativeNames(std::string_view path);
// folder + "/" + name, without doubling the "/" of the root.
std::string JoinNative(const std::string& folder, std::string_view name);
// The folder that holds an absolute native path; "/" for what lies at the top.
std::string ParentOfNative(const std::string& native);
// "/a/./b/../c//" -> "/a/c": "." and ".." taken away as a shell's "cd" takes them, without a
// final "/" ("/" for the root). An absolute path stays absolute.
std::string NormalNative(const std::string& native);
// "/a//b/" -> "/a/b": the spelling the drive table and prefix matching rely on.
std::string TidyNativeFolder(std::string_view path);
// Whether a path is `folder` or lies below it (both without a final "/", "/" excepted).
bool IsInside(std::string_view path, std::string_view folder);

}  // namespace PosixHost
