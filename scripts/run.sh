#!/usr/bin/env bash
# Installs what is missing, builds, and opens Zorva on the private local MariaDB (creating
# the demo database the first time) unless a profile already points elsewhere.  The local
# server runs while Zorva does.
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
localdb="$root/scripts/localdb.sh"

# The password of the local server stays in its file (readable only by the user): the
# commands below read it from there, so it shows on no command line.
if [ -f "$local_dir/port" ]; then
  :
elif "$zorva" --has-profile >/dev/null 2>&1; then
  echo "A database profile is already set up in $datadir/Zorva.ini; no local server is started."
  exec "$zorva" "$@"
else
  mkdir -p "$local_dir"; chmod 700 "$local_dir"
  port=$("$localdb" freeport 3307 3308 3309) || { echo "No free port for the local MariaDB" >&2; exit 1; }
  (umask 077; head -c 18 /dev/urandom | base64 | tr -dc 'A-Za-z0-9' >"$local_dir/password")
  # The database and its profile are made with the server running for this setup only;
  # the port file is written last, so an interrupted setup starts over.
  "$localdb" run "$local_dir" "$port" -- bash -c '
    "$1" --create-database "root@127.0.0.1:$2/zorva" --demo --password-file "$3" &&
    "$1" --add-profile "zorva;127.0.0.1;$2;root;;Zorva (helyi adatbázis)" --password-file "$3"' \
    setup "$zorva" "$port" "$local_dir/password"
  echo "$port" >"$local_dir/port"
fi

port=$(cat "$local_dir/port")
echo "The local database lives in $local_dir (port $port); it runs while Zorva does."
# The server starts when it is down and stops after the last Zorva using it has closed; a
# server started by hand (scripts/localdb.sh start) is left running.
exec "$localdb" run "$local_dir" "$port" -- "$zorva" "$@"
