#!/usr/bin/env bash
# The release as a user gets it: scripts/release.sh into build-package/ ($QUILLFEN_PACKAGE_DIR),
# then its files checked:
#  - the Debian package: lintian finds no error, and no warning that cmake/Packaging.cmake does
#    not explain; the installed metainfo passes `appstreamcli validate --no-net` and the desktop
#    file `desktop-file-validate`; what it holds (the registry reader too) and depends on (the
#    registry libraries too); one version and date throughout;
#  - the Windows download: quillfen.exe carries no link time and is byte for byte the windows
#    step's (build-win/: another build, in another folder); the zip made again from that exe,
#    with other file times and modes and another time zone, is byte for byte the release's; it
#    holds just the exe and QUILLFEN.TXT, which is CR LF, 7-bit ASCII and fits Notepad.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
source "$here/scripts/lib.sh"
source "$here/scripts/release-lib.sh"
work=$(build_dir package)
program=$(build_dir win32)
start=$(now)

rm -rf "$work/out" "$work/root" "$work/checks"
mkdir -p "$work/checks"
if ! QUILLFEN_RELEASE_BUILD_DIR=$work/release bash "$here/scripts/release.sh" "$work/out" \
       >"$work/release.log" 2>&1; then
  tail -60 "$work/release.log"
  echo "package: the release could not be made (log $work/release.log): FAILED"
  exit 1
fi
built=$(now)

out=$work/out root=$work/root
deb=$(ls "$out"/quillfen_*_amd64.deb)
version=$(dpkg-deb -f "$deb" Version)
zip=$out/quillfen-$version-win32.zip
dpkg-deb -x "$deb" "$root"
app_id=org.corvalen.Quillfen
desktop=$root/usr/share/applications/$app_id.desktop
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml

# The other build of the Windows program: the windows step's (made here when it is missing).
if [ -f "$program/build.ninja" ]; then
  build_targets "$program" quillfen >/dev/null
else
  QUILLFEN_WINDOWS_BUILD_DIR=$program "$here/scripts/build-windows.sh" >/dev/null
fi

# Each check says what is wrong on stdout and fails; that goes into the summary.
check_lintian() {
  # Its exit status says only whether it ran; the tags are judged below.
  lintian --fail-on none --pedantic --display-info "$deb" >"$work/checks/lintian.txt" 2>"$work/checks/lintian.err" ||
    { cat "$work/checks/lintian.err"; echo "lintian could not run"; return 1; }
  sed 's/^/    /' "$work/checks/lintian.txt"
  local errors unexplained=()
  errors=$(grep -c '^E: ' "$work/checks/lintian.txt" || true)
  for tag in $(sed -n 's/^W: [^ ]* \([^ ]*\).*/\1/p' "$work/checks/lintian.txt" | sort -u); do
    grep -qw -- "$tag" "$here/cmake/Packaging.cmake" || unexplained+=("$tag")
  done
  [ "$errors" -eq 0 ] || echo "$errors errors"
  [ "${#unexplained[@]}" -eq 0 ] || echo "warnings not explained in cmake/Packaging.cmake: ${unexplained[*]}"
  [ "$errors" -eq 0 ] && [ "${#unexplained[@]}" -eq 0 ]
}

check_appstream() { appstreamcli validate --no-net "$metainfo"; }

check_desktop_file() { desktop-file-validate "$desktop"; }

