# Sourced by the Windows window scripts: a private Xvfb display and a Japanese Wine session.
# Sets DISPLAY, LANG, LC_ALL and WINEPREFIX; stop_display ends what start_display began.

start_display() {
  "$root/scripts/ensure-packages" xvfb xauth xdotool scrot fonts-noto-cjk locales-all wine wine64
  # Wine takes the locale from the environment: ANSI code page 932 and Japanese fonts, as on
  # a Japanese desk.
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  export WINEPREFIX=${WINEPREFIX:-$build/wine-prefix}
  local number
  for number in $(seq 90 120); do
    [ -e "/tmp/.X$number-lock" ] || break
  done
  Xvfb ":$number" -screen 0 1024x768x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$number"
  for _ in $(seq 50); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && return 0 || sleep 0.1
  done
}

stop_display() {
  # Only this prefix's Wine processes, then the display started here.
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
}

# The X window of the Win32 window whose caption is $1, waiting up to $2 seconds.
window_named() {
  timeout "${2:-60}" xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -1
}
