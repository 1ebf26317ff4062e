#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tockly developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Load on tockly-crewd with wrk over 127.0.0.1: /healthz (the ceiling of the HTTP layer), the
fetch of a 20-member crew with 14 days of data, and reports, at 64 connections, on SQLite and
on PostgreSQL. Every run is bounded in time. Prints requests per second, p99 latency and the
fetch rate as a share of the /healthz rate. --crewd may be given more than once to compare
builds side by side in one run: they take turns, --rounds times, and each figure is the median
of its rounds; the last column sets the last build against the first.

  bench_crewd [--quick] [--engines sqlite,postgresql] [--seconds 10] [--connections 64]
              [--db-connections 4] [--crewd PATH]... [--rounds 1]
"""
import argparse, http.client, json, os, re, shutil, statistics, subprocess, sys, tempfile, time
from datetime import datetime, timedelta, timezone

CREWD = "@CMAKE_BINARY_DIR@/server/tockly-crewd"
PG_CLUSTER = "@PROJECT_SOURCE_DIR@/server/tests/pg-cluster.sh"


def day(offset):
    return (datetime.now(timezone.utc).date() + timedelta(days=offset)).isoformat()


class Server:
    def __init__(self, crewd, db, threads, connections):
        self.proc = subprocess.Popen(
            [crewd, "--listen", "127.0.0.1:0", "--db", db, "--threads", str(threads),
             "--db-connections", str(connections),
             # one client address sends everything here; the limiter still runs, with room
             "--rate-limit", "100000000", "--create-limit", "100000000",
             "--client-connections", "0"],
            stdout=subprocess.PIPE, text=True)
        line = self.proc.stdout.readline()
        m = re.search(r"listening on 127\.0\.0\.1:(\d+)", line)
        if not m:
            raise SystemExit("tockly-crewd did not start: " + line)
        self.port = int(m.group(1))
        self.conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=30)

    def post(self, path, body):
        self.conn.request("POST", path, json.dumps(body), {"Content-Type": "application/json"})
        r = self.conn.getresponse()
        data = json.loads(r.read())
        if r.status != 200:
            raise SystemExit(f"{path}: {r.status} {data}")
        return data

    def stop(self):
        self.conn.close()
        self.proc.terminate()
        self.proc.wait(30)


def seed(server, crews):
    """crews crews of 20 members, each member with 14 days; returns (fetched code, members)."""
    members = []
    for c in range(crews):
        first = server.post("/api/crew", {"crewName": f"Bench {c}", "nickname": "Member 0"})
        crew = [(first["code"], first["memberId"], "Member 0")]
        for i in range(1, 20):
            j = server.post("/api/join", {"code": first["code"], "nickname": f"Member {i}"})
            crew.append((first["code"], j["memberId"], f"Member {i}"))
        for code, member_id, nick in crew:
            days = {day(-d): 1800.0 + 97 * d + len(nick) for d in range(14)}
            server.post("/api/report", {"code": code, "memberId": member_id, "nickname": nick, "days": days})
        members += crew
    return members[0][0], members


def report_script(members, folder):
    """A wrk script that reports today and the 7 days before, as the app does, for a random member."""
    rows = ",\n".join(f'{{"{c}","{m}","{n}"}}' for c, m, n in members)
    days = ",".join(f'"{day(-d)}"' for d in range(8))
    path = os.path.join(folder, "report.lua")
    with open(path, "w") as f:
        f.write(f"""
