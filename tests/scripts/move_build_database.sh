#!/usr/bin/env bash
# scripts/move-build-database: a database left in the build folder by an
# earlier version moves once into the application folder, and nothing is
# ever overwritten or taken from under a running program.
# Usage: move_build_database.sh SCRIPT
set -euo pipefail
script=$1

fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
holder=""
cleanup() {
  if [ -n "$holder" ]; then kill "$holder" 2>/dev/null || true; wait "$holder" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Each case gets a fresh build folder (with characters a pattern would
# misread) and an application folder that does not exist yet.
fresh() {
  rm -rf "$work/case"
  build="$work/case/build [1]*"
  app="$work/case/prefix/lib/corvanel"
  mkdir -p "$build"
}
move() { said=$(bash "$script" "$build" "$app"); }
content() { cat "$1" 2>/dev/null || echo "<none>"; }

# Nothing to move: nothing said, nothing made.
fresh
move
[ -z "$said" ] || fail "said: $said"
[ ! -e "$work/case/prefix" ] || fail "made the application folder for nothing"

# Moved once, with a line saying so.
fresh
echo estimates > "$build/Corvanel.mdb"
move
[ "$(content "$app/Corvanel.mdb")" = estimates ] || fail "not moved"
[ ! -e "$build/Corvanel.mdb" ] || fail "still in the build folder"
[[ "$said" == "Moved your database from $build/Corvanel.mdb to $app/Corvanel.mdb"* ]] || fail "said: $said"
move
[ -z "$said" ] || fail "said on the second run: $said"

# A database already installed wins; neither file is touched.
fresh
echo old > "$build/Corvanel.mdb"
mkdir -p "$app"
echo new > "$app/Corvanel.mdb"
move
[ "$(content "$app/Corvanel.mdb")" = new ] || fail "the installed database was overwritten"
[ "$(content "$build/Corvanel.mdb")" = old ] || fail "the build folder's database was lost"
[[ "$said" == Note:*"left where it is"* ]] || fail "said: $said"

# An unfinished write's journal goes along with its database.
fresh
echo data > "$build/Corvanel.mdb"
echo journal > "$build/Corvanel.mdb-journal"
move
[ "$(content "$app/Corvanel.mdb")" = data ] || fail "database not moved"
[ "$(content "$app/Corvanel.mdb-journal")" = journal ] || fail "journal not moved"
[ ! -e "$build/Corvanel.mdb-journal" ] || fail "journal left behind"

# A stray journal at the destination would be rolled into it: stay put.
fresh
echo data > "$build/Corvanel.mdb"
mkdir -p "$app"
echo stray > "$app/Corvanel.mdb-journal"
move
[ ! -e "$app/Corvanel.mdb" ] || fail "moved next to a stray journal"
[ "$(content "$build/Corvanel.mdb")" = data ] || fail "the build folder's database was lost"
[[ "$said" == Note:*"in the way"* ]] || fail "said: $said"

# Open in a running program: left alone until that program ends.
fresh
echo busy > "$build/Corvanel.mdb"
sleep 300 3<"$build/Corvanel.mdb" &
holder=$!
move
[ ! -e "$app/Corvanel.mdb" ] || fail "moved while open"
[ "$(content "$build/Corvanel.mdb")" = busy ] || fail "changed while open"
[[ "$said" == Note:*"running program has it open"* ]] || fail "said: $said"
kill "$holder"; wait "$holder" 2>/dev/null || true; holder=""
move
[ "$(content "$app/Corvanel.mdb")" = busy ] || fail "not moved once closed"

echo "move-build-database: ok"
