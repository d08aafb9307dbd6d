#!/usr/bin/env bash
# Installs, with apt, whatever one purpose needs and is missing:
#   install-deps.sh run    building and running the Linux program (the default), with the
#                          registry libraries it reads old disks' registry files with
#   install-deps.sh test   everything the tests need besides: GoogleTest, the sanitizer and
#                          fuzzer runtimes, a desktop session for the end-to-end run (Xvfb,
#                          a window manager, the accessibility bus and its Python reader,
#                          xdotool), the MinGW-w64 cross compilers, a 32-bit Wine, and
#                          what makes and checks the release (CPack's dpkg-shlibdeps and file,
#                          lintian, appstreamcli, desktop-file-validate, man, zip), help2man
#                          for quillfen-scan's man page, the registry libraries' own readers
#                          (hivexget, cregexport) that prove the tests' registry files, Xlib,
#                          for a test that reads the X screen, and ntfs-3g for a disk that
#                          ignores case (mkntfs, lowntfs-3g)
# It uses sudo when not run as root.
set -euo pipefail
purpose=${1:-run}

run_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libxkbcommon-dev
  libhivex-dev libcreg-dev libbfio-dev
  fonts-liberation fonts-wine xdg-utils
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev googletest
  xvfb xauth x11-utils libx11-dev imagemagick xdotool help2man libhivex-bin libcreg-utils
  ntfs-3g openbox dbus-daemon at-spi2-core python3-pyatspi strace
  clang libclang-rt-14-dev
  g++-mingw-w64-i686-win32 g++-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
  wine wine32
  dpkg-dev file lintian appstream desktop-file-utils man-db zip unzip
)

packages=("${run_packages[@]}")
case "$purpose" in
  run) ;;
  test) packages+=("${test_packages[@]}") ;;
  *) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ "${#missing[@]}" -gt 0 ] || exit 0

# The 32-bit Wine comes from the i386 architecture; a 64-bit-only Wine would run the 32-bit
# test programs as silent no-ops.
if printf '%s\n' "${missing[@]}" | grep -qx wine32 &&
   ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
