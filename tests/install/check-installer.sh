#!/usr/bin/env bash
# Installs the packages of the folder given (package-windows.sh) under Wine,
# in test-windows.sh's prefix: the installed panel's icon and version record,
# the panel started from the shortcut and the zip (installedpanel.exe, the
# second argument), then a silent uninstall that leaves nothing but user data.
set -euo pipefail
packages=$(realpath "$1")
probe=$(realpath "$2")
installer=$(ls "$packages"/Korvan-*-win64-setup.exe)
zip=$(ls "$packages"/Korvan-*-win64.zip)
drive=$WINEPREFIX/drive_c
installed="$drive/Program Files/Korvan"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Korvan"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

say() { echo "check-installer: $*"; }
fail() { echo "check-installer: $*" >&2 && exit 1; }

# The prefix's files and software registry, but for the user's folder, Wine's
# keys and Temp, where the uninstaller's copy waits for the next restart.
snapshot() {
    (cd "$drive" && find . -path './users/*/Temp' -prune -o -path '*/Local/Korvan' -prune -o -print | sort) > "$work/$1"
    for root in 'HKEY_LOCAL_MACHINE\Software' 'HKEY_CURRENT_USER\Software'; do
        wine regedit /E "$(winepath -w "$work/registry")" "$root" > /dev/null 2>&1
        iconv -f UTF-16LE -t UTF-8 "$work/registry" | awk '/^\[/ { wine = index($0, "\\Software\\Wine") } !wine' \
            >> "$work/$1"
    done
}

# The uninstaller hands over to its copy and returns at once.
wait_until_gone() { for _ in $(seq 100); do [ -e "$1" ] && sleep 0.2 || return 0; done && return 1; }

snapshot before
started=$(date +%s%N)
wine "$installer" /S > /dev/null 2>&1 || fail "the installer failed"
say "installed $(basename "$installer") silently in $(((($(date +%s%N) - started) / 1000000))) ms:"
(cd "$installed" && ls -1 | sed 's/^/    Program Files\\Korvan\\/')
(cd "$menu" && ls -1 | sed 's/^/    Start Menu\\Programs\\Korvan\\/')
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvan' 2>/dev/null | tr -d '\r' \
    | grep -E 'DisplayName|DisplayVersion|UninstallString' | sed 's/^ */    uninstall entry: /' \
    || fail "no uninstall entry is registered with Windows"

# The icon and the version record the file's properties show, read back.
wrestool -x --type=group_icon --name=128 -o "$work/korvan.ico" "$installed/korvan.exe"
sizes=$(icotool -l "$work/korvan.ico" | sed 's/.*--width=\([0-9]*\).*/\1/' | sort -n | paste -sd ' ')
say "the installed korvan.exe's icon 128 has the sizes $sizes"
[ "$sizes" = "16 24 32 48 64 128 256" ] || fail "the icon does not have every size"
record=$(wrestool -x --raw --type=version "$installed/korvan.exe" | iconv -c -f UTF-16LE -t UTF-8 | tr '\0' '\n')
value_of() { echo "$record" | grep -v '^$' | grep -A1 "$1\$" | tail -1; }
version=$(sed -n 's/.*kProductVersion = "\(.*\)";/\1/p' "$packages/generated/res/version.h")
say "its version record says $(for name in ProductName ProductVersion FileDescription; do echo -n "$name \"$(value_of $name)\" "; done)"
[ "$(value_of ProductVersion)" = "$version" ] || fail "its version record does not give the product version $version"

unzip -q "$zip" -d "$work/unpacked"
unpacked=$(ls -d "$work"/unpacked/Korvan-*-win64)
say "the zip holds: $(cd "$unpacked" && echo *)"
[ ! -e "$unpacked/korvan-launcher.exe" ] || fail "the zip holds the Start menu's launcher"

# As a person starts it, each start shown by the probe's cases.
say "the installed panel as a person starts it:"
KORVAN_UNPACKED=$(winepath -w "$unpacked") wine "$probe" > "$work/probe" 2>&1 && status=0 || status=$?
tr -d '\r' < "$work/probe" | sed 's/^/    /'
[ "$status" -eq 0 ] || fail "the installed panel did not start as it should"

wine "C:\\Program Files\\Korvan\\Uninstall.exe" /S > /dev/null 2>&1 || fail "the uninstaller failed"
wait_until_gone "$installed" || fail "the uninstaller left $installed"
wait_until_gone "$menu" || fail "the uninstaller left the Start menu's folder"
snapshot after
diff "$work/before" "$work/after" >&2 || fail "the uninstaller left what the installer added"
say "uninstalled silently: no file, folder or registry key of the installer's is left"
kept=$(echo "$drive"/users/*/AppData/Local/Korvan/zenkaiip.txt)
[ "$(cat "$kept")" = "127.0.0.5" ] || fail "uninstalling took the user's remembered address"
say "the user's remembered address is kept: $(winepath -w "$kept")"
