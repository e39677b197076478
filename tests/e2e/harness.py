"""Plays the installer against the real kestrow binary on the test desktop (tests/desktop).

A test module holds one KestrowTestCase class and ends with `harness.main()`; it runs on the standard
unittest runner as `MODULE.py PATH_TO_KESTROW [unittest options, e.g. -k NAME]`. The class has one
desktop (Xvfb, openbox, a private session bus) and the exchange files for all its cases: what stood at
the three paths is set aside before the first case and put back after the last, also when a case
fails or the run is stopped. Each case starts its own kestrow (self.launched) and has a budget of time,
within the module's: a hung case fails, and the next one runs. Keys and clicks are real X events
(xdotool); where a click needs a position, it comes from the program's own accessibility tree
(accessibility.py).

A module whose cases run on another display server (tests/wayland) subclasses KestrowTestCase all the
same: it starts that server in set_up_environment() and names its own Kestrow subclass as `program`.
"""

import contextlib
import itertools
import os
import signal
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "desktop"))

from desktop import Failure, raise_on_signals, session, stop_process, wait_until  # noqa: E402
from exchange import (DONE_FLAG, PRINTER_LIST, SELECTION, file_or_none,  # noqa: E402
                      read_bytes)

DONE_LINE = "Done flag created at: /tmp/orvane-selection-done.flag"
REMOVED_LINE = "Selected printers file removed on cancel: /tmp/installer-selected-printer-names.txt"

WINDOW_TITLE = "Orvane Setup"
ALERT_TITLE = "Printer Selection"

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


def check(condition, message):
    if not condition:
        raise Failure(message)


def check_equal(actual, expected, what):
    if actual != expected:
        raise Failure(f"{what}:\n  expected {expected!r}\n  actual   {actual!r}")


def check_exchange_files(printer_list, selection, done_flag):
    """The three paths hold exactly these bytes (None: nothing stands there)."""
    check_equal(file_or_none(PRINTER_LIST), printer_list, PRINTER_LIST)
    check_equal(file_or_none(SELECTION), selection, SELECTION)
    check_equal(file_or_none(DONE_FLAG), done_flag, DONE_FLAG)
    if done_flag is not None:
        check(os.path.isfile(DONE_FLAG) and not os.path.islink(DONE_FLAG), "the done flag is a regular file")


