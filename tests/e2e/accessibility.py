"""The program's AT-SPI tree, read on the test desktop's private bus: where a click must land (no
pixel offset depends on fonts or style), and the roles, names and states a screen reader sees."""

import contextlib
import os

from harness import WINDOW_TITLE, check, wait_until


class Accessibility:
    """The program's AT-SPI tree, read on the desktop's private bus."""

    def __init__(self, desktop, kestrow):
        # pyatspi finds the bus through the environment when it is first imported.
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = desktop.env["DBUS_SESSION_BUS_ADDRESS"]
        os.environ["DISPLAY"] = desktop.env["DISPLAY"]
        import pyatspi  # noqa: E402 (only once the bus is known)
        self.pyatspi = pyatspi
        # Roles by number, named as at-spi2-core 2.46 names them: 2.56 renamed some ("push button"
        # is "button" there) without changing their numbers.
        roles = {attr: getattr(pyatspi, attr) for attr in dir(pyatspi) if attr.startswith("ROLE_")}
        self._role_names = {number: attr[len("ROLE_"):].lower().replace("_", " ")
                            for attr, number in roles.items() if isinstance(number, int)}
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

    def role_name(self, node):
        """The node's role, e.g. 'push button', the same on every at-spi2-core."""
        return self._role_names.get(node.getRole(), str(node.getRole()))

    def find_all(self, role, name=None, root=None):
        """Every node below `root` with this role name (e.g. 'push button') and, if given, name."""
        found = []
        pending = [root or self.app]
        while pending:
            node = pending.pop(0)
            for child in self.children(node):
                if self.role_name(child) == role and (name is None or child.name == name):
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
                   f"{self.role_name(node)} {node.name!r} to be {'' if present else 'not '}{state}")

    def extents(self, node):
        box = node.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        return box.x, box.y, box.width, box.height

    def center(self, node):
        x, y, width, height = self.extents(node)
        check(width > 0 and height > 0, f"{self.role_name(node)} {node.name!r} has no area on screen")
        return x + width // 2, y + height // 2

    def click(self, node, at=None):
        """Clicks the middle of `node`, or the point `at` (dx, dy) from its top-left corner."""
        if at is None:
            x, y = self.center(node)
        else:
            left, top, _, _ = self.extents(node)
            x, y = left + at[0], top + at[1]
        self.kestrow.desktop.click(x, y)


def window_tree(kestrow):
    """The tree of a run (started with accessible=True), once its window is up and has the focus."""
    kestrow.wait_for_window()
    return Accessibility(kestrow.desktop, kestrow)
