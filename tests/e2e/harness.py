"""Plays the installer against the real kestrow binary on a private X server.

Every test module runs its cases through `run_cases`: one Xvfb with openbox (and a private D-Bus
session bus, for the accessibility tree) per module, one fresh kestrow per case. Keys and clicks
are real X events sent with xdotool; where a click needs a position, it comes from the program's
own accessibility tree, so that no pixel offset depends on fonts or style.

The exchange files live at fixed paths in /tmp. Whatever stands there is moved aside before the
first case and put back after the last one, also when a case fails or the run is interrupted.
"""

import contextlib
import fcntl
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

PRINTER_LIST = "/tmp/installer-printer-names.txt"
SELECTION = "/tmp/installer-selected-printer-names.txt"
DONE_FLAG = "/tmp/orvane-selection-done.flag"
EXCHANGE_FILES = (PRINTER_LIST, SELECTION, DONE_FLAG)

DONE_LINE = "Done flag created at: /tmp/orvane-selection-done.flag"
REMOVED_LINE = "Selected printers file removed on cancel: /tmp/installer-selected-printer-names.txt"

WINDOW_TITLE = "Orvane Setup"
ALERT_TITLE = "Printer Selection"

# Shared with scripts/demo: two runs that both use the fixed paths must not interleave.
LOCK_PATH = "/tmp/kestrow-exchange-files.lock"

# Bounds against a hung program or X server, never a measure of speed: a sanitizer build on a
# busy machine is slow, so they are generous.
WAIT_SECONDS = 30
# Another run (the demo, a second test tree) may hold the exchange files for a while.
LOCK_WAIT_SECONDS = 60
# Once it has the files, the whole module gives up (and still restores them) after this long, well
# before ctest's TIMEOUT (LOCK_WAIT_SECONDS + MODULE_BUDGET_SECONDS + a margin) kills it.
MODULE_BUDGET_SECONDS = 50

# A list that exercises what the window must show verbatim and what the selection file must sort:
# blanks around a name, markup and mnemonic characters, a decomposed é (sorts as U+00E9 after "Zf"),
# a private-use character and one beyond the BMP (scalar order, not UTF-16 order), a CR LF line
# end, a line of no-break spaces (blank, dropped) and a duplicate name.
SAMPLE_LIST = (
    "Zeta\n"
    "alpha\n"
    "  Brother & Co <b>x</b>\t\n"
    "Beta\r\n"
    "Ze\u0301ro\n"
    "Zf\n"
    "\U0001F5A8 Photo\n"
    "\uE000 Private\n"
    "\u00A0\u00A0\n"
    "Beta\n"
).encode("utf-8")

# The rows that SAMPLE_LIST gives, in file order.
SAMPLE_ROWS = [
    "Zeta",
    "alpha",
    "  Brother & Co <b>x</b>\t",
    "Beta",
    "Ze\u0301ro",
    "Zf",
    "\U0001F5A8 Photo",
    "\uE000 Private",
    "Beta",
]

# The selection file after selecting every row of SAMPLE_LIST: each distinct name once, in
# scalar order of the NFC forms, bytes as the list file had them, no line feed at the end.
SAMPLE_ALL_SELECTED = "\n".join([
    "  Brother & Co <b>x</b>\t",
    "Beta",
    "Zeta",
    "Zf",
    "Ze\u0301ro",
    "alpha",
    "\uE000 Private",
    "\U0001F5A8 Photo",
]).encode("utf-8")

STALE_SELECTION = b"Stale Printer From An Earlier Run\nAnother Stale Printer With A Long Name\n"


class Failure(AssertionError):
    pass


class OutOfTime(BaseException):
    """Ends the whole module (not just one case) before ctest kills it, so that cleanup still runs."""


def check(condition, message):
    if not condition:
        raise Failure(message)


def check_equal(actual, expected, what):
    if actual != expected:
        raise Failure(f"{what}:\n  expected {expected!r}\n  actual   {actual!r}")


def wait_until(predicate, what, seconds=WAIT_SECONDS):
    """Polls until predicate() is true; fails naming `what` if that never happens."""
    deadline = time.monotonic() + seconds
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"gave up waiting for {what}")
        time.sleep(0.05)


