#!/bin/sh
# The system calls one saved file costs: a folder scan saving N files and one saving 2N, both
# counted by strace; the difference, over N, is what each further file costs, whatever the
# program spends once. It must stay within 14: a saved file is judged by what its folder's
# listing said, read from the folder held open, and written beside its name in the save folder
# held open; looking a path up again from the drive's root for each file costs far more.
#   syscalls.sh QUILLFEN_SCAN
set -eu
command -v strace >/dev/null || { echo "syscalls.sh: strace is not installed" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
count() {  # count N: the system calls of a folder scan saving N files
  mkdir -p "$work/src$1" "$work/dest$1"
  i=0
  while [ "$i" -lt "$1" ]; do
    printf 'inventory %s' "$i" >"$work/src$1/f$i.inv"
    i=$((i + 1))
  done
  touch -d 2001-01-01 "$work/src$1"/*.inv
  strace -f -c -o "$work/count$1" "$scan" folder "$work/src$1" --save-to "$work/dest$1" >/dev/null
  [ "$(ls "$work/dest$1/CVL_SAVE" | wc -l)" -eq $(($1 + 1)) ]  # and README.TXT
  awk '$NF == "total" { print $(NF-2) }' "$work/count$1"
}
scan=$1
n=200
small=$(count $n)
large=$(count $((2 * n)))
each=$(( (large - small + n - 1) / n ))
echo "system calls per saved file: $each (scans of $n and $((2 * n)) files: $small and $large)"
[ "$each" -le 14 ]
