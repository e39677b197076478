"""What the hostile /tmp cases share: planting links, FIFOs and directories at the exchange paths,
snapshots that prove a link's target untouched, kestrow runs with a closed or broken standard
output or as another user, and the alert's message read from the accessibility tree.

Built on the end-to-end harness (tests/e2e/harness.py): its private X server, its lock and
save/restore of the three exchange paths, and its checks.
"""

import contextlib
import os
import shutil
import stat
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))

from harness import (ALERT_TITLE, DONE_FLAG, DONE_LINE, PRINTER_LIST, REMOVED_LINE,  # noqa: E402
                     SELECTION, Accessibility, Kestrow, check, check_equal, file_or_none, run_cases)

# What the test modules take from here, the harness's names included.
__all__ = [
    "DONE_FLAG", "DONE_LINE", "PRINTER_LIST", "REMOVED_LINE", "SELECTION", "check", "check_equal",
    "file_or_none", "run_cases",
    "LIST", "LIST_SELECTED", "TARGET_CONTENT", "NOT_FOUND_MESSAGE", "read_failure_message",
    "write_error_message", "removal_error_line", "flag_error_line", "sandbox", "make_target_file",
    "make_hard_link", "make_target_directory", "entry", "check_regular_file", "Run", "launched",
    "alert_message", "dismiss_alert_and_cancel", "confirm_everything", "cancel", "link_planters",
]

LIST = b"Printer B\nPrinter A\n"
# Every name of LIST selected.
LIST_SELECTED = b"Printer A\nPrinter B"
TARGET_CONTENT = b"A file that a link in /tmp points at; no run may change it.\n"

NOT_FOUND_MESSAGE = (f"Printer list file not found at:\n{PRINTER_LIST}\n\n"
                     "Please ensure the file exists and the application has permission to read it.")


def read_failure_message(description):
    return f"Error loading printers from file '{PRINTER_LIST}':\n{description}"


def write_error_message(description):
    return f"Error writing selected printers to '{SELECTION}':\n{description}"


def removal_error_line(description):
    return f"Error removing selected printers file on cancel at '{SELECTION}': {description}"


def flag_error_line(description):
    return f"CRITICAL ERROR: Could not write done flag at '{DONE_FLAG}': {description}"


@contextlib.contextmanager
def sandbox():
    """A private directory in /tmp for the targets of planted links; removed afterwards."""
    path = tempfile.mkdtemp(prefix="kestrow-hostile.", dir="/tmp")
    try:
        yield path
    finally:
        shutil.rmtree(path, ignore_errors=True)


def make_target_file(directory):
    path = os.path.join(directory, "target.txt")
    with open(path, "wb") as file:
        file.write(TARGET_CONTENT)
    return path


def make_hard_link(directory, path):
    """A second name at path for a file of directory: a write in place would change that file."""
    target = make_target_file(directory)
    os.link(target, path)
    return target


def link_planters(path):
    """The four links a case may plant at path, each pointing into directory: to a file, dangling,
    to a directory, and a hard link."""

    def link_to_file(directory):
        os.symlink(make_target_file(directory), path)

    def dangling_link(directory):
        os.symlink(os.path.join(directory, "missing.txt"), path)

    def link_to_directory(directory):
        os.symlink(make_target_directory(directory), path)

    def hard_link(directory):
        make_hard_link(directory, path)

    return link_to_file, dangling_link, link_to_directory, hard_link


def make_target_directory(directory, with_file=True):
    path = os.path.join(directory, "target-dir")
    os.mkdir(path)
    if with_file:
        with open(os.path.join(path, "inside.txt"), "wb") as file:
            file.write(TARGET_CONTENT)
    return path


def entry(path):
    """What stands at path, without following a link: enough to tell any change to it."""
    try:
        info = os.lstat(path)
    except FileNotFoundError:
        return None
    if stat.S_ISLNK(info.st_mode):
        return ("link", os.readlink(path))
    if stat.S_ISDIR(info.st_mode):
        return ("directory", stat.S_IMODE(info.st_mode),
                {name: entry(os.path.join(path, name)) for name in sorted(os.listdir(path))})
    if stat.S_ISREG(info.st_mode):
        with open(path, "rb") as file:
            return ("file", stat.S_IMODE(info.st_mode), info.st_uid, file.read())
    return (stat.filemode(info.st_mode)[0], info.st_ino)


def check_regular_file(path, content):
    """A regular file (not a link) with exactly this content stands at path."""
    info = os.lstat(path)
    check(stat.S_ISREG(info.st_mode), f"{path} is a regular file, not {stat.filemode(info.st_mode)}")
    check_equal(file_or_none(path), content, path)


class Run(Kestrow):
    """A kestrow run with a choice of standard output and user.

    stdout: "file" (captured), "closed" (started with `>&-`), "all closed" (`<&- >&- 2>&-`) or
    "closed pipe" (a pipe whose reader has already exited). as_user: (command prefix, environment,
    working directory) to start it as another user.
    """

    def __init__(self, desktop, binary, number, accessible=False, stdout="file", as_user=None):
        # Same fields as the harness's Kestrow, so that its waits and checks apply unchanged.
        self.desktop = desktop
        self.window = None
        self._stdout_path = os.path.join(desktop.dir, f"hostile-{number}.out")
        self._stderr_path = os.path.join(desktop.dir, f"hostile-{number}.err")
        self._stdout_mode = stdout
        prefix, env, cwd = as_user or ((), dict(desktop.env), desktop.dir)
        env["QT_QPA_PLATFORM"] = "xcb"
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

    def stdout(self):
        if self._stdout_mode != "file":
            return f"(not captured: standard output {self._stdout_mode})"
        return super().stdout()

    def check_exit_status_zero(self):
        status = self.wait_for_exit()
        check(status == 0, f"exit status {status}, expected 0; stderr:\n{self.stderr()}")


_runs = 0


@contextlib.contextmanager
def launched(desktop, binary, **options):
    """A Run that is stopped, whatever happens, when the block ends."""
    global _runs
    _runs += 1
    kestrow = Run(desktop, binary, _runs, **options)
    try:
        yield kestrow
    except BaseException:
        if kestrow.running():
            print("kestrow was still running; its stderr:\n" + kestrow.stderr(), flush=True)
        raise
    finally:
        kestrow.stop()


def alert_message(desktop, kestrow):
    """The message of the alert "Printer Selection", once it is on screen (run with accessible=True)."""
    kestrow.wait_for_window(focus=False)
    kestrow.wait_for_alert()
    tree = Accessibility(desktop, kestrow)
    alert = tree.wait_find("alert", ALERT_TITLE)
    return tree.find("label", root=alert).name


def dismiss_alert_and_cancel(desktop, kestrow):
    desktop.key("Escape")
    kestrow.wait_for_alert_gone()
    desktop.key("Escape")


def confirm_everything(desktop, kestrow):
    """From the list, which has the focus: Tab to "Select All", Space, Return."""
    kestrow.wait_for_window()
    desktop.key("Tab", "space", "Return")


def cancel(desktop, kestrow):
    kestrow.wait_for_window()
    desktop.key("Escape")
