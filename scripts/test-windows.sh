#!/usr/bin/env bash
# Cross-builds what builds for Windows with mingw-w64 into build/windows and
# runs its tests under Wine through ctest. Wine runs in a prefix of the
# build's own, made here once: code page 932 and the dialogs' Japanese
# fonts, whatever the machine's own Wine set-up is.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build windows

build=$PWD/build/windows
mkdir -p "$build"
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
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

if [ ! -f "$WINEPREFIX/korvan-ready" ]; then
    echo "test-windows: making the Wine prefix"
    wineboot -u
    # Debian's Wine does not load its own fonts; the dialogs' faces map to
    # IPA's Gothic.
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    cat > "$build/fonts.reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"MS UI Gothic"="IPAPGothic"
"MS Shell Dlg"="IPAPGothic"
"MS Shell Dlg 2"="IPAPGothic"
REG
    wine regedit /S "$build/fonts.reg"
    wineserver -w
    touch "$WINEPREFIX/korvan-ready"
fi
# One wineserver for the whole run, with its services started here: each
# test then starts in a tenth of a second instead of two, and no service
# started by the build's own Wine run holds the build tool's output open.
# A server left by an interrupted run of this prefix goes first.
wineserver -k 2>/dev/null || true
wineserver -p
trap 'wineserver -k || true' EXIT
wine wineboot

# The program's icon is drawn by the icon tool of a build for this machine.
cmake -S . -B "$build/host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build/host" --target korvan_iconpng

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DKORVAN_ICON_TOOL="$build/host/res/korvan_iconpng"
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
