"""An installer may start kestrow with standard output closed (or all three standard streams), or
through a pipe whose reader is already gone. Neither may stop the finish: the files are written,
and the run ends with status 0 (not 141, death by SIGPIPE, before the done flag).

A display that cannot be opened (none there, one that refuses the user, none named) ends the run
with status 1 and one line on standard error that says which display and why: not Qt's abort
(SIGABRT) and its lines, and nothing at the exchange paths touched."""

import contextlib
import os
import socket
import subprocess
import tempfile

from hostile import (DONE_FLAG, LIST, LIST_SELECTED, PRINTER_LIST, SELECTION, KestrowTestCase, cancel,
                     check, check_equal, check_regular_file, confirm_everything, entry, main, stop_process)
from harness import Kestrow, launched  # noqa: E402 (found through hostile's path)

STALE_SELECTION = b"Stale Printer From An Earlier Run\n"

# name, standard output
CONFIRM_ROWS = [
    ("confirm, standard output closed", "closed"),
    ("confirm, pipe without a reader", "closed pipe"),
    ("confirm, standard input, output and error closed", "all closed"),
]
CANCEL_ROWS = [
    ("cancel, standard output closed", "closed"),
    ("cancel, pipe without a reader", "closed pipe"),
]


def free_display_number():
    return next(n for n in range(600, 900) if not os.path.lexists(f"/tmp/.X11-unix/X{n}")
                and not os.path.lexists(f"/tmp/.X{n}-lock"))


@contextlib.contextmanager
def refusing_x_server(directory):
    """An X server that takes only clients with its cookie (Xvfb -auth): ours have none."""
    cookies = os.path.join(directory, "cookies")
    open(cookies, "wb").close()
    display = f":{free_display_number()}"
    subprocess.run(["xauth", "-f", cookies, "add", display, ".", os.urandom(16).hex()], check=True)
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", display, "-auth", cookies, "-nolisten", "tcp", "-displayfd",
                               str(write_end)], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    os.close(write_end)
    try:
        with os.fdopen(read_end) as ready:
            check(ready.readline().strip() == display[1:], "the refusing X server did not start")
        yield display
    finally:
        stop_process(server)


class NoDisplay(Kestrow):
    # Qt picks its plugin from the environment of each row.
    QT_PLATFORM = None


class StandardOutputTest(KestrowTestCase):
    def test_display_that_cannot_be_opened(self):
        with tempfile.TemporaryDirectory(dir="/tmp") as directory:
            wayland_socket = os.path.join(directory, "wayland-dead")
            with socket.socket(socket.AF_UNIX) as unlistened, refusing_x_server(directory) as refusing:
                unlistened.bind(wayland_socket)  # bound, never listening: the connection is refused
                absent = f":{free_display_number()}"
                # name, the environment's display variables, the line kestrow prints
                rows = [
                    ("no X server at the display", {"DISPLAY": absent, "QT_QPA_PLATFORM": "xcb"},
                     f"kestrow: cannot open the X11 display '{absent}': not found "
                     f"(no X server at /tmp/.X11-unix/X{absent[1:]})"),
                    ("the X server refuses the user", {"DISPLAY": refusing, "XAUTHORITY": os.devnull,
                                                       "QT_QPA_PLATFORM": "xcb"},
                     f"kestrow: cannot open the X11 display '{refusing}': refused (Authorization required, "
                     "but no authorization protocol specified)"),
                    ("no display named", {"QT_QPA_PLATFORM": "xcb"},
                     "kestrow: cannot open a display: neither DISPLAY nor WAYLAND_DISPLAY is set"),
                    ("a Wayland socket nobody listens on", {"WAYLAND_DISPLAY": wayland_socket,
                                                            "QT_QPA_PLATFORM": "wayland"},
                     f"kestrow: cannot open the Wayland display '{wayland_socket}': refused "
                     f"(nothing listens at {wayland_socket})"),
                ]
                for name, display, line in rows:
                    with self.row(name):
                        self.exchange.reset(printer_list=LIST)
                        env = {k: v for k, v in self.desktop.env.items()
                               if k not in ("DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY")}
                        env.update(display)
                        with launched(self.desktop, self.binary, NoDisplay,
                                      as_user=((), env, self.desktop.dir)) as kestrow:
                            status = kestrow.wait_for_exit()
                            check_equal((status, kestrow.stderr()), (1, line + "\n"),
                                        "exit status and standard error")
                            check_equal(kestrow.stdout(), "", "standard output")
                        check_regular_file(PRINTER_LIST, LIST)
                        check_equal((entry(SELECTION), entry(DONE_FLAG)), (None, None),
                                    "the selection file and the done flag")

    def test_confirm_with(self):
        for name, stdout in CONFIRM_ROWS:
            with self.row(name):
                self.exchange.reset(printer_list=LIST)
                with self.launched(stdout=stdout) as kestrow:
                    confirm_everything(kestrow)
                    kestrow.check_exit_status_zero()
                check_regular_file(SELECTION, LIST_SELECTED)
                check_regular_file(DONE_FLAG, b"")

    def test_cancel_with(self):
        for name, stdout in CANCEL_ROWS:
            with self.row(name):
                # Two lines to print (removed, done), so a second failed write follows the first.
                self.exchange.reset(printer_list=LIST, selection=STALE_SELECTION)
                with self.launched(stdout=stdout) as kestrow:
                    cancel(kestrow)
                    kestrow.check_exit_status_zero()
                check_equal(entry(SELECTION), None, "the selection path afterwards")
                check_regular_file(DONE_FLAG, b"")


if __name__ == "__main__":
    main()
