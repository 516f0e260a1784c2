# Sourced at the top of the Windows window scripts: runs the script again under xvfb-run, on a
# free display of its own, in a Japanese Wine session. Sets DISPLAY, LANG, LC_ALL and
# WINEPREFIX; stop_display ends this prefix's Wine processes (xvfb-run ends the display).

if [ -z "${DXF2CSV_ON_XVFB:-}" ]; then
  "$root/scripts/ensure-packages" xvfb xauth xdotool scrot fonts-noto-cjk locales-all wine wine64
  DXF2CSV_ON_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$(realpath "$0")" "$@"
fi
unset DXF2CSV_ON_XVFB
# Wine takes the locale from the environment: ANSI code page 932 and Japanese fonts, as on a
# Japanese desk.
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEPREFIX=${WINEPREFIX:-$build/wine-prefix}

stop_display() {
  wineserver -k >/dev/null 2>&1 || true
}

# The X window of the Win32 window whose caption is $1, waiting up to $2 seconds.
window_named() {
  timeout "${2:-60}" xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -1
}
