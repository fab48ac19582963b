#!/usr/bin/env bash
# A three-node MariaDB Galera cluster on loopback ports, in a folder of its own (for tests).
#   galera.sh start DIR PORT PASSWORD   nodes listen on PORT, PORT+1, PORT+2 (127.0.0.1);
#                                       the cluster's own traffic uses PORT+10 to PORT+39
#   galera.sh stop  DIR                 stops every node
# Needs the packages galera-4 and rsync (state transfer to a joining node).
set -euo pipefail

cmd=${1:-}; dir=${2:-}
[ -n "$cmd" ] && [ -n "$dir" ] || { echo "usage: $0 start|stop DIR [PORT PASSWORD]" >&2; exit 2; }
provider=/usr/lib/galera/libgalera_smm.so

node_running() { [ -f "$1/mysqld.pid" ] && kill -0 "$(cat "$1/mysqld.pid")" 2>/dev/null; }

stop_node() {
  local d=$1 pid
  node_running "$d" || return 0
  pid=$(cat "$d/mysqld.pid")
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 1 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
  kill -0 "$pid" 2>/dev/null && kill -9 "$pid" 2>/dev/null || true
}

case "$cmd" in
start)
  base=${3:?port}; password=${4:?password}
  [ -f "$provider" ] || { echo "$provider not found (is galera-4 installed?)" >&2; exit 1; }
  mkdir -p "$dir"; dir=$(cd "$dir" && pwd)
  address="gcomm://127.0.0.1:$((base + 11)),127.0.0.1:$((base + 12)),127.0.0.1:$((base + 13))"
  for i in 1 2 3; do
    d="$dir/n$i"; mkdir -p "$d/tmp"
    cat >"$d/my.cnf" <<CNF
[mariadbd]
datadir=$d/data
socket=$d/mysqld.sock
pid-file=$d/mysqld.pid
log-error=$d/error.log
tmpdir=$d/tmp
port=$((base + i - 1))
bind-address=127.0.0.1
user=$(id -un)
skip-name-resolve
character-set-server=latin2
collation-server=latin2_hungarian_ci
innodb_buffer_pool_size=64M
innodb_log_file_size=48M
innodb_flush_log_at_trx_commit=2
binlog_format=ROW
default_storage_engine=InnoDB
innodb_autoinc_lock_mode=2
wsrep_on=ON
wsrep_provider=$provider
wsrep_cluster_name=zorva_test
wsrep_cluster_address=$address
wsrep_node_name=n$i
wsrep_node_address=127.0.0.1:$((base + 10 + i))
wsrep_provider_options="gmcast.listen_addr=tcp://127.0.0.1:$((base + 10 + i));ist.recv_addr=127.0.0.1:$((base + 20 + i));gcache.size=32M"
wsrep_sst_method=rsync
wsrep_sst_receive_address=127.0.0.1:$((base + 30 + i))
wsrep_slave_threads=2
wsrep_log_conflicts=ON
[client]
socket=$d/mysqld.sock
CNF
    if [ "$i" != 1 ]; then
      # A joining node gets its data by state transfer.  The rsync daemon that receives it
      # runs as "nobody" when started by root, so the empty folder must be its own.
      mkdir -p "$d/data"
      if [ "$(id -u)" = 0 ]; then chown nobody:nogroup "$d/data"; fi
    elif [ ! -d "$d/data/mysql" ]; then
      mariadb-install-db --defaults-file="$d/my.cnf" --user="$(id -un)" --datadir="$d/data" \
        --auth-root-authentication-method=normal --skip-test-db >"$d/install.log" 2>&1 || {
          cat "$d/install.log" >&2; exit 1; }
    fi
  done
  synced() {  # node dir, password or empty
    local out
    out=$(mariadb --defaults-file="$1/my.cnf" -uroot ${2:+-p"$2"} -N -e \
      "SHOW STATUS LIKE 'wsrep_local_state_comment'" 2>/dev/null) || return 1
    [[ "$out" == *Synced* ]]
  }
  # The first node founds the cluster and gets the password; the others copy it on joining.
  mariadbd --defaults-file="$dir/n1/my.cnf" --wsrep-new-cluster >/dev/null 2>&1 &
  for _ in $(seq 1 300); do synced "$dir/n1" "" && break; synced "$dir/n1" "$password" && break; sleep 0.2; done
  if ! synced "$dir/n1" "$password"; then
    # Every root account gets it: with skip-name-resolve a TCP login matches root@127.0.0.1.
    hosts=$(mariadb --defaults-file="$dir/n1/my.cnf" -uroot -N -e \
      "SELECT host FROM mysql.user WHERE user='root' AND host IN ('localhost','127.0.0.1','::1')") || hosts=""
    sql=""
    for h in $hosts; do sql="$sql ALTER USER 'root'@'$h' IDENTIFIED BY '$password';"; done
    mariadb --defaults-file="$dir/n1/my.cnf" -uroot -e "$sql FLUSH PRIVILEGES;" || {
        echo "node 1 did not start; see $dir/n1/error.log" >&2; tail -20 "$dir/n1/error.log" >&2; exit 1; }
  fi
  for i in 2 3; do
    mariadbd --defaults-file="$dir/n$i/my.cnf" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 1 600); do
      synced "$dir/n$i" "$password" && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.2
    done
    synced "$dir/n$i" "$password" || {
      echo "node $i did not join; see $dir/n$i/error.log" >&2; tail -30 "$dir/n$i/error.log" >&2; exit 1; }
  done
  size=$(mariadb --defaults-file="$dir/n1/my.cnf" -uroot -p"$password" -N -e "SHOW STATUS LIKE 'wsrep_cluster_size'")
  echo "Galera cluster in $dir on 127.0.0.1:$base-$((base + 2)) ($size)"
  ;;
stop)
  for i in 3 2 1; do [ -d "$dir/n$i" ] && stop_node "$dir/n$i"; done
  echo "Galera cluster in $dir stopped"
  ;;
*) echo "unknown command $cmd" >&2; exit 2 ;;
esac
