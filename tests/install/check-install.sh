#!/usr/bin/env bash
# Installs a build into a fresh prefix and checks what a user gets: both
# programs, the launcher, the two desktop entries, icons, metainfo, manual
# pages, documents and licence, each valid under its own checker; then
# starts the robot and the panel from their entries and sees the panel
# connect. The panel is the driven build (the second argument): the real
# program with a driver that clicks 接続 in place of a person.
set -euo pipefail
build=$1
driven=$2
prefix=$(mktemp -d)
trap 'kill "${launched:-}" "${robot:-}" 2>/dev/null || true; rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null

failed=0
fail() { echo "check-install: $*" >&2; failed=1; }

for file in bin/korvan bin/korvan-virtual-robot libexec/korvan/korvan-launcher; do
    [ -x "$prefix/$file" ] || fail "$file is missing or not executable"
done
for file in share/applications/korvan.desktop share/applications/korvan-virtual-robot.desktop share/metainfo/org.example.Korvan.metainfo.xml \
        share/man/man1/korvan.1.gz share/man/man1/korvan-virtual-robot.1.gz share/icons/hicolor/48x48/apps/korvan.png share/icons/hicolor/scalable/apps/korvan.svg \
        share/doc/korvan/copyright share/doc/korvan/README.md share/doc/korvan/CHANGELOG.md \
        share/doc/korvan/protocol.md share/doc/korvan/architecture.md share/doc/korvan/screenshots/panel-connected.png; do
    [ -s "$prefix/$file" ] || fail "$file is missing or empty"
done

for entry in korvan korvan-virtual-robot; do
    desktop-file-validate "$prefix/share/applications/$entry.desktop" || fail "the desktop entry $entry is not valid"
done
grep -q '^Name\[ja\]=.*仮想アイボ$' "$prefix/share/applications/korvan-virtual-robot.desktop" \
    || fail "the robot's desktop entry has no Japanese name"
appstreamcli validate --no-net "$prefix/share/metainfo/org.example.Korvan.metainfo.xml" > /dev/null \
    || fail "the metainfo is not valid"
for page in korvan korvan-virtual-robot; do
    text=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$text" ] || fail "man $page: $text"
    MANWIDTH=80 man -l "$prefix/share/man/man1/$page.1.gz" 2>/dev/null | grep -q "^NAME" || fail "man $page shows no page"
done
"$prefix/bin/korvan-virtual-robot" --version | grep -qx "korvan-virtual-robot $(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' \
    "$prefix/share/metainfo/org.example.Korvan.metainfo.xml")" || fail "the robot's version is not the release's"

# Started from the desktop, the panel runs in the user's state folder.
export XDG_STATE_HOME=$prefix/state QT_QPA_PLATFORM=offscreen
"$prefix/libexec/korvan/korvan-launcher" &
launched=$!
for _ in $(seq 50); do
    [ "$(readlink "/proc/$launched/cwd" 2>/dev/null)" = "$prefix/state/korvan" ] && break
    sleep 0.1
done
[ "$(readlink "/proc/$launched/cwd" 2>/dev/null)" = "$prefix/state/korvan" ] || fail "the launcher did not run the panel in \$XDG_STATE_HOME/korvan"
[ "$(readlink "/proc/$launched/exe" 2>/dev/null)" = "$prefix/bin/korvan" ] || fail "the launcher did not start the installed panel"

# The two menu entries together: the robot from its entry's command, then the
# panel, run by the launcher in its state folder, connects to it with the
# address a person would type there.
[ "$failed" -eq 0 ] || exit 1
kill "$launched" 2>/dev/null || true
wait "$launched" 2>/dev/null || true
# The entries name the programs under the build's own prefix; here they are
# under the fresh one.
configured=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
exec_line() { sed -n "s|^Exec=$configured/|$prefix/|p" "$prefix/share/applications/$1.desktop"; }
read -r -a command <<< "$(exec_line korvan-virtual-robot)"
robot_out=$prefix/robot.out
"${command[@]}" < /dev/null > "$robot_out" 2>&1 &
robot=$!
for _ in $(seq 50); do
    grep -qs '^listening 127.0.0.1:20207$' "$robot_out" && break
    sleep 0.1
done
grep -qs '^listening 127.0.0.1:20207$' "$robot_out" \
    || fail "the robot's entry did not start a robot on 127.0.0.1:20207 (is the port taken?): $(cat "$robot_out")"
cp "$driven" "$prefix/bin/korvan"
printf '127.0.0.1' > "$prefix/state/korvan/zenkaiip.txt"
timeout 60 "$(exec_line korvan)" || fail "the panel started from its entry did not connect to the robot"
exit "$failed"