local members = {{
{rows}
}}
local days = {{{days}}}
local headers = {{["Content-Type"] = "application/json"}}
request = function()
  local m = members[math.random(#members)]
  local parts = {{}}
  for i, d in ipairs(days) do parts[i] = '"' .. d .. '":' .. math.random(0, 30000) end
  local body = '{{"code":"' .. m[1] .. '","memberId":"' .. m[2] .. '","nickname":"' .. m[3] ..
    '","days":{{' .. table.concat(parts, ",") .. '}}}}'
  return wrk.format("POST", "/api/report", headers, body)
end
""")
    return path


def wrk(port, path, seconds, connections, script=None):
    cmd = ["wrk", "-t2", f"-c{connections}", f"-d{seconds}s", "--latency", "--timeout", "5s"]
    if script:
        cmd += ["-s", script]
    out = subprocess.run(cmd + [f"http://127.0.0.1:{port}{path}"], capture_output=True, text=True,
                         timeout=seconds + 60).stdout
    rate = float(re.search(r"Requests/sec:\s+([\d.]+)", out).group(1))
    p99 = re.search(r"99%\s+([\d.]+)(us|ms|s)\b", out)
    p99ms = float(p99.group(1)) * {"us": 0.001, "ms": 1.0, "s": 1000.0}[p99.group(2)]
    bad = re.search(r"Non-2xx or 3xx responses:\s+(\d+)", out)
    errors = re.search(r"Socket errors: connect (\d+), read (\d+), write (\d+), timeout (\d+)", out)
    failures = (int(bad.group(1)) if bad else 0) + (sum(map(int, errors.groups())) if errors else 0)
    if failures:
        print(f"  {path}: " + "; ".join(m.group(0) for m in (bad, errors) if m), flush=True)
    return rate, p99ms, failures


def bench(crewd, db, args, folder):
    server = Server(crewd, db, threads=args.connections + 32, connections=args.db_connections)
    try:
        code, members = seed(server, crews=1 if args.quick else 10)
        script = report_script(members, folder)
        rows = {}
        for name, path, s in [("healthz", "/healthz", None), ("fetch", f"/api/crew/{code}", None),
                              ("report", "/api/report", script)]:
            rows[name] = wrk(server.port, path, args.seconds, args.connections, s)
        return rows
    finally:
        server.stop()


def engine_runs(engine, args, folder):
    """Each build's rows, per round, on a fresh database each time."""
    runs = {crewd: [] for crewd in args.crewd}
    state = os.path.join(folder, "pg.state")
    if engine != "sqlite":
        # The cluster keeps PostgreSQL's own defaults for durability (fsync on).
        subprocess.run([PG_CLUSTER, "start", state, "--durable"], check=True)
    try:
        for n in range(args.rounds):
            for i, crewd in enumerate(args.crewd):
                name = f"bench{n}_{i}"
                if engine == "sqlite":
                    db = "sqlite:" + os.path.join(folder, name + ".sqlite")
                else:
                    url = open(state).read().split()[1]
                    subprocess.run(["psql", "-q", url, "-c", f"CREATE DATABASE {name}"], check=True)
                    db = url.rsplit("/", 1)[0] + "/" + name
                runs[crewd].append(bench(crewd, db, args, folder))
    finally:
        if engine != "sqlite":
            subprocess.run([PG_CLUSTER, "stop", state])
    return runs


def median_rows(rounds):
    return {name: tuple(statistics.median(r[name][k] for r in rounds) for k in range(2))
            + (sum(r[name][2] for r in rounds),) for name in rounds[0]}


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--quick", action="store_true", help="1-second runs on SQLite, as a smoke test")
    p.add_argument("--engines", default=None)
    p.add_argument("--seconds", type=int, default=10)
    p.add_argument("--connections", type=int, default=64)
    p.add_argument("--db-connections", type=int, default=4, help="PostgreSQL connections")
    p.add_argument("--crewd", action="append", help="a tockly-crewd to measure (default: this build's)")
    p.add_argument("--rounds", type=int, default=1, help="turns each build takes")
    args = p.parse_args()
    if args.quick:
        args.seconds = 1
    args.crewd = args.crewd or [CREWD]
    engines = (args.engines or ("sqlite" if args.quick else "sqlite,postgresql")).split(",")
    if not shutil.which("wrk"):
        raise SystemExit("wrk is not installed (scripts/deps bench)")
    print(f"tockly-crewd under wrk: {args.connections} connections, {args.seconds} s per run, "
          f"{args.rounds} round(s), {os.cpu_count()} cores shared by server and wrk, load average "
          f"{os.getloadavg()[0]:.1f} before the start")
    builds = [chr(ord("A") + i) for i in range(len(args.crewd))]
    for build, crewd in zip(builds, args.crewd):
        print(f"  {build}: {crewd}")
    failed = 0
    for engine in engines:
        with tempfile.TemporaryDirectory() as folder:
            os.chmod(folder, 0o755)
            runs = engine_runs(engine, args, folder)
        table = {crewd: median_rows(rounds) for crewd, rounds in runs.items()}
        first, last = table[args.crewd[0]], table[args.crewd[-1]]
        print(f"\n{engine}:")
        print(f"  {'request':<10}" + "".join(f"{b + ' req/s':>12}{b + ' p99 ms':>11}{b + ' errors':>10}"
                                             for b in builds)
              + (f"{builds[-1] + '/' + builds[0]:>8}" if len(builds) > 1 else ""))
        for name in first:
            line = f"  {name:<10}"
            for crewd in args.crewd:
                rate, p99, errors = table[crewd][name]
                line += f"{rate:>12.0f}{p99:>11.2f}{errors:>10}"
                failed += errors
            if len(builds) > 1:
                line += f"{last[name][0] / first[name][0]:>8.0%}"
            print(line)
        print("  fetch / healthz: " + ", ".join(
            f"{b} {table[c]['fetch'][0] / table[c]['healthz'][0]:.0%}" for b, c in zip(builds, args.crewd)))
        if not args.quick:
            for b, crewd in zip(builds, args.crewd):
                rows = table[crewd]
                checks = [("fetch >= 5000 req/s", rows["fetch"][0] >= 5000),
                          ("report >= 2000 req/s", rows["report"][0] >= 2000),
                          ("fetch >= 40% of /healthz", rows["fetch"][0] >= 0.4 * rows["healthz"][0])]
                if engine == "sqlite":
                    checks.insert(1, ("fetch p99 <= 20 ms", rows["fetch"][1] <= 20))
                print(f"  targets {b}: " + ", ".join(f"{n} {'met' if ok else 'MISSED'}" for n, ok in checks))
    if failed:
        raise SystemExit(f"{failed} requests failed")


if __name__ == "__main__":
    main()
