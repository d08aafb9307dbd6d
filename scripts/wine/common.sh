# Sourced by the Wine scripts: the environment every Wine call of the test run uses.
#   wine_use_prefix <folder>   makes the 32-bit prefix there once, sets it up, exports it, and
#                              starts its wineserver, which lingers a few seconds between runs
#   wine_done                  waits until that wineserver has gone (call it before exiting:
#                              a server left over from one run breaks a following one, and one
#                              started without a display gives a later run on one no windows)
# Wine is quiet (WINEDEBUG=-all), never offers to install Mono or Gecko, and runs in UTC: the
# two hosts convert file times differently around daylight-saving changes.

source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

wine_use_prefix() {
  export WINEPREFIX
  WINEPREFIX=$(realpath -m "$1")
  export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export TZ=UTC
  if [ ! -f "$WINEPREFIX/.quillfen-ready" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wine wineboot --init >/dev/null 2>&1 || true
    wineserver -w
    if ! grep -q '^#arch=win32' "$WINEPREFIX/system.reg" 2>/dev/null; then
      echo "no 32-bit Wine prefix could be made (is wine32 installed?)" >&2
      return 1
    fi
    # Windows XP, as the test machine says it is; and no 2 s stall on every window that
    # closes without a window manager.
    wine_import_registry 'HKEY_CURRENT_USER\Software\Wine' '"Version"="winxp"' \
      'HKEY_CURRENT_USER\Software\Wine\X11 Driver' '"Managed"="N"'
    wineserver -w
    touch "$WINEPREFIX/.quillfen-ready"
  fi
  # Wine's own fonts (Debian's fonts-wine) where the prefix's programs find them: this Wine does
  # not look in their folder by itself, and without them every face (MS Sans Serif, Marlett for
  # the title-bar buttons) falls back to one sans face.
  local font fonts=$WINEPREFIX/drive_c/windows/Fonts
  mkdir -p "$fonts"
  for font in /usr/share/wine/fonts/*; do
    [ -e "$fonts/${font##*/}" ] || ln -s "$font" "$fonts/"
  done
  # Starting a server costs a second; one that lingers serves all the runs of a script.
  wineserver -p3
}

wine_done() { wineserver -w; }

# wine_import_registry <key> <value line>... : one regedit import of REGEDIT4 lines, a key
# line starting each group ("HKEY_..."), then its values; waits until Wine has stored them.
wine_import_registry() {
  local file
  file=$(mktemp "$WINEPREFIX/import-XXXXXX.reg")
  {
    printf 'REGEDIT4\r\n'
    for line in "$@"; do
      case $line in
        HKEY_*) printf '\r\n[%s]\r\n' "$line" ;;
        *) printf '%s\r\n' "$line" ;;
      esac
    done
  } >"$file"
  wine regedit /S "$(wine_path "$file")" >/dev/null 2>&1
  rm -f "$file"
}

# The Windows spelling of a POSIX path, through the prefix's Z: drive (the root folder).
wine_path() {
  local path
  path=$(realpath -m "$1")
  printf 'Z:%s' "${path//\//\\}"
}

# wine_link_drive <letter> <folder>: the drive letter stands for the folder from now on.
wine_link_drive() {
  mkdir -p "$2"
  ln -sfn "$(realpath "$2")" "$WINEPREFIX/dosdevices/$1:"
}

# wine_link_test_drives [folder]: the drives of the tests' machines (tests/support/TempTree.h):
# R: a scratch folder (in the prefix, or the folder given), S: and T: its folders "c" and "d".
wine_link_test_drives() {
  local scratch=${1:-$WINEPREFIX/scratch}
  rm -rf "$scratch"
  wine_link_drive r "$scratch"
  wine_link_drive s "$scratch/c"
  wine_link_drive t "$scratch/d"
}

# wine_on_xvfb <prefix> <script> [args...]: runs the script again, with its arguments, on an X
# display of its own (Xvfb at 96 dots per inch), once the prefix's wineserver has gone (one that
# a run without a display left behind would keep the windows off the screen). Does nothing
# when already there.
wine_on_xvfb() {
  [ -z "${QUILLFEN_ON_XVFB:-}" ] || return 0
  local prefix script
  prefix=$(realpath -m "$1")
  script=$2
  shift 2
  [ ! -d "$prefix" ] || WINEPREFIX=$prefix wineserver -w
  exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" env QUILLFEN_ON_XVFB=1 bash "$script" "$@"
}

# wine_run_suite <name> <log> <exe> [args...]: wine_run_counted, then one line that says how it
# went, "<name>: N of M tests ran and passed", after the passed cases (the whole log on failure).
wine_run_suite() {
  local name=$1 log=$2
  shift 2
  if wine_run_counted "$log" "$@"; then
    grep -E '^\[  (PASSED|SKIPPED) ' "$log" || true
    tests_verdict "$name"
  else
    cat "$log"
    tests_verdict "$name" >&2
  fi
}

# wine_run_counted <log> <exe> [args...]: runs a GoogleTest program under Wine and fails unless
# it ran exactly the tests it lists, all passed (scripts/lib.sh counts them).
wine_run_counted() {
  local log=$1 exe=$2
  shift 2
  local report
  report=$(mktemp "$(dirname "$log")/gtest-XXXXXX.xml")
  gtest_run "$log" "$report" "$(wine_path "$report")" wine "$exe" "$@"
  rm -f "$report"
  tests_verdict counted >/dev/null
}
