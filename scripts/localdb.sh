#!/usr/bin/env bash
# A private MariaDB server in a folder of its own (readable only by its owner), on a
# loopback port.
#   localdb.sh start  DIR PORT [PASSWORD]  create the data folder when new, start, set the root password
#   localdb.sh run    DIR PORT -- COMMAND…  run COMMAND with the server: start it when it is down, and
#                                          stop it again after the last COMMAND using it has ended
#   localdb.sh stop   DIR                  stop the server cleanly
#   localdb.sh status DIR                  say whether it runs
#   localdb.sh freeport [PORT…]            print a loopback port nothing listens on: the first free
#                                          one of those given, else a random one from 20000-40000
# The root password comes from PASSWORD, else from $ZORVA_PASSWORD, else from DIR/password;
# it never reaches a command line (the clients read it from a file only the owner can read).
# A server that `run` started carries the mark DIR/started-by-run (its process id); a server
# started with `start` carries none, and `run` never stops it.
set -euo pipefail

if [ "${1:-}" = freeport ]; then
  shift
  for p in "$@" $(shuf -i 20000-40000 -n 50); do
    if ! (exec 3<>/dev/tcp/127.0.0.1/"$p") 2>/dev/null; then echo "$p"; exit 0; fi
  done
  echo "no free loopback port" >&2
  exit 1
fi

cmd=${1:-}; dir=${2:-}
[ -n "$cmd" ] && [ -n "$dir" ] || { echo "usage: $0 start|run|stop|status DIR [PORT [PASSWORD]] [-- COMMAND…]" >&2; exit 2; }
self=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")

case "$cmd" in start|run) mkdir -p "$dir" ;; esac
if [ -d "$dir" ]; then dir=$(cd "$dir" && pwd); fi
cnf="$dir/my.cnf"
sock="$dir/mysqld.sock"
pidf="$dir/mysqld.pid"
mark="$dir/started-by-run"
clientcnf="$dir/client.cnf"

server_bin() {
  for b in mariadbd mysqld /usr/sbin/mariadbd /usr/sbin/mysqld; do
    command -v "$b" >/dev/null 2>&1 && { command -v "$b"; return; }
  done
  echo "mariadbd not found (is mariadb-server installed?)" >&2; exit 1
}

running() {
  [ -f "$pidf" ] && kill -0 "$(cat "$pidf")" 2>/dev/null
}

root_password() {
  if [ -n "${1:-}" ]; then printf '%s' "$1"
  elif [ -n "${ZORVA_PASSWORD:-}" ]; then printf '%s' "$ZORVA_PASSWORD"
  elif [ -f "$dir/password" ]; then tr -d '\n' <"$dir/password"
  else echo "No root password: give it as PASSWORD, in ZORVA_PASSWORD or in $dir/password" >&2; exit 2
  fi
}

# The clients' options with the password, in a file only the owner can read.
write_client_cnf() {
  (umask 077; printf '[client]\nuser=root\npassword="%s"\nsocket=%s\n' "$1" "$sock" >"$clientcnf")
}

