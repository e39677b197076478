"""The test desktop: a private X server (Xvfb on a free display), optionally openbox as the window
manager, and a private D-Bus session bus on which the accessibility bus starts when a program asks for
it, with a private XDG_RUNTIME_DIR (and config, cache and data directories). It works the same inside
a private mount namespace with its own /tmp.

    from desktop import session

    with session() as s:                    # lock, exchange files set aside, desktop started
        s.exchange.reset(printer_list=b"A\\n")
        subprocess.run([kestrow], env=s.env)
        s.desktop.key("Return")
    # everything stopped, the exchange files as they were, the lock released

session(window_manager=True, session_bus=True, screen="1280x800x24", display=True,
        exchange=True, lock_wait=LOCK_WAIT_SECONDS, refuse_existing=False, waiting=None)
    window_manager=False: a bare X server, as the benchmark probe wants (it watches MapNotify on the
        root window itself). session_bus=False: no DBUS_SESSION_BUS_ADDRESS at all. display=False:
        only the exchange files. exchange=False: neither the lock nor the exchange files, for a run
        that does not touch them or has a /tmp of its own. The others go to ExchangeFiles
        (exchange.py). Yields a Session: .env (the environment for programs on the desktop; the
        caller's own, less its display, session and Qt variables), .desktop (a Desktop, or None)
        and .exchange (an ExchangeFiles, or None).

Desktop(window_manager=True, session_bus=True, screen=...) is the desktop alone, a context manager:
    .env, .display, .dir (a private directory, removed at the end), .log(name) (xvfb.log,
    dbus.log, openbox.log in .dir), and X clients for tests: .run(command), .key(*keys),
    .click(x, y), .visible_windows(title), .focused_window(), .geometry(window).

From a shell, tests/desktop/on-desktop runs one command on such a desktop (see its --help).
"""

import contextlib
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time

from exchange import LOCK_WAIT_SECONDS, ExchangeFiles

# Bounds against a hung server or program, never a measure of speed: a sanitizer build on a busy
# machine is slow, so they are generous.
WAIT_SECONDS = 30

# The caller's variables that would steer a program to another display, bus or session.
_FOREIGN_PREFIXES = ("QT_", "DBUS_", "AT_SPI", "XDG_", "WAYLAND_")
_FOREIGN_NAMES = ("DISPLAY", "SESSION_MANAGER")


class Failure(AssertionError):
    """Something did not happen in time, or a desktop server did not start."""


def wait_until(predicate, what, seconds=WAIT_SECONDS):
    """Polls until predicate() returns something true, and returns that; fails naming `what`."""
    deadline = time.monotonic() + seconds
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"gave up waiting for {what}")
        time.sleep(0.05)


def stop_process(process, group=False):
    """Terminates a process (or its whole process group) and reaps it; kills it if it lingers."""
    if process is None or process.poll() is not None:
        return
    for sig in (signal.SIGTERM, signal.SIGKILL):
        with contextlib.suppress(ProcessLookupError):
            if group:
                os.killpg(process.pid, sig)
            else:
                process.send_signal(sig)
        try:
            process.wait(timeout=10)
            return
        except subprocess.TimeoutExpired:
            pass
    process.wait(timeout=10)


def _read_line_from(fd, what, process=None):
    """Reads one line that a starting server writes to a pipe (its display or bus address).
    Returns None if `process` is given and ends first."""
    data = b""
    deadline = time.monotonic() + WAIT_SECONDS
    while not data.endswith(b"\n"):
        remaining = deadline - time.monotonic()
        if remaining <= 0 or not select.select([fd], [], [], remaining)[0]:
            raise Failure(f"{what} did not start")
        chunk = os.read(fd, 4096)
        if not chunk:
            if process is not None:
                return None
            raise Failure(f"{what} exited before it was ready")
        data += chunk
    return data.decode().strip()


