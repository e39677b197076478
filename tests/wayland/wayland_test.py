"""Plays the installer against the real kestrow under a real Wayland compositor: sway's headless
backend, real key events from wtype, the window read from sway's own tree.

Qt picks its Wayland plugin by itself here (WAYLAND_DISPLAY set, no DISPLAY, no QT_QPA_PLATFORM).
The cases confirm by keys, cancel by Escape, show the alert modal over the window, close the
window through the compositor, fit the window to a small screen at a scale factor of 2, and
repeat closing and answering many times: Qt 6.4's Wayland teardown can deadlock, and the process
must end every time all the same, with status 0 and its standard output intact.

It runs on the standard unittest runner like the X11 modules, on their harness (tests/e2e/harness.py):
`wayland_test.py PATH_TO_KESTROW [unittest options, e.g. -k alert]`. One class holds sway and the
exchange files for all its cases, each case has a budget of time within the module's, and a failed
case shows kestrow's output streams and sway's log. Only the X desktop is not the harness's: sway
takes its place.

How it runs: as root, it starts itself again in a private mount and network namespace with a
/tmp of its own, so that it never meets another run's exchange files, sockets or displays (where
namespaces are not allowed it holds the exchange-files lock instead). sway refuses to run as root,
so it runs as `nobody` (setpriv). An idle wtype is always connected, so that the seat keeps a
keyboard: when the last virtual keyboard goes, Qt drops its keyboard and keys sent right after can
be lost. The keys of a case then go through one short `wtype -k KEY...`: every
wtype is a new virtual keyboard with a keymap of its own, for which sway switches the seat's keymap
and sends the window leave and enter again, and keys sent by two wtype processes one after the other
were lost in about 3 runs in 100 (one wtype for all: none in 260).
"""

import contextlib
import json
import os
import pwd
import re
import shutil
import subprocess
import sys
import tempfile
import time

for _part in ("desktop", "e2e"):
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", _part))

import harness  # noqa: E402
from desktop import Failure, StartedOrStopped, stop_process, wait_until  # noqa: E402
from exchange import ExchangeFiles  # noqa: E402
from harness import (ALERT_TITLE, DONE_LINE, REMOVED_LINE, SAMPLE_ALL_SELECTED, SAMPLE_LIST,  # noqa: E402
                     STALE_SELECTION, WINDOW_TITLE, KestrowTestCase, OutOfTime, case_budget, check,
                     check_equal, check_exchange_files, waiting_for_the_lock)

APP_ID = "kestrow"
SKIPPED = 77
NAMESPACE_MARK = "KESTROW_WAYLAND_TEST_IN_NAMESPACE"
COMPOSITOR_USER = "nobody"
TOOLS = ("sway", "swaymsg", "wtype", "grim", "setpriv", "unshare")
CLOCK_NANOSLEEP = 230  # its system call number on x86-64: where usleep() sleeps

# A normal screen for every case but the small one. kestrow's windows float, as on a desktop, so
# that they keep the size they ask for.
SWAY_CONFIG = """\
xwayland disable
output HEADLESS-1 resolution 1280x800 scale 1
for_window [app_id="kestrow"] floating enable
"""
SMALL_SCREEN = "1024x700"  # at scale 2: 512 x 350 logical pixels, less than 550 x 400

# How often the repetition case closes the window through the compositor, and how often it
# answers (confirm and cancel in turn). A teardown deadlock came about once in 10 closes and once
# in 90 answers before the fix.
CLOSE_RUNS = 30
ANSWER_RUNS = 30
# Bounds against a hung program, never a measure of speed (a sanitizer build on a busy machine
# is slow). The exit must be prompt: kestrow bounds its teardown at 0.5 s, and the sanitizer
# build's leak check takes about 0.2 s more.
WAIT_SECONDS = 30
EXIT_SECONDS = 5


def run_tool(command, env, timeout=WAIT_SECONDS):
    return subprocess.run(command, env=env, capture_output=True, text=True, timeout=timeout)


