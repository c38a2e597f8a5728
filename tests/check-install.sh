#!/usr/bin/env bash
# Installs the build into a temporary prefix and makes the Debian package from it. Both must hold
# the editor with its launcher, catalogue file type, icon and AppStream metadata, and those must
# pass the desktop's own validators.
# check-install.sh BUILD_DIR APPLICATION_ID
set -euo pipefail
build="$1"
id="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

icon_sizes=(16 24 32 48 64 128 256)
expected=(bin/MQVEditor bin/mqvcheck "share/applications/$id.desktop" "share/mime/packages/$id.xml"
          "share/metainfo/$id.metainfo.xml" "share/icons/hicolor/scalable/apps/$id.svg")
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
echo "installed and packaged: ${#expected[@]} files"
