"""kestrow run by an unprivileged user (nobody) against files of another user (root) in the sticky
/tmp: a list file it may not read gives the read-failure alert, not the not-found one; a stale
selection file it may not remove, and a done flag it may not replace, are reported on standard
output and the run still ends with status 0.

The run must start as root (tests run as root in CI, and root reads past permissions, which is
why kestrow itself runs as nobody here, through setpriv). The build tree may stand where nobody cannot
enter (a home directory of mode 700, a folder made by mktemp -d), so nobody runs a copy of kestrow,
and reads a copy of the sanitizer suppressions, in a fresh folder under /tmp. The private X server
takes local connections from any user. For the alert's text, nobody gets its own session bus, on
which the accessibility bus is started as nobody; root may connect to that (at-spi's bus allows
root).
"""

import os
import pwd
import shutil
import subprocess
import sys
import tempfile

from hostile import (DONE_FLAG, DONE_LINE, LIST, LIST_SELECTED, PRINTER_LIST, SELECTION, KestrowTestCase,
                     alert_message, cancel, check, check_equal, check_regular_file, confirm_everything,
                     dismiss_alert_and_cancel, entry, flag_error_line, main, read_failure_message,
                     removal_error_line, start_session_bus, stop_process)

USER, GROUP = "nobody", "nogroup"
AS_USER = ("setpriv", f"--reuid={USER}", f"--regid={GROUP}", "--clear-groups")
ROOT_FILE = b"Written by root; nobody may replace or remove it in the sticky /tmp.\n"
SANITIZER_OPTIONS = ("LSAN_OPTIONS", "ASAN_OPTIONS", "UBSAN_OPTIONS")


def reachable_copies(directory, binary):
    """Copies kestrow, and the suppression files the sanitizer options name, into directory (which
    nobody can enter); returns the copy of kestrow and the options, naming the copies."""
    copy = shutil.copy2(binary, os.path.join(directory, "kestrow"))
    needed = [("-x", copy)]
    options = {}
    for name in SANITIZER_OPTIONS:
        if name not in os.environ:
            continue
        settings = []
        for setting in os.environ[name].split(":"):
            key, _, value = setting.partition("=")
            if key == "suppressions" and value:
                value = shutil.copy2(value, os.path.join(directory, f"{name.lower()}.supp"))
                needed.append(("-r", value))
                setting = f"{key}={value}"
            settings.append(setting)
        options[name] = ":".join(settings)
    for test, path in needed:
        # /tmp mounted noexec, say: tell so plainly rather than fail in a confusing way later.
        reachable = subprocess.run([*AS_USER, "test", test, path], cwd="/").returncode == 0
        check(reachable, f"{USER} cannot {'run' if test == '-x' else 'read'} {path}")
    return copy, options


class OtherUser:
    """A home, a session bus and an environment for runs as nobody on the desktop's X server."""

    def __init__(self, desktop, sanitizer_options):
        self.desktop = desktop
        self.sanitizer_options = sanitizer_options
        self.home = None
        self.bus = None
        self.env = None

    def __enter__(self):
        user = pwd.getpwnam(USER)
        self.home = tempfile.mkdtemp(prefix="kestrow-hostile-user.", dir="/tmp")
        try:
            os.chown(self.home, user.pw_uid, user.pw_gid)
            self.env = {"PATH": "/usr/bin:/bin", "HOME": self.home, "XDG_RUNTIME_DIR": self.home,
                        "DISPLAY": self.desktop.env["DISPLAY"], **self.sanitizer_options}
            self.bus, self.env["DBUS_SESSION_BUS_ADDRESS"] = start_session_bus(
                self.env, prefix=AS_USER, options=[f"--address=unix:dir={self.home}"], cwd="/")
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *exc):
        stop_process(self.bus, group=True)
        shutil.rmtree(self.home, ignore_errors=True)
        return False

    def launch_options(self, accessible=False):
        return {"accessible": accessible, "as_user": (AS_USER, dict(self.env), "/")}

    def start_accessibility_bus(self):
        """Starts at-spi's bus for nobody (as a screen reader would) and lets our reader use it."""
        script = ("from gi.repository import Gio\n"
                  "bus = Gio.bus_get_sync(Gio.BusType.SESSION)\n"
                  "reply = bus.call_sync('org.a11y.Bus', '/org/a11y/bus', 'org.a11y.Bus', 'GetAddress',"
                  " None, None, 0, 20000, None)\n"
                  "print(reply.unpack()[0])\n")
        result = subprocess.run([*AS_USER, "/usr/bin/python3", "-c", script], env=self.env, cwd="/",
                                capture_output=True, text=True, timeout=30)
        check(result.returncode == 0, f"no accessibility bus for nobody: {result.stderr}")
        # libatspi takes the bus from here; Qt finds it through the session bus.
        os.environ["AT_SPI_BUS_ADDRESS"] = result.stdout.strip()


class OtherUserTest(KestrowTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        copies = tempfile.mkdtemp(prefix="kestrow-hostile-bin.", dir="/tmp")
        cls.addClassCleanup(shutil.rmtree, copies, ignore_errors=True)
        os.chmod(copies, 0o755)
        cls.binary, cls.sanitizer_options = reachable_copies(copies, KestrowTestCase.binary)

    def as_other_user(self):
        return OtherUser(self.desktop, self.sanitizer_options)

    def test_list_file_without_read_permission(self):
        self.exchange.reset(printer_list=LIST)
        os.chmod(PRINTER_LIST, 0)
        with self.as_other_user() as user:
            with self.launched(**user.launch_options(accessible=True)) as kestrow:
                user.start_accessibility_bus()
                check_equal(alert_message(kestrow), read_failure_message("Permission denied"),
                            "the alert's message")
                dismiss_alert_and_cancel(kestrow)
                kestrow.check_finished([DONE_LINE])
        check_equal(entry(PRINTER_LIST), ("file", 0, 0, LIST), "the list file afterwards")
        check_regular_file(DONE_FLAG, b"")

    def test_roots_stale_selection_file_on_cancel(self):
        self.exchange.reset(printer_list=LIST, selection=ROOT_FILE)
        before = entry(SELECTION)
        with self.as_other_user() as user:
            with self.launched(**user.launch_options()) as kestrow:
                cancel(kestrow)
                kestrow.check_finished([removal_error_line("Operation not permitted"), DONE_LINE])
        check_equal(entry(SELECTION), before, "root's selection file afterwards")
        check_regular_file(DONE_FLAG, b"")

    def test_roots_done_flag_on_confirm(self):
        self.exchange.reset(printer_list=LIST, done_flag=ROOT_FILE)
        before = entry(DONE_FLAG)
        with self.as_other_user() as user:
            with self.launched(**user.launch_options()) as kestrow:
                confirm_everything(kestrow)
                kestrow.check_finished([flag_error_line("Operation not permitted")])
        check_equal(entry(DONE_FLAG), before, "root's done flag afterwards")
        check_regular_file(SELECTION, LIST_SELECTED)
        check_equal(os.lstat(SELECTION).st_uid, pwd.getpwnam(USER).pw_uid, "owner of the selection file")


if __name__ == "__main__":
    if os.geteuid() != 0:
        # Only root can start a run as another user; ctest shows this as skipped (SKIP_RETURN_CODE).
        print("SKIP: this test starts kestrow as another user, so it must run as root")
        sys.exit(77)
    main()
