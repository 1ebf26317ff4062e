#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tockly developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""tockly-inputd beside the application's own evdev path (EvdevInputSource alone, in an event
loop: bench_evdev_reader), both fed the same streams through named pipes in one run:

  - CPU per 100,000 events written at once (key presses and releases, as a keyboard frames them),
    the median of several rounds taken in turns;
  - CPU while someone types at 20 keys a second, and while a mouse reports at 1000 Hz (one
    small write per frame, so one wake-up each, as a device delivers them): the heaviest
    sustained input a desktop sees, as a share of one core;
  - wake-ups without any input: every 100 ms the voluntary context switches of all threads are
    read, and each slice in which they grew is one wake-up (target: none).

CPU is the time on a CPU of all the process's threads (/proc/PID/task/*/schedstat, in ns).

  bench_inputd [--events 100000] [--rounds 5] [--steady 10] [--idle 120] [--check]

--check only proves that the measurement works (short phases, under ctest).
"""
import argparse, fcntl, os, shutil, statistics, struct, subprocess, sys, tempfile, termios, time

INPUTD = "@CMAKE_BINARY_DIR@/inputd/tockly-inputd"
READER = "@CMAKE_CURRENT_BINARY_DIR@/bench_evdev_reader"
BUS_CONFIG = "@PROJECT_SOURCE_DIR@/tests/support/test-system-bus.conf"
sys.path.insert(0, "@PROJECT_SOURCE_DIR@/bench/footprint")
from footprint import voluntary_switches  # noqa: E402

EV_SYN, EV_KEY, EV_REL = 0, 1, 2
KEY_A, REL_X, REL_Y = 30, 0, 1


def record(type_, code, value):
    # struct input_event on 64-bit Linux: a timeval, then type, code and value.
    return struct.pack("<qqHHi", 0, 0, type_, code, value)


def keystrokes(events):
    frame = (record(EV_KEY, KEY_A, 1) + record(EV_SYN, 0, 0) +
             record(EV_KEY, KEY_A, 0) + record(EV_SYN, 0, 0))
    return frame * (events // 4)


MOUSE_REPORT = record(EV_REL, REL_X, 3) + record(EV_REL, REL_Y, -2) + record(EV_SYN, 0, 0)
KEY_DOWN = record(EV_KEY, KEY_A, 1) + record(EV_SYN, 0, 0)
KEY_UP = record(EV_KEY, KEY_A, 0) + record(EV_SYN, 0, 0)
# Faster than anyone types for long (about 240 words a minute).
TYPING_KEYS_PER_SECOND = 20


def cpu_ns(pid):
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except OSError:
            pass
    return total


def pipe_into(folder, name):
    """A named pipe put in place whole, with this process as its writer."""
    hidden = os.path.join(folder, "." + name)
    os.mkfifo(hidden, 0o600)
    fd = os.open(hidden, os.O_RDWR)
    path = os.path.join(folder, name)
    os.rename(hidden, path)
    return fd, path


def queued(fd):
    return struct.unpack("i", fcntl.ioctl(fd, termios.FIONREAD, b"\0\0\0\0"))[0]


def drained(fd, pid):
    """Waits until the reader emptied the pipe and then went back to sleep."""
    deadline = time.monotonic() + 60
    while queued(fd) and time.monotonic() < deadline:
        time.sleep(0.005)
    last = cpu_ns(pid)
    while time.monotonic() < deadline:
        time.sleep(0.05)
        now = cpu_ns(pid)
        if now == last:
            return not queued(fd)
        last = now
    return False


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--events", type=int, default=100000)
    ap.add_argument("--rounds", type=int, default=5)
    ap.add_argument("--steady", type=float, default=10,
                    help="seconds of fast typing, and of 1000 Hz mouse reports")
    ap.add_argument("--idle", type=float, default=120)
    ap.add_argument("--check", action="store_true")
    args = ap.parse_args()
    if args.check:
        args.rounds, args.steady, args.idle = 1, 1, 3

    tmp = tempfile.mkdtemp(prefix="tockly-bench-inputd-")
    folder = os.path.join(tmp, "input")
    os.mkdir(folder)
    procs = []
    try:
        bus = subprocess.Popen(["dbus-daemon", "--nofork", "--print-address=1",
                                "--config-file=" + BUS_CONFIG],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        procs.append(bus)
        address = bus.stdout.readline().strip()
        env = dict(os.environ, DBUS_SYSTEM_BUS_ADDRESS=address)

        service_fd, _ = pipe_into(folder, "seat0-bench")
        service = subprocess.Popen([INPUTD, "--devices", folder], env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        procs.append(service)
        if "serving" not in service.stderr.readline():
            raise SystemExit("tockly-inputd did not start")
        reader_fd, reader_path = pipe_into(tmp, "reader")
        reader = subprocess.Popen([READER, reader_path], env=env, stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, text=True)
        procs.append(reader)
        if reader.stdout.readline().strip() != "ready":
            raise SystemExit("bench_evdev_reader did not start")
        sides = {"tockly-inputd": (service.pid, service_fd),
                 "app evdev path": (reader.pid, reader_fd)}

        # Bulk: the same stream to each in turn, every round in the other order.
        stream = keystrokes(args.events)
        per_100k = {name: [] for name in sides}
        for r in range(args.rounds):
            for name in (list(sides) if r % 2 == 0 else list(reversed(sides))):
                pid, fd = sides[name]
                before = cpu_ns(pid)
                write_all(fd, stream)
                if not drained(fd, pid):
                    raise SystemExit(f"{name} did not read the stream")
                per_100k[name].append((cpu_ns(pid) - before) * 100000 / args.events / 1e6)

        # Steady input to both at once, one small write per frame (so one wake-up each): fast
        # typing, then a mouse reporting at 1000 Hz.
        def paced(frames, rate, seconds):
            before = {name: cpu_ns(pid) for name, (pid, fd) in sides.items()}
            start = time.monotonic()
            n = 0
            while time.monotonic() - start < seconds:
                for pid, fd in sides.values():
                    os.write(fd, frames[n % len(frames)])
                n += 1
                time.sleep(max(0.0, start + n / rate - time.monotonic()))
            elapsed = time.monotonic() - start
            for name, (pid, fd) in sides.items():
                drained(fd, pid)
            return {name: (cpu_ns(pid) - before[name]) / 1e9 / elapsed * 100
                    for name, (pid, fd) in sides.items()}

        typing = paced([KEY_DOWN, KEY_UP], 2 * TYPING_KEYS_PER_SECOND, args.steady)
        mouse = paced([MOUSE_REPORT], 1000, args.steady)

        # Nothing at all.
        time.sleep(1)
        last = {name: voluntary_switches([pid]) for name, (pid, fd) in sides.items()}
        switches = {name: 0 for name in sides}
        wakeups = {name: 0 for name in sides}
        end = time.monotonic() + args.idle
        while time.monotonic() < end:
            time.sleep(0.1)
            for name, (pid, fd) in sides.items():
                now = voluntary_switches([pid])
                wakeups[name] += now > last[name]
                switches[name] += now - last[name]
                last[name] = now
    finally:
        for p in reversed(procs):
            p.terminate()
            p.wait()
        shutil.rmtree(tmp, ignore_errors=True)

    print(f"{args.events} events a round, {args.rounds} rounds; {args.steady:.0f} s of "
          f"{TYPING_KEYS_PER_SECOND} keys a second, then of a 1000 Hz mouse, as a share of one "
          f"core; {args.idle:.0f} s without input")
    print(f"{'':16} {'CPU per 100,000 events':>24} {'typing':>8} {'mouse':>8} "
          f"{'idle wake-ups':>14} {'(switches)':>10}")
    for name in sides:
        print(f"{name:16} {statistics.median(per_100k[name]):21.1f} ms "
              f"{typing[name]:6.2f} % {mouse[name]:6.2f} % {wakeups[name]:14d} "
              f"{switches[name]:10d}")
    ratio = statistics.median(per_100k["tockly-inputd"]) / statistics.median(
        per_100k["app evdev path"])
    print(f"tockly-inputd / app evdev path, CPU per event: {ratio:.2f}")
    if not args.check and wakeups["tockly-inputd"] > 0:
        raise SystemExit("tockly-inputd woke without input")


def write_all(fd, data):
    view = memoryview(data)
    while view:
        view = view[os.write(fd, view):]


if __name__ == "__main__":
    main()
