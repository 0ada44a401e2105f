#!/usr/bin/env bash
# One Wine session for the end-to-end tests: an Xvfb display, a fresh 64-bit prefix with
# Wine's shell desktop, and the tests' recorder installed as the system's arp.exe.
#
#   wine-session.sh start DIR RECORDER_EXE   make the session in DIR (removes an old one)
#   wine-session.sh run DIR PROGRAM [ARGS]   run a Windows program in it (exit code passes)
#   wine-session.sh screenshot DIR FILE.png  grab the whole screen
#   wine-session.sh stop DIR                 end the session's wineserver and Xvfb, remove
#                                            the prefix, turn the tests' screenshots to PNG
#
# The tests find the folder for their screenshots in ARPFLUSH_E2E_ARTIFACTS: DIR/artifacts.
# One session serves a whole test run: a prefix takes 12-18 s to create.
set -euo pipefail

wine=${ARPFLUSH_WINE:-/usr/lib/wine/wine64}
wineserver=${ARPFLUSH_WINESERVER:-/usr/lib/wine/wineserver}
screen=1024x768

usage() { sed -n '5,9p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }

# Loads DIR/env, written by `start`.
load_env() {
  [ -f "$1/env" ] || { echo "wine-session: no session in $1 (run 'start' first)" >&2; exit 2; }
  set -a
  # shellcheck disable=SC1091
  . "$1/env" 2>/dev/null  # bash cannot use LOCPATH itself and would warn about LC_ALL
  set +a
}

# The texts are Chinese: a zh_CN locale gives the prefix Chinese fonts in title bars and
# the code page the program is made for. Builds the locale into DIR when it is not installed.
pick_locale() {
  local dir=$1
  if locale -a 2>/dev/null | grep -qix 'zh_CN.utf-\{0,1\}8'; then
    echo "LC_ALL=zh_CN.UTF-8"
  elif command -v localedef >/dev/null && mkdir -p "$dir/locale" &&
       localedef -i zh_CN -f UTF-8 "$dir/locale/zh_CN.UTF-8" >/dev/null 2>&1; then
    echo "LOCPATH=$dir/locale"
    echo "LC_ALL=zh_CN.UTF-8"
  else
    echo "LC_ALL=C.UTF-8"
  fi
}

start_xvfb() {
  local dir=$1
  # -displayfd lets Xvfb pick a free display and say which once it accepts connections.
  setsid Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp \
    3>"$dir/display" </dev/null >"$dir/xvfb.log" 2>&1 &
  echo $! >"$dir/xvfb.pid"
  local i
  for i in $(seq 100); do
    [ -s "$dir/display" ] && break
    kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null || { cat "$dir/xvfb.log" >&2; exit 1; }
    sleep 0.1
  done
  [ -s "$dir/display" ] || { echo "wine-session: Xvfb did not start" >&2; exit 1; }
  echo "DISPLAY=:$(tr -dc 0-9 <"$dir/display")"
}

# Settings that must be in place before any program of the session starts: a desktop that
# already exists ignores a change of its name or size.
write_registry() {
  cat <<EOF
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="shell"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"shell"="$screen"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\\Software\\Wine\\DllOverrides]
"arp.exe"="native"
EOF
}

cmd_start() {
  local dir=$1 recorder=$2
  [ -f "$recorder" ] || { echo "wine-session: no recorder at $recorder" >&2; exit 2; }
  cmd_stop "$dir" 2>/dev/null || true
  rm -rf "$dir"
  mkdir -p "$dir/artifacts"
  dir=$(cd "$dir" && pwd)
  {
    echo "WINEPREFIX=$dir/prefix"
    echo "WINEARCH=win64"
    echo "WINEDEBUG=-all"
    # No Mono or Gecko set-up: nothing here needs them and their installers would stall.
    echo "WINEDLLOVERRIDES=mscoree,mshtml="
    echo "ARPFLUSH_E2E_ARTIFACTS=$dir/artifacts"
    pick_locale "$dir"
    start_xvfb "$dir"
  } >"$dir/env"
  load_env "$dir"

  local started=$SECONDS
  "$wine" wineboot -i </dev/null >"$dir/wineboot.log" 2>&1
  write_registry >"$dir/session.reg"
  "$wine" regedit /S "Z:${dir//\//\\}\\session.reg" </dev/null >>"$dir/wineboot.log" 2>&1
  "$wineserver" -k || true
  "$wineserver" -w
  # Wine's own arp.exe does nothing; the recorder logs every start instead. The DllOverrides
  # entry above makes Wine run this file rather than its built-in.
  cp "$recorder" "$WINEPREFIX/drive_c/windows/system32/arp.exe"
  # A persistent wineserver whose output goes to a file: one started by a test would hold
  # the test runner's pipes open after the test ends.
  setsid "$wineserver" -p </dev/null >"$dir/wineserver.log" 2>&1 &
  "$wine" wineboot </dev/null >>"$dir/wineboot.log" 2>&1
  echo "wine-session: prefix ready in $((SECONDS - started)) s on $DISPLAY ($LC_ALL)"
}

cmd_run() {
  local dir=$1
  shift
  load_env "$dir"
  # Without its own X server the session's desktop is gone for good, and a new Xvfb that took
  # over the display number would answer with BadWindow errors instead.
  if ! kill -0 "$(cat "$dir/xvfb.pid" 2>/dev/null)" 2>/dev/null; then
    echo "wine-session: the session's Xvfb is gone; start the session again" >&2
    exit 1
  fi
  exec "$wine" "$@"
}

cmd_screenshot() {
  load_env "$1"
  import -display "$DISPLAY" -window root "$2"
}

cmd_stop() {
  local dir=$1
  [ -f "$dir/env" ] || return 0
  load_env "$dir"
  "$wineserver" -k 2>/dev/null || true
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$dir/xvfb.pid"
  fi
  rm -rf "$WINEPREFIX"
  local bmp
  for bmp in "$ARPFLUSH_E2E_ARTIFACTS"/*.bmp; do
    [ -f "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
    echo "wine-session: screenshot ${bmp%.bmp}.png"
  done
}

[ $# -ge 2 ] || usage
command=$1
shift
case $command in
  start) [ $# -eq 2 ] || usage; cmd_start "$@" ;;
  run) [ $# -ge 2 ] || usage; cmd_run "$@" ;;
  screenshot) [ $# -eq 2 ] || usage; cmd_screenshot "$@" ;;
  stop) [ $# -eq 1 ] || usage; cmd_stop "$@" ;;
  *) usage ;;
esac