do_start() {
  local port=$1 password=$2
  if running; then echo "MariaDB already runs in $dir"; return 0; fi
  # The data and the password stay the owner's.
  chmod 700 "$dir"
  # Its own folder for temporary tables: with several servers sharing /tmp, a query lost its
  # temporary table's file ("Error on delete of '/tmp/#sql-temptable-...MAI'") while another
  # server was starting.
  mkdir -p "$dir/tmp"
  cat >"$cnf" <<CNF
[mariadbd]
datadir=$dir/data
socket=$sock
pid-file=$pidf
log-error=$dir/error.log
tmpdir=$dir/tmp
port=$port
bind-address=127.0.0.1
user=$(id -un)
skip-name-resolve
character-set-server=latin2
collation-server=latin2_hungarian_ci
innodb_buffer_pool_size=256M
innodb_flush_log_at_trx_commit=2
max_allowed_packet=64M
[client]
socket=$sock
port=$port
CNF
  write_client_cnf "$password"
  local fresh=0
  if [ ! -d "$dir/data/mysql" ]; then
    fresh=1
    mariadb-install-db --defaults-file="$cnf" --user="$(id -un)" --datadir="$dir/data" \
      --auth-root-authentication-method=normal --skip-test-db >"$dir/install.log" 2>&1 || {
        cat "$dir/install.log" >&2; exit 1; }
  fi
  chmod 700 "$dir/data"
  # The server must not hold the descriptors (and so the locks) of the caller.
  "$(server_bin)" --defaults-file="$cnf" >/dev/null 2>&1 8>&- 9>&- &
  for _ in $(seq 1 150); do
    if [ -S "$sock" ] && mariadb-admin --defaults-extra-file="$clientcnf" ping >/dev/null 2>&1; then break; fi
    if [ $fresh = 1 ] && mariadb-admin --socket="$sock" -uroot ping >/dev/null 2>&1; then break; fi
    sleep 0.1
  done
  if [ $fresh = 1 ]; then
    # Every root account (localhost, 127.0.0.1, ::1) gets the password: with
    # skip-name-resolve a TCP login from 127.0.0.1 matches root@127.0.0.1.  The statements
    # go through standard input, so the password shows on no command line.
    hosts=$(mariadb --socket="$sock" -uroot -N -e "SELECT host FROM mysql.user WHERE user='root' AND host IN ('localhost','127.0.0.1','::1')") || {
      echo "Could not read the root accounts" >&2; tail -20 "$dir/error.log" >&2; exit 1; }
    local quoted=${password//\\/\\\\}
    quoted=${quoted//\'/\'\'}
    {
      for h in $hosts; do printf "ALTER USER 'root'@'%s' IDENTIFIED BY '%s';\n" "$h" "$quoted"; done
      echo "FLUSH PRIVILEGES;"
    } | mariadb --socket="$sock" -uroot || {
      echo "Could not set the root password" >&2; tail -20 "$dir/error.log" >&2; exit 1; }
  fi
  if ! mariadb-admin --defaults-extra-file="$clientcnf" ping >/dev/null 2>&1; then
    echo "MariaDB did not start; see $dir/error.log" >&2; tail -20 "$dir/error.log" >&2; exit 1
  fi
  echo "MariaDB runs in $dir on 127.0.0.1:$port"
}

do_stop() {
  if running; then
    local pid
    pid=$(cat "$pidf")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && kill -9 "$pid" 2>/dev/null || true
    echo "MariaDB in $dir stopped"
  else
    echo "MariaDB in $dir does not run"
  fi
  rm -f "$mark"
}

case "$cmd" in
start)
  port=${3:?port}
  password=$(root_password "${4:-}")
  running || rm -f "$mark"  # a server started by hand carries no mark
  do_start "$port" "$password"
  ;;
run)
  port=${3:?port}
  shift 3
  [ "${1:-}" = "--" ] && shift
  [ $# -gt 0 ] || { echo "usage: $0 run DIR PORT -- COMMAND…" >&2; exit 2; }
  password=$(root_password "")
  # run.lock serialises starting and stopping; every running COMMAND holds a shared lock
  # on users.lock, so the last one to end is the one that can take it exclusively.  The
  # kernel drops a lock with its process, so a program that crashed holds nothing.
  exec 8>"$dir/run.lock" 9>"$dir/users.lock"
  flock 8
  if ! running; then
    do_start "$port" "$password" >&2
    cat "$pidf" >"$mark"
  elif [ ! -f "$mark" ] || [ "$(cat "$mark")" != "$(cat "$pidf")" ]; then
    rm -f "$mark"  # started by hand: left alone
  fi
  flock -s 9
  flock -u 8
  # The command runs as a child, so that a signal to this script (a closed terminal, a
  # timeout) is passed on and the server is still stopped after the command has ended.
  status=0
  "$@" 8>&- <&0 &
  child=$!
  trap 'kill -TERM "$child" 2>/dev/null || true' TERM HUP INT
  while true; do
    if wait "$child"; then status=0; else status=$?; fi
    kill -0 "$child" 2>/dev/null || break
  done
  trap - TERM HUP INT
  flock 8
  if flock -n -x 9 && [ -f "$mark" ] && [ "$(cat "$mark")" = "$(cat "$pidf" 2>/dev/null)" ]; then
    do_stop >&2
  fi
  flock -u 9
  flock -u 8
  exit $status
  ;;
stop)
  do_stop
  ;;
status)
  if running; then echo "MariaDB runs in $dir (pid $(cat "$pidf"))"; else echo "MariaDB in $dir does not run"; exit 3; fi
  ;;
*) echo "unknown command $cmd" >&2; exit 2 ;;
esac
