#!/usr/bin/env bash
# Started from a launcher in a folder without a catalogue, the real editor asks for one; the user
# presses Escape in that dialog on a real X server. The program must end at once, with status 0 (not
# open an empty catalogue in the folder), and write nothing in the folder it was started in or in the
# home folder.
# cancelled-start.sh EDITOR
set -euo pipefail
editor="$(realpath "$1")"
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed (scripts/test installs it)"; exit 1; }
done
work="$(mktemp -d)"
xvfb=""
started=""
cleanup() {
  [ -n "$started" ] && kill "$started" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/home" "$work/launched" "$work/runtime"
chmod 700 "$work/runtime"

exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"

# No session bus: with none given, D-Bus would start one of its own and write ~/.dbus, which is
# not the editor's doing.
(cd "$work/launched" &&
 exec env -u QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS="disabled:" HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
   XDG_STATE_HOME="$work/home/.local/state" XDG_DATA_HOME="$work/home/.local/share" \
   XDG_RUNTIME_DIR="$work/runtime" "$editor") &
started=$!

dialog="$(timeout 30 xdotool search --sync --onlyvisible --name "Åbn et Z-CD-katalog" | head -n1 || true)"
[ -n "$dialog" ] || { echo "the start-up dialog did not open"; exit 1; }
xdotool windowfocus --sync "$dialog" key Escape

status=""
for _ in $(seq 100); do
  if ! kill -0 "$started" 2>/dev/null; then
    wait "$started" && status=0 || status=$?
    break
  fi
  sleep 0.1
done
[ -n "$status" ] || { echo "the editor did not end after the dialog was cancelled"; exit 1; }
started=""
[ "$status" -eq 0 ] || { echo "the editor ended with status $status"; exit 1; }
# Qt's file dialog keeps its own settings in the config folder; nothing else may appear.
left="$(find "$work/launched" "$work/home" -type f -not -path "$work/home/.config/*")"
[ -z "$left" ] || { echo "files were written: $left"; exit 1; }
echo "cancelled start: ended with status 0, nothing written"
