#!/usr/bin/env bash
# Holds the functions a Windows program imports (objdump -p) against the allow-list, which
# gives the oldest Windows that has each one. Fails on an import the list lacks, and on an
# entry the program no longer imports, so the list always says what the program needs.
#   check-imports.sh <objdump> <program.exe> <allow-list>
set -euo pipefail
objdump=$1 exe=$2 list=$3

imports=$("$objdump" -p "$exe" | awk '
  /^\tDLL Name: / { dll = $3; next }
  /^\t[0-9a-f]+\t *[0-9]+ +[^ ]+$/ && dll != "" { print dll, $NF }
  /^$/ { dll = "" }' | sort -u)
allowed=$(grep -v '^#' "$list" | awk 'NF >= 3 { print $1, $2 }' | sort -u)

[ -n "$imports" ] || { echo "no imports found in $exe" >&2; exit 1; }
missing=$(comm -23 <(echo "$imports") <(echo "$allowed"))
stale=$(comm -13 <(echo "$imports") <(echo "$allowed"))
dlls=$(echo "$imports" | awk '{print $1}' | sort -u | tr '\n' ' ')
if [ -n "$missing" ] || [ -n "$stale" ]; then
  [ -z "$missing" ] || printf 'imported but not in %s:\n%s\n' "$list" "$missing" >&2
  [ -z "$stale" ] || printf 'in %s but no longer imported:\n%s\n' "$list" "$stale" >&2
  exit 1
fi
echo "imports: $(echo "$imports" | wc -l) functions from ${dlls}all on the allow-list"
