"""Plays the installer against the real kestrow under a real Wayland compositor, the module's one
parameter: sway, mutter (GNOME's), KWin (KDE Plasma's) or Weston, each on its headless backend, with
real key events and the windows read from the compositor itself.

    wayland_test.py PATH_TO_KESTROW --compositor NAME [--kwin-keys=PATH] [--weston-seat=PATH]
                    [unittest options, e.g. -k alert]

Qt picks its Wayland plugin by itself here (WAYLAND_DISPLAY set, no DISPLAY, no QT_QPA_PLATFORM).
The cases confirm by keys, cancel by Escape, show the alert modal over the window, close the
window through the compositor, fit the window to a small screen at a scale factor of 2 (sway, whose
output can change while it runs), and repeat closing and answering many times: Qt 6.4's Wayland
teardown can deadlock, and the process must end every time all the same, with status 0 and its
standard output intact.

It runs on the standard unittest runner like the X11 modules, on their harness (tests/e2e/harness.py).
One class holds the compositor and the exchange files for all its cases, each case has a budget of
time within the module's, and a failed case shows kestrow's output streams and the compositor's
log. Only the X desktop is not the harness's: the compositor takes its place.

How it runs: as root, it starts itself again in a private mount and network namespace with a
/tmp of its own, so that it never meets another run's exchange files, sockets, buses or displays
(where namespaces are not allowed it holds the exchange-files lock instead). Every compositor but
sway gets a private session bus. What each needs:
- sway refuses to run as root, so it runs as `nobody` (setpriv). An idle wtype is always connected,
  so that the seat keeps a keyboard: when the last virtual keyboard goes, Qt drops its keyboard and
  keys sent right after can be lost. The keys of a case then go through one
  short `wtype -k KEY...`: every wtype is a new virtual keyboard with a keymap of its own, for which
  sway switches the seat's keymap and sends the window leave and enter again, and keys sent by two
  wtype processes one after the other were lost in about 3 runs in 100 (one wtype for all: none in
  260). The windows come from sway's tree, a close from `swaymsg kill`.
- mutter runs as root; keys go through its RemoteDesktop D-Bus interface (one session for the
  module: the first key of a new session is dropped, so a throwaway Shift goes first), a close is
  Alt+F4 (mutter's own binding). Without GNOME Shell mutter lists no windows to anyone: they are
  read from its protocol log (WAYLAND_DEBUG=server): a toplevel, its title and parent, mapped at its
  first buffer, focused at the keyboard's enter. Positions are not in it: there the alert must be
  the window's child (xdg_toplevel.set_parent), which mutter places over its parent.
- KWin: Debian's binary carries a file capability that a container cannot grant, so a plain copy
  runs. Keys go through KWin's fake-input protocol (tests/wayland/tools/kwin_fake_keys.c, one
  process for the module, for the same reason as sway's wtype); the windows and a close come from a
  KWin script loaded over D-Bus, which prints what it finds into KWin's log.
- Weston's headless backend has no seat: a module of ours (tests/wayland/tools/weston_test_seat.c)
  adds one with a keyboard, and on a socket types keys, lists the windows and closes one.
On KWin and Weston as on mutter, a window takes keys only once the client has acked the configure
that activated it (their protocol logs tell): both give it the keyboard earlier, and keys sent in
between are lost (KWin: 4 runs in 6 before this wait).
"""

import contextlib
import json
import os
import pwd
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import uuid

for _part in ("desktop", "e2e"):
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", _part))

import harness  # noqa: E402
import headless  # noqa: E402
from desktop import Failure, StartedOrStopped, start_session_bus, stop_process, wait_until  # noqa: E402
from exchange import ExchangeFiles  # noqa: E402
from harness import (ALERT_TITLE, DONE_LINE, REMOVED_LINE, SAMPLE_ALL_SELECTED, SAMPLE_LIST,  # noqa: E402
                     STALE_SELECTION, WINDOW_TITLE, KestrowTestCase, OutOfTime, case_budget, check,
                     check_equal, check_exchange_files, waiting_for_the_lock)

APP_ID = "kestrow"
SKIPPED = 77
NAMESPACE_MARK = "KESTROW_WAYLAND_TEST_IN_NAMESPACE"
COMPOSITOR_USER = "nobody"
SCREEN = (1280, 800)
SMALL_SCREEN = "1024x700"  # at scale 2: 512 x 350 logical pixels, less than 550 x 400

# How often the repetition case closes the window through the compositor, and how often it
# answers (confirm and cancel in turn). A teardown deadlock came about once in 10 closes and once
# in 90 answers before the fix.
CLOSE_RUNS = 30
ANSWER_RUNS = 30
# Bounds against a hung program, never a measure of speed (a sanitizer build on a busy machine
# is slow). The sanitizer build's leak check alone takes about 0.2 s.
WAIT_SECONDS = 30
EXIT_SECONDS = 5

