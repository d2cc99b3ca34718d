#!/usr/bin/env bash
# The setup program's self-removal at the "next start" of Windows, which under Wine is the next start of
# the wineserver: the session is ended and a new one started, whose wineboot runs HKLM\...\RunOnce
# (last value first). Run serially by ctest: ending the session ends every program of the prefix.
# next-start.sh E2E_TESTS_EXE
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/env.sh"
folder="$WINEPREFIX/drive_c/ruvex-e2e-nextstart"
"$WINE" "$1" --gtest_also_run_disabled_tests --gtest_filter='SetupNextStart.*'
[ -f "$folder/Sample Viewer/SETUP.EXE" ] || { echo "next-start: SETUP.EXE is not waiting for the next start" >&2; exit 1; }

wineserver -k || true
wineserver -w || true
# The first program of the new session runs wineboot, and with it the RunOnce commands.
"$WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
wineserver -p </dev/null >/dev/null 2>&1 || true
# The tests after this one need the new session's desktop kept, as scripts/setup-env keeps the first's.
ruvex_hold_desktop

status=0
if [ -e "$folder/Sample Viewer" ]; then
    echo "next-start: the installation folder is still there:" >&2
    ls -la "$folder/Sample Viewer" >&2
    status=1
fi
if "$WINE" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce' /v Uninstall_2 >/dev/null 2>&1; then
    echo "next-start: the RunOnce values were not run" >&2
    status=1
fi
rm -rf "$folder"
[ "$status" = 0 ] && echo "next-start: SETUP.EXE and its folder were removed at the next start"
exit "$status"
