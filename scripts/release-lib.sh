# The recipes of the release files, shared by scripts/release.sh and the package step
# (scripts/ci/package.sh). Sourced, not run; $here is the source tree.

# The time that stands for every time stamp of a release: SOURCE_DATE_EPOCH when it is set,
# else the date of the latest entry of packaging/changelog, as dpkg takes it.
release_epoch() {
  if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    echo "$SOURCE_DATE_EPOCH"
    return
  fi
  local date
  date=$(sed -n 's/^ -- .*>  //p' "$here/packaging/changelog" | head -n 1)
  [ -n "$date" ] || { echo "packaging/changelog has no dated entry" >&2; return 1; }
  date -d "$date" +%s
}

# make_deb BUILD OUT: the Debian package of the configured Linux build BUILD (cpack -G DEB,
# which installs the build into a staging folder first), copied into OUT; prints its path.
make_deb() {
  local build=$1 out=$2 epoch
  epoch=$(release_epoch)
  rm -rf "$build/package"
  if ! (cd "$build" && SOURCE_DATE_EPOCH=$epoch cpack -G DEB -B "$build/package") \
         >"$build/cpack.log" 2>&1; then
    cat "$build/cpack.log" >&2
    return 1
  fi
  local debs=("$build"/package/*.deb)
  [ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] ||
    { echo "cpack made ${#debs[@]} packages in $build/package" >&2; return 1; }
  mkdir -p "$out"
  cp "${debs[0]}" "$out/"
  echo "$out/$(basename "${debs[0]}")"
}

# make_windows_zip EXE ZIP: the Windows download, quillfen.exe and QUILLFEN.TXT. The same
# files give the same bytes whatever their times, modes or the local time zone: the names in a
# fixed order, every time the release's (read in UTC), mode 644, no extra fields (zip -X).
make_windows_zip() {
  local exe=$1 zip epoch stage
  zip=$(realpath -m "$2")
  epoch=$(release_epoch)
  stage=$(mktemp -d)
  cp "$exe" "$stage/quillfen.exe"
  cp "$here/resources/QUILLFEN.TXT" "$stage/QUILLFEN.TXT"
  chmod 644 "$stage"/*
  touch -d "@$epoch" "$stage"/*
  # zip adds to an archive that is already there.
  rm -f "$zip"
  local status=0
  (cd "$stage" && LC_ALL=C ls | LC_ALL=C sort | TZ=UTC zip -X -D -q -9 -@ "$zip") || status=$?
  rm -rf "$stage"
  return "$status"
}
