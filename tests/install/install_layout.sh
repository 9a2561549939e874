#!/usr/bin/env bash
# Installs the built program into throwaway prefixes and checks what lands
# there: the application folder, the link in bin/, a desktop entry that
# desktop-file-validate accepts, the icons and the metainfo. Then starts the
# installed program through the link from another folder and checks that it
# makes its database in the application folder and takes its lock in the
# user's runtime folder.
# Usage: install_layout.sh CMAKE BUILD_FOLDER
set -euo pipefail
cmake=$1
build=$2
id=com.pellworth.Corvanel

fail() { echo "FAIL: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null || fail "$1 is missing (bash scripts/install-deps --test installs $2)"; }
need desktop-file-validate desktop-file-utils
need appstreamcli appstream

work=$(mktemp -d)
started=()
cleanup() {
  local pid
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Width and height from a PNG's header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'; }

check_layout() {
  local prefix=$1 exec_line=$2
  "$cmake" --install "$build" --prefix "$prefix" >/dev/null
  local app="$prefix/lib/corvanel"
  [ -x "$app/corvanel" ] || fail "no program in $app"
  [ -s "$app/Merlin.ACS" ] || fail "no character file in $app"
  [ -s "$app/CORVANELVERSION2.html" ] || fail "no help document in $app"
  [ -L "$prefix/bin/corvanel" ] || fail "$prefix/bin/corvanel is not a link"
  [ "$(readlink -f "$prefix/bin/corvanel")" = "$(readlink -f "$app/corvanel")" ] || fail "$prefix/bin/corvanel leads elsewhere"

  local entry="$prefix/share/applications/$id.desktop"
  [ -f "$entry" ] || fail "no desktop entry $entry"
  local said
  said=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate refused $entry: $said"
  [ -z "$said" ] || fail "desktop-file-validate: $said"
  grep -qxF "Exec=$exec_line" "$entry" || fail "expected Exec=$exec_line in: $(grep ^Exec= "$entry")"
  grep -qxF "Icon=$id" "$entry" || fail "the entry names another icon"

  local icons="$prefix/share/icons/hicolor"
  [ -s "$icons/scalable/apps/$id.svg" ] || fail "no scalable icon"
  local size
  for size in 16 24 32 48 64 128 256; do
    local png="$icons/${size}x${size}/apps/$id.png"
    [ -s "$png" ] || fail "no $size px icon"
    [ "$(png_size "$png")" = "${size}x${size}" ] || fail "$png is $(png_size "$png")"
  done

  said=$(appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" 2>&1) || fail "appstreamcli: $said"
}

check_layout "$work/plain" "$work/plain/bin/corvanel"
# A prefix with a space is one quoted argument of Exec.
check_layout "$work/with space" "\"$work/with space/bin/corvanel\""

# The installed program, started through bin/ from an unrelated folder.
prefix="$work/plain"
app="$prefix/lib/corvanel"
mkdir -p "$work/elsewhere" "$work/runtime" "$work/home"
chmod 700 "$work/runtime"
# Run in a subshell of its own: it changes folder and becomes the program.
start() {
  cd "$work/elsewhere"
  HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen exec "$@" "$prefix/bin/corvanel" </dev/null
}
start >"$work/first.log" 2>&1 &
started+=($!)
for _ in $(seq 600); do
  [ -s "$app/Corvanel.mdb" ] && compgen -G "$work/runtime/corvanel-*.lock" >/dev/null && break
  kill -0 "${started[0]}" 2>/dev/null || fail "the installed program ended early: $(cat "$work/first.log")"
  sleep 0.1
done
[ -s "$app/Corvanel.mdb" ] || fail "no database in the application folder $app"
compgen -G "$work/runtime/corvanel-*.lock" >/dev/null || fail "no lock in the runtime folder"
[ ! -e "$work/elsewhere/Corvanel.mdb" ] || fail "a database was made in the current folder"
[ ! -e "$prefix/bin/Corvanel.mdb" ] || fail "a database was made beside the link"

# A second start finds the first through the lock, says so and ends. It
# ends normally, so a sanitizer build would look for leaks, and find those
# of the desktop's speech libraries; the program's own are looked for by
# the unit tests, on the scripted platform.
(ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" start timeout 60) >"$work/second.log" 2>&1 || fail "the second start failed: $(cat "$work/second.log")"
kill -0 "${started[0]}" 2>/dev/null || fail "the first instance ended"
echo "install layout: ok"
