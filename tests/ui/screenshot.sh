#!/usr/bin/env bash
# Starts the Qt window under Xvfb in a folder of its own holding the sample drawing, converts it
# with Alt+N, Alt+S and Alt+A as a person would, and saves a PNG of the window.
#   tests/ui/screenshot.sh [OUT.png]     (default docs/window.png)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(realpath -m "${1:-$root/docs/window.png}")
if [ -z "${DXF2CSV_ON_XVFB:-}" ]; then
  "$root/scripts/ensure-packages" xvfb xauth xdotool scrot fonts-noto-cjk
  "$root/scripts/build" >/dev/null
  # Again on a free display of its own.
  DXF2CSV_ON_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$(realpath "$0")" "$@"
fi
unset DXF2CSV_ON_XVFB
work=$(mktemp -d)
gui=
trap 'kill $gui 2>/dev/null || true; rm -rf "$work"' EXIT
export LANG=ja_JP.UTF-8

mkdir "$work/図面"
cp "$root/examples/parts_list.dxf" "$work/図面/"
cd "$work/図面"
"$root/build/ui/dxf2csv-gui" >/dev/null 2>&1 &
gui=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name "^DXF内容表示\$" | head -1)
[ -n "$window" ] || { echo "screenshot: no window" >&2; exit 1; }
xdotool windowfocus --sync "$window" key alt+n type "parts_list.dxf"
xdotool windowfocus --sync "$window" key alt+s type "parts_list.dxf.csv"
xdotool windowfocus --sync "$window" key alt+a
timeout 30 xdotool search --sync --onlyvisible --name "^ファイル操作\$" >/dev/null
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
mkdir -p "$(dirname "$out")"
scrot -o -a "$X,$Y,$WIDTH,$HEIGHT" "$out"
echo "saved $out"
