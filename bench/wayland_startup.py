"""Start-up on Wayland, for bench/measure.py: the compositors of the Wayland tests on their headless
backends (sway, GNOME's mutter, KDE's KWin, Weston), and one timed run of a program on one of them by
the same probe (bench/window_probe.cpp) that times the X11 runs.

The probe cannot see a Wayland window map, so it runs with --mapped-on-stdin: it prints the
program's pid, and this module tells it "mapped" when the program's window has its first buffer
committed. sway says so on its IPC (the `window` event `new` for that pid, sent from view_map() at
that commit); the others are read from their protocol log (WAYLAND_DEBUG=server): the first
wl_surface.commit, with a buffer attached, on a surface that has an xdg_toplevel (one program runs
at a time). Both hold the first frame, which X11's MapNotify precedes: the two *mapped* figures are
not alike, and the budgets compare CPU time and memory at *loaded* (mapped, then idle by the probe's
one rule), and *mapped* only where the budget was set that way.

sway refuses to run as root, so as root it runs as `nobody` (setpriv); the programs run as the
caller and reach each socket by its full path. mutter and KWin get a session bus of their own; KWin
runs as a plain copy of its binary, whose file capability a container cannot grant. Every window
opens at the size it asks for (sway: floating), as on Xvfb without a window manager.
"""

import contextlib
import json
import os
import pwd
import re
import select
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import time

for _part in ("desktop", "wayland"):
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", _part))

import headless  # noqa: E402
from desktop import start_session_bus, stop_process  # noqa: E402

COMPOSITOR_USER = "nobody"
IPC_MAGIC = b"i3-ipc"
IPC_SUBSCRIBE = 2
IPC_WINDOW_EVENT = 0x80000003
QT_WAYLAND_PLUGIN = "/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so"
START_SECONDS = 20
SOCKET_NAME = "wayland-kestrow-bench"
# The compositors end with the bench, even when it is killed.
DIES_WITH_US = ("setpriv", "--pdeathsig", "TERM")


class Compositor:
    """A compositor on its headless backend with a screen of `width` x `height`, in a directory of
    its own (which `nobody` can reach), removed at the end. A subclass gives its command line and
    how a window's map is seen (watch())."""

    NAME = None
    TOOLS = ()
    SESSION_BUS = False

    @classmethod
    def unavailable(cls):
        """Why this compositor cannot be measured here, or None."""
        missing = [tool for tool in (*cls.TOOLS, "setpriv") if shutil.which(tool) is None]
        if missing:
            return f"{', '.join(missing)} not installed"
        if not os.path.exists(QT_WAYLAND_PLUGIN):
            return "Qt's Wayland plugin (qt6-wayland) is not installed"
        return None

    def __init__(self, width, height):
        self.dir = None
        self.size = (width, height)
        self.wayland_display = None
        self._process = None
        self._bus = None

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _start(self):
        self.dir = tempfile.mkdtemp(prefix=f"kestrow-bench-{self.NAME}.")
        os.chmod(self.dir, 0o755)  # sway, as nobody, reads its configuration here
        self.runtime = os.path.join(self.dir, "runtime")
        os.mkdir(self.runtime, 0o700)
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": self.runtime,
               "XDG_RUNTIME_DIR": self.runtime, "LANG": "C.UTF-8"}
        if self.SESSION_BUS:
            with open(os.path.join(self.dir, "bus.log"), "wb") as log:
                self._bus, env["DBUS_SESSION_BUS_ADDRESS"] = start_session_bus(env, log=log, prefix=DIES_WITH_US)
        command, env, prefix = self._command(env)
        with open(self.log_path(), "wb") as log:
            self._process = subprocess.Popen([*prefix, *command], env=env, stdin=subprocess.DEVNULL,
                                             stdout=log, stderr=log, cwd=self.dir)
        deadline = time.monotonic() + START_SECONDS
        while not self._ready():
            if self._process.poll() is not None:
                raise RuntimeError(f"{self.NAME} exited: " + self.log_tail())
            if time.monotonic() > deadline:
                raise RuntimeError(f"{self.NAME} made no socket: " + self.log_tail())
            time.sleep(0.02)

    def _command(self, env):
        """The command line, its environment and the prefix that runs it."""
        raise NotImplementedError

    def _ready(self):
        path = os.path.join(self.runtime, SOCKET_NAME)
        if os.path.exists(path):
            self.wayland_display = path
            return True
        return False

    def log_path(self):
        return os.path.join(self.dir, f"{self.NAME}.log")

    def log_tail(self):
        with contextlib.suppress(OSError), open(self.log_path(), errors="replace") as file:
            return file.read()[-1000:]
        return ""

    def __exit__(self, *exc):
        stop_process(self._process)
        stop_process(self._bus, group=True)
        if self.dir:
            shutil.rmtree(self.dir, ignore_errors=True)
        return False

    def env(self, base):
        """A program's environment on this compositor, from its X11 one."""
        env = {k: v for k, v in base.items() if k not in ("DISPLAY", "XAUTHORITY")}
        env.update(WAYLAND_DISPLAY=self.wayland_display, QT_QPA_PLATFORM="wayland",
                   XDG_SESSION_TYPE="wayland")
        return env

    def watch(self):
        """What sees the next window's first frame: an object with mapped(pid, deadline) and close(),
        made before the program starts."""
        return FirstFrame(self.log_path(), self.running)

    def running(self):
        return self._process is not None and self._process.poll() is None


