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
