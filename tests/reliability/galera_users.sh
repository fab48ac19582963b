#!/usr/bin/env bash
# Starts a three-node Galera cluster in a temporary folder and runs the users test across its
# nodes (one user's connection on each node in turn).  ctest -L galera runs it.
#   galera_users.sh USERS_TEST_BINARY
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
binary=${1:?users test binary}
tmp=$(mktemp -d /tmp/zorva-galera.XXXXXX)
base=""
for p in $(shuf -i 20000-39000 -n 50); do
  free=1
  for q in $p $((p + 1)) $((p + 2)) $((p + 11)) $((p + 12)) $((p + 13)) $((p + 21)) $((p + 22)) $((p + 23)) \
           $((p + 31)) $((p + 32)) $((p + 33)); do
    if (exec 3<>/dev/tcp/127.0.0.1/"$q") 2>/dev/null; then free=0; break; fi
  done
  if [ $free = 1 ]; then base=$p; break; fi
done
[ -n "$base" ] || { echo "no free ports" >&2; exit 1; }
password="zorva-galera"
cleanup() {
  "$root/scripts/galera.sh" stop "$tmp" >/dev/null 2>&1 || true
  rm -rf "$tmp"
}
trap cleanup EXIT
"$root/scripts/galera.sh" start "$tmp" "$base" "$password"
export ZORVA_TEST_HOST=127.0.0.1 ZORVA_TEST_PORT=$base ZORVA_TEST_USER=root ZORVA_TEST_PASSWORD=$password
export ZORVA_TEST_NODE_PORTS="$base,$((base + 1)),$((base + 2))"
unset ZORVA_TEST_SOCKET
"$binary"