class Sway(Compositor):
    NAME = "sway"
    TOOLS = ("sway",)

    def _command(self, env):
        prefix = list(DIES_WITH_US)
        if os.geteuid() == 0:
            user = pwd.getpwnam(COMPOSITOR_USER)
            os.chown(self.runtime, user.pw_uid, user.pw_gid)
            prefix = ["setpriv", f"--reuid={user.pw_uid}", f"--regid={user.pw_gid}", "--clear-groups",
                      "--pdeathsig", "TERM"]
        config = os.path.join(self.dir, "sway.conf")
        with open(config, "w") as file:
            file.write("xwayland disable\n"
                       f"output HEADLESS-1 resolution {self.size[0]}x{self.size[1]} scale 1\n"
                       # Not `[all]`, which sway 1.7 rejects; every program measured here sets an app id.
                       "for_window [app_id=\".*\"] floating enable\n")
        env.update(WLR_BACKENDS="headless", WLR_RENDERER="pixman", WLR_LIBINPUT_NO_DEVICES="1")
        return ["sway", "-c", config], env, prefix

    def _ready(self):
        names = os.listdir(self.runtime)
        wayland = [n for n in names if n.startswith("wayland-") and not n.endswith(".lock")]
        ipc = [n for n in names if n.startswith("sway-ipc.")]
        if wayland and ipc:
            self.wayland_display = os.path.join(self.runtime, wayland[0])
            self.ipc_path = os.path.join(self.runtime, ipc[0])
            return True
        return False

    def watch(self):
        return SwayIpc(self.ipc_path)


class Mutter(Compositor):
    NAME = "mutter"
    TOOLS = ("mutter", "dbus-daemon")
    SESSION_BUS = True

    def _command(self, env):
        command, more = headless.mutter(self.size, SOCKET_NAME)
        return command, dict(env, WAYLAND_DEBUG="server", **more), DIES_WITH_US


class KWin(Compositor):
    NAME = "kwin"
    TOOLS = ("kwin_wayland", "dbus-daemon")
    SESSION_BUS = True

    def _command(self, env):
        command, more = headless.kwin(self.size, SOCKET_NAME, self.dir)
        return command, dict(env, WAYLAND_DEBUG="server", **more), DIES_WITH_US


