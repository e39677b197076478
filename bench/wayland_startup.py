#!/usr/bin/env python3
"""Start-up on Wayland against X11, side by side: the time from the process start until its window
is mapped, for each program on a headless sway and on Xvfb, in interleaved runs, with medians.

X11: bench/window_probe.cpp (kestrow_window_probe) on Xvfb without a window manager, which times
fork to MapNotify. Wayland: this program on sway's headless backend, which times fork to sway's IPC
`window` event `new`: sway sends it from view_map(), when the surface gets its first buffer, so the
Wayland figure also holds the painting of the first frame, which the X11 map event precedes.

Runs as root, in a private mount namespace with its own /tmp (the programs read the fixed list path
there, so no other run on the machine meets it); sway, which refuses root, runs as `nobody`.

  cmake --preset release && cmake --build --preset release
  sudo bench/wayland_startup.py --runs 31 --x11-probe build/release/bench/kestrow_window_probe \
      --program kestrow build/release/kestrow/app/kestrow \
      --program bare build/release/bench/kestrow_bare_window

Each --program LABEL PATH is started with no arguments, so an older build can be given beside the
current one. Every program gets the list file with --names names (10 by default) and the same
environment: no session bus, a private XDG_RUNTIME_DIR, LANG=C.UTF-8, Xvfb or sway at 1280 x 1024.
Needs Xvfb, sway, setpriv and the Qt Wayland plugin (scripts/deps lists them).
"""

import argparse
import json
import os
import pwd
import select
import shutil
import signal
import socket
import statistics
import struct
import subprocess
import sys
import tempfile
import time

LIST_FILE = "/tmp/installer-printer-names.txt"
COMPOSITOR_USER = "nobody"
IPC_MAGIC = b"i3-ipc"
IPC_SUBSCRIBE = 2
IPC_WINDOW_EVENT = 0x80000003
SWAY_CONFIG = "xwayland disable\noutput HEADLESS-1 resolution 1280x1024\n"


def names(count):
    """The same kind of names as scripts/bench's lists: vendor, model, place, number."""
    vendors = "HP Canon Epson Brother Xerox Lexmark Ricoh Kyocera".split()
    models = "LaserJet-M507 imageRUNNER WorkForce-Pro HL-L8360 VersaLink-C7 MX-822ade".split()
    places = "Floor3 Lab-B Office12 Büro Café Zürich".split()
    return "".join(f"{vendors[i % 8]} {models[i % 6]} {places[i % 6]}-{i}\n" for i in range(1, count + 1))


def in_private_tmp():
    """Re-runs this program in a private mount namespace with a fresh /tmp, once."""
    if os.environ.get("KESTROW_BENCH_PRIVATE_TMP") == "1":
        subprocess.run(["mount", "-t", "tmpfs", "-o", "mode=1777", "tmpfs", "/tmp"], check=True)
        return
    if os.geteuid() != 0:
        sys.exit("wayland_startup.py: run as root (a private /tmp, and sway as an unprivileged user)")
    env = dict(os.environ, KESTROW_BENCH_PRIVATE_TMP="1")
    os.execvpe("unshare", ["unshare", "--mount", "--net", "--propagation", "private", sys.executable,
                           os.path.abspath(__file__), *sys.argv[1:]], env)


def wait_for(predicate, what, seconds=20, interval=0.02):
    deadline = time.monotonic() + seconds
    while not predicate():
        if time.monotonic() > deadline:
            sys.exit(f"wayland_startup.py: gave up waiting for {what}")
        time.sleep(interval)


class Servers:
    """Xvfb and a headless sway, both private to this run."""

    def __init__(self, work):
        self.work = work
        self.processes = []
        self.base_env = {"PATH": "/usr/bin:/bin", "HOME": work, "LANG": "C.UTF-8",
                         "XDG_RUNTIME_DIR": os.path.join(work, "runtime")}
        os.mkdir(self.base_env["XDG_RUNTIME_DIR"], 0o700)

        read_end, write_end = os.pipe()
        self.processes.append(subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
             "-noreset"], pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=open(os.path.join(work, "xvfb.log"), "wb")))
        os.close(write_end)
        # Xvfb writes the number and the line feed apart, and dies if the pipe is closed between.
        number = b""
        while not number.endswith(b"\n"):
            if not select.select([read_end], [], [], 20)[0] or not (chunk := os.read(read_end, 64)):
                sys.exit("wayland_startup.py: Xvfb did not start")
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()

        user = pwd.getpwnam(COMPOSITOR_USER)
        sway_runtime = os.path.join(work, "sway-runtime")
        os.mkdir(sway_runtime, 0o700)
        os.chown(sway_runtime, user.pw_uid, user.pw_gid)
        config = os.path.join(work, "sway.conf")
        with open(config, "w") as file:
            file.write(SWAY_CONFIG)
        os.chmod(work, 0o755)
        sway_env = {"PATH": "/usr/bin:/bin", "HOME": sway_runtime, "XDG_RUNTIME_DIR": sway_runtime,
                    "WLR_BACKENDS": "headless", "WLR_RENDERER": "pixman", "WLR_LIBINPUT_NO_DEVICES": "1"}
        with open(os.path.join(work, "sway.log"), "wb") as log:
            self.processes.append(subprocess.Popen(
                ["setpriv", f"--reuid={user.pw_uid}", f"--regid={user.pw_gid}", "--clear-groups",
                 "sway", "-c", config], env=sway_env, stdin=subprocess.DEVNULL, stdout=log, stderr=log))

        def sockets():
            entries = os.listdir(sway_runtime)
            wayland = [e for e in entries if e.startswith("wayland-") and not e.endswith(".lock")]
            ipc = [e for e in entries if e.startswith("sway-ipc.")]
            return (os.path.join(sway_runtime, wayland[0]), os.path.join(sway_runtime, ipc[0])) \
                if wayland and ipc else None
        wait_for(sockets, "sway's sockets")
        self.wayland_display, self.swaysock = sockets()

    def env(self, platform):
        env = dict(self.base_env)
        if platform == "x11":
            env.update(DISPLAY=self.display, QT_QPA_PLATFORM="xcb")
        else:
            env.update(WAYLAND_DISPLAY=self.wayland_display, QT_QPA_PLATFORM="wayland")
        return env

    def stop(self):
        for process in reversed(self.processes):
            process.terminate()
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()