def start_session_bus(env, log=subprocess.DEVNULL, prefix=(), options=(), cwd=None):
    """Starts a D-Bus session bus (`prefix`: e.g. a command that runs it as another user); returns
    the process and the bus's address. The bus has its own process group, so that the services it
    starts (the accessibility bus and registry) end with it: stop it with stop_process(bus, group=True)."""
    read_end, write_end = os.pipe()
    bus = subprocess.Popen(
        [*prefix, "dbus-daemon", "--session", "--nofork", "--nosyslog", f"--print-address={write_end}", *options],
        pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=log, env=env, cwd=cwd,
        start_new_session=True)
    os.close(write_end)
    try:
        return bus, _read_line_from(read_end, "dbus-daemon")
    except BaseException:
        stop_process(bus, group=True)
        raise
    finally:
        os.close(read_end)


def raise_on_signals(signals, exception):
    """Makes the first of these signals raise exception(signum) and ignores any further ones: the
    clean-up that the exception sets off must not be interrupted in its turn."""
    def handler(signum, _frame):
        for ignored in signals:
            signal.signal(ignored, signal.SIG_IGN)
        raise exception(signum)

    for handled in signals:
        signal.signal(handled, handler)


class StartedOrStopped:
    """A context manager that starts in _start() and, should that fail half way, stops again at once
    (__exit__), so that no server outlives a failed start."""

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self


