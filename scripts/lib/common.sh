# Shared by the project's scripts: paths, the display and the Wine prefix.
# Source it; it sets TESSARY_ROOT and the Wine environment.

TESSARY_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export TESSARY_ROOT

# The project's private Wine prefix, kept under the build folder.
export WINEPREFIX=${TESSARY_WINEPREFIX:-$TESSARY_ROOT/build/wine-prefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers: the tool needs neither.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Starts an Xvfb display when none is set, and exports DISPLAY.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  if [ -n "${DISPLAY:-}" ] && ! command -v xdpyinfo >/dev/null 2>&1; then return 0; fi
  local number
  for number in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$number" ] && continue
    [ -e "/tmp/.X$number-lock" ] && continue
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    TESSARY_XVFB_PID=$!
    export TESSARY_XVFB_PID
    local waited
    for waited in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$number" ] && break
      sleep 0.1
    done
    export DISPLAY=":$number"
    return 0
  done
  echo "no free X display number for Xvfb" >&2
  return 1
}

# Makes the Wine prefix once; later calls return at once.
ensure_wine_prefix() {
  if [ -f "$WINEPREFIX/.tessary-ready" ]; then return 0; fi
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  # A crash must fail a test, not wait for someone to close a dialog.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  # Wine draws the window frames itself: screenshots show title bars without
  # a window manager, and closing a window does not wait on one.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # Wine's own Tahoma and Marlett, so dialogs and caption buttons look as on
  # Windows instead of falling back to a wider system font.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wineserver -w
  touch "$WINEPREFIX/.tessary-ready"
}

# Keeps one wineserver running for the prefix, so each program start is quick.
start_wineserver() {
  wineserver -p >/dev/null 2>&1 &
  # The first program of a fresh server starts Wine's background services,
  # which would hold that program's output pipes open for as long as the
  # server lives. Start them here, on nothing.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

stop_wineserver() {
  wineserver -k >/dev/null 2>&1 || true
}
