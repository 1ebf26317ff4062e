#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tockly developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""A normal client's /healthz latency on tockly-crewd, first alone and then beside a slow-client
flood: connections that send a request line and then one more header line every few seconds,
never finishing, reconnecting --reconnect seconds after the server closes them. The flood comes from --addresses
loopback addresses (127.0.0.2, 127.0.0.3, ...), the normal client from 127.0.0.1. Prints the
latency percentiles and how the server treated the flood. --crewd may be given more than once,
to compare builds side by side in one run (the service's default options each time); they take
turns, --rounds times, and each build's percentiles are over all of its rounds.

  bench_slow_clients [--crewd PATH]... [--flood 300] [--addresses 1] [--trickle 2] [--seconds 20]
                     [--reconnect 0] [--rounds 1]
"""
import argparse, http.client, os, re, selectors, socket, subprocess, tempfile, threading, time

CREWD = "@CMAKE_BINARY_DIR@/server/tockly-crewd"


def start(crewd, folder):
    proc = subprocess.Popen([crewd, "--listen", "127.0.0.1:0", "--db",
                             "sqlite:" + os.path.join(folder, "crewd.sqlite")],
                            stdout=subprocess.PIPE, text=True)
    m = re.search(r"listening on 127\.0\.0\.1:(\d+)", proc.stdout.readline())
    if not m:
        raise SystemExit("tockly-crewd did not start")
    return proc, int(m.group(1))


def probe(port, seconds, clients=4):
    """Latencies in ms of /healthz, each on a fresh connection, from `clients` sequential
    clients; a request that gets no 200 within 60 s counts as a failure."""
    latencies, failures, end = [], [0], time.monotonic() + seconds

    def client():
        while time.monotonic() < end:
            began = time.perf_counter()
            try:
                c = http.client.HTTPConnection("127.0.0.1", port, timeout=60)
                c.request("GET", "/healthz")
                ok = c.getresponse().status == 200
                c.close()
            except OSError:
                ok = False
            if ok:
                latencies.append((time.perf_counter() - began) * 1000)
            else:
                failures[0] += 1
            time.sleep(0.05)

    threads = [threading.Thread(target=client) for _ in range(clients)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    return sorted(latencies), failures[0]


class Flood:
    """Slow connections, kept at `count`, spread over `addresses` source addresses."""

    def __init__(self, port, count, addresses, trickle, reconnect):
        self.port, self.count, self.addresses, self.trickle = port, count, addresses, trickle
        self.reconnect = reconnect
        self.waiting = []  # (when, n): connections to open again
        self.stop = threading.Event()
        self.opened = self.closed_by_server = 0
        self.lifetimes = []
        self.thread = threading.Thread(target=self.run)

    def connect(self, sel, n):
        s = socket.socket()
        s.setblocking(False)
        s.bind((f"127.0.0.{2 + n % self.addresses}", 0))
        try:
            s.connect(("127.0.0.1", self.port))
        except BlockingIOError:
            pass
        s.setblocking(True)
        try:
            s.send(b"GET /healthz HTTP/1.1\r\nHost: bench\r\n")
        except OSError:
            pass
        s.setblocking(False)
        self.opened += 1
        sel.register(s, selectors.EVENT_READ, [time.monotonic(), time.monotonic(), n])

    def run(self):
        sel = selectors.DefaultSelector()
        for n in range(self.count):
            self.connect(sel, n)
        line = 0
        while not self.stop.is_set():
            for key, _ in sel.select(0.1):
                try:
                    data = key.fileobj.recv(4096)
                except OSError:
                    data = b""
                if not data:  # the server closed it: come back, as an attacker would
                    self.closed_by_server += 1
                    self.lifetimes.append(time.monotonic() - key.data[0])
                    sel.unregister(key.fileobj)
                    key.fileobj.close()
                    self.waiting.append((time.monotonic() + self.reconnect, key.data[2]))
            now = time.monotonic()
            due = [n for when, n in self.waiting if when <= now]
            self.waiting = [(when, n) for when, n in self.waiting if when > now]
            for n in due:
                self.connect(sel, n)
            for key in list(sel.get_map().values()):
                if now - key.data[1] >= self.trickle:
                    key.data[1] = now
                    line += 1
                    try:
                        key.fileobj.send(b"X-Slow-%d: 1\r\n" % line)
                    except OSError:
                        pass
        for key in list(sel.get_map().values()):
            key.fileobj.close()


def pct(values, p):
    return values[min(len(values) - 1, int(len(values) * p / 100))] if values else float("nan")


def run(crewd, args):
    """Latencies alone and beside the flood, failures of each, and how long the flood was held."""
    with tempfile.TemporaryDirectory() as folder:
        proc, port = start(crewd, folder)
        try:
            alone = probe(port, args.seconds)
            flood = Flood(port, args.flood, args.addresses, args.trickle, args.reconnect)
            flood.thread.start()
            time.sleep(3)
            loaded = probe(port, args.seconds)
            flood.stop.set()
            flood.thread.join()
        finally:
            proc.terminate()
            proc.wait(30)
    return alone, loaded, (flood.opened, flood.closed_by_server, flood.lifetimes)


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--crewd", action="append")
    p.add_argument("--flood", type=int, default=300)
    p.add_argument("--addresses", type=int, default=1)
    p.add_argument("--trickle", type=float, default=2.0)
    p.add_argument("--seconds", type=int, default=20)
    p.add_argument("--reconnect", type=float, default=0.0)
    p.add_argument("--rounds", type=int, default=1)
    args = p.parse_args()
    crewds = args.crewd or [CREWD]
    print(f"{args.flood} slow connections from {args.addresses} address(es), a header line every "
          f"{args.trickle:g} s, back {args.reconnect:g} s after each close; {args.seconds} s of "
          f"/healthz alone and beside them; {args.rounds} round(s); {os.cpu_count()} cores, load "
          f"average {os.getloadavg()[0]:.1f} before the start")
    results = {crewd: [] for crewd in crewds}
    for _ in range(args.rounds):
        for crewd in crewds:
            results[crewd].append(run(crewd, args))
    builds = [chr(ord("A") + i) for i in range(len(crewds))]
    for build, crewd in zip(builds, crewds):
        print(f"  {build}: {crewd}")
    print(f"\n  {'/healthz':<18}{'requests':>9}{'failed':>8}{'p50 ms':>10}{'p99 ms':>10}{'max ms':>10}"
          "  p99 ms of each round")
    for phase, name in [(0, "alone"), (1, "beside flood")]:
        for build, crewd in zip(builds, crewds):
            lat = sorted(x for r in results[crewd] for x in r[phase][0])
            failed = sum(r[phase][1] for r in results[crewd])
            rounds = " ".join(f"{pct(r[phase][0], 99):.1f}" for r in results[crewd])
            print(f"  {build} {name:<16}{len(lat):>9}{failed:>8}{pct(lat, 50):>10.1f}"
                  f"{pct(lat, 99):>10.1f}{(lat[-1] if lat else float('nan')):>10.1f}  {rounds}")
    for build, crewd in zip(builds, crewds):
        opened = sum(r[2][0] for r in results[crewd])
        closed = sum(r[2][1] for r in results[crewd])
        held = sorted(x for r in results[crewd] for x in r[2][2])
        print(f"  {build} flood: {opened} connections opened, {closed} closed by the server"
              + (f", after {pct(held, 50):.1f} s (median), {held[-1]:.1f} s (longest)"
                 if held else ""))


if __name__ == "__main__":
    main()
