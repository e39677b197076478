"""How each Wayland compositor runs on its headless backend here: its command line and the
variables it needs, shared by the Wayland tests (wayland_test.py) and the benchmarks
(bench/wayland_startup.py), which add their own options (a Weston module, the protocol log).
Each function takes the screen size (width, height) and the name of the Wayland socket to make."""

import os
import re
import shutil
import subprocess

# One line of a compositor's protocol log (WAYLAND_DEBUG=server): the time, "->" for an event the
# compositor sends (a request it gets has none), the object, the message and its arguments.
# libwayland 1.21 (Debian 12) names an object interface@id, 1.23 (Debian 13) interface#id.
PROTOCOL_MESSAGE = re.compile(r"^\[[\d. ]+\]\s*(->\s*)?(\w+)[@#](\d+)\.(\w+)\((.*)\)\s*$")


def mutter(size, socket_name):
    # No GSettings from the machine: their defaults (Alt+F4 closes).
    return (["mutter", "--headless", "--wayland", "--no-x11", "--virtual-monitor", f"{size[0]}x{size[1]}",
             f"--wayland-display={socket_name}"], {"GSETTINGS_BACKEND": "memory"})


def kwin(size, socket_name, directory):
    """A plain copy of kwin_wayland in `directory`: Debian's binary carries a file capability
    (cap_sys_resource) that exec refuses where it cannot be granted ("Operation not permitted")."""
    binary = os.path.join(directory, "kwin_wayland")
    shutil.copyfile(shutil.which("kwin_wayland"), binary)
    os.chmod(binary, 0o755)
    return ([binary, "--virtual", "--width", str(size[0]), "--height", str(size[1]), "--no-lockscreen",
             "--socket", socket_name], {})


def weston(size, socket_name):
    """With the pixman renderer, whose option changed name in Weston 12."""
    version = subprocess.run(["weston", "--version"], capture_output=True, text=True).stdout
    found = re.search(r"(\d+)\.", version)
    renderer = ["--renderer=pixman"] if found and int(found.group(1)) >= 12 else ["--use-pixman"]
    return (["weston", "--backend=headless-backend.so", *renderer, f"--socket={socket_name}",
             f"--width={size[0]}", f"--height={size[1]}", "--no-config"], {})