check_contents() {
  local missing=0 path
  for path in usr/bin/quillfen usr/libexec/quillfen/quillfen-read-hive usr/share/man/man1/quillfen.1.gz \
              usr/share/doc/quillfen/copyright usr/share/doc/quillfen/changelog.gz \
              usr/share/applications/$app_id.desktop usr/share/metainfo/$app_id.metainfo.xml; do
    [ -f "$root/$path" ] || { echo "missing: /$path"; missing=1; }
  done
  for size in 16 32 48; do
    path=usr/share/icons/hicolor/${size}x$size/apps/$app_id.png
    file "$root/$path" 2>/dev/null | grep -q "PNG image data, $size x $size," ||
      { echo "missing or not $size x $size: /$path"; missing=1; }
  done
  # Every program has its manual page, whatever build installed it.
  for path in "$root"/usr/bin/*; do
    [ -f "$root/usr/share/man/man1/$(basename "$path").1.gz" ] ||
      { echo "no manual page for /usr/bin/$(basename "$path")"; missing=1; }
  done
  [ "$(dpkg-deb -f "$deb" Maintainer)" = "Quillfen developers <quillfen@corvalen.org>" ] ||
    { echo "maintainer: $(dpkg-deb -f "$deb" Maintainer)"; missing=1; }
  return "$missing"
}

check_depends() {
  local depends wanted missing=0
  depends=$(dpkg-deb -f "$deb" Depends)
  # The fonts by name; Qt, and the registry libraries, as dpkg-shlibdeps found them in the
  # program and in its registry reader.
  for wanted in fonts-wine fonts-liberation libqt6widgets6 libqt6gui6 libhivex0 libcreg1; do
    [[ ", $depends," == *", $wanted"[\ ,]* ]] || { echo "Depends lacks $wanted: $depends"; missing=1; }
  done
  return "$missing"
}

# The menu entry, the metainfo and the icons name one another.
check_desktop_id() {
  local icon exec launchable id bad=0
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
  id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
  launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
  [ "$icon" = "$app_id" ] || { echo "desktop file: Icon=$icon"; bad=1; }
  [ -x "$root/usr/bin/$exec" ] || { echo "desktop file: Exec=$exec is not in /usr/bin"; bad=1; }
  [ "$id" = "$app_id" ] || { echo "metainfo: id $id"; bad=1; }
  [ "$launchable" = "$app_id.desktop" ] || { echo "metainfo: launchable $launchable"; bad=1; }
  return "$bad"
}

# The package's version is the build's; the changelog and the metainfo name the same release,
# on the same day.
check_versions() {
  local entry changelog_version changelog_date release release_version release_date bad=0
  entry=$(head -n 1 "$here/packaging/changelog")
  changelog_version=$(sed -n '1s/^quillfen (\([^)]*\)).*/\1/p' "$here/packaging/changelog")
  changelog_date=$(date -u -d "@$(SOURCE_DATE_EPOCH= release_epoch)" +%F)
  release=$(grep -m 1 '<release ' "$metainfo")
  release_version=$(sed -n 's/.*version="\([^"]*\)".*/\1/p' <<<"$release")
  release_date=$(sed -n 's/.*date="\([^"]*\)".*/\1/p' <<<"$release")
  [ "$changelog_version" = "$version" ] || { echo "changelog: $entry, package $version"; bad=1; }
  [ "$release_version" = "$version" ] || { echo "metainfo's latest release $release_version, package $version"; bad=1; }
  [ "$release_date" = "$changelog_date" ] ||
    { echo "metainfo's release date $release_date, changelog's $changelog_date"; bad=1; }
  return "$bad"
}