def read_bytes(path):
    with open(path, "rb") as file:
        return file.read()


def file_or_none(path):
    return read_bytes(path) if os.path.lexists(path) else None


def remove_entry(path):
    if os.path.isdir(path) and not os.path.islink(path):
        shutil.rmtree(path)
    elif os.path.lexists(path):
        os.unlink(path)


class ExchangeLock:
    """The lock that runs using the fixed exchange paths take (scripts/demo takes it too)."""

    def __enter__(self):
        self._file = open(LOCK_PATH, "a")
        wait_until(self._try_lock, f"the lock {LOCK_PATH} (another run uses the exchange files)",
                   LOCK_WAIT_SECONDS)
        return self

    def _try_lock(self):
        try:
            fcntl.flock(self._file, fcntl.LOCK_EX | fcntl.LOCK_NB)
            return True
        except BlockingIOError:
            return False

    def __exit__(self, *exc):
        fcntl.flock(self._file, fcntl.LOCK_UN)
        self._file.close()
        return False


class ExchangeFiles:
    """Holds the fixed exchange paths for the test (under ExchangeLock): what stood there is kept
    aside and restored."""

    def __init__(self):
        self._saved = None

    def __enter__(self):
        # In /tmp, so that a rename moves anything (even a link or a directory) aside whole. Should
        # this process be killed outright, what stood at the paths is left in this directory.
        self._saved = tempfile.mkdtemp(prefix="kestrow-e2e-saved.", dir="/tmp")
        try:
            for path in EXCHANGE_FILES:
                if os.path.lexists(path):
                    os.rename(path, os.path.join(self._saved, os.path.basename(path)))
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def reset(self, printer_list=None, selection=None, done_flag=None):
        """Leaves exactly the given files (bytes, or None for absent) at the three paths."""
        for path, content in ((PRINTER_LIST, printer_list), (SELECTION, selection), (DONE_FLAG, done_flag)):
            remove_entry(path)
            if content is not None:
                with open(path, "wb") as file:
                    file.write(content)

    def __exit__(self, *exc):
        for path in EXCHANGE_FILES:
            remove_entry(path)
            kept = os.path.join(self._saved, os.path.basename(path))
            if os.path.lexists(kept):
                os.rename(kept, path)
        os.rmdir(self._saved)
        return False


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


def _stop(process, group=False):
    if process is None or process.poll() is not None:
        return
    with contextlib.suppress(ProcessLookupError):
        if group:
            os.killpg(process.pid, signal.SIGTERM)
        else:
            process.terminate()
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        with contextlib.suppress(ProcessLookupError):
            if group:
                os.killpg(process.pid, signal.SIGKILL)
            else:
                process.kill()
        process.wait(timeout=10)


