#!/usr/bin/env bash
# The real editor on a real X server with the desktop's accessibility bus running, read from
# outside as a screen reader reads it (accessibility-tree.py): no interactive control in view of
# the main, history, search and comparison windows goes without a name.
# Debian's own Python, which has the bindings, whatever python3 comes first on the PATH.
# accessibility-tree.sh EDITOR DEMO-FOLDER [DUMP-FILE]
set -euo pipefail
editor="$(realpath "$1")"
demo="$(realpath "$2")"
here="$(cd "$(dirname "$0")" && pwd)"
for tool in Xvfb dbus-run-session dbus-daemon /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed (scripts/test installs it)"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi is not installed (scripts/test installs it)"; exit 1; }
work="$(mktemp -d)"
dump="${3:-$work/tree.txt}"
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
# The editor writes every change at once: it works on a copy of the demo.
cp -a "$demo" "$work/demo"

# Another X server started at the same moment may take the display number; start again then.
for _ in 1 2 3; do
  : > "$work/display"
  exec 3> "$work/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  sleep 0.3
  kill -0 "$xvfb" 2>/dev/null && [ -s "$work/display" ] && break
  xvfb=""
done
[ -n "$xvfb" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_STATE_HOME="$work/home/.local/state" \
  XDG_DATA_HOME="$work/home/.local/share" XDG_RUNTIME_DIR="$work/runtime"
# A session bus of its own, the accessibility bus on it, and Qt told to talk to it as it does when
# a screen reader runs.
dbus-run-session -- bash -c '
  set -euo pipefail
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  launcher=$!
  (cd "$1/demo/Udgaver/Norsk" && exec env -u QT_QPA_PLATFORM QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$2") &
  started=$!
  status=0
  /usr/bin/python3 "$3/accessibility-tree.py" "$4" || status=$?
  kill "$started" "$launcher" 2>/dev/null || true
  wait 2>/dev/null || true
  exit "$status"' bash "$work" "$editor" "$here" "$dump"