class Kestrow:
    """One run of the program, started the way the installer starts it.

    stdout: "file" (captured), "closed" (started with `>&-`), "all closed" (`<&- >&- 2>&-`) or
    "closed pipe" (a pipe whose reader has already exited). as_user: (command prefix, environment,
    working directory) to start it as another user.
    """

    # The Qt platform plugin it is told to use; None: Qt picks one from the environment.
    QT_PLATFORM = "xcb"

    def __init__(self, desktop, binary, number, accessible=False, stdout="file", as_user=None):
        self.desktop = desktop
        self.number = number
        self.window = None
        self._stdout_path = os.path.join(desktop.dir, f"kestrow-{number}.out")
        self._stderr_path = os.path.join(desktop.dir, f"kestrow-{number}.err")
        self._stdout_mode = stdout
        prefix, env, cwd = as_user or ((), dict(desktop.env), desktop.dir)
        if self.QT_PLATFORM:
            env["QT_QPA_PLATFORM"] = self.QT_PLATFORM
        if accessible:
            env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        command = [*prefix, binary]
        with contextlib.ExitStack() as stack:
            err = stack.enter_context(open(self._stderr_path, "wb"))
            if stdout == "file":
                out = stack.enter_context(open(self._stdout_path, "wb"))
            elif stdout == "closed":
                # As `kestrow >&-` in a shell: descriptor 1 is not open at all.
                command = ["/bin/sh", "-c", 'exec "$@" >&-', "sh", *command]
                out = subprocess.DEVNULL
            elif stdout == "all closed":
                command = ["/bin/sh", "-c", 'exec "$@" <&- >&- 2>&-', "sh", *command]
                out = subprocess.DEVNULL
            elif stdout == "closed pipe":
                read_end, out = os.pipe()
                stack.callback(os.close, out)
                # The reader reads nothing and is gone before kestrow starts: every line kestrow
                # prints meets EPIPE (and SIGPIPE, at its default as a shell would leave it).
                with os.fdopen(read_end, "rb") as reader_input:
                    subprocess.run(["/bin/true"], stdin=reader_input, check=True)
            else:
                raise ValueError(stdout)
            self.process = subprocess.Popen(command, cwd=cwd, stdin=subprocess.DEVNULL, stdout=out,
                                            stderr=err, env=env)

    def running(self):
        return self.process.poll() is None

    def stdout(self):
        if self._stdout_mode != "file":
            return f"(not captured: standard output {self._stdout_mode})"
        return read_bytes(self._stdout_path).decode("utf-8", errors="replace")

    def stderr(self):
        return read_bytes(self._stderr_path).decode("utf-8", errors="replace")

    def report(self):
        """What a failed case shows of this run: its state and both output streams."""
        state = "still running" if self.running() else f"exit status {self.process.returncode}"
        return (f"\n--- kestrow run {self.number} ({state}), stdout:\n{self.stdout()}"
                f"\n--- stderr:\n{self.stderr()}\n--- end of run {self.number}")

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
            return self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            raise Failure("kestrow did not end; stdout:\n" + self.stdout()) from None

    def check_exit_status_zero(self):
        status = self.wait_for_exit()
        check(status == 0, f"exit status {status}, expected 0; stderr:\n{self.stderr()}")

    def check_finished(self, stdout_lines):
        """The process ended normally after printing exactly these lines."""
        self.check_exit_status_zero()
        check_equal(self.stdout(), "".join(line + "\n" for line in stdout_lines), "standard output")

    def check_still_open(self):
        check(self.running(), f"kestrow ended ({self.process.returncode}); stdout:\n{self.stdout()}"
                              f"\nstderr:\n{self.stderr()}")
        check_equal(self.stdout(), "", "standard output while the dialog is open")

    def stop(self):
        stop_process(self.process)


_run_numbers = itertools.count(1)


@contextlib.contextmanager
def launched(desktop, binary, program=Kestrow, **options):
    """A kestrow run (program: Kestrow or a subclass; options as its) that is stopped, whatever
    happens, when the block ends; if the block fails, both its output streams are shown."""
    kestrow = program(desktop, binary, next(_run_numbers), **options)
    try:
        yield kestrow
    except BaseException:
        print(kestrow.report(), file=sys.stderr, flush=True)
        raise
    finally:
        kestrow.stop()


def case_budget(seconds):
    """Gives a case that is long by design a budget of its own instead of CASE_BUDGET_SECONDS."""
    def mark(method):
        method.budget_seconds = seconds
        return method
    return mark


def waiting_for_the_lock():
    print("another run is using the exchange files; waiting for it", file=sys.stderr, flush=True)


class OutOfTime(Exception):
    """A case went over its budget (SIGALRM)."""


class Stopped(KeyboardInterrupt):
    """SIGTERM or SIGHUP: like Ctrl-C, it ends the whole run (unittest lets only KeyboardInterrupt
    through), and main() still takes the desktops down and restores the exchange files."""


