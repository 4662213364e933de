#!/usr/bin/env bash
# The installer under Wine, in a Wine prefix of its own under Xvfb: it
# installs silently into Program Files with its shortcuts and its entry in
# "Programs and Features"; the installed velmar-setup.exe opens its window on
# the virtual instrument (a picture of it goes to SCREENSHOT); the
# uninstaller removes the program and leaves the user's INI. The zip must
# hold the same program folder.
#   tests/windows/installer_test.sh SETUP.EXE ZIP [SCREENSHOT]   (by default
#   docs/screenshots/windows-wine.png)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
setup="$(realpath "$1")" zip="$(realpath "$2")"
shot="${3:-$root/docs/screenshots/windows-wine.png}"
work="$(mktemp -d)"
trap 'WINEPREFIX="$work/wine" timeout 60 wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "installer test: $*" >&2; exit 1; }

# The zip's folder is the installed one, file for file.
unzip -q "$zip" -d "$work/zip"
zipped="$(cd "$work/zip"/*/ && find . -type f | sort)"
[ -n "$(echo "$zipped" | grep -x './velmar-setup.exe')" ] || fail "no velmar-setup.exe in the zip"

export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
cat >"$work/run.sh" <<'INNER'
set -euo pipefail
work="$1" setup="$2" shot="$3"
fail() { echo "installer test: $*" >&2; exit 1; }
for attempt in 1 2 3; do
    timeout 300 wineboot -i >/dev/null 2>&1 && timeout 120 wineserver -w && break
    [ "$attempt" = 3 ] && fail "wineboot failed"
    timeout 60 wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    sleep 5
done
dir="$WINEPREFIX/drive_c/Program Files/Velmar/velmar-setup"
timeout 300 wine "$setup" /S
timeout 120 wineserver -w
[ -f "$dir/velmar-setup.exe" ] || fail "nothing installed in Program Files"
[ -f "$dir/uninstall.exe" ] || fail "no uninstaller"
installed="$(cd "$dir" && find . -type f ! -name uninstall.exe | sort)"
[ "$installed" = "$(cd "$work/zip"/*/ && find . -type f | sort)" ] || fail "the installed folder is not the zip's"
ls "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Velmar/"*.lnk >/dev/null ||
    fail "no Start-menu shortcuts"
reg="$(timeout 120 wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VelmarSetup' 2>/dev/null | tr -d '\r')"
echo "$reg" | grep -q 'Publisher.*Velmar Kft\.' || fail "no publisher in Programs and Features: $reg"
echo "$reg" | grep -q 'DisplayVersion.*2022\.07\.21' || fail "no version in Programs and Features"

# The installed program alone, with no help from the build's folders.
(cd "$dir" && QT_QPA_PLATFORM=windows wine ./velmar-setup.exe --device=sim >"$work/program.log" 2>&1) &
program=$!
for _ in $(seq 1 120); do
    sleep 1
    xwininfo -root -tree 2>/dev/null | grep -q 'Velmar Kft' && break
done
xwininfo -root -tree | grep -q 'Velmar Kft' || fail "the window did not open: $(cat "$work/program.log")"
sleep 8  # the virtual instrument is recognised and its page shown
import -window root "$shot.full.png"
convert "$shot.full.png" -trim +repage "$shot"
rm -f "$shot.full.png"
kill "$program" 2>/dev/null || true
timeout 60 wineserver -k 2>/dev/null || true
timeout 120 wineserver -w 2>/dev/null || true

# The INI the program leaves is the user's: the uninstaller keeps it.
echo "[Date]" >"$dir/velmar-setup.ini"
timeout 300 wine "$dir/uninstall.exe" /S
for _ in $(seq 1 120); do
    [ -f "$dir/velmar-setup.exe" ] || break
    sleep 1
done
timeout 120 wineserver -w
[ ! -f "$dir/velmar-setup.exe" ] || fail "the uninstaller left the program"
[ ! -f "$dir/Qt6Core.dll" ] || fail "the uninstaller left the DLLs"
[ -f "$dir/velmar-setup.ini" ] || fail "the uninstaller removed the user's INI"
timeout 120 wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VelmarSetup' >/dev/null 2>&1 &&
    fail "the entry in Programs and Features stayed"
echo "installer: installed, ran, uninstalled"
INNER
mkdir -p "$(dirname "$shot")"
timeout 900 xvfb-run -a -s "-screen 0 1366x900x24" bash "$work/run.sh" "$work" "$setup" "$shot"