# Linux input event codes (linux/input-event-codes.h) of the keys the cases press, for the
# compositors that take codes.
CLOCK_NANOSLEEP = 230  # its system call number on x86-64: where usleep() sleeps
KEY_CODES = {"Escape": 1, "Tab": 15, "Return": 28, "Alt": 56, "space": 57, "F4": 62, "Shift": 42}
BUTTON_LEFT = 272
# The frame Kestrow draws where the compositor draws none: a border of this width at the sides and
# the bottom, and at the top a one-pixel border, then the title bar. The content keeps its size.
OWN_FRAME_WIDTH = 4
OPENING_CONTENT_SIZE = (550, 400)


# The compositor and its bus end with the module, even when it is killed (it has no PID namespace).
DIES_WITH_US = ("setpriv", "--pdeathsig", "TERM")


def run_tool(command, env, timeout=WAIT_SECONDS):
    return subprocess.run(command, env=env, capture_output=True, text=True, timeout=timeout)


def key_codes(keys):
    """The code words of the key tools: "CODE" presses and releases, "+CODE" presses, "-CODE"
    releases; a name may start with + or - likewise ("+Alt", "F4", "-Alt")."""
    return [name[0] + str(KEY_CODES[name[1:]]) if name[0] in "+-" else str(KEY_CODES[name]) for name in keys]


def found_window(title, focused, rect=None, pid=None, **more):
    """One toplevel as the cases see it, whatever the compositor: its title, whether it has the
    keyboard, its frame on the screen (x, y, width, height; None where the compositor does not
    tell) and its program's pid (None: the compositor does not tell, and kestrow is its only
    client)."""
    return dict(title=title, focused=focused, rect=rect, pid=pid, **more)


class Compositor(StartedOrStopped):
    """A compositor on its headless backend, in a directory of its own. Like the X desktop it has
    .env and .dir, which kestrow's runs take. A subclass starts it (_start_compositor) and knows
    its keys, its windows and its close."""

    NAME = None
    TOOLS = ()
    SESSION_BUS = True
    # Whether a case can take a picture of the screen, or change the output while it runs.
    SCREENSHOTS = False
    RESIZABLE_OUTPUT = False
    # Whether the compositor places a child window (the alert) over its parent. Weston's desktop
    # shell does not: it puts every new toplevel at a random spot of the output, a child too.
    CHILD_OVER_PARENT = True
    # Whether the compositor draws window frames (it offers xdg-decoration); where it does not,
    # Kestrow draws its own. POINTER: a case can point and click.
    FRAMES_WINDOWS = True
    POINTER = False

    def __init__(self, tools):
        self.dir = tempfile.mkdtemp(prefix=f"kestrow-wayland-{self.NAME}.")
        self.tools = tools
        self.env = None
        self._process = None
        self._bus = None
        self.bus_address = None

    def _start(self):
        os.chmod(self.dir, 0o755)  # sway, as nobody, reads its configuration here
        self.compositor_runtime = os.path.join(self.dir, "compositor-runtime")
        os.mkdir(self.compositor_runtime, 0o700)
        base = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": self.compositor_runtime,
                "XDG_RUNTIME_DIR": self.compositor_runtime, "LANG": "C.UTF-8"}
        if self.SESSION_BUS:
            with open(os.path.join(self.dir, "bus.log"), "wb") as log:
                self._bus, self.bus_address = start_session_bus(base, log=log, prefix=DIES_WITH_US)
            base["DBUS_SESSION_BUS_ADDRESS"] = self.bus_address
        socket_path = self._start_compositor(base)

        # Clients run as root with a runtime directory of their own (Qt wants it owned by its
        # user) and reach the compositor's socket by its full path, without its session bus.
        runtime = os.path.join(self.dir, "runtime")
        os.mkdir(runtime, 0o700)
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("QT_", "DBUS_", "AT_SPI", "XDG_", "WAYLAND_", "SWAYSOCK"))
               and k != "DISPLAY"}
        env.update({
            "XDG_RUNTIME_DIR": runtime,
            "XDG_SESSION_TYPE": "wayland",
            "WAYLAND_DISPLAY": socket_path,
            "HOME": self.dir,
            "XDG_CONFIG_HOME": os.path.join(self.dir, "config"),
            "XDG_CACHE_HOME": os.path.join(self.dir, "cache"),
        })
        self.env = env
        self._start_keyboard()

    def _popen(self, command, env, prefix=DIES_WITH_US):
        with open(self.log_path(), "ab") as log:
            self._process = subprocess.Popen([*prefix, *command], env=env, stdin=subprocess.DEVNULL,
                                             stdout=log, stderr=log, cwd=self.dir)

    def _wait_for_socket(self, directory, name=None):
        """The compositor's Wayland socket in `directory` (its full path)."""
        def found():
            check(self._process.poll() is None, f"{self.NAME} exited: " + self.log())
            names = [n for n in os.listdir(directory)
                     if n.startswith(name or "wayland-") and not n.endswith(".lock")]
            return os.path.join(directory, names[0]) if names else None
        return wait_until(found, f"{self.NAME}'s Wayland socket")

    def _start_keyboard(self):
        """What the compositor needs before the first key."""

    def log_path(self):
        return os.path.join(self.dir, f"{self.NAME}.log")

    def log(self):
        with contextlib.suppress(OSError), open(self.log_path(), errors="replace") as f:
            return f.read()[-2000:]
        return ""

    def __exit__(self, *exc):
        self._stop_keyboard()
        stop_process(self._process)
        stop_process(self._bus, group=True)
        shutil.rmtree(self.dir, ignore_errors=True)
        return False

    def _stop_keyboard(self):
        pass

    def launching(self):
        """Called just before a kestrow run starts."""

    def run_ended(self):
        """Called once a kestrow run has been stopped."""

    def ready(self, found):
        """Whether a window just found is ready for keys (some compositors frame it a moment later)."""
        return found["focused"]

    def check_frame(self, found):
        """The window has the title bar this compositor gives it (or nothing is known here)."""


