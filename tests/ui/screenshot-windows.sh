#!/usr/bin/env bash
# Starts the Win32 window under Wine and Xvfb in examples/, converts the sample drawing with
# Alt+A and saves a PNG of the window (default docs/window-windows.png).
#   tests/ui/screenshot-windows.sh [OUT.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build-windows
out=$(realpath -m "${1:-$root/docs/window-windows.png}")
[ -x "$build/dxf2csv-gui.exe" ] || "$root/scripts/build-windows" >/dev/null
. "$root/tests/ui/windows_display.sh"
work=$(mktemp -d)
trap 'stop_display; rm -rf "$work"' EXIT

mkdir "$work/図面"
cp "$root/examples/parts_list.dxf" "$work/図面/"
cd "$work/図面"
"$root/scripts/wine-exec" "$build/dxf2csv-gui.exe" >/dev/null 2>&1 &
window=$(window_named "DXF内容表示")
[ -n "$window" ] || { echo "screenshot-windows: no window" >&2; exit 1; }
xdotool windowfocus --sync "$window" key alt+n type "parts_list.dxf"
xdotool windowfocus --sync "$window" key alt+s type "parts_list.dxf.csv"
xdotool windowfocus --sync "$window" key alt+a
window_named "ファイル操作" 30 >/dev/null
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
mkdir -p "$(dirname "$out")"
scrot -o -a "$X,$Y,$WIDTH,$HEIGHT" "$out"
echo "saved $out"
