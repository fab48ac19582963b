#!/usr/bin/env bash
# The whole test suite: install what is missing, build, start a throwaway MariaDB,
# run ctest, stop the server (also when the tests fail or are interrupted).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build=${ZORVA_BUILD_DIR:-$root/build}

tmp=$(mktemp -d /tmp/zorva-testdb.XXXXXX)
port=$("$root/scripts/localdb.sh" freeport)
password="zorva-test"

cleanup() {
  "$root/scripts/localdb.sh" stop "$tmp" >/dev/null 2>&1 || true
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

ZORVA_PASSWORD=$password "$root/scripts/localdb.sh" start "$tmp" "$port"

export ZORVA_TEST_HOST=127.0.0.1 ZORVA_TEST_PORT=$port ZORVA_TEST_USER=root ZORVA_TEST_PASSWORD=$password
export ZORVA_TEST_SOCKET="$tmp/mysqld.sock"
export QT_QPA_PLATFORM=offscreen
# In the sanitizer build any report ends the test that made it, and so fails it.
supp="$root/tests/sanitizers"
export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$supp/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1:suppressions=$supp/ubsan.supp}
status=0
# A test that fails once has a fault to find: no retries. Each test has its own time limit.
# The Galera cluster test starts three servers of its own: only when asked for (-L galera).
args=("$@")
case " $* " in *" -L "* | *" -L"*) ;; *) args=(-LE galera "${args[@]}") ;; esac
(cd "$build" && ctest --output-on-failure --timeout 600 -j"$(nproc)" "${args[@]}") || status=$?
exit $status