class Sway(Compositor):
    NAME = "sway"
    TOOLS = ("sway", "swaymsg", "wtype", "grim", "setpriv")
    SESSION_BUS = False
    SCREENSHOTS = True
    RESIZABLE_OUTPUT = True
    # kestrow's windows float, as on a desktop, so that they keep the size they ask for.
    CONFIG = """\
xwayland disable
output HEADLESS-1 resolution 1280x800 scale 1
for_window [app_id="kestrow"] floating enable
"""

    def _start_compositor(self, base):
        user = pwd.getpwnam(COMPOSITOR_USER)
        os.chown(self.compositor_runtime, user.pw_uid, user.pw_gid)
        config = os.path.join(self.dir, "sway.conf")
        with open(config, "w") as file:
            file.write(self.CONFIG)
        self._popen(["sway", "-c", config],
                    dict(base, WLR_BACKENDS="headless", WLR_RENDERER="pixman", WLR_LIBINPUT_NO_DEVICES="1"),
                    prefix=["setpriv", f"--reuid={user.pw_uid}", f"--regid={user.pw_gid}", "--clear-groups",
                            "--pdeathsig", "TERM"])
        wayland = self._wait_for_socket(self.compositor_runtime)
        ipc = wait_until(lambda: [n for n in os.listdir(self.compositor_runtime) if n.startswith("sway-ipc.")],
                         "sway's IPC socket")
        self._swaysock = os.path.join(self.compositor_runtime, ipc[0])
        return wayland

    def _start_keyboard(self):
        self.env["SWAYSOCK"] = self._swaysock
        wait_until(lambda: run_tool(["swaymsg", "-t", "get_outputs"], self.env).returncode == 0,
                   "sway's IPC to answer")
        self._keyboard = None  # the idle keyboard (see release_keyboards)
        self._typists = []  # the wtypes of the run under way
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

    def _stop_keyboard(self):
        for typist in [*getattr(self, "_typists", []), getattr(self, "_keyboard", None)]:
            if typist is not None:
                stop_process(typist)

    def swaymsg(self, *args):
        result = run_tool(["swaymsg", *args], self.env)
        check(result.returncode == 0, f"swaymsg {args} failed: {result.stdout}{result.stderr}")
        return result.stdout

    def key(self, *keys):
        """Presses and releases each key in turn, all through one wtype, which stays until the run
        has ended (release_keyboards)."""
        self._typists.append(self._typist(keys))

    def run_ended(self):
        self.release_keyboards()

    def windows(self):
        """Every application window in sway's tree (with sway's own node as "node")."""
        found = []
        pending = [json.loads(self.swaymsg("-t", "get_tree"))]
        while pending:
            node = pending.pop()
            if node.get("pid") and node.get("type") in ("con", "floating_con"):
                found.append(found_window(node["name"], node["focused"], node["rect"], node["pid"], node=node))
            pending.extend(node.get("nodes", []) + node.get("floating_nodes", []))
        return found

    def ready(self, found):
        # sway gives a window its frame a moment after mapping it: "normal" is a title bar drawn
        # by sway (server-side decoration through xdg-decoration), "csd" would be the program's own.
        return found["focused"] and found["node"]["border"] != "none"

    def check_frame(self, found):
        check_equal(found["node"]["app_id"], APP_ID, f"app id of '{found['title']}'")
        check_equal(found["node"]["border"], "normal", f"sway's frame of '{found['title']}'")

    def close(self, found):
        """What the compositor's close button or its close key does: xdg_toplevel.close."""
        self.swaymsg(f"[con_id={found['node']['id']}]", "kill")

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

    def set_output(self, resolution, scale):
        self.swaymsg("output", "HEADLESS-1", "resolution", resolution, "scale", str(scale))

    def screen_size(self):
        """The output's size in logical pixels."""
        rect = json.loads(self.swaymsg("-t", "get_outputs"))[0]["rect"]
        return rect["width"], rect["height"]


class DBusCaller:
    """Method calls on the compositor's private session bus (GLib's GDBus, from python3-gi)."""

    def __init__(self, address):
        from gi.repository import Gio, GLib  # only the compositors with a bus need it
        self._glib = GLib
        self._connection = Gio.DBusConnection.new_for_address_sync(
            address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
            None, None)

    def call(self, service, path, interface, method, signature=None, *args, reply=None):
        parameters = self._glib.Variant(f"({signature})", args) if signature else None
        answer = self._connection.call_sync(service, path, interface, method, parameters,
                                            self._glib.VariantType(reply) if reply else None, 0,
                                            WAIT_SECONDS * 1000, None)
        return answer.unpack() if answer is not None else None

    def close(self):
        self._connection.close_sync(None)


