#!/usr/bin/env bash
# Starts the real window under Xvfb in examples/ and saves a PNG of it.
#   tests/ui/screenshot.sh [OUT.png]     (default docs/window.png)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(realpath -m "${1:-$root/docs/window.png}")
"$root/scripts/ensure-packages" xvfb xauth fonts-noto-cjk qt6-base-dev
"$root/scripts/build" >/dev/null
mkdir -p "$(dirname "$out")"
cd "$root/examples"
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$root/build/ui/dxf2csv-gui" --screenshot "$out"
echo "saved $out"
