#!/usr/bin/env bash
# The Win32 window under Wine and Xvfb, driven from the keyboard as a person would: finds
# "DXF内容表示", types the names through the access keys, converts a drawing in a folder with a
# Japanese name with Alt+A, checks the CSV and the caption; then makes a run fail, closes the
# message box, and checks that the window is still there and converts again. Needs a build
# made by scripts/build-windows (build-windows/).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build-windows
. "$root/tests/ui/windows_display.sh"

work=$(mktemp -d)
cleanup() {
  stop_display
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "form1_windows_test: $*" >&2
  exit 1
}

folder="$work/図面"
mkdir "$folder"
cp "$root/tests/data/two_tables.dxf" "$folder/plan.dxf"
cd "$folder"
"$root/scripts/wine-exec" "$build/dxf2csv-gui.exe" >/dev/null 2>&1 &

window=$(window_named "DXF内容表示" || true)
[ -n "$window" ] || fail "no window captioned DXF内容表示"
keys() { xdotool windowfocus --sync "$window" key --delay 50 "$@"; }
type_text() { xdotool windowfocus --sync "$window" type --delay 30 "$1"; }

# Alt+N and Alt+S go to the two names (a label's access key moves to its text box).
keys alt+n && type_text "plan.dxf"
keys alt+s && type_text "plan.csv"
keys alt+a
[ -n "$(window_named "ファイル操作" 30 || true)" ] || fail "the caption did not become ファイル操作"
cmp -s "$folder/plan.csv" "$root/tests/data/two_tables.csv" || fail "the CSV differs from two_tables.csv"
echo "ok: Alt+N, Alt+S and Alt+A converted plan.dxf in 図面"

# A tolerance that is no number: the run fails with a message box; the CSV stays.
keys alt+r End shift+Home && type_text "abc"
keys alt+a
box=$(window_named "数値ではありません" 30 || true)
[ -n "$box" ] || fail "no message box titled 数値ではありません (not a number)"
xdotool windowfocus --sync "$box" key Return
sleep 1
[ "$(xdotool getwindowname "$window" 2>/dev/null)" = "ファイル操作" ] || fail "the window did not survive the failed run"
cmp -s "$folder/plan.csv" "$root/tests/data/two_tables.csv" || fail "the failed run changed the CSV"
echo "ok: a failed run showed 数値ではありません and left the window and the CSV as they were"

# The window is ready: another run writes the CSV again.
rm "$folder/plan.csv"
keys alt+r End shift+Home && type_text "100"
keys alt+a
for _ in $(seq 100); do [ -f "$folder/plan.csv" ] && break; sleep 0.2; done
cmp -s "$folder/plan.csv" "$root/tests/data/two_tables.csv" || fail "the window did not convert after the failure"
echo "ok: the window converted again after the failure"

# Alt+X ends the program.
keys alt+x
for _ in $(seq 50); do xdotool getwindowname "$window" >/dev/null 2>&1 || break; sleep 0.2; done
xdotool getwindowname "$window" >/dev/null 2>&1 && fail "Alt+X did not end the program"
echo "ok: Alt+X ended the program"