class ProtocolLog:
    """The toplevels a compositor's protocol log (WAYLAND_DEBUG=server) shows, from an offset on.
    The log does not say which client sent what: it is read only for a compositor whose one client
    with windows is kestrow, from the start of the run."""

    MESSAGE = headless.PROTOCOL_MESSAGE

    def __init__(self, path):
        self.path = path
        self.offset = 0

    def mark(self):
        self.offset = os.path.getsize(self.path)

    def toplevels(self):
        """{toplevel id: dict(title, mapped, parent, xdg=dict(surface, geometry, active))}, and the
        surface with the keyboard. `active`: the client has taken (acked) a configure that gave the
        toplevel a state, as the compositor does when it activates the window; before that Qt has
        no focus widget for the keys that the keyboard's enter lets through (KWin enters about
        0.2 s before the client has taken its activation, and keys sent then are lost)."""
        with open(self.path, "rb") as file:
            file.seek(self.offset)
            lines = file.read().decode("utf-8", errors="replace").splitlines()
        xdg_surfaces, toplevels, attached, focus, states = {}, {}, {}, None, {}
        for line in lines:
            match = self.MESSAGE.match(line)
            if not match:
                continue
            event, interface, number, message, args = match.groups()
            if interface == "xdg_wm_base" and message == "get_xdg_surface":
                new, surface = re.findall(r"[@#](\d+)", args)[:2]
                xdg_surfaces[new] = dict(surface=surface, geometry=None, active=False, configures={},
                                         drawn_since_enter=False)
            elif interface == "xdg_surface" and message == "get_toplevel" and number in xdg_surfaces:
                toplevels[re.findall(r"[@#](\d+)", args)[0]] = dict(title=None, mapped=False, parent=None,
                                                                 xdg=xdg_surfaces[number])
            elif interface == "xdg_surface" and message == "set_window_geometry" and number in xdg_surfaces:
                xdg_surfaces[number]["geometry"] = [int(v) for v in args.split(",")]
            elif interface == "xdg_toplevel" and event and message == "configure":
                states[number] = not args.endswith("array[0]")
            elif interface == "xdg_surface" and event and message == "configure" and number in xdg_surfaces:
                toplevel = next((t for t, v in toplevels.items() if v["xdg"] is xdg_surfaces[number]), None)
                xdg_surfaces[number]["configures"][args] = states.pop(toplevel, False)
            elif interface == "xdg_surface" and message == "ack_configure" and number in xdg_surfaces:
                xdg_surfaces[number]["active"] = xdg_surfaces[number]["configures"].get(args, False)
            elif interface == "xdg_toplevel" and number in toplevels:
                if message == "set_title":
                    toplevels[number]["title"] = json.loads(args) if args.startswith('"') else args
                elif message == "set_parent":
                    parent = re.findall(r"[@#](\d+)", args)
                    toplevels[number]["parent"] = parent[0] if parent else None
                elif message == "destroy":
                    del toplevels[number]
            elif interface == "wl_surface" and not event:
                if message == "attach":
                    attached[number] = not args.startswith("nil")
                elif message == "commit" and attached.get(number):
                    for toplevel in toplevels.values():
                        if toplevel["xdg"]["surface"] == number:
                            toplevel["mapped"] = True
                            toplevel["xdg"]["drawn_since_enter"] = True
            elif interface == "wl_keyboard" and event and message in ("enter", "leave"):
                surface = re.findall(r"wl_surface[@#](\d+)", args)
                focus = surface[0] if message == "enter" and surface else None
                # Weston gives the window back the keyboard after the alert without activating it
                # again: Qt has made it its active window once it draws it anew.
                for xdg in xdg_surfaces.values():
                    if xdg["surface"] == focus:
                        xdg["drawn_since_enter"] = False
        return toplevels, focus

    def windows(self):
        toplevels, focus = self.toplevels()
        found = []
        for toplevel in toplevels.values():
            if toplevel["mapped"]:
                parent = toplevels.get(toplevel["parent"])
                found.append(found_window(toplevel["title"],
                                          toplevel["xdg"]["surface"] == focus and toplevel["xdg"]["active"],
                                          parent=parent["title"] if parent else None,
                                          geometry=toplevel["xdg"]["geometry"],
                                          active=toplevel["xdg"]["active"] and toplevel["xdg"]["drawn_since_enter"]))
        return found

    def active(self, title):
        """Whether the client has taken an activation of its toplevel titled `title`."""
        return any(w["title"] == title and w["active"] for w in self.windows())

    def end(self):
        """Where the log ends now: an offset for requested()."""
        return os.path.getsize(self.path)

    def requested(self, interface, message, since):
        """Whether a client has sent that request (e.g. xdg_toplevel, move) since the offset."""
        with open(self.path, "rb") as file:
            file.seek(since)
            lines = file.read().decode("utf-8", errors="replace").splitlines()
        return any((m := self.MESSAGE.match(line)) and not m.group(1) and m.group(2) == interface
                   and m.group(4) == message for line in lines)


