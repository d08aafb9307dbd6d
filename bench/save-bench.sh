#!/bin/sh
# Figures for quillfen-scan's folder scan saving a flat folder of 2 KB qualifying files: its time
# beside `cp -r --preserve=timestamps` of the same folder (paired runs, the median of each and
# of the ratios of the pairs), and the scan's peak memory for that folder and for one ten times
# as big. The trees lie in $TMPDIR: put it on a tmpfs (docs/performance.md) for figures that
# measure the program rather than the disk.
#   save-bench.sh QUILLFEN_SCAN [files [runs]]     default 20,000 files, 5 paired runs
set -eu
scan=$1
files=${2:-20000}
runs=${3:-5}
work=$(mktemp -d "${TMPDIR:-/tmp}/quillfen-savebench-XXXXXX")
trap 'rm -rf "$work"' EXIT

tree() {  # tree DIR N: N qualifying 2 KB inventories dated 2001
  python3 - "$1" "$2" <<'EOF'
import os, sys
folder, count = sys.argv[1], int(sys.argv[2])
os.makedirs(folder)
body = b"inventory\r\n" * 186
for i in range(count):
    path = os.path.join(folder, "f%d.inv" % i)
    with open(path, "wb") as f:
        f.write(body)
    os.utime(path, (978350400, 978350400))
EOF
}
seconds() {  # seconds COMMAND...: wall time of one run, its output dropped
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1
  awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { print b - a }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
saved() { [ "$(ls "$1/CVL_SAVE" | wc -l)" -eq $((files + 1)) ] || { echo "save-bench.sh: $1 lacks files" >&2; exit 1; }; }

tree "$work/src" "$files"
: >"$work/pairs"
i=0
while [ "$i" -lt "$runs" ]; do
  rm -rf "$work/dest" "$work/cp"; mkdir "$work/dest" "$work/cp"; sync
  q=$(seconds "$scan" folder "$work/src" --save-to "$work/dest") ||
    { echo "save-bench.sh: the scan failed" >&2; exit 1; }
  saved "$work/dest"
  c=$(seconds cp -r --preserve=timestamps "$work/src" "$work/cp/")
  echo "$q $c" >>"$work/pairs"
  i=$((i + 1))
done
q=$(awk '{ print $1 }' "$work/pairs" | median)
c=$(awk '{ print $2 }' "$work/pairs" | median)
r=$(awk '{ print $1 / $2 }' "$work/pairs" | median)
printf 'folder scan saving %d files of 2 KB: %.3f s, cp -r --preserve=timestamps %.3f s, ratio %.2f x (median of %d pairs)\n' \
  "$files" "$q" "$c" "$r" "$runs"

peak() {  # peak N: peak resident memory of a folder scan saving N files, in KiB
  rm -rf "$work/src" "$work/dest" "$work/cp"
  tree "$work/src" "$1"
  mkdir "$work/dest"
  /usr/bin/time -f %M -o "$work/rss" "$scan" folder "$work/src" --save-to "$work/dest" >/dev/null 2>&1 ||
    { echo "save-bench.sh: the scan of $1 files failed (is \$TMPDIR full?)" >&2; exit 1; }
  tail -n 1 "$work/rss"
}
small=$(peak "$files")
large=$(peak $((files * 10)))
awk -v n="$files" -v s="$small" -v l="$large" 'BEGIN {
  printf "peak memory of a folder scan: %d files %.1f MB, %d files %.1f MB; %.0f bytes a further file\n",
    n, s / 1024, n * 10, l / 1024, (l - s) * 1024 / (n * 9) }'
