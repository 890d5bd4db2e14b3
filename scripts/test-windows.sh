#!/usr/bin/env bash
# Cross-builds the Windows program and its tests with mingw-w64 into
# build/windows and runs the tests under Wine through ctest, on a private X
# display. Wine runs in a prefix of the build's own, made here once: code
# page 932, the dialogs' Japanese fonts and a desktop of Wine's own, whatever
# the machine's own Wine set-up is.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build windows

build=$PWD/build/windows
mkdir -p "$build"
# Wine's menu builder would copy the installer's shortcuts into this
# machine's own desktop menus; it is kept off.
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine takes its ANSI code page from the locale's name alone: 932 under a
# Japanese one, which is made privately where the system has none. Every
# Wine command on the prefix runs under it, or Wine rewrites its fonts.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    mkdir -p "$build/locale"
    [ -d "$build/locale/ja_JP.UTF-8" ] || localedef -i ja_JP -f UTF-8 "$build/locale/ja_JP.UTF-8"
    export LOCPATH=$build/locale
fi
unset LC_ALL LC_CTYPE LC_MESSAGES
export LANG=ja_JP.UTF-8

# The windows need an X server: a private one, for as long as this runs.
rm -f "$build/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$build/display" 2>/dev/null &
xvfb=$!
until [ -s "$build/display" ]; do sleep 0.1; done
export DISPLAY=:$(cat "$build/display")
trap 'kill $xvfb' EXIT

if [ ! -f "$WINEPREFIX/korvan-ready-2" ]; then
    echo "test-windows: making the Wine prefix"
    wineboot -u
    # Debian's Wine does not load its own fonts; the dialogs' faces map to
    # IPA's Gothic.
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    # Wine's desktop frames and activates the windows; without a window
    # manager every dialog took two seconds to end.
    cat > "$build/prefix.reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"MS UI Gothic"="IPAPGothic"
"MS Shell Dlg"="IPAPGothic"
"MS Shell Dlg 2"="IPAPGothic"

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Korvan"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Korvan"="1280x1024"
REG
    wine regedit /S "$build/prefix.reg"
    wineserver -w
    touch "$WINEPREFIX/korvan-ready-2"
fi
# One wineserver for the whole run, with its services started here: each
# test then starts in a tenth of a second instead of two, and no service
# started by the build's own Wine run holds the build tool's output open.
# A server left by an interrupted run of this prefix goes first.
wineserver -k 2>/dev/null || true
wineserver -p
trap 'wineserver -k || true; kill $xvfb' EXIT
wine wineboot

# A build for this machine draws the program's icon, writes the content
# catalogue's table, and gives the robot the Windows panel's end-to-end test
# runs against.
source scripts/windows-build.sh
build_host_programs korvan_iconpng cataloguegen korvan-virtual-robot
configure_cross_build "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVAN_HOST_ROBOT="$windows_host/virtualrobot/korvan-virtual-robot"
cmake --build "$build"

# The program and every test program import only what Windows itself ships.
shipped='^(kernel32|user32|gdi32|advapi32|ws2_32|ole32|oleaut32|windowscodecs|shlwapi|bcrypt|msvcrt|comctl32|shell32|uxtheme)\.dll$'
for program in "$build"/app/korvan.exe "$build"/tests/*/*.exe; do
    foreign=$(x86_64-w64-mingw32-objdump -p "$program" | awk '/DLL Name:/ { print tolower($3) }' | grep -Ev "$shipped" || true)
    if [ -n "$foreign" ]; then
        echo "test-windows: $(basename "$program") imports $foreign, which Windows does not ship" >&2
        exit 1
    fi
done

ctest --test-dir "$build" --output-on-failure --timeout 300 -j2

# The installer and the zip, installed and started as a user would.
scripts/package-windows.sh
tests/install/check-installer.sh build/windows-package "$build/tests/install/installedpanel.exe"
