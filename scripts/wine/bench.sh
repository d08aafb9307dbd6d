#!/usr/bin/env bash
# The Win32 build's figures under Wine, once with Wine reporting Windows 98 and once Windows XP,
# on an X display of their own (Xvfb): bench/Win32ScanBench.cpp (the console, a local scan
# through the real windows, the scans' file work alone, CopyFile of the same files). Builds the
# benchmark first, with the test programs, into build-win-bench/ ($QUILLFEN_WINDOWS_BENCH_DIR);
# runs in the windows step's prefix (build-win/wine; not while a windows step runs there), on
# the window tests' drives; with $QUILLFEN_BENCH_SCRATCH set (a
# folder on a tmpfs, as for the Linux benchmarks: docs/performance.md), their scratch folder
# lies there.
#   bench.sh [files [runs [parts]]]   default 10,000 qualifying files, 3 runs, every part
#                                     (console,quiet,folder,copy,windows)
# $QUILLFEN_BENCH_EXE names another build of the benchmark to run instead (an older one, for
# figures before and after a change); nothing is built then.
# With QUILLFEN_BENCH_CALLS=1 it counts instead the kernel32 calls the program makes in a local
# scan and in a folder scan of `files` files (default 200; Wine's relay trace), by call, per
# saved file.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
source "$here/common.sh"
prefix=${QUILLFEN_WINDOWS_BUILD_DIR:-$root/build-win}/wine
bench=${QUILLFEN_WINDOWS_BENCH_DIR:-$root/build-win-bench}
exe=${QUILLFEN_BENCH_EXE:-$bench/bench/quillfen_win32_bench.exe}
if [ -z "${QUILLFEN_ON_XVFB:-}" ] && [ -z "${QUILLFEN_BENCH_EXE:-}" ]; then
  cmake -S "$root" -B "$bench" -G Ninja --no-warn-unused-cli \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DQUILLFEN_WINE_PREFIX="$prefix" -DQUILLFEN_BUILD_GUI=ON -DQUILLFEN_THREAD_MODEL=posix \
    -DQUILLFEN_BUILD_DIFFERENTIAL=OFF -DQUILLFEN_BUILD_BENCH=ON >/dev/null
  cmake --build "$bench" -j 2 --target quillfen_win32_bench >/dev/null
fi
wine_on_xvfb "$prefix" "$0" "$@"
wine_use_prefix "$prefix"
trap wine_done EXIT
scratch=
[ -z "${QUILLFEN_BENCH_SCRATCH:-}" ] || scratch=$(realpath -m "$QUILLFEN_BENCH_SCRATCH")
wine_link_test_drives $scratch

work=$WINEPREFIX/bench
rm -rf "$work"
mkdir -p "$work"
versions=(win98 winxp)
settings=()
for version in "${versions[@]}"; do
  cp "$exe" "$work/bench-$version.exe"
  settings+=("HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\bench-$version.exe" "\"Version\"=\"$version\"")
done
wine_import_registry "${settings[@]}"

status=0
for version in "${versions[@]}"; do
  echo "=== $version"
  if [ -n "${QUILLFEN_BENCH_CALLS:-}" ]; then
    files=${1:-200}
    WINEDEBUG=+relay wine "$work/bench-$version.exe" "$files" 1 --calls 2>"$work/relay.log" || status=1
    for scan in "local scan" "folder scan"; do
      echo "  $scan, $files files: the program's own kernel32 calls"
      # Between the marks the bench leaves in the trace; calls the program makes itself (its
      # image lies at 0x00400000), not those Wine's DLLs make of one another.
      sed -n "/OutputDebugStringA.*\"calls: $scan/,/OutputDebugStringA.*\"calls: end/p" "$work/relay.log" |
        grep -o 'Call KERNEL[A-Z0-9]*\.[A-Za-z0-9]*(.*ret=004[0-9a-f]*' |
        sed 's/^Call KERNEL[A-Z0-9]*\.\([A-Za-z0-9]*\)(.*/\1/' | sort | uniq -c | sort -rn |
        awk -v files="$files" '{ total += $1; printf "    %-28s %7d %7.2f a file\n", $2, $1, $1 / files }
                               END { printf "    %-28s %7d %7.2f a file\n", "all", total, total / files }'
    done
  else
    wine "$work/bench-$version.exe" "$@" || status=1
  fi
done
rm -rf "$work" ${scratch:+"$scratch"}
exit "$status"