class Compositor(StartedOrStopped):
    """sway on its headless backend as an unprivileged user, and one virtual keyboard. Like the X
    desktop it has .env and .dir, which kestrow's runs take."""

    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix="kestrow-wayland.")
        self._sway = None
        self._keyboard = None  # the idle keyboard (see release_keyboards)
        self._typists = []  # the wtypes of the run under way

    def _start(self):
        user = pwd.getpwnam(COMPOSITOR_USER)
        os.chmod(self.dir, 0o755)  # the compositor reads its configuration here
        sway_runtime = os.path.join(self.dir, "sway-runtime")
        os.mkdir(sway_runtime, 0o700)
        os.chown(sway_runtime, user.pw_uid, user.pw_gid)
        config = os.path.join(self.dir, "sway.conf")
        with open(config, "w") as file:
            file.write(SWAY_CONFIG)
        sway_env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": sway_runtime,
                    "XDG_RUNTIME_DIR": sway_runtime, "WLR_BACKENDS": "headless",
                    "WLR_RENDERER": "pixman", "WLR_LIBINPUT_NO_DEVICES": "1"}
        with open(os.path.join(self.dir, "sway.log"), "wb") as log:
            self._sway = subprocess.Popen(
                ["setpriv", f"--reuid={user.pw_uid}", f"--regid={user.pw_gid}", "--clear-groups",
                 "--pdeathsig", "TERM", "sway", "-c", config],
                env=sway_env, stdin=subprocess.DEVNULL, stdout=log, stderr=log)

        def sockets():
            check(self._sway.poll() is None, "sway exited: " + self.log())
            names = os.listdir(sway_runtime)
            wayland = [n for n in names if n.startswith("wayland-") and not n.endswith(".lock")]
            ipc = [n for n in names if n.startswith("sway-ipc.")]
            return (wayland[0], ipc[0]) if wayland and ipc else None
        wayland, ipc = wait_until(sockets, "sway's sockets")

        # Clients run as root with a runtime directory of their own (Qt wants it owned by its
        # user) and reach the compositor's socket by its full path.
        runtime = os.path.join(self.dir, "runtime")
        os.mkdir(runtime, 0o700)
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("QT_", "DBUS_", "AT_SPI", "XDG_", "WAYLAND_", "SWAYSOCK"))
               and k != "DISPLAY"}
        env.update({
            "XDG_RUNTIME_DIR": runtime,
            "XDG_SESSION_TYPE": "wayland",
            "WAYLAND_DISPLAY": os.path.join(sway_runtime, wayland),
            "SWAYSOCK": os.path.join(sway_runtime, ipc),
            "HOME": self.dir,
            "XDG_CONFIG_HOME": os.path.join(self.dir, "config"),
            "XDG_CACHE_HOME": os.path.join(self.dir, "cache"),
        })
        self.env = env
        wait_until(lambda: run_tool(["swaymsg", "-t", "get_outputs"], env).returncode == 0,
                   "sway's IPC to answer")

        self.release_keyboards()
        wait_until(self._seat_has_keyboard, "the virtual keyboard on the seat")

    def _seat_has_keyboard(self):
        check(self._keyboard.poll() is None, "the keyboard's wtype exited")
        seats = json.loads(self.swaymsg("-t", "get_seats"))
        return any(seat["capabilities"] & 2 for seat in seats)  # WL_SEAT_CAPABILITY_KEYBOARD

    def _typist(self, keys):
        """A wtype that types `keys` and then stays, once it has typed them."""
        typist = subprocess.Popen(["wtype", *(arg for key in keys for arg in ("-k", key)), "-s", "3600000"],
                                  env=self.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        wait_until(lambda: self._has_typed(typist), f"wtype to type {keys}")
        return typist

    @staticmethod
    def _has_typed(typist):
        """True once wtype is in its final sleep: in clock_nanosleep, and still the same sleep (no
        context switch) a while later; between two keys it sleeps only 2 ms."""
        check(typist.poll() is None, f"wtype {typist.args} exited ({typist.returncode})")

        def sample():
            with open(f"/proc/{typist.pid}/syscall") as call, open(f"/proc/{typist.pid}/status") as status:
                switches = [line for line in status if line.startswith("voluntary_ctxt_switches")]
                return call.read().split()[0], switches
        first = sample()
        time.sleep(0.03)
        return first[0] == str(CLOCK_NANOSLEEP) and sample() == first

    def release_keyboards(self):
        """After a run: ends its wtypes, and makes an idle keyboard the seat's current one again.
        sway tells its clients the keymap of the keyboard that typed last; when that keyboard goes
        the seat has none, and a window then gets a keymap of format 0 ("no keymap"), which Qt 6.8
        warns about. So every wtype stays until its run has ended, and a new idle keyboard types
        Shift, to no window, before the next run starts."""
        for typist in self._typists:
            stop_process(typist)
        self._typists.clear()
        idle, self._keyboard = self._keyboard, self._typist(["Shift_L"])
        if idle is not None:
            stop_process(idle)

    def log(self):
        with contextlib.suppress(OSError), open(os.path.join(self.dir, "sway.log"), errors="replace") as f:
            return f.read()[-2000:]
        return ""

    def __exit__(self, *exc):
        for typist in [*self._typists, self._keyboard]:
            if typist is not None:
                stop_process(typist)
        stop_process(self._sway)
        shutil.rmtree(self.dir, ignore_errors=True)
        return False

    def swaymsg(self, *args):
        result = run_tool(["swaymsg", *args], self.env)
        check(result.returncode == 0, f"swaymsg {args} failed: {result.stdout}{result.stderr}")
        return result.stdout

    def key(self, *keys):
        """Presses and releases each key in turn, all through one wtype, which stays until the run
        has ended (release_keyboards)."""
        self._typists.append(self._typist(keys))

    def windows(self):
        """Every application window in sway's tree."""
        found = []
        pending = [json.loads(self.swaymsg("-t", "get_tree"))]
        while pending:
            node = pending.pop()
            if node.get("pid") and node.get("type") in ("con", "floating_con"):
                found.append(node)
            pending.extend(node.get("nodes", []) + node.get("floating_nodes", []))
        return found

    def colours(self, rect):
        """How many distinct colours a part of the screen shows (grim's screenshot, as PPM)."""
        area = f"{rect['x']},{rect['y']} {rect['width']}x{rect['height']}"
        result = subprocess.run(["grim", "-t", "ppm", "-g", area, "-"], env=self.env,
                                capture_output=True, timeout=WAIT_SECONDS)
        check(result.returncode == 0, f"grim failed: {result.stderr.decode(errors='replace')}")
        magic, width, height, depth, pixels = result.stdout.split(maxsplit=4)
        check(magic == b"P6" and depth == b"255", "grim wrote a binary PPM")
        size = int(width) * int(height) * 3
        return len({pixels[i:i + 3] for i in range(0, size, 3)})

    def screen_size(self):
        """The output's size in logical pixels."""
        rect = json.loads(self.swaymsg("-t", "get_outputs"))[0]["rect"]
        return rect["width"], rect["height"]


class WaylandKestrow(harness.Kestrow):
    """One run of the program under sway (its desktop is the Compositor), started the way the
    installer starts it. It must end within EXIT_SECONDS of the answer or the close, and write
    nothing to standard error."""

    QT_PLATFORM = None  # Qt finds the compositor by itself, as it would on a person's desktop

    def own_windows(self, title):
        return [w for w in self.desktop.windows() if w["pid"] == self.process.pid and w["name"] == title]

    def wait_for_window(self, title=WINDOW_TITLE):
        """The window titled `title`, once it is mapped and has the keyboard focus."""
        def focused():
            check(self.running(), f"kestrow exited ({self.process.returncode}) before showing "
                                  f"'{title}'; stderr:\n{self.stderr()}")
            windows = self.own_windows(title)
            check(len(windows) <= 1, f"more than one window '{title}'")
            # sway gives a window its frame a moment after mapping it: "normal" is a title bar
            # drawn by sway (server-side decoration through xdg-decoration), "csd" would be
            # the program's own.
            ready = windows and windows[0]["focused"] and windows[0]["border"] != "none"
            return windows[0] if ready else None
        window = wait_until(focused, f"the window '{title}' to be mapped, framed and focused")
        check_equal(window["app_id"], APP_ID, f"app id of '{title}'")
        check_equal(window["border"], "normal", f"sway's frame of '{title}'")
        return window

    def stop(self):
        super().stop()
        self.desktop.release_keyboards()

    def wait_for_alert_gone(self):
        wait_until(lambda: not self.own_windows(ALERT_TITLE), "the alert to close")

    def close(self, window):
        """What the compositor's close button or its close key does: xdg_toplevel.close."""
        self.desktop.swaymsg(f"[con_id={window['id']}]", "kill")

    def wait_for_exit(self):
        """The exit status; self.exit_seconds is how long the process took to end after this call."""
        started = time.monotonic()
        try:
            status = self.process.wait(timeout=EXIT_SECONDS)
        except subprocess.TimeoutExpired:
            raise Failure(f"kestrow did not end within {EXIT_SECONDS} s; stdout:\n{self.stdout()}") from None
        self.exit_seconds = time.monotonic() - started
        return status

    def check_finished(self, stdout_lines):
        """The process ended, status 0, exactly these lines out, nothing on standard error.
        Returns the seconds it took to end."""
        super().check_finished(stdout_lines)
        check_equal(self.stderr(), "", "standard error")
        return self.exit_seconds


@contextlib.contextmanager
def failing_as(what):
    """Names the run in a failure's message."""
    try:
        yield
    except (Failure, OutOfTime) as failure:
        raise type(failure)(f"{what}: {failure}") from None


class WaylandTest(KestrowTestCase):
    # The module takes about 35 s on an idle machine, nearly all of it the repetition case.
    MODULE_BUDGET_SECONDS = 300
    program = WaylandKestrow

    @classmethod
    def set_up_environment(cls):
        # The exchange files first: a run waits for the lock before it starts sway.
        cls.exchange = cls.enterClassContext(ExchangeFiles(waiting=waiting_for_the_lock))
        cls.compositor = cls.enterClassContext(Compositor())
        cls.desktop = cls.compositor  # where self.launched() starts kestrow

    def run(self, result=None):
        """Also shows sway's log after a case (or a row of it) that failed."""
        failed = len(result.failures) + len(result.errors) if result is not None else 0
        result = super().run(result)
        if result is not None and len(result.failures) + len(result.errors) > failed:
            print("sway's log:\n" + self.compositor.log(), file=sys.stderr, flush=True)
        return result

    def test_confirm_by_keys_on_select_all(self):
        """confirm: Space, Tab, Space on Select All, Return

        Space ticks the focused first row, Tab moves to "Select All", Space ticks every row, Return
        confirms: every name is written, then the flag."""
        self.exchange.reset(printer_list=SAMPLE_LIST, selection=STALE_SELECTION)
        with self.launched() as kestrow:
            window = kestrow.wait_for_window()
            # On screen: sway's title bar with its text, and the window's content drawn by Qt.
            check(self.compositor.colours(window["deco_rect"]) >= 3, "the title bar shows a title")
            check(self.compositor.colours(window["rect"]) >= 10, "the window shows its content")
            self.compositor.key("space", "Tab", "space", "Return")
            kestrow.check_finished([DONE_LINE])
        check_exchange_files(SAMPLE_LIST, SAMPLE_ALL_SELECTED, b"")

    def test_confirm_by_keys_on_the_ok_button(self):
        """confirm: Space, Tab to OK, Space

        Space ticks the first row; Tab three times reaches OK, and Space presses it."""
        self.exchange.reset(printer_list=SAMPLE_LIST)
        with self.launched() as kestrow:
            kestrow.wait_for_window()
            self.compositor.key("space", "Tab", "Tab", "Tab", "space")
            kestrow.check_finished([DONE_LINE])
        check_exchange_files(SAMPLE_LIST, b"Zeta", b"")

    def test_cancel_by_escape(self):
        """cancel: Escape

        Escape, with a row ticked and a stale selection file: the file goes, the flag comes."""
        self.exchange.reset(printer_list=SAMPLE_LIST, selection=STALE_SELECTION)
        with self.launched() as kestrow:
            kestrow.wait_for_window()
            self.compositor.key("space", "Escape")
            kestrow.check_finished([REMOVED_LINE, DONE_LINE])
        check_exchange_files(SAMPLE_LIST, None, b"")

    def test_alert_is_modal(self):
        """the alert is modal over the window

        No list: the alert comes up over the window, with the keyboard; Return dismisses it and
        the window stays; then Escape cancels."""
        self.exchange.reset()
        with self.launched() as kestrow:
            alert = kestrow.wait_for_alert()
            window = kestrow.own_windows(WINDOW_TITLE)
            check(len(window) == 1, "the window under the alert is mapped")
            inside, outside = alert["rect"], window[0]["rect"]
            middle = (inside["x"] + inside["width"] // 2, inside["y"] + inside["height"] // 2)
            check(outside["x"] <= middle[0] <= outside["x"] + outside["width"]
                  and outside["y"] <= middle[1] <= outside["y"] + outside["height"],
                  f"the alert {inside} is over the window {outside}")
            self.compositor.key("Return")
            kestrow.wait_for_alert_gone()
            kestrow.wait_for_window()
            kestrow.check_still_open()
            check_exchange_files(None, None, None)
            self.compositor.key("Escape")
            kestrow.check_finished([DONE_LINE])
        check_exchange_files(None, None, b"")

    def test_closed_by_the_compositor(self):
        """closed by the compositor

        The compositor closes the window: no answer, nothing written, status 0."""
        self.exchange.reset(printer_list=SAMPLE_LIST, selection=STALE_SELECTION)
        with self.launched() as kestrow:
            window = kestrow.wait_for_window()
            self.compositor.key("space")
            kestrow.close(window)
            kestrow.check_finished([])
        check_exchange_files(SAMPLE_LIST, STALE_SELECTION, None)

    def test_fits_a_small_screen(self):
        """the window fits a small screen at scale 2

        On the normal screen the window opens at 550 x 400; at a scale factor of 2 on a small
        screen it shrinks so that it fits, with its title bar."""
        self.exchange.reset(printer_list=SAMPLE_LIST)
        with self.launched() as kestrow:
            window = kestrow.wait_for_window()
            geometry = window["geometry"]
            check_equal((geometry["width"], geometry["height"]), (550, 400), "the opening size")
            kestrow.close(window)
            kestrow.check_finished([])

        self.compositor.swaymsg("output", "HEADLESS-1", "resolution", SMALL_SCREEN, "scale", "2")
        try:
            screen_width, screen_height = self.compositor.screen_size()
            with self.launched() as kestrow:
                window = kestrow.wait_for_window()
                geometry, frame, title_bar = window["geometry"], window["rect"], window["deco_rect"]
                check(geometry["width"] <= screen_width and geometry["height"] <= screen_height,
                      f"the window's own size {geometry} fits the screen {screen_width} x {screen_height}")
                # With sway's frame (borders, and the title bar above): where sway puts it is sway's
                # choice (it centres the window without its title bar), but it fits.
                check(frame["width"] <= screen_width and frame["height"] + title_bar["height"] <= screen_height,
                      f"the window {frame} with its title bar {title_bar} fits the screen "
                      f"{screen_width} x {screen_height}")
                kestrow.close(window)
                kestrow.check_finished([])
        finally:
            self.compositor.swaymsg("output", "HEADLESS-1", "resolution", "1280x800", "scale", "1")
        check_exchange_files(SAMPLE_LIST, None, None)

    # 60 runs: about 30 s on an idle machine, and up to ... with both cores busy building.
    @case_budget(150)
    def test_the_process_always_ends(self):
        """the process always ends

        Many closes through the compositor, and many answers: every run ends, status 0, promptly."""
        names = b"Printer B\nPrinter A\n"
        schedule = [how for run in range(max(CLOSE_RUNS, ANSWER_RUNS))
                    for how in ("close" if run < CLOSE_RUNS else None,
                                ("confirm" if run % 2 == 0 else "cancel") if run < ANSWER_RUNS else None) if how]
        exit_times = []
        for run, how in enumerate(schedule, 1):
            self.exchange.reset(printer_list=names)
            with self.launched() as kestrow, failing_as(f"run {run} of {len(schedule)} ({how})"):
                window = kestrow.wait_for_window()
                if how == "close":
                    kestrow.close(window)
                    exit_times.append(kestrow.check_finished([]))
                    check_exchange_files(names, None, None)
                elif how == "confirm":
                    self.compositor.key("space", "Return")  # the first row, "Printer B"
                    exit_times.append(kestrow.check_finished([DONE_LINE]))
                    check_exchange_files(names, b"Printer B", b"")
                else:
                    self.compositor.key("Escape")
                    exit_times.append(kestrow.check_finished([DONE_LINE]))
                    check_exchange_files(names, None, b"")
        exit_times.sort()
        print(f"\n    {len(schedule)} runs ({CLOSE_RUNS} closes, {ANSWER_RUNS} answers) all ended with status 0; "
              f"from the close request or the last key to the exit: median {exit_times[len(exit_times) // 2]:.2f} s, "
              f"slowest {exit_times[-1]:.2f} s", file=sys.stderr, flush=True)


# Running -------------------------------------------------------------------------------------

def enter_private_tmp():
    """Starts this module again in a private mount and network namespace whose /tmp is empty and
    its own; returns False where that is not allowed (then the lock guards the exchange files)."""
    if os.environ.get(NAMESPACE_MARK) == "1":
        # What this run needs from the old /tmp (a clone or build there, the suppressions file of
        # LSAN_OPTIONS) is bound back at the same path; the exchange paths lie directly in /tmp.
        needed = [sys.argv[1], __file__] + re.findall(r"suppressions=([^:]+)", os.environ.get("LSAN_OPTIONS", ""))
        kept = sorted({os.path.abspath(path).split("/")[2] for path in needed
                       if os.path.abspath(path).startswith("/tmp/")})
        old_tmp = os.open("/tmp", os.O_PATH | os.O_DIRECTORY)
        subprocess.run(["mount", "-t", "tmpfs", "-o", "mode=1777", "tmpfs", "/tmp"], check=True)
        for name in kept:
            os.mkdir(os.path.join("/tmp", name))
            # Not canonicalised: that would turn the old /tmp back into the new one.
            subprocess.run(["mount", "--no-canonicalize", "--bind", f"/proc/self/fd/{old_tmp}/{name}",
                            os.path.join("/tmp", name)],
                           check=True, pass_fds=(old_tmp,))
        os.close(old_tmp)
        return True
    probe = subprocess.run(["unshare", "--mount", "--net", "true"], capture_output=True)
    if probe.returncode != 0:
        print("(no private namespace here; holding the exchange-files lock instead)", flush=True)
        return False
    env = dict(os.environ, **{NAMESPACE_MARK: "1"})
    os.execvpe("unshare", ["unshare", "--mount", "--net", "--propagation", "private", "--",
                           sys.executable, "-B", "-E", "-s", os.path.abspath(__file__), *sys.argv[1:]], env)
    return True  # not reached


def prepare():
    """Before any case: skipped without root, failed without the tools, then in a /tmp of its own."""
    if os.geteuid() != 0:
        print("SKIP: needs root, to run sway as an unprivileged user (setpriv) and to have a private /tmp")
        sys.exit(SKIPPED)
    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    if missing:
        print(f"FAIL: missing {', '.join(missing)} (scripts/deps lists the Debian packages)")
        sys.exit(1)
    enter_private_tmp()


if __name__ == "__main__":
    harness.main(prepare)
