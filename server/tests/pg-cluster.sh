#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tockly developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A throw-away PostgreSQL cluster for the crew service's tests and benchmarks.
#   pg-cluster.sh start STATEFILE [--durable]   writes the cluster's folder, then its URL, there
#   pg-cluster.sh stop STATEFILE                stops it and removes its folder
# PostgreSQL refuses to run as root, so as root the cluster belongs to the postgres user. It
# listens on 127.0.0.1 on a free port with trust authentication, which is fine for a cluster
# that lives in a private folder for the length of a test run.
set -euo pipefail
cmd=$1 state=$2
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
[ -x "$bin/initdb" ] || { echo "pg-cluster: PostgreSQL is not installed (scripts/deps test)" >&2; exit 1; }
as_owner() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }

if [ "$cmd" = start ]; then
  dir=$(mktemp -d /tmp/tockly-pg.XXXXXX)
  chmod 755 "$dir"
  [ "$(id -u)" -eq 0 ] && chown postgres: "$dir"
  as_owner "$bin/initdb" -D "$dir/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 --no-sync >"$dir/initdb.log" 2>&1 \
    || { cat "$dir/initdb.log" >&2; exit 1; }
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  settings="-c listen_addresses=127.0.0.1 -c port=$port -c unix_socket_directories=$dir -c max_connections=200"
  # Tests need no crash safety from the cluster itself; the benchmark keeps the defaults.
  [ "${3:-}" = "--durable" ] || settings="$settings -c fsync=off -c synchronous_commit=off -c full_page_writes=off"
  as_owner "$bin/pg_ctl" -D "$dir/data" -o "$settings" -l "$dir/server.log" -w -t 60 start >/dev/null \
    || { cat "$dir/server.log" >&2; exit 1; }
  printf '%s\npostgresql://postgres@127.0.0.1:%s/postgres\n' "$dir" "$port" >"$state"
elif [ "$cmd" = stop ]; then
  [ -f "$state" ] || exit 0
  dir=$(head -1 "$state")
  [ -d "$dir/data" ] && { as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true; }
  case "$dir" in /tmp/tockly-pg.*) rm -rf "$dir" ;; esac
  rm -f "$state"
else
  echo "usage: pg-cluster.sh start|stop STATEFILE [--durable]" >&2
  exit 2
fi