class SwayIpc:
    def __init__(self, path):
        self.socket = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.socket.connect(path)
        self.buffer = b""

    def send(self, kind, payload):
        data = payload.encode()
        self.socket.sendall(IPC_MAGIC + struct.pack("=II", len(data), kind) + data)

    def receive(self, deadline):
        """The next message (type, decoded JSON), or None at the deadline."""
        header = len(IPC_MAGIC) + 8
        while True:
            if len(self.buffer) >= header:
                length, kind = struct.unpack("=II", self.buffer[len(IPC_MAGIC):header])
                if len(self.buffer) >= header + length:
                    body = self.buffer[header:header + length]
                    self.buffer = self.buffer[header + length:]
                    return kind, json.loads(body)
            remaining = deadline - time.monotonic()
            if remaining <= 0 or not select.select([self.socket], [], [], remaining)[0]:
                return None
            chunk = self.socket.recv(65536)
            if not chunk:
                sys.exit("wayland_startup.py: sway closed its IPC socket")
            self.buffer += chunk

    def close(self):
        self.socket.close()


def stop(process):
    """Ends the program and whatever it started (it runs in a session of its own)."""
    if process.poll() is None:
        os.killpg(process.pid, signal.SIGTERM)
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()


def wayland_mapped_ms(servers, path, timeout=30):
    """Milliseconds from just before fork until sway maps the program's first window."""
    ipc = SwayIpc(servers.swaysock)
    try:
        ipc.send(IPC_SUBSCRIBE, '["window"]')
        reply = ipc.receive(time.monotonic() + 10)
        if not reply or not reply[1].get("success"):
            sys.exit("wayland_startup.py: sway refused the subscription")
        started = time.monotonic()
        process = subprocess.Popen([path], env=servers.env("wayland"), stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   start_new_session=True)
        try:
            deadline = started + timeout
            while True:
                message = ipc.receive(deadline)
                if message is None:
                    return None
                kind, event = message
                container = event.get("container", {})
                # sway names the window in a `title` event after this one: the pid tells it apart.
                if (kind == IPC_WINDOW_EVENT and event.get("change") == "new"
                        and container.get("pid") == process.pid):
                    return (time.monotonic() - started) * 1000
        finally:
            stop(process)
    finally:
        ipc.close()


def x11_mapped_ms(servers, probe, path, title):
    result = subprocess.run([probe, "--title", title, "--settle", "20", "--timeout", "30", "--", path],
                            env=servers.env("x11"), capture_output=True, text=True)
    fields = dict(item.split("=", 1) for item in result.stdout.split() if "=" in item)
    return float(fields["mapped_ms"]) if "mapped_ms" in fields else None


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--runs", type=int, default=21)
    parser.add_argument("--names", type=int, default=10)
    parser.add_argument("--x11-probe", required=True, help="kestrow_window_probe")
    parser.add_argument("--program", nargs=2, action="append", metavar=("LABEL", "PATH"), required=True)
    args = parser.parse_args()
    args.x11_probe = os.path.abspath(args.x11_probe)
    programs = []
    for label, path in args.program:
        bare = os.path.basename(path).startswith("kestrow_bare")
        programs.append((label, os.path.abspath(path), "Bare Qt Window" if bare else "Orvane Setup"))
    in_private_tmp()

    work = tempfile.mkdtemp(prefix="kestrow-wayland-bench.")
    servers = Servers(work)
    results = {(label, platform): [] for label, _, _ in programs for platform in ("x11", "wayland")}
    try:
        with open(LIST_FILE, "w") as file:
            file.write(names(args.names))
        # One unmeasured warm-up of each (shared libraries, font caches), then interleaved runs.
        for run in range(args.runs + 1):
            for label, path, title in programs:
                for platform in ("x11", "wayland"):
                    value = (x11_mapped_ms(servers, args.x11_probe, path, title) if platform == "x11"
                             else wayland_mapped_ms(servers, path))
                    if run > 0:
                        results[(label, platform)].append(value)
                        shown = "time-out" if value is None else f"{value:.1f} ms"
                        print(f"run {run:3d} {label:>12} {platform:>7}: {shown}", flush=True)
    finally:
        servers.stop()
        shutil.rmtree(work, ignore_errors=True)

    print(f"\nStart to window mapped, medians of {args.runs} interleaved runs ({args.names} names):\n")
    print("| program | X11 ms | Wayland ms | Wayland / X11 |")
    print("|---------|-------:|-----------:|--------------:|")
    for label, _, _ in programs:
        medians = {}
        for platform in ("x11", "wayland"):
            values = [v for v in results[(label, platform)] if v is not None]
            medians[platform] = statistics.median(values) if values else None
        x11, wayland = medians["x11"], medians["wayland"]
        ratio = f"{wayland / x11:.2f}" if x11 and wayland else "-"
        print(f"| {label} | {x11 or 0:.1f} | {wayland or 0:.1f} | {ratio} |")


if __name__ == "__main__":
    main()
