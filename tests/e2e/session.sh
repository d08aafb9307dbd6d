#!/usr/bin/env bash
# Runs a command (by default every end-to-end case) in a desktop session of its own: a private
# X server (Xvfb) with a window manager, as a person's desktop has (it gives the focus back to
# a dialog when a box over it closes), and a private session bus that carries the
# accessibility bus, which is how the cases read the windows.
#   session.sh PROGRAM [COMMAND ...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export QUILLFEN_PROGRAM=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
shift
[ $# -gt 0 ] || set -- /usr/bin/python3 -m unittest discover -v -s "$here" -p 'test_*.py'
for tool in xvfb-run dbus-run-session openbox xprop xdotool xwininfo import \
  /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || { echo "session.sh: $tool is missing" >&2; exit 1; }
done
inside='
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap "kill $bus $wm 2>/dev/null" EXIT
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.1
done
"$@"'
exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96 -nolisten tcp" \
  dbus-run-session -- bash -c "$inside" session "$@"
