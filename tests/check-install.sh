#!/usr/bin/env bash
# Installs the build into a temporary prefix and makes the Debian package from it. Both must hold
# the editor with its launcher, catalogue file type, icon, AppStream metadata, manual pages,
# changelog and copyright file; those must pass the desktop's own validators, and the package
# lintian, without a single remark.
# check-install.sh BUILD_DIR APPLICATION_ID PACKAGE_NAME
set -euo pipefail
build="$1"
id="$2"
name="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
command -v lintian >/dev/null || { echo "lintian is not installed (scripts/test installs it)"; exit 1; }

icon_sizes=(16 24 32 48 64 128 256)
manual_pages=(share/man/man1/MQVEditor.1.gz share/man/man1/mqvcheck.1.gz)
expected=(bin/MQVEditor bin/mqvcheck "share/applications/$id.desktop" "share/mime/packages/$id.xml"
          "share/metainfo/$id.metainfo.xml" "share/icons/hicolor/scalable/apps/$id.svg" "${manual_pages[@]}"
          "share/doc/$name/changelog.gz" "share/doc/$name/copyright")
for size in "${icon_sizes[@]}"; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in "${expected[@]}"; do
  [ -f "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
for size in "${icon_sizes[@]}"; do
  file -b "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png" | grep -q "PNG image data, $size x $size" \
    || { echo "icon $size x $size is not a PNG of that size"; exit 1; }
done

desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"

# Each manual page names its program and formats without a complaint from man.
for page in "${manual_pages[@]}"; do
  program="$(basename "$page" .1.gz)"
  complaints="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$prefix/$page" 2>&1 >/dev/null)"
  [ -z "$complaints" ] || { echo "$page: $complaints"; exit 1; }
  LC_ALL=C.UTF-8 man -l "$prefix/$page" 2>/dev/null | grep -q "^ *$program - " || { echo "$page does not name $program"; exit 1; }
done
# The copyright file is machine-readable and states that no licence has been chosen.
copyright="$prefix/share/doc/$name/copyright"
head -1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  || { echo "the copyright file is not machine-readable"; exit 1; }
grep -qx 'License: none' "$copyright" || { echo "the copyright file names a licence"; exit 1; }

# The file type the desktop derives from the package's MIME data knows catalogues by name.
mkdir -p "$work/mime/packages"
cp "$prefix/share/mime/packages/$id.xml" "$work/mime/packages/"
# Globs match without regard to case, so Z.MQV reads z.mqv here; no other *.MQV (Fast.MQV, a copy)
# is claimed, as the editor cannot open it.
update-mime-database "$work/mime" 2>/dev/null
globs="$(grep -v '^#' "$work/mime/globs2")"
[ "$globs" = '50:application/x-zcd-catalogue:z.mqv' ] || { echo "MIME globs: $globs"; exit 1; }
grep -q '^MimeType=application/x-zcd-catalogue;$' "$prefix/share/applications/$id.desktop"

(cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null)
package=("$work"/deb/*.deb)
listing="$(dpkg-deb -c "${package[0]}" | awk '{print $6}')"
for file in "${expected[@]}"; do
  grep -qx "./usr/$file" <<<"$listing" || { echo "not in the package: /usr/$file"; exit 1; }
done
depends="$(dpkg-deb -f "${package[0]}" Depends)"
for needed in libqt6widgets6 libjpeg62-turbo qt6-qpa-plugins fonts-liberation; do
  grep -q "$needed" <<<"$depends" || { echo "the package does not depend on $needed: $depends"; exit 1; }
done
version="$(dpkg-deb -f "${package[0]}" Version)"
zcat "$prefix/share/doc/$name/changelog.gz" | head -1 | grep -qF "$name ($version) " \
  || { echo "the changelog has no entry for $version"; exit 1; }
if ! remarks="$(lintian --pedantic --fail-on error,warning,info,pedantic "${package[0]}" 2>"$work/lintian-errors")" \
   || [ -n "$remarks" ]; then
  echo "lintian:"; echo "$remarks"; cat "$work/lintian-errors"; exit 1
fi
echo "installed and packaged: ${#expected[@]} files"
