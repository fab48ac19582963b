#!/usr/bin/env bash
# A private MariaDB server in a folder of its own, on a loopback port.
#   localdb.sh start  DIR PORT PASSWORD   create the data folder when new, start, set the root password
#   localdb.sh stop   DIR                 stop the server cleanly
#   localdb.sh status DIR                 say whether it runs
set -euo pipefail

cmd=${1:-}; dir=${2:-}
[ -n "$cmd" ] && [ -n "$dir" ] || { echo "usage: $0 start|stop|status DIR [PORT PASSWORD]" >&2; exit 2; }

cnf="$dir/my.cnf"
sock="$dir/mysqld.sock"
pidf="$dir/mysqld.pid"

server_bin() {
  for b in mariadbd mysqld /usr/sbin/mariadbd /usr/sbin/mysqld; do
    command -v "$b" >/dev/null 2>&1 && { command -v "$b"; return; }
  done
  echo "mariadbd not found (is mariadb-server installed?)" >&2; exit 1
}

running() {
  [ -f "$pidf" ] && kill -0 "$(cat "$pidf")" 2>/dev/null
}

case "$cmd" in
start)
  port=${3:?port}; password=${4:?password}
  mkdir -p "$dir"
  dir=$(cd "$dir" && pwd); cnf="$dir/my.cnf"; sock="$dir/mysqld.sock"; pidf="$dir/mysqld.pid"
  if running; then echo "MariaDB already runs in $dir"; exit 0; fi
  user_line="user=$(id -un)"
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
$user_line
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
  fresh=0
  if [ ! -d "$dir/data/mysql" ]; then
    fresh=1
    mariadb-install-db --defaults-file="$cnf" --user="$(id -un)" --datadir="$dir/data" \
      --auth-root-authentication-method=normal --skip-test-db >"$dir/install.log" 2>&1 || {
        cat "$dir/install.log" >&2; exit 1; }
  fi
  "$(server_bin)" --defaults-file="$cnf" >/dev/null 2>&1 &
  for _ in $(seq 1 150); do
    if [ -S "$sock" ] && mariadb-admin --defaults-file="$cnf" -uroot ${password:+-p"$password"} ping >/dev/null 2>&1; then break; fi
    if [ $fresh = 1 ] && mariadb-admin --socket="$sock" -uroot ping >/dev/null 2>&1; then break; fi
    sleep 0.2
  done
  if [ $fresh = 1 ]; then
    # Every root account (localhost, 127.0.0.1, ::1, the host name) gets the password:
    # with skip-name-resolve a TCP login from 127.0.0.1 matches root@127.0.0.1.
    hosts=$(mariadb --socket="$sock" -uroot -N -e "SELECT host FROM mysql.user WHERE user='root' AND host IN ('localhost','127.0.0.1','::1')") || {
      echo "Could not read the root accounts" >&2; tail -20 "$dir/error.log" >&2; exit 1; }
    sql=""
    for h in $hosts; do sql="$sql ALTER USER 'root'@'$h' IDENTIFIED BY '$password';"; done
    mariadb --socket="$sock" -uroot -e "$sql FLUSH PRIVILEGES;" || {
      echo "Could not set the root password" >&2; tail -20 "$dir/error.log" >&2; exit 1; }
  fi
  if ! mariadb-admin --socket="$sock" -uroot -p"$password" ping >/dev/null 2>&1; then
    echo "MariaDB did not start; see $dir/error.log" >&2; tail -20 "$dir/error.log" >&2; exit 1
  fi
  echo "MariaDB runs in $dir on 127.0.0.1:$port"
  ;;
stop)
  if running; then
    pid=$(cat "$pidf")
    # shutdown over the socket needs no password when the server is ours; fall back to a signal.
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
    kill -0 "$pid" 2>/dev/null && kill -9 "$pid" 2>/dev/null || true
    echo "MariaDB in $dir stopped"
  else
    echo "MariaDB in $dir does not run"
  fi
  ;;
status)
  if running; then echo "MariaDB runs in $dir (pid $(cat "$pidf"))"; else echo "MariaDB in $dir does not run"; exit 3; fi
  ;;
*) echo "unknown command $cmd" >&2; exit 2 ;;
esac
