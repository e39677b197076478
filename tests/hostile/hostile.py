"""What the hostile /tmp cases share: planting links, FIFOs and directories at the exchange paths,
snapshots that prove a link's target untouched, and the alert's message read from the accessibility
tree.

Built on the end-to-end harness (tests/e2e/harness.py): its desktop, its lock and save/restore of the
three exchange paths, its kestrow runs (with a closed or broken standard output, or as another user)
and its checks.
"""

import contextlib
import os
import shutil
import stat
import sys
import tempfile

for _part in ("desktop", "e2e"):
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", _part))

from accessibility import Accessibility  # noqa: E402
from desktop import start_session_bus, stop_process  # noqa: E402
from harness import (ALERT_TITLE, DONE_FLAG, DONE_LINE, PRINTER_LIST, REMOVED_LINE,  # noqa: E402
                     SELECTION, KestrowTestCase, check, check_equal, file_or_none, main)

# What the test modules take from here, the harness's names included.
__all__ = [
    "DONE_FLAG", "DONE_LINE", "PRINTER_LIST", "REMOVED_LINE", "SELECTION", "KestrowTestCase", "check",
    "check_equal", "file_or_none", "main", "start_session_bus", "stop_process",
    "LIST", "LIST_SELECTED", "TARGET_CONTENT", "NOT_FOUND_MESSAGE", "read_failure_message",
    "write_error_message", "removal_error_line", "flag_error_line", "sandbox", "make_target_file",
    "make_hard_link", "make_target_directory", "entry", "check_regular_file", "alert_message",
    "dismiss_alert_and_cancel", "confirm_everything", "cancel", "finish", "link_planted", "link_planters",
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


def alert_message(kestrow):
    """The message of the alert "Printer Selection", once it is on screen (run with accessible=True)."""
    kestrow.wait_for_window(focus=False)
    kestrow.wait_for_alert()
    tree = Accessibility(kestrow.desktop, kestrow)
    alert = tree.wait_find("alert", ALERT_TITLE)
    return tree.find("label", root=alert).name


def dismiss_alert_and_cancel(kestrow):
    kestrow.desktop.key("Escape")
    kestrow.wait_for_alert_gone()
    kestrow.desktop.key("Escape")


def confirm_everything(kestrow):
    """From the list, which has the focus: Tab to "Select All", Space, Return."""
    kestrow.wait_for_window()
    kestrow.desktop.key("Tab", "space", "Return")


def cancel(kestrow):
    kestrow.wait_for_window()
    kestrow.desktop.key("Escape")


def finish(kestrow, how):
    """Ends the dialog by "confirm" (confirm_everything) or "cancel"."""
    if how == "confirm":
        confirm_everything(kestrow)
    else:
        cancel(kestrow)


@contextlib.contextmanager
def link_planted(exchange, plant):
    """The exchange files reset to LIST, and plant(directory) run with a sandbox directory for the
    link's target; afterwards that target (and its directory) must be exactly as it was."""
    exchange.reset(printer_list=LIST)
    with sandbox() as directory:
        plant(directory)
        before = entry(directory)
        yield
        check_equal(entry(directory), before, "the link's target (and its directory) afterwards")