class Desktop(StartedOrStopped):
    """A private X server, optionally with openbox and a private session bus; see the module's help."""

    def __init__(self, window_manager=True, session_bus=True, screen="1280x800x24"):
        self.window_manager = window_manager
        self.session_bus = session_bus
        self.screen = screen
        self.dir = None
        self.env = None
        self.display = None
        self._xvfb = None
        self._bus = None
        self._wm = None

    def _start(self):
        self.dir = tempfile.mkdtemp(prefix="kestrow-desktop.")
        runtime = os.path.join(self.dir, "runtime")
        os.mkdir(runtime, 0o700)
        env = {name: value for name, value in os.environ.items()
               if not name.startswith(_FOREIGN_PREFIXES) and name not in _FOREIGN_NAMES}
        env.update({
            "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": os.path.join(self.dir, "config"),
            "XDG_CACHE_HOME": os.path.join(self.dir, "cache"),
            "XDG_DATA_HOME": os.path.join(self.dir, "data"),
        })
        self.display = env["DISPLAY"] = self._start_xvfb(env)
        if self.session_bus:
            env["DBUS_SESSION_BUS_ADDRESS"] = self._start_bus(env)
        self.env = env
        self._settle_keymap()
        if self.window_manager:
            with open(os.path.join(self.dir, "openbox.log"), "wb") as log:
                self._wm = subprocess.Popen(["openbox", "--sm-disable"], stdin=subprocess.DEVNULL,
                                            stdout=log, stderr=log, env=env)
            wait_until(self._window_manager_ready, "openbox to manage the screen")

    def _settle_keymap(self):
        """The first key sent through XTEST (xdotool, the benchmark probe) switches the server's core
        keyboard to the XTEST device, whose keymap differs: every client gets a MappingNotify, and
        openbox drops and grabs its key bindings again; a key arriving meanwhile (alt+F4) is lost.
        One key now, before anything else runs, settles that."""
        if shutil.which("xdotool"):
            self.run(["xdotool", "key", "shift"])

    def _start_xvfb(self, env):
        """Starts Xvfb on a display nobody uses and returns its name once clients can connect."""
        # Xvfb's own search (-displayfd alone) starts at :0 and trusts the lock files only; a
        # display whose lock file went missing while its server still runs would be taken twice.
        for number in range(140, 400):
            if os.path.lexists(f"/tmp/.X{number}-lock") or os.path.lexists(f"/tmp/.X11-unix/X{number}"):
                continue
            read_end, write_end = os.pipe()
            with open(os.path.join(self.dir, "xvfb.log"), "ab") as log:
                # -noreset: a client that connects and leaves before the next must not reset it.
                self._xvfb = subprocess.Popen(
                    ["Xvfb", f":{number}", "-displayfd", str(write_end), "-screen", "0", self.screen,
                     "-nolisten", "tcp", "-noreset"],
                    pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=log, env=env)
            os.close(write_end)
            try:
                ready = _read_line_from(read_end, "Xvfb", self._xvfb) == str(number)
            finally:
                os.close(read_end)
            display = f":{number}"
            if ready and subprocess.run(["xprop", "-root", "-display", display, "WM_NAME"],
                                        capture_output=True, timeout=WAIT_SECONDS).returncode == 0:
                return display
            stop_process(self._xvfb)  # lost a race for this display to another server: take the next
        raise Failure("found no free X display: " + self.log("xvfb.log"))

    def _start_bus(self, env):
        with open(os.path.join(self.dir, "dbus.log"), "wb") as log:
            self._bus, address = start_session_bus(env, log)
        return address

    def _window_manager_ready(self):
        if self._wm.poll() is not None:
            raise Failure("openbox exited: " + self.log("openbox.log"))
        result = self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"])
        return "window id" in result.stdout

    def log(self, name):
        with contextlib.suppress(OSError), open(os.path.join(self.dir, name), errors="replace") as file:
            return file.read()
        return ""

    def __exit__(self, *exc):
        stop_process(self._wm)
        stop_process(self._bus, group=True)
        stop_process(self._xvfb)
        if self.dir:
            shutil.rmtree(self.dir, ignore_errors=True)
        return False

    # X clients on this display. Input goes through the XTEST extension to whatever window has the
    # focus, as real key presses and clicks would.

    def run(self, command):
        """Runs an X client on this display and returns its completed process."""
        return subprocess.run(command, env=self.env, capture_output=True, text=True, timeout=WAIT_SECONDS)

    def _xdotool(self, *args):
        result = self.run(["xdotool", *args])
        if result.returncode != 0:
            raise Failure(f"xdotool {' '.join(args)} failed: {result.stderr}")
        return result

    def key(self, *keys):
        self._xdotool("key", "--clearmodifiers", *keys)

    def click(self, x, y):
        self._xdotool("mousemove", str(x), str(y), "click", "1")

    def visible_windows(self, title):
        """Ids of the mapped windows whose title is exactly `title`."""
        result = self.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"])
        return [int(line) for line in result.stdout.split()]

    def focused_window(self):
        result = self.run(["xdotool", "getwindowfocus", "-f"])
        return int(result.stdout.strip()) if result.returncode == 0 else None

    def geometry(self, window):
        """(x, y, width, height) of a window's inside, in root coordinates."""
        result = self.run(["xwininfo", "-id", str(window)])
        values = {}
        for line in result.stdout.splitlines():
            key, _, value = line.strip().partition(":")
            values[key] = value.strip()
        return tuple(int(values[key]) for key in
                     ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))


class Session:
    """What session() yields: .env, .desktop (or None), .exchange (or None)."""

    def __init__(self, env, desktop, exchange):
        self.env = env
        self.desktop = desktop
        self.exchange = exchange


@contextlib.contextmanager
def session(window_manager=True, session_bus=True, screen="1280x800x24", display=True, exchange=True,
            lock_wait=LOCK_WAIT_SECONDS, refuse_existing=False, waiting=None):
    """The exchange files (first: a run waits for the lock before it starts any server), then the
    desktop; both undone in the reverse order, however the block ends. See the module's help."""
    with contextlib.ExitStack() as stack:
        files = None
        if exchange:
            files = stack.enter_context(ExchangeFiles(lock_wait, waiting, refuse_existing))
        desktop = None
        if display:
            desktop = stack.enter_context(Desktop(window_manager, session_bus, screen))
        yield Session(desktop.env if desktop else dict(os.environ), desktop, files)
