#!/usr/bin/env bash
# The private server follows the programs using it: `localdb.sh run` starts it when it is
# down and stops it after the last program has ended; a server started by hand stays.
set -euo pipefail
localdb=$1
tmp=$(mktemp -d /tmp/zorva-follow.XXXXXX)
dir=$tmp/db
mkdir -p "$dir"
(umask 077; echo "follow-test-pw" >"$dir/password")
port=$("$localdb" freeport)
cleanup() { "$localdb" stop "$dir" >/dev/null 2>&1 || true; rm -rf "$tmp"; }
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
up() { "$localdb" status "$dir" >/dev/null 2>&1; }
# A program that says whether the server ran while it started, then waits for its end file.
program() { echo "up() { \"$localdb\" status \"$dir\" >/dev/null 2>&1; }; if up; then echo up >$tmp/seen-$1; fi; while [ ! -f $tmp/end-$1 ]; do sleep 0.05; done; exit ${2:-0}"; }
wait_for() { for _ in $(seq 1 300); do [ -e "$1" ] && return 0; sleep 0.05; done; fail "waited in vain for $1"; }

# One program: the server runs while it does, and is gone afterwards; the exit code passes.
touch "$tmp/end-one"
code=0; "$localdb" run "$dir" "$port" -- bash -c "$(program one 7)" 2>/dev/null || code=$?
[ "$code" = 7 ] || fail "exit code $code instead of 7"
[ -f "$tmp/seen-one" ] || fail "the server did not run for the program"
up && fail "the server still runs after the only program ended"

# Two programs: the first to end leaves the server to the second.
"$localdb" run "$dir" "$port" -- bash -c "$(program a)" 2>/dev/null & pa=$!
wait_for "$tmp/seen-a"
"$localdb" run "$dir" "$port" -- bash -c "$(program b)" 2>/dev/null & pb=$!
wait_for "$tmp/seen-b"
if ps -eo args | grep -F "follow-test-pw" | grep -v grep >/dev/null; then fail "a password shows in ps"; fi
touch "$tmp/end-a"; wait $pa
up || fail "the server stopped under the second program"
touch "$tmp/end-b"; wait $pb
up && fail "the server still runs after both programs ended"

# Stopped from outside (a closed terminal, a time-out): the program is told, and the server
# still stops after it.
"$localdb" run "$dir" "$port" -- bash -c "$(program term)" 2>/dev/null & pt=$!
wait_for "$tmp/seen-term"
kill -TERM $pt
code=0; wait $pt || code=$?
up && fail "the server still runs after the run was stopped by a signal"

# A server started by hand is never stopped by a program.
"$localdb" start "$dir" "$port" >/dev/null
touch "$tmp/end-hand"
"$localdb" run "$dir" "$port" -- bash -c "$(program hand)" 2>/dev/null
[ -f "$tmp/seen-hand" ] || fail "the hand-started server did not serve the program"
up || fail "the program stopped a server started by hand"
"$localdb" stop "$dir" >/dev/null

# The data folder is the owner's alone and the server listens on loopback only.
[ "$(stat -c %a "$dir")" = 700 ] || fail "data folder mode $(stat -c %a "$dir")"
grep -qx 'bind-address=127.0.0.1' "$dir/my.cnf" || fail "not bound to loopback"
echo "PASS"
