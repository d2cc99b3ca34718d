# Sourced by the other scripts: the paths and the Wine environment every run and test shares.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
export WINEPREFIX=${WINEPREFIX:-$ROOT/.wine}
export WINEARCH=win64
export WINEDEBUG=-all
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
# winemenubuilder adds .desktop files beside shortcuts (a drive walk would find them); mono and gecko
# cannot be fetched here and only slow the prefix down.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
if [ -x /usr/lib/wine/wine64 ]; then WINE=/usr/lib/wine/wine64; else WINE=wine; fi
export WINE

# The desktop process (explorer.exe /desktop) is started by the first program of a session that needs it
# and inherits that program's output; it ends a second after the last other program has gone. A test that
# started it has its output held open while other tests keep the desktop in use, and ctest waits for that
# output until the time-out: the test passed, yet seems not to end. A program that stays for the whole
# session, its output going nowhere, keeps the desktop from ending; the desktop is then started here too.
# The session's end (wineserver -k) ends it.
ruvex_hold_desktop() {
    local fifo="$WINEPREFIX/.desktop-holder"
    [ -p "$fifo" ] || { rm -f "$fifo" && mkfifo "$fifo"; }
    # cmd waits for a key from a pipe that only it holds open, that is, until it is ended.
    "$WINE" cmd.exe /c pause 0<>"$fifo" >/dev/null 2>&1 &
    "$WINE" rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
}
