"""Start-up on Wayland, for bench/measure.py: a headless sway, and one timed run of a program on it
by the same probe (bench/window_probe.cpp) that times the X11 runs.

The probe cannot see a Wayland window map, so it runs with --mapped-on-stdin: it prints the
program's pid, and this module tells it "mapped" when sway's IPC sends the `window` event `new` for
that pid. sway sends it from view_map(), when the surface gets its first buffer, so Wayland's
*mapped* already holds the first frame, which X11's MapNotify precedes: the two *mapped* figures
are not alike, and the budget compares *loaded* (mapped, then idle by the probe's one rule) instead.

sway refuses to run as root, so as root it runs as `nobody` (setpriv); the programs run as the
caller and reach its socket by its full path. Every window floats, at the size it asks for, as on
Xvfb without a window manager.
"""

import contextlib
import json
import os
import pwd
import select
import shutil
import socket
import struct
import subprocess
import tempfile
import time

COMPOSITOR_USER = "nobody"
IPC_MAGIC = b"i3-ipc"
IPC_SUBSCRIBE = 2
IPC_WINDOW_EVENT = 0x80000003
QT_WAYLAND_PLUGIN = "/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so"
START_SECONDS = 20


def unavailable():
    """Why Wayland cannot be measured here, or None."""
    if shutil.which("sway") is None:
        return "sway is not installed"
    if os.geteuid() == 0 and shutil.which("setpriv") is None:
        return "sway refuses root, and setpriv (to run it as nobody) is missing"
    if not os.path.exists(QT_WAYLAND_PLUGIN):
        return "Qt's Wayland plugin (qt6-wayland) is not installed"
    return None


class Compositor:
    """sway on its headless backend, with a screen of `width` x `height`; a directory of its own,
    which `nobody` can reach, is removed at the end."""

    def __init__(self, width, height):
        self.dir = None
        self.size = (width, height)
        self.wayland_display = None
        self.ipc_path = None
        self._sway = None

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _start(self):
        self.dir = tempfile.mkdtemp(prefix="kestrow-bench-sway.")
        os.chmod(self.dir, 0o755)  # the compositor reads its configuration here
        runtime = os.path.join(self.dir, "runtime")
        os.mkdir(runtime, 0o700)
        prefix = []
        if os.geteuid() == 0:
            user = pwd.getpwnam(COMPOSITOR_USER)
            os.chown(runtime, user.pw_uid, user.pw_gid)
            prefix = ["setpriv", f"--reuid={user.pw_uid}", f"--regid={user.pw_gid}", "--clear-groups",
                      "--pdeathsig", "TERM"]
        config = os.path.join(self.dir, "sway.conf")
        with open(config, "w") as file:
            file.write("xwayland disable\n"
                       f"output HEADLESS-1 resolution {self.size[0]}x{self.size[1]} scale 1\n"
                       # Not `[all]`, which sway 1.7 rejects; every program measured here sets an app id.
                       "for_window [app_id=\".*\"] floating enable\n")
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": runtime, "XDG_RUNTIME_DIR": runtime,
               "WLR_BACKENDS": "headless", "WLR_RENDERER": "pixman", "WLR_LIBINPUT_NO_DEVICES": "1"}
        with open(self.log_path(), "wb") as log:
            self._sway = subprocess.Popen([*prefix, "sway", "-c", config], env=env, stdin=subprocess.DEVNULL,
                                          stdout=log, stderr=log)
        deadline = time.monotonic() + START_SECONDS
        while True:
            if self._sway.poll() is not None:
                raise RuntimeError("sway exited: " + self.log_tail())
            names = os.listdir(runtime)
            wayland = [n for n in names if n.startswith("wayland-") and not n.endswith(".lock")]
            ipc = [n for n in names if n.startswith("sway-ipc.")]
            if wayland and ipc:
                self.wayland_display = os.path.join(runtime, wayland[0])
                self.ipc_path = os.path.join(runtime, ipc[0])
                return
            if time.monotonic() > deadline:
                raise RuntimeError("sway made no sockets: " + self.log_tail())
            time.sleep(0.02)

    def log_path(self):
        return os.path.join(self.dir, "sway.log")

    def log_tail(self):
        with contextlib.suppress(OSError), open(self.log_path(), errors="replace") as file:
            return file.read()[-1000:]
        return ""

    def __exit__(self, *exc):
        if self._sway is not None and self._sway.poll() is None:
            self._sway.terminate()
            try:
                self._sway.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self._sway.kill()
                self._sway.wait()
        if self.dir:
            shutil.rmtree(self.dir, ignore_errors=True)
        return False

    def env(self, base):
        """A program's environment on this compositor, from its X11 one."""
        env = {k: v for k, v in base.items() if k not in ("DISPLAY", "XAUTHORITY")}
        env.update(WAYLAND_DISPLAY=self.wayland_display, QT_QPA_PLATFORM="wayland",
                   XDG_SESSION_TYPE="wayland")
        return env


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
                raise RuntimeError("sway closed its IPC socket")
            self.buffer += chunk

    def close(self):
        self.socket.close()


def _read_line(stream, deadline):
    line = b""
    while not line.endswith(b"\n"):
        remaining = deadline - time.monotonic()
        if remaining <= 0 or not select.select([stream], [], [], remaining)[0]:
            return None
        chunk = os.read(stream.fileno(), 1)
        if not chunk:
            return None
        line += chunk
    return line.decode()


def probe_run(compositor, probe_command, env, timeout):
    """One run of `probe_command` (the probe with --mapped-on-stdin, its options and the program)
    on the compositor; returns the probe's result line."""
    ipc = SwayIpc(compositor.ipc_path)
    try:
        # Subscribed before the start, so that the window's event cannot be missed.
        ipc.send(IPC_SUBSCRIBE, '["window"]')
        reply = ipc.receive(time.monotonic() + 10)
        if not reply or not reply[1].get("success"):
            raise RuntimeError("sway refused the subscription")
        deadline = time.monotonic() + timeout
        with subprocess.Popen(probe_command, env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE) as probe:
            first = _read_line(probe.stdout, deadline) or ""
            pid = int(first.split("=", 1)[1]) if first.startswith("pid=") else None
            while pid is not None:
                message = ipc.receive(deadline)
                if message is None:
                    break
                kind, event = message
                # sway names the window in a `title` event after this one: the pid tells it apart.
                if (kind == IPC_WINDOW_EVENT and event.get("change") == "new"
                        and event.get("container", {}).get("pid") == pid):
                    probe.stdin.write(b"mapped\n")
                    break
            probe.stdin.close()  # no map: the probe stops the program and reports it
            output = probe.stdout.read().decode()
            probe.wait()
        return output.strip().splitlines()[-1] if output.strip() else "status=error"
    finally:
        ipc.close()