class Desktop:
    """A private X server with openbox and a private D-Bus session bus."""

    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix="kestrow-e2e.")
        self.env = None
        self._xvfb = None
        self._bus = None
        self._wm = None
        self._launches = 0

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _start(self):
        runtime = os.path.join(self.dir, "runtime")
        os.mkdir(runtime, 0o700)
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("QT_", "DBUS_", "AT_SPI", "XDG_", "WAYLAND_")) and k != "DISPLAY"}
        env.update({
            "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": os.path.join(self.dir, "config"),
            "XDG_CACHE_HOME": os.path.join(self.dir, "cache"),
            "XDG_DATA_HOME": os.path.join(self.dir, "data"),
        })

        env["DISPLAY"] = self._start_xvfb(env)

        read_end, write_end = os.pipe()
        with open(os.path.join(self.dir, "dbus.log"), "wb") as log:
            # Its own process group, so that the services it starts (the accessibility bus and
            # registry) end with it.
            self._bus = subprocess.Popen(
                ["dbus-daemon", "--session", "--nofork", "--nosyslog", f"--print-address={write_end}"],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=log, env=env,
                start_new_session=True)
        os.close(write_end)
        try:
            env["DBUS_SESSION_BUS_ADDRESS"] = _read_line_from(read_end, "dbus-daemon")
        finally:
            os.close(read_end)
        self.env = env

        with open(os.path.join(self.dir, "openbox.log"), "wb") as log:
            self._wm = subprocess.Popen(["openbox", "--sm-disable"], stdin=subprocess.DEVNULL,
                                        stdout=log, stderr=log, env=env)
        wait_until(self._window_manager_ready, "openbox to manage the screen")

    def _start_xvfb(self, env):
        """Starts Xvfb on a display nobody uses and returns its name once clients can connect."""
        # Xvfb's own search (-displayfd alone) starts at :0 and trusts the lock files only; a
        # display whose lock file went missing while its server still runs would be taken twice.
        for number in range(140, 400):
            if os.path.lexists(f"/tmp/.X{number}-lock") or os.path.lexists(f"/tmp/.X11-unix/X{number}"):
                continue
            read_end, write_end = os.pipe()
            with open(os.path.join(self.dir, "xvfb.log"), "ab") as log:
                self._xvfb = subprocess.Popen(
                    ["Xvfb", f":{number}", "-displayfd", str(write_end), "-screen", "0", "1280x800x24",
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
            _stop(self._xvfb)  # lost a race for this display to another server: take the next
        raise Failure("found no free X display: " + self.log("xvfb.log"))

    def _window_manager_ready(self):
        check(self._wm.poll() is None, "openbox exited: " + self.log("openbox.log"))
        result = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                                capture_output=True, text=True, timeout=WAIT_SECONDS)
        return "window id" in result.stdout

    def log(self, name):
        with contextlib.suppress(OSError), open(os.path.join(self.dir, name), errors="replace") as file:
            return file.read()
        return ""

    def __exit__(self, *exc):
        _stop(self._wm)
        _stop(self._bus, group=True)
        _stop(self._xvfb)
        shutil.rmtree(self.dir, ignore_errors=True)
        return False

    # Real input events, through the XTEST extension, to whatever window has the focus.

    def run(self, command):
        """Runs an X client on this display and returns its completed process."""
        return subprocess.run(command, env=self.env, capture_output=True, text=True, timeout=WAIT_SECONDS)

    def xdotool(self, *args):
        return self.run(["xdotool", *args])

    def key(self, *keys):
        result = self.xdotool("key", "--clearmodifiers", *keys)
        check(result.returncode == 0, f"xdotool key {keys} failed: {result.stderr}")

    def click(self, x, y):
        result = self.xdotool("mousemove", str(x), str(y), "click", "1")
        check(result.returncode == 0, f"xdotool click at {x},{y} failed: {result.stderr}")

    def visible_windows(self, title):
        """Ids of the mapped windows whose title is exactly `title`."""
        result = self.xdotool("search", "--onlyvisible", "--name", f"^{title}$")
        return [int(line) for line in result.stdout.split()]

    def focused_window(self):
        result = self.xdotool("getwindowfocus", "-f")
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

    def launch(self, binary, accessible=False):
        self._launches += 1
        return Kestrow(self, binary, self._launches, accessible)


class Kestrow:
    """One run of the program, started the way the installer starts it."""

    def __init__(self, desktop, binary, number, accessible):
        self.desktop = desktop
        self._stdout_path = os.path.join(desktop.dir, f"kestrow-{number}.out")
        self._stderr_path = os.path.join(desktop.dir, f"kestrow-{number}.err")
        env = dict(desktop.env)
        env["QT_QPA_PLATFORM"] = "xcb"
        if accessible:
            env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        with open(self._stdout_path, "wb") as out, open(self._stderr_path, "wb") as err:
            self.process = subprocess.Popen([binary], cwd=desktop.dir, stdin=subprocess.DEVNULL,
                                            stdout=out, stderr=err, env=env)
        self.window = None

    def running(self):
        return self.process.poll() is None

    def stdout(self):
        return read_bytes(self._stdout_path).decode("utf-8", errors="replace")

    def stderr(self):
        return read_bytes(self._stderr_path).decode("utf-8", errors="replace")

    def wait_for_window(self, title=WINDOW_TITLE, focus=True):
        def found():
            check(self.running(), f"kestrow exited ({self.process.returncode}) before showing "
                                  f"'{title}'; stderr:\n{self.stderr()}")
            return self.desktop.visible_windows(title)
        windows = wait_until(found, f"the window '{title}' to be mapped")
        check(len(windows) == 1, f"expected one window '{title}', found {len(windows)}")
        if title == WINDOW_TITLE:
            self.window = windows[0]
        if focus:
            # Keys go to the focused window, as they would for a person: wait until the window
            # manager has given the new window the focus.
            wait_until(lambda: self.desktop.focused_window() == windows[0], f"'{title}' to get the focus")
        return windows[0]

    def wait_for_alert(self):
        return self.wait_for_window(ALERT_TITLE)

    def wait_for_alert_gone(self):
        wait_until(lambda: not self.desktop.visible_windows(ALERT_TITLE), "the alert to close")

    def wait_for_exit(self):
        try:
            return self.process.wait(timeout=WAIT_SECONDS)
        except subprocess.TimeoutExpired:
            raise Failure("kestrow did not end; stdout:\n" + self.stdout()) from None

    def check_finished(self, stdout_lines):
        """The process ended normally after printing exactly these lines."""
        status = self.wait_for_exit()
        check(status == 0, f"exit status {status}, expected 0; stderr:\n{self.stderr()}")
        check_equal(self.stdout(), "".join(line + "\n" for line in stdout_lines), "standard output")

    def check_still_open(self):
        check(self.running(), f"kestrow ended ({self.process.returncode}); stdout:\n{self.stdout()}"
                              f"\nstderr:\n{self.stderr()}")
        check_equal(self.stdout(), "", "standard output while the dialog is open")

    def stop(self):
        _stop(self.process)


def check_exchange_files(printer_list, selection, done_flag):
    """The three paths hold exactly these bytes (None: nothing stands there)."""
    check_equal(file_or_none(PRINTER_LIST), printer_list, PRINTER_LIST)
    check_equal(file_or_none(SELECTION), selection, SELECTION)
    check_equal(file_or_none(DONE_FLAG), done_flag, DONE_FLAG)
    if done_flag is not None:
        check(os.path.isfile(DONE_FLAG) and not os.path.islink(DONE_FLAG), "the done flag is a regular file")


class Accessibility:
    """The program's AT-SPI tree, read on the desktop's private bus."""

    def __init__(self, desktop, kestrow):
        # pyatspi finds the bus through the environment when it is first imported.
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = desktop.env["DBUS_SESSION_BUS_ADDRESS"]
        os.environ["DISPLAY"] = desktop.env["DISPLAY"]
        import pyatspi  # noqa: E402 (only once the bus is known)
        self.pyatspi = pyatspi
        self.kestrow = kestrow
        self.app = wait_until(self._find_application, "kestrow in the accessibility registry")
        if kestrow.window is not None:
            # Positions come from the program's idea of where its window is; the window manager
            # moves the window after mapping it, and clicks must wait until the program knows.
            wait_until(lambda: self._window_extents() == desktop.geometry(kestrow.window),
                       "the accessible window to match the X window's geometry")

    def _window_extents(self):
        windows = [node for node in self.children(self.app) if node.name == WINDOW_TITLE]
        return self.extents(windows[0]) if windows else None

    def window(self):
        """The top-level node of the window "Orvane Setup" (the alert is another top level)."""
        windows = [node for node in self.children(self.app) if node.name == WINDOW_TITLE]
        check(len(windows) == 1, f"expected one top-level '{WINDOW_TITLE}', found {len(windows)}")
        return windows[0]

    def _find_application(self):
        check(self.kestrow.running(), "kestrow exited: " + self.kestrow.stderr())
        desktop = self.pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            with contextlib.suppress(Exception):
                if app is not None and app.get_process_id() == self.kestrow.process.pid:
                    return app
        return None

    def children(self, node):
        node.clear_cache()
        return [child for child in (node.getChildAtIndex(i) for i in range(node.childCount)) if child]

    def find_all(self, role, name=None, root=None):
        """Every node below `root` with this role name (e.g. 'push button') and, if given, name."""
        found = []
        pending = [root or self.app]
        while pending:
            node = pending.pop(0)
            for child in self.children(node):
                if child.getRoleName() == role and (name is None or child.name == name):
                    found.append(child)
                pending.append(child)
        return found

    def find(self, role, name=None, root=None):
        nodes = self.find_all(role, name, root)
        check(len(nodes) == 1, f"expected one {role} {name!r}, found {len(nodes)}")
        return nodes[0]

    def wait_find(self, role, name=None, root=None):
        return wait_until(lambda: self.find_all(role, name, root), f"a {role} {name!r}")[0]

    def rows(self):
        """The rows of the printer list, in order, once the list is shown: each a check box."""
        printer_list = self.wait_find("list")
        return wait_until(lambda: self.find_all("check box", root=printer_list), "the printer rows")

    def states(self, node):
        node.clear_cache()
        return {self.pyatspi.stateToString(state) for state in node.getState().getStates()}

    def has_state(self, node, state):
        return state in self.states(node)

    def wait_state(self, node, state, present=True):
        wait_until(lambda: (state in self.states(node)) == present,
                   f"{node.getRoleName()} {node.name!r} to be {'' if present else 'not '}{state}")

    def extents(self, node):
        box = node.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        return box.x, box.y, box.width, box.height

    def center(self, node):
        x, y, width, height = self.extents(node)
        check(width > 0 and height > 0, f"{node.getRoleName()} {node.name!r} has no area on screen")
        return x + width // 2, y + height // 2

    def click(self, node, at=None):
        """Clicks the middle of `node`, or the point `at` (dx, dy) from its top-left corner."""
        if at is None:
            x, y = self.center(node)
        else:
            left, top, _, _ = self.extents(node)
            x, y = left + at[0], top + at[1]
        self.kestrow.desktop.click(x, y)


def run_cases(cases):
    """Runs each (name, function(desktop, exchange, binary)) on one desktop; exits 1 if any fails."""
    if len(sys.argv) != 2:
        sys.exit(f"usage: {sys.argv[0]} PATH_TO_KESTROW")
    binary = os.path.abspath(sys.argv[1])

    def give_up(signum, _frame):
        # Once: the cleanup that follows must not be interrupted in its turn.
        signal.signal(signal.SIGTERM, signal.SIG_IGN)
        signal.signal(signal.SIGALRM, signal.SIG_IGN)
        raise OutOfTime(f"signal {signum} (the module's budget is {MODULE_BUDGET_SECONDS} s)")

    signal.signal(signal.SIGTERM, give_up)
    signal.signal(signal.SIGALRM, give_up)

    failures = 0
    try:
        with ExchangeLock():
            signal.alarm(MODULE_BUDGET_SECONDS)
            with ExchangeFiles() as exchange, Desktop() as desktop:
                for name, case in cases:
                    started = time.monotonic()
                    try:
                        case(desktop, exchange, binary)
                        print(f"PASS {name} ({time.monotonic() - started:.1f} s)", flush=True)
                    except Exception:  # noqa: BLE001 (report every case, then fail the module)
                        failures += 1
                        print(f"FAIL {name}", flush=True)
                        traceback.print_exc(file=sys.stdout)
                        sys.stdout.flush()
    except Failure as failure:  # the lock, or the desktop, could not be had
        print(f"FAIL: {failure}", flush=True)
        failures += 1
    except OutOfTime as stop:
        print(f"FAIL: stopped by {stop}; the exchange files were restored", flush=True)
        failures += 1
    signal.alarm(0)
    sys.exit(1 if failures else 0)


@contextlib.contextmanager
def launched(desktop, binary, accessible=False):
    """A kestrow run that is stopped, whatever happens, when the block ends."""
    kestrow = desktop.launch(binary, accessible)
    try:
        yield kestrow
    except BaseException:
        if kestrow.running():
            print(f"(kestrow was still running when the case failed; stdout: {kestrow.stdout()!r}, "
                  f"stderr: {kestrow.stderr()!r})", flush=True)
        raise
    finally:
        kestrow.stop()
