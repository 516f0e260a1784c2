#!/usr/bin/env bash
# Starts the Qt window under Xvfb in a folder of its own holding the sample drawing, converts it
# with Alt+N, Alt+S and Alt+A as a person would, and saves a PNG of the window.
#   tests/ui/screenshot.sh [OUT.png]     (default docs/window.png)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(realpath -m "${1:-$root/docs/window.png}")
"$root/scripts/ensure-packages" xvfb xauth xdotool scrot fonts-noto-cjk qt6-base-dev
"$root/scripts/build" >/dev/null
work=$(mktemp -d)
for number in $(seq 90 120); do
  [ -e "/tmp/.X$number-lock" ] || break
done
Xvfb ":$number" -screen 0 1024x768x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
gui=
trap 'kill $gui "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=":$number" LANG=ja_JP.UTF-8
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break || sleep 0.1; done

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