class Mutter(Compositor):
    NAME = "mutter"
    TOOLS = ("mutter", "dbus-daemon")
    SERVICE = "org.gnome.Mutter.RemoteDesktop"
    SESSION = "org.gnome.Mutter.RemoteDesktop.Session"
    FRAMES_WINDOWS = False

    def _start_compositor(self, base):
        name = "wayland-kestrow"
        command, env = headless.mutter(SCREEN, name)
        self._popen(command, dict(base, WAYLAND_DEBUG="server", **env))
        self.protocol = ProtocolLog(self.log_path())
        return self._wait_for_socket(self.compositor_runtime, name)

    def _start_keyboard(self):
        self._dbus = DBusCaller(self.bus_address)

        def session():
            with contextlib.suppress(Exception):
                return self._dbus.call(self.SERVICE, "/org/gnome/Mutter/RemoteDesktop", self.SERVICE,
                                       "CreateSession", reply="(o)")[0]
            return None
        self._session = wait_until(session, "mutter's RemoteDesktop on the bus")
        self._dbus.call(self.SERVICE, self._session, self.SESSION, "Start")
        self.key("Shift")  # dropped by mutter, whatever it is: the first key of a session

    def _stop_keyboard(self):
        dbus = getattr(self, "_dbus", None)
        if dbus is not None:
            with contextlib.suppress(Exception):
                dbus.call(self.SERVICE, self._session, self.SESSION, "Stop")
            dbus.close()

    def key(self, *keys):
        for code in key_codes(keys):
            for pressed in ((True, False) if code[0] not in "+-" else (code[0] == "+",)):
                self._dbus.call(self.SERVICE, self._session, self.SESSION, "NotifyKeyboardKeycode", "ub",
                                int(code.lstrip("+-")), pressed)

    def launching(self):
        self.protocol.mark()

    def windows(self):
        return self.protocol.windows()

    def check_frame(self, found):
        # mutter draws none: Kestrow's own frame is around the content's opening width.
        if found["title"] == WINDOW_TITLE:
            check(found["geometry"] is not None, "the window's geometry in mutter's log")
            check_equal(found["geometry"][2], OPENING_CONTENT_SIZE[0] + 2 * OWN_FRAME_WIDTH, "the framed window's width")

    def close(self, found):
        """mutter's close key, Alt+F4, on the focused window."""
        check(found["focused"], "the window to close has the focus")
        self.key("+Alt", "F4", "-Alt")