# The screenshots' addresses are the web site's copies of docs/screenshots/.
check_screenshots() {
  local url count=0 bad=0
  for url in $(sed -n 's:.*<image>\(.*\)</image>.*:\1:p' "$metainfo"); do
    count=$((count + 1))
    [[ "$url" == https://corvalen.org/quillfen/screenshots/* ]] && [ -f "$here/docs/screenshots/${url##*/}" ] ||
      { echo "no such screenshot: $url"; bad=1; }
  done
  [ "$count" -gt 0 ] || { echo "no screenshot"; bad=1; }
  return "$bad"
}

# The PE header's TimeDateStamp: 4 bytes, 8 past the "PE" signature that e_lfanew points at.
check_exe_time() {
  local pe stamp
  pe=$(od -An -tu4 -j 60 -N 4 "$out/quillfen.exe" | tr -d ' ')
  stamp=$(od -An -tu4 -j $((pe + 8)) -N 4 "$out/quillfen.exe" | tr -d ' ')
  [ "$stamp" -eq 0 ] || { echo "link time in the header: $(date -u -d "@$stamp")"; return 1; }
}

check_exe_reproducible() {
  cmp "$out/quillfen.exe" "$program/src/app/quillfen.exe" ||
    { echo "two builds of quillfen.exe differ"; return 1; }
}

check_zip_reproducible() {
  local other=$work/checks/other
  rm -rf "$other" && mkdir -p "$other"
  cp "$program/src/app/quillfen.exe" "$other/quillfen.exe"
  chmod 755 "$other/quillfen.exe" && touch "$other/quillfen.exe"
  (umask 077 && TZ=America/New_York make_windows_zip "$other/quillfen.exe" "$other/again.zip")
  cmp "$zip" "$other/again.zip" || { echo "two zips of the same files differ"; return 1; }
}

check_zip_contents() {
  local names bad=0
  names=$(unzip -Z1 "$zip" | tr '\n' ' ')
  [ "$names" = "QUILLFEN.TXT quillfen.exe " ] || { echo "the zip holds: $names"; bad=1; }
  unzip -p "$zip" quillfen.exe | cmp -s - "$out/quillfen.exe" || { echo "the zip's exe differs"; bad=1; }
  unzip -p "$zip" QUILLFEN.TXT | cmp -s - "$here/resources/QUILLFEN.TXT" ||
    { echo "the zip's QUILLFEN.TXT differs"; bad=1; }
  return "$bad"
}

# Notepad of Windows 95: CR LF line ends, 7-bit ASCII, and no line wider than its window.
check_readme_text() {
  local text=$here/resources/QUILLFEN.TXT bad=0
  ! LC_ALL=C grep -naP '[^\x00-\x7F]' "$text" || { echo "not 7-bit ASCII (lines above)"; bad=1; }
  ! LC_ALL=C grep -navP '\r$' "$text" || { echo "lines without CR LF (above)"; bad=1; }
  [ "$(tail -c 2 "$text" | od -An -c | tr -d ' ')" = '\r\n' ] || { echo "the last line has no CR LF"; bad=1; }
  ! LC_ALL=C awk '{ sub(/\r$/, "") } length($0) > 76 { print NR ": " length($0) " columns"; found = 1 }
                  END { exit !found }' "$text" ||
    { echo "lines wider than 76 columns"; bad=1; }
  return "$bad"
}

checks=(lintian appstream desktop_file contents depends desktop_id versions screenshots
        exe_time exe_reproducible zip_reproducible zip_contents readme_text)
passed=0 failed=0 lines=()
for name in "${checks[@]}"; do
  if output=$("check_$name" 2>&1); then
    passed=$((passed + 1)) outcome=passed
  else
    failed=$((failed + 1)) outcome=FAILED
    echo "=== $name"
    echo "$output"
  fi
  lines+=("$(printf '  %-18s %s' "${name//_/ }" "$outcome")")
done

echo "=== package summary"
echo "  release $version, made in $((built - start))s:"
(cd "$out" && for f in *.deb *.exe *.zip; do
  printf '    %-28s %8s bytes  sha256 %s\n' "$f" "$(stat -c %s "$f")" "$(sha256sum "$f" | cut -c 1-16)"
done)
echo "  lintian: $(grep -c '^E: ' "$work/checks/lintian.txt" || true) errors," \
  "$(grep -c '^W: ' "$work/checks/lintian.txt" || true) warnings," \
  "$(grep -c '^[IP]: ' "$work/checks/lintian.txt" || true) notes (pedantic and info)"
printf '%s\n' "${lines[@]}"
echo "package: $passed passed, $failed failed"
echo "  package step: $([ "$failed" -eq 0 ] && echo passed || echo FAILED) in $(seconds_since "$start")s"
[ "$failed" -eq 0 ]
