#!/usr/bin/env bash
# The manual's pictures, made by the program itself: builds zorva_helppictures, starts a
# throwaway MariaDB, opens every window on a demo database under the offscreen platform
# and writes the pictures into src/app/Help/kepek (or the folder given).  Run it after
# changing a window; the manual's test makes the same pictures in the build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/src/app/Help/kepek}
ZORVA_BUILD_TARGETS=zorva_helppictures "$root/scripts/build.sh"
build=${ZORVA_BUILD_DIR:-$root/build}

tmp=$(mktemp -d /tmp/zorva-pictures.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
port=$("$root/scripts/localdb.sh" freeport)
password=$(head -c 12 /dev/urandom | base64 | tr -d '/+=')
mkdir -p "$out"
ZORVA_PASSWORD=$password "$root/scripts/localdb.sh" run "$tmp/db" "$port" -- \
  env ZORVA_TEST_HOST=127.0.0.1 ZORVA_TEST_PORT="$port" ZORVA_TEST_USER=root ZORVA_TEST_PASSWORD="$password" \
  QT_QPA_PLATFORM=offscreen "$build/src/app/helppictures/zorva_helppictures" "$out"
echo "pictures in $out"