class KWin(Compositor):
    NAME = "kwin"
    TOOLS = ("kwin_wayland", "dbus-daemon")
    # One script for every question: KWin 5 lists clients, KWin 6 windows.
    SCRIPT = """\
var all = workspace.windowList ? workspace.windowList() : workspace.clientList();
for (var i = 0; i < all.length; ++i) {
    var w = all[i];
    if (!w.normalWindow && !w.dialog) continue;
    var f = w.frameGeometry, c = w.clientGeometry || w.bufferGeometry || {x: 0, y: 0, width: -1, height: -1};
    if (%(close)s === w.pid) w.closeWindow();
    print("KESTROW %(token)s " + JSON.stringify({pid: w.pid, title: w.caption, focused: w.active,
        frame: [f.x, f.y, f.width, f.height], client: [c.x, c.y, c.width, c.height], noBorder: w.noBorder}));
}
print("KESTROW %(token)s end");
"""

    def _start_compositor(self, base):
        name = "wayland-kestrow"
        command, env = headless.kwin(SCREEN, name, self.dir)
        self._popen(command, dict(base, KWIN_WAYLAND_NO_PERMISSION_CHECKS="1", QT_LOGGING_RULES="kwin_scripting=true",
                                  WAYLAND_DEBUG="server", **env))
        # Only to know when the client has taken its activation (see ProtocolLog.toplevels).
        self.protocol = ProtocolLog(self.log_path())
        return self._wait_for_socket(self.compositor_runtime, name)

    def launching(self):
        self.protocol.mark()

    def ready(self, found):
        return found["focused"] and self.protocol.active(found["title"])

    def _start_keyboard(self):
        self._dbus = DBusCaller(self.bus_address)
        wait_until(lambda: self._scripting_ready(), "KWin's scripting on the bus")
        self._keyboard = subprocess.Popen([self.tools["kwin_keys"]], env=self.env, stdin=subprocess.PIPE,
                                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        if self._keyboard.stdout.readline() != "ready\n":
            raise Failure(f"the fake-input keyboard did not start: {self._keyboard.stderr.read()}")
        # The fake keyboard makes the seat's keyboard: Qt needs it before the first window.
        time.sleep(0.2)

    def _scripting_ready(self):
        with contextlib.suppress(Exception):
            self._dbus.call("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting", "isScriptLoaded", "s", "none",
                            reply="(b)")
            return True
        return False

    def _stop_keyboard(self):
        keyboard = getattr(self, "_keyboard", None)
        if keyboard is not None:
            keyboard.stdin.close()
            keyboard.wait(timeout=WAIT_SECONDS)
            keyboard.stdout.close()
            keyboard.stderr.close()
        dbus = getattr(self, "_dbus", None)
        if dbus is not None:
            dbus.close()

    def key(self, *keys):
        self._keyboard.stdin.write(" ".join(key_codes(keys)) + "\n")
        self._keyboard.stdin.flush()
        check(self._keyboard.stdout.readline() == "ok\n", "the fake-input keyboard typed the keys")

    def _script(self, close_pid=None):
        """Runs the script once; returns what it printed, one dict a window."""
        token = uuid.uuid4().hex
        path = os.path.join(self.dir, f"script-{token}.js")
        with open(path, "w") as file:
            file.write(self.SCRIPT % dict(token=token, close=close_pid or -1))
        scripting = ("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting")
        self._dbus.call(*scripting, "loadScript", "ss", path, token, reply="(i)")
        self._dbus.call(*scripting, "start")
        pattern = re.compile(f"KESTROW {token} (.*)$")

        def printed():
            with open(self.log_path(), errors="replace") as file:
                lines = [m.group(1) for m in map(pattern.search, file.read().splitlines()) if m]
            return lines if lines and lines[-1] == "end" else None
        lines = wait_until(printed, "KWin's script to answer")
        self._dbus.call(*scripting, "unloadScript", "s", token, reply="(b)")
        os.unlink(path)
        return [json.loads(line) for line in lines[:-1]]

    def windows(self):
        def rect(values):
            return dict(zip(("x", "y", "width", "height"), values))
        return [found_window(w["title"], w["focused"], rect(w["frame"]), w["pid"], client=rect(w["client"]),
                       no_border=w["noBorder"]) for w in self._script()]

    def check_frame(self, found):
        # KWin's own title bar (Breeze) above the client's area: a server-side frame.
        check(not found["no_border"] and found["rect"]["height"] - found["client"]["height"] >= 16,
              f"KWin frames '{found['title']}' with its title bar: frame {found['rect']}, client {found['client']}")

    def close(self, found):
        """What KWin's close button does (Window.closeWindow: xdg_toplevel.close)."""
        self._script(close_pid=found["pid"])


class Weston(Compositor):
    NAME = "weston"
    TOOLS = ("weston",)
    SESSION_BUS = False
    CHILD_OVER_PARENT = False
    FRAMES_WINDOWS = False
    POINTER = True

    def _start_compositor(self, base):
        self._seat_socket = os.path.join(self.dir, "seat")
        name = "wayland-kestrow"
        command, env = headless.weston(SCREEN, name)
        self._popen([*command, f"--modules={self.tools['weston_seat']}"],
                    dict(base, KESTROW_TEST_SEAT_SOCKET=self._seat_socket, WAYLAND_DEBUG="server", **env))
        # For the alert's parent, and when the client has taken its activation (ProtocolLog):
        # Weston's own clients (its panel, its on-screen keyboard) have no xdg toplevels.
        self.protocol = ProtocolLog(self.log_path())
        wait_until(lambda: os.path.exists(self._seat_socket) or self._process.poll() is not None,
                   "Weston's test seat")
        return self._wait_for_socket(self.compositor_runtime, name)

    def _ask(self, request):
        with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as connection:
            connection.settimeout(WAIT_SECONDS)
            connection.connect(self._seat_socket)
            connection.sendall(request.encode() + b"\n")
            with connection.makefile("r", encoding="utf-8", errors="replace") as answer:
                return answer.read().splitlines()

    def key(self, *keys):
        check(self._ask("keys " + " ".join(key_codes(keys))) == ["ok"], "Weston's test seat typed the keys")

    def pointer(self, x, y):
        """Moves the pointer; returns the PID of the client under it (0: none, or Weston's shell)."""
        answer = self._ask(f"pointer {x} {y}")
        check(len(answer) == 1 and answer[0].startswith("ok "), f"Weston's test seat moved the pointer: {answer}")
        return int(answer[0].split()[1])

    def point_at(self, pid, x, y):
        """Moves the pointer onto the window of `pid` at x, y. Weston finds the window under the
        pointer among those it has drawn: one mapped since its last repaint is not there yet."""
        wait_until(lambda: self.pointer(x, y) == pid, f"the pointer to be over the window at {x}, {y}")

    def button(self, code):
        check(self._ask(f"button {code}") == ["ok"], "Weston's test seat pressed the button")

    def click(self, pid, x, y):
        self.point_at(pid, x, y)
        self.button(BUTTON_LEFT)

    def drag(self, pid, start, end, request):
        """Presses on the window of `pid` at `start` and lets go at `end`, once the client has asked
        the compositor to move or resize its window (`request`: xdg_toplevel.move or .resize, which
        Qt sends a moment after the press)."""
        self.point_at(pid, *start)
        since = self.protocol.end()
        self.button(f"+{BUTTON_LEFT}")
        wait_until(lambda: self.protocol.requested("xdg_toplevel", request, since),
                   f"the client to ask for a {request}")
        # In steps, as a hand moves, and at rest before the release. Sent all at once, Weston 14 and
        # Qt 6.8 ended a resize short in 2 runs of 3: Qt applies only the newest configure it has
        # when it gets to them, and Weston's last one, after the release, leaves the size to the
        # client.
        steps = 5
        for step in range(1, steps + 1):
            self.pointer(start[0] + (end[0] - start[0]) * step // steps, start[1] + (end[1] - start[1]) * step // steps)
            time.sleep(0.03)
        self.button(f"-{BUTTON_LEFT}")

    def windows(self):
        found = []
        for line in self._ask("windows"):
            pid, focused, x, y, width, height, title = line.split("\t", 6)
            found.append(found_window(title, focused == "1", dict(x=int(x), y=int(y), width=int(width), height=int(height)),
                                int(pid)))
        parents = {w["title"]: w["parent"] for w in self.protocol.windows()}
        for each in found:
            each["parent"] = parents.get(each["title"])
        return found

    def launching(self):
        self.protocol.mark()

    def ready(self, found):
        return found["focused"] and self.protocol.active(found["title"])

    def close(self, found):
        """What a close button does: xdg_toplevel.close."""
        check(self._ask(f"close {found['pid']}") == ["ok"], "Weston's test seat closed the window")


COMPOSITORS = {c.NAME: c for c in (Sway, Mutter, KWin, Weston)}


class WaylandKestrow(harness.Kestrow):
    """One run of the program under the compositor (its desktop), started the way the installer
    starts it. It must end within EXIT_SECONDS of the answer or the close, and write nothing to
    standard error."""

    QT_PLATFORM = None  # Qt finds the compositor by itself, as it would on a person's desktop

    def __init__(self, desktop, *args, **options):
        desktop.launching()
        super().__init__(desktop, *args, **options)

    def own_windows(self, title):
        return [w for w in self.desktop.windows()
                if w["pid"] in (self.process.pid, None) and w["title"] == title]

    def wait_for_window(self, title=WINDOW_TITLE):
        """The window titled `title`, once it is mapped (and framed, where the compositor frames
        it) and has the keyboard focus."""
        def focused():
            check(self.running(), f"kestrow exited ({self.process.returncode}) before showing "
                                  f"'{title}'; stderr:\n{self.stderr()}")
            windows = self.own_windows(title)
            check(len(windows) <= 1, f"more than one window '{title}'")
            return windows[0] if windows and self.desktop.ready(windows[0]) else None
        window = wait_until(focused, f"the window '{title}' to be mapped and focused")
        self.desktop.check_frame(window)
        # A frame of its own or none: either way Qt must not have set up EGL (Mesa's driver) to
        # ask whether it could draw one, which costs the raster window ~50 MiB and tens of ms.
        with open(f"/proc/{self.process.pid}/maps", encoding="utf-8", errors="replace") as maps:
            check("libEGL_mesa" not in maps.read(), "no EGL driver loaded in kestrow")
        return window

    def stop(self):
        super().stop()
        self.desktop.run_ended()

    def wait_for_alert_gone(self):
        wait_until(lambda: not self.own_windows(ALERT_TITLE), "the alert to close")

    def close(self, window):
        """What the compositor's close button or its close key does: xdg_toplevel.close."""
        self.desktop.close(window)

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
        # The exchange files first: a run waits for the lock before it starts its compositor.
        cls.exchange = cls.enterClassContext(ExchangeFiles(waiting=waiting_for_the_lock))
        cls.compositor = cls.enterClassContext(COMPOSITORS[parameters["compositor"]](parameters))
        cls.desktop = cls.compositor  # where self.launched() starts kestrow

    def run(self, result=None):
        """Also shows the compositor's log after a case (or a row of it) that failed."""
        failed = len(result.failures) + len(result.errors) if result is not None else 0
        result = super().run(result)
        if result is not None and len(result.failures) + len(result.errors) > failed:
            print(f"{self.compositor.NAME}'s log:\n" + self.compositor.log(), file=sys.stderr, flush=True)
        return result

    def test_confirm_by_keys_on_select_all(self):
        """confirm: Space, Tab, Space on Select All, Return

        Space ticks the focused first row, Tab moves to "Select All", Space ticks every row, Return
        confirms: every name is written, then the flag."""
        self.exchange.reset(printer_list=SAMPLE_LIST, selection=STALE_SELECTION)
        with self.launched() as kestrow:
            window = kestrow.wait_for_window()
            if self.compositor.SCREENSHOTS:
                # On screen: sway's title bar with its text, and the window's content drawn by Qt.
                check(self.compositor.colours(window["node"]["deco_rect"]) >= 3, "the title bar shows a title")
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
            if inside is None or not self.compositor.CHILD_OVER_PARENT:
                # mutter tells no positions, and centres a child on its parent; Weston places every
                # window at random. All a program can do is say whose child the alert is.
                check_equal(alert["parent"], WINDOW_TITLE, "the alert's parent window")
            else:
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

    def test_own_frame(self):
        """its own frame moves, resizes and closes the window

        Where the compositor draws no window frames, Kestrow draws its own: the content keeps its
        opening size inside it, a drag on the title bar moves the window, one on the bottom right
        corner resizes it, and the bar's close button closes it like the compositor's close:
        nothing written, status 0."""
        if self.compositor.FRAMES_WINDOWS:
            self.skipTest(f"{self.compositor.NAME} draws the window frames")
        if not self.compositor.POINTER:
            self.skipTest(f"no pointer for the tests under {self.compositor.NAME}")
        self.exchange.reset(printer_list=SAMPLE_LIST, selection=STALE_SELECTION)
        with self.launched() as kestrow:
            rect = kestrow.wait_for_window()["rect"]
            content_width, content_height = OPENING_CONTENT_SIZE
            check_equal(rect["width"], content_width + 2 * OWN_FRAME_WIDTH, "the framed window's width")
            bar = rect["height"] - content_height - OWN_FRAME_WIDTH - 1
            check(16 <= bar <= 64, f"a title bar above the content (the window is {rect})")
            # Weston opens a window anywhere: the move takes it to a known place, with room to grow.
            target = (100, 100) if (rect["x"], rect["y"]) != (100, 100) else (150, 120)
            start = (rect["x"] + 60, rect["y"] + 1 + bar // 2)
            moved = dict(rect, x=target[0], y=target[1])
            self.compositor.drag(kestrow.process.pid, start,
                                 (start[0] + target[0] - rect["x"], start[1] + target[1] - rect["y"]), "move")
            self.wait_for_rect(kestrow, moved, "the drag on the title bar to move the window")
            corner = (moved["x"] + moved["width"] - 2, moved["y"] + moved["height"] - 2)
            resized = dict(moved, width=moved["width"] + 40, height=moved["height"] + 30)
            self.compositor.drag(kestrow.process.pid, corner, (corner[0] + 40, corner[1] + 30), "resize")
            self.wait_for_rect(kestrow, resized, "the drag on the corner to grow the window")
            self.compositor.click(kestrow.process.pid, resized["x"] + resized["width"] - 1 - bar // 2,
                                  resized["y"] + 1 + bar // 2)
            kestrow.check_finished([])
        check_exchange_files(SAMPLE_LIST, STALE_SELECTION, None)

    @staticmethod
    def wait_for_rect(kestrow, rect, what):
        """Waits until the window has that rectangle; the failure names the one it has."""
        windows = []

        def there():
            windows[:] = kestrow.own_windows(WINDOW_TITLE)
            return any(w["rect"] == rect for w in windows)
        try:
            wait_until(there, what)
        except Failure:
            raise Failure(f"{what}: expected {rect}, the window is at {[w['rect'] for w in windows]}") from None

    def test_fits_a_small_screen(self):
        """the window fits a small screen at scale 2

        On the normal screen the window opens at 550 x 400; at a scale factor of 2 on a small
        screen it shrinks so that it fits, with its title bar."""
        if not self.compositor.RESIZABLE_OUTPUT:
            self.skipTest(f"{self.compositor.NAME}'s headless output cannot change while it runs")
        self.exchange.reset(printer_list=SAMPLE_LIST)
        with self.launched() as kestrow:
            window = kestrow.wait_for_window()
            geometry = window["node"]["geometry"]
            check_equal((geometry["width"], geometry["height"]), (550, 400), "the opening size")
            kestrow.close(window)
            kestrow.check_finished([])

        self.compositor.set_output(SMALL_SCREEN, 2)
        try:
            screen_width, screen_height = self.compositor.screen_size()
            with self.launched() as kestrow:
                window = kestrow.wait_for_window()
                geometry, frame, title_bar = window["node"]["geometry"], window["rect"], window["node"]["deco_rect"]
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
            self.compositor.set_output(f"{SCREEN[0]}x{SCREEN[1]}", 1)
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
        needed = [sys.argv[1], __file__, *(path for path in parameters.values() if path.startswith("/"))] + re.findall(r"suppressions=([^:]+)", os.environ.get("LSAN_OPTIONS", ""))
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


# The module's parameters, from its command line (read_parameters).
parameters = {}


def read_parameters():
    """Takes --compositor NAME, --kwin-keys=PATH and --weston-seat=PATH out of the command line
    (the rest is unittest's) into `parameters`."""
    rest, arguments = sys.argv[:2], iter(sys.argv[2:])
    for argument in arguments:
        name, equals, value = argument.partition("=")
        if name in ("--compositor", "--kwin-keys", "--weston-seat"):
            parameters[name[2:].replace("-", "_")] = value if equals else next(arguments, "")
        else:
            rest.append(argument)
    if parameters.get("compositor") not in COMPOSITORS:
        sys.exit(f"usage: {sys.argv[0]} PATH_TO_KESTROW --compositor {{{','.join(COMPOSITORS)}}} "
                 "[--kwin-keys=PATH] [--weston-seat=PATH] [unittest options]")
    return rest


def prepare():
    """Before any case: skipped without root, failed without the tools, then in a /tmp of its own."""
    arguments = read_parameters()
    compositor = COMPOSITORS[parameters["compositor"]]
    if os.geteuid() != 0:
        print("SKIP: needs root, to run sway as an unprivileged user (setpriv) and to have a private /tmp")
        sys.exit(SKIPPED)
    tools = {"kwin": "kwin_keys", "weston": "weston_seat"}
    missing = [tool for tool in (*compositor.TOOLS, "setpriv", "unshare") if shutil.which(tool) is None]
    if compositor.NAME in tools and not os.path.exists(parameters.get(tools[compositor.NAME], "")):
        missing.append(f"--{tools[compositor.NAME].replace('_', '-')} (built in tests/wayland/tools)")
    if missing:
        print(f"FAIL: missing {', '.join(missing)} (scripts/deps lists the Debian packages)")
        sys.exit(1)
    enter_private_tmp()
    sys.argv[:] = arguments


if __name__ == "__main__":
    harness.main(prepare)