class KestrowTestCase(unittest.TestCase):
    """One desktop and the exchange files for the class's cases; see the module's help."""

    binary = None  # set by main()
    # Once the exchange files are had: a bound for all the class's cases together, well under
    # ctest's TIMEOUT, so that the files are restored before anything kills the run ...
    MODULE_BUDGET_SECONDS = 120
    # ... and for one case, above the 30 s bounds of single waits, whose messages say more.
    CASE_BUDGET_SECONDS = 45
    # What self.launched() starts: Kestrow, or a subclass for another display server.
    program = Kestrow

    @classmethod
    def setUpClass(cls):
        cls.set_up_environment()
        cls.deadline = time.monotonic() + cls.MODULE_BUDGET_SECONDS

    @classmethod
    def set_up_environment(cls):
        """Starts what the cases run on, undone by class cleanups: cls.exchange (the exchange files)
        and cls.desktop (here the X desktop; self.launched() starts kestrow on it). A class whose
        cases run on another display server starts that here instead."""
        desktop_session = session(waiting=waiting_for_the_lock)
        started = desktop_session.__enter__()
        cls.addClassCleanup(desktop_session.__exit__, None, None, None)
        cls.desktop, cls.exchange = started.desktop, started.exchange

    def setUp(self):
        self._arm_budget()

    def tearDown(self):
        signal.alarm(0)

    def _arm_budget(self):
        left = int(self.deadline - time.monotonic())
        if left <= 0:
            self.fail(f"not run: the module's budget of {self.MODULE_BUDGET_SECONDS} s is spent")
        budget = getattr(getattr(self, self._testMethodName), "budget_seconds", self.CASE_BUDGET_SECONDS)
        seconds = min(budget, left)

        def out_of_time(_signum, _frame):
            raise OutOfTime(f"the case took over {seconds} s")

        signal.signal(signal.SIGALRM, out_of_time)
        signal.alarm(seconds)

    @contextlib.contextmanager
    def row(self, name, **values):
        """One row of a table of cases: a subTest with a budget of its own."""
        with self.subTest(name, **values):
            self._arm_budget()
            yield

    def launched(self, **options):
        """A kestrow run of this case (see launched())."""
        return launched(self.desktop, self.binary, self.program, **options)


class _Result(unittest.TextTestResult):
    """Also lists the rows of a table that passed, and how long each row and case took."""

    def startTest(self, test):
        self._case_started = self._row_started = time.monotonic()
        super().startTest(test)

    def addSubTest(self, test, subtest, err):
        now = time.monotonic()
        if err is None and self.showAll:
            self._write_status(subtest, f"ok ({now - self._row_started:.1f} s)")
        self._row_started = now
        super().addSubTest(test, subtest, err)

    def addSuccess(self, test):
        if not self.showAll:
            super().addSuccess(test)
            return
        unittest.TestResult.addSuccess(self, test)
        self._write_status(test, f"ok ({time.monotonic() - self._case_started:.1f} s)")


def _test_classes(cls=KestrowTestCase):
    for subclass in cls.__subclasses__():
        yield subclass
        yield from _test_classes(subclass)


def main(prepare=None):
    """Runs the calling module's cases against the kestrow given as the first argument. prepare(),
    if given, is called once the arguments are read, before anything else (it may exit: a module
    that cannot run here, or that starts itself again elsewhere)."""
    if len(sys.argv) < 2 or sys.argv[1].startswith("-"):
        sys.exit(f"usage: {sys.argv[0]} PATH_TO_KESTROW [unittest options]")
    KestrowTestCase.binary = os.path.abspath(sys.argv[1])
    if prepare:
        prepare()

    raise_on_signals((signal.SIGTERM, signal.SIGHUP), lambda signum: Stopped(f"signal {signum}"))
    runner = unittest.TextTestRunner(resultclass=_Result, verbosity=2)
    try:
        program = unittest.main(module="__main__", argv=[sys.argv[0], *sys.argv[2:]], testRunner=runner,
                                exit=False)
        status = 0 if program.result.wasSuccessful() else 1
    except KeyboardInterrupt as interruption:
        print(f"stopped ({interruption or 'interrupted'}); the exchange files are put back", file=sys.stderr)
        status = 1
    finally:
        # After an interruption unittest skips the class cleanups: the desktop and the files wait here.
        signal.alarm(0)
        for cls in _test_classes():
            cls.doClassCleanups()
    sys.exit(status)
