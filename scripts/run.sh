#!/usr/bin/env bash
# Installs what is missing, builds, starts the private local MariaDB (creating the
# demo database the first time) unless a profile already points elsewhere, and
# opens Zorva.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
# The program is built next to the sources, or in the user's cache folder when the
# source folder is not writable (a checkout shared by several users).
if [ -z "${ZORVA_BUILD_DIR:-}" ]; then
  if [ -w "$root" ] || [ -w "$root/build" ]; then
    ZORVA_BUILD_DIR="$root/build"
  else
    ZORVA_BUILD_DIR="${XDG_CACHE_HOME:-$HOME/.cache}/zorva/build"
    mkdir -p "$ZORVA_BUILD_DIR"
  fi
fi
export ZORVA_BUILD_DIR
# Only the program itself; the tests are built by scripts/test.sh.
ZORVA_BUILD_TARGETS=${ZORVA_BUILD_TARGETS:-zorva} "$root/scripts/build.sh"
build=$ZORVA_BUILD_DIR
zorva="$build/src/app/zorva"

datadir="${XDG_DATA_HOME:-$HOME/.local/share}/Zorva"
local_dir="$datadir/mariadb"
mkdir -p "$datadir"

start_local() {
  port=$(cat "$local_dir/port")
  password=$(cat "$local_dir/password")
  "$root/scripts/localdb.sh" start "$local_dir" "$port" "$password"
}

if [ -f "$local_dir/port" ]; then
  start_local
elif "$zorva" --has-profile >/dev/null 2>&1; then
  echo "A database profile is already set up in $datadir/Zorva.ini; no local server is started."
else
  mkdir -p "$local_dir"; chmod 700 "$local_dir"
  port=""
  for p in 3307 3308 3309 $(shuf -i 20000-40000 -n 20); do
    if ! (exec 3<>/dev/tcp/127.0.0.1/"$p") 2>/dev/null; then port=$p; break; fi
  done
  [ -n "$port" ] || { echo "No free port for the local MariaDB" >&2; exit 1; }
  echo "$port" >"$local_dir/port"
  head -c 18 /dev/urandom | base64 | tr -dc 'A-Za-z0-9' >"$local_dir/password"
  chmod 600 "$local_dir/password"
  start_local
  password=$(cat "$local_dir/password")
  "$zorva" --create-database "root:$password@127.0.0.1:$port/zorva" --demo
  "$zorva" --add-profile "zorva;127.0.0.1;$port;root;$password;Zorva (helyi adatbázis)"
fi

if [ -f "$local_dir/port" ]; then
  echo "The local database lives in $local_dir (port $(cat "$local_dir/port"))."
  echo "Stop it with: $root/scripts/localdb.sh stop $local_dir"
fi
exec "$zorva" "$@"
