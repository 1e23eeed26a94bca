#!/usr/bin/env bash
# Starts or stops a Firebird 3 server on localhost:3050 for tests (as root, no init system needed).
#   firebird-server.sh start <statedir>   start (or reuse) a server; SYSDBA's password becomes "plumbtide"
#   firebird-server.sh stop  <statedir>   stop exactly the processes that "start" started
# Running either twice is harmless. A server that was already listening (started by someone
# else) is used as it is and never stopped by this script.
set -euo pipefail

readonly PORT=3050
readonly PASSWORD=plumbtide
readonly SERVER=/usr/sbin/firebird
readonly PASSWORD_FILE=/etc/firebird/3.0/SYSDBA.password

usage() { echo "usage: $0 start|stop <statedir>" >&2; exit 2; }
[ $# -eq 2 ] || usage
action=$1
state=$2
pids_file=$state/pids

port_open() { (exec 3<>"/dev/tcp/127.0.0.1/$PORT") 2>/dev/null; }

# A recorded pid counts only while it is still our server (pids are reused by the system).
our_server_alive() {
  local pid=$1
  [ -r "/proc/$pid/cmdline" ] && tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q "^$SERVER"
}

recorded_alive() {
  [ -s "$pids_file" ] || return 1
  local pid
  while read -r pid; do our_server_alive "$pid" || return 1; done <"$pids_file"
}

isql() { isql-fb -q -i "$1" >"$state/isql.out" 2>&1; }

# With no server running, the embedded engine opens the security database directly and trusts
# the caller, so no old password is needed.
set_password_embedded() {
  printf "connect 'security.db' user SYSDBA;\ncreate or alter user SYSDBA password '%s';\ncommit;\n" \
    "$PASSWORD" >"$state/password.sql"
  isql "$state/password.sql"
}

# Through a running server: log in with the wanted password, or with the package's random one
# and change it.
set_password_remote() {
  local probe=$state/probe.sql
  printf "connect 'localhost:employee' user SYSDBA password '%s';\n" "$PASSWORD" >"$probe"
  isql-fb -q -i "$probe" 2>&1 | grep -q "user name and password" || return 0
  local old
  old=$(sed -n 's/^ISC_PASSWORD="\{0,1\}\([^"]*\)"\{0,1\}$/\1/p' "$PASSWORD_FILE")
  rm -f "$state/pw.fdb"
  printf "create database 'localhost:%s' user 'SYSDBA' password '%s';\ncreate or alter user SYSDBA password '%s';\ncommit;\ndrop database;\n" \
    "$state/pw.fdb" "$old" "$PASSWORD" >"$state/password.sql"
  isql "$state/password.sql"
}

record_password() {
  [ -f "$PASSWORD_FILE" ] || return 0
  sed -i "s/^ISC_PASSWORD=.*/ISC_PASSWORD=\"$PASSWORD\"/" "$PASSWORD_FILE"
}

wait_for_port() {
  local i
  for i in $(seq 1 300); do
    port_open && return 0
    sleep 0.1
  done
  echo "firebird-server: port $PORT did not open; log:" >&2
  cat "$state/server.log" >&2 || true
  return 1
}

start() {
  mkdir -p "$state"
  if recorded_alive; then
    port_open && { set_password_remote; return 0; }
  fi
  : >"$pids_file"
  if port_open; then
    echo "firebird-server: using the server already listening on port $PORT"
    set_password_remote
    record_password
    return 0
  fi
  set_password_embedded
  record_password
  setsid "$SERVER" >"$state/server.log" 2>&1 </dev/null &
  echo $! >"$pids_file"
  wait_for_port
  echo "firebird-server: started pid $(cat "$pids_file")"
}

stop() {
  [ -s "$pids_file" ] || return 0
  local pid
  while read -r pid; do
    our_server_alive "$pid" || continue
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 1 100); do
      our_server_alive "$pid" || break
      sleep 0.1
    done
    if our_server_alive "$pid"; then kill -KILL "$pid" 2>/dev/null || true; fi
    echo "firebird-server: stopped pid $pid"
  done <"$pids_file"
  : >"$pids_file"
}

case $action in
  start) start ;;
  stop) stop ;;
  *) usage ;;
esac