class Weston(Compositor):
    NAME = "weston"
    TOOLS = ("weston",)

    def _command(self, env):
        command, more = headless.weston(self.size, SOCKET_NAME)
        return command, dict(env, WAYLAND_DEBUG="server", **more), DIES_WITH_US


COMPOSITORS = {c.NAME: c for c in (Sway, Mutter, KWin, Weston)}


class FirstFrame:
    """Reads a compositor's protocol log (WAYLAND_DEBUG=server) from its end at the time it is made,
    until a client commits a buffer to a surface that has an xdg_toplevel. The log names objects by
    their id within their client: only the measured program makes toplevels. Gives up when the
    compositor has ended."""

    MESSAGE = headless.PROTOCOL_MESSAGE

    def __init__(self, path, compositor_running):
        self.compositor_running = compositor_running
        self.file = open(path, "rb")
        self.file.seek(0, os.SEEK_END)
        self.rest = b""
        self.xdg_surfaces = {}  # xdg_surface id -> wl_surface id
        self.toplevel_surfaces = set()
        self.attached = set()

    def _seen(self):
        lines = (self.rest + self.file.read()).split(b"\n")
        self.rest = lines.pop()
        for line in lines:
            match = self.MESSAGE.match(line.decode("utf-8", errors="replace"))
            if not match or match.group(1):  # requests only, not the compositor's events
                continue
            _, interface, number, message, args = match.groups()
            ids = re.findall(r"[@#](\d+)", args)
            if interface == "xdg_wm_base" and message == "get_xdg_surface" and len(ids) >= 2:
                self.xdg_surfaces[ids[0]] = ids[1]
            elif interface == "xdg_surface" and message == "get_toplevel" and number in self.xdg_surfaces:
                # Ids are the client's own: an attach by another client to the same number before
                # this must not count.
                self.toplevel_surfaces.add(self.xdg_surfaces[number])
                self.attached.discard(self.xdg_surfaces[number])
            elif interface == "wl_surface" and message == "attach":
                if args.startswith("nil"):
                    self.attached.discard(number)
                else:
                    self.attached.add(number)
            elif (interface == "wl_surface" and message == "commit" and number in self.toplevel_surfaces
                  and number in self.attached):
                return True
        return False

    def mapped(self, pid, deadline):
        while time.monotonic() < deadline and self.compositor_running():
            if self._seen():
                return True
            time.sleep(0.001)
        return False

    def close(self):
        self.file.close()


class SwayIpc:
    """sway's IPC, subscribed to its window events."""

    def __init__(self, path):
        self.socket = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.socket.connect(path)
        self.buffer = b""
        # Subscribed before the start, so that the window's event cannot be missed.
        self.send(IPC_SUBSCRIBE, '["window"]')
        reply = self.receive(time.monotonic() + 10)
        if not reply or not reply[1].get("success"):
            self.close()
            raise RuntimeError("sway refused the subscription")

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

    def mapped(self, pid, deadline):
        """Whether sway reported the new window of `pid` before the deadline."""
        while True:
            message = self.receive(deadline)
            if message is None:
                return False
            kind, event = message
            # sway names the window in a `title` event after this one: the pid tells it apart.
            if (kind == IPC_WINDOW_EVENT and event.get("change") == "new"
                    and event.get("container", {}).get("pid") == pid):
                return True

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
    watch = compositor.watch()
    try:
        deadline = time.monotonic() + timeout
        with subprocess.Popen(probe_command, env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE) as probe:
            first = _read_line(probe.stdout, deadline) or ""
            pid = int(first.split("=", 1)[1]) if first.startswith("pid=") else None
            if pid is not None and watch.mapped(pid, deadline):
                probe.stdin.write(b"mapped\n")
            probe.stdin.close()  # no map: the probe stops the program and reports it
            output = probe.stdout.read().decode()
            probe.wait()
        return output.strip().splitlines()[-1] if output.strip() else "status=error"
    finally:
        watch.close()
