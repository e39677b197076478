"""What assistive technology sees over AT-SPI: the window, the rows named by the printer names
with their checked state, "Select All", "Cancel", "OK", and the alert."""

from accessibility import Accessibility, window_tree
from harness import (ALERT_TITLE, DONE_LINE, PRINTER_LIST, SAMPLE_LIST, SAMPLE_ROWS, WINDOW_TITLE,
                     KestrowTestCase, check, check_equal, check_exchange_files, main)


class AccessibilityTest(KestrowTestCase):
    def test_window_is_a_frame_titled_orvane_setup(self):
        self.exchange.reset(printer_list=SAMPLE_LIST)
        with self.launched(accessible=True) as kestrow:
            tree = window_tree(kestrow)
            windows = [(tree.role_name(node), node.name) for node in tree.children(tree.app)]
            # Screen readers announce a top-level window by its frame (or dialog) role and title.
            check_equal(windows, [("frame", WINDOW_TITLE)], "the application's top-level windows")
            kestrow.stop()

    def test_controls_rows_and_their_checked_state(self):
        self.exchange.reset(printer_list=SAMPLE_LIST)
        with self.launched(accessible=True) as kestrow:
            tree = window_tree(kestrow)
            check_equal(tree.app.name, "kestrow", "application name")
            tree.find("label", "Select Printers to Install", root=tree.window())
            printer_list = tree.find("list", "Printers")
            rows = tree.rows()
            check_equal([row.name for row in rows], SAMPLE_ROWS, "row names, verbatim and in file order")
            # Each row is announced as something that can be ticked, with its state.
            check_equal({tree.role_name(row) for row in tree.children(printer_list)}, {"check box"},
                        "the rows' role")
            for row in rows:
                check(not tree.has_state(row, "checked"), f"row {row.name!r} starts unchecked")
            # The keyboard is on the list's first row, and so is the accessible focus.
            tree.wait_state(rows[0], "focused")
            self.desktop.key("Down")
            tree.wait_state(rows[1], "focused")
            check(not tree.has_state(rows[0], "focused"), "the focus left the first row")
            select_all = tree.find("check box", "Select All")
            cancel = tree.find("push button", "Cancel")
            ok = tree.find("push button", "OK")
            check(tree.has_state(select_all, "enabled"), "Select All is enabled with printers listed")
            check(not tree.has_state(select_all, "checked"), "Select All starts unchecked")
            check(tree.has_state(cancel, "enabled"), "Cancel is enabled")
            check(not tree.has_state(ok, "enabled"), "OK is disabled while nothing is selected")

            # A click on a row: it is checked, and so is its namesake; OK becomes enabled.
            tree.click(rows[3])
            tree.wait_state(rows[3], "checked")
            tree.wait_state(rows[8], "checked")
            tree.wait_state(ok, "enabled")
            check(not tree.has_state(rows[0], "checked"), "the other rows stay unchecked")
            check(not tree.has_state(select_all, "checked"), "Select All stays off with some rows off")

            tree.click(select_all)
            tree.wait_state(select_all, "checked")
            for row in rows:
                tree.wait_state(row, "checked")
            tree.click(rows[0])
            tree.wait_state(rows[0], "checked", present=False)
            tree.wait_state(select_all, "checked", present=False)

            self.desktop.key("Escape")
            kestrow.check_finished([DONE_LINE])

    def test_a_rows_accessible_action_ticks_it(self):
        self.exchange.reset(printer_list=SAMPLE_LIST)
        with self.launched(accessible=True) as kestrow:
            tree = window_tree(kestrow)
            alpha = tree.rows()[1]
            action = alpha.queryAction()
            names = [action.getName(i) for i in range(action.nActions)]
            check_equal(names, ["Toggle"], "a row's actions")
            # What a screen reader or voice control does to tick a row: its first action.
            action.doAction(0)
            tree.wait_state(alpha, "checked")
            check(not tree.has_state(alpha, "selected"), "the row is ticked, not selected")
            self.desktop.key("Return")
            kestrow.check_finished([DONE_LINE])
        check_exchange_files(SAMPLE_LIST, b"alpha", b"")

    def test_the_alert(self):
        self.exchange.reset()
        with self.launched(accessible=True) as kestrow:
            kestrow.wait_for_window(focus=False)
            kestrow.wait_for_alert()
            tree = Accessibility(self.desktop, kestrow)
            box = tree.wait_find("alert", ALERT_TITLE)
            messages = [label.name for label in tree.find_all("label", root=box)]
            check(any(message.startswith(f"Printer list file not found at:\n{PRINTER_LIST}\n")
                      for message in messages), f"the alert's message, with its line breaks: {messages!r}")
            tree.find("push button", "OK", root=box)
            tree.wait_find("label", "No printers found or file not loaded.")
            self.desktop.key("Return")
            kestrow.wait_for_alert_gone()
            window = tree.window()
            check(not tree.has_state(tree.find("push button", "OK", root=window), "enabled"),
                  "the window's OK is disabled")
            check(not tree.has_state(tree.find("check box", "Select All", root=window), "enabled"),
                  "Select All is disabled without printers")
            self.desktop.key("Escape")
            kestrow.check_finished([DONE_LINE])


if __name__ == "__main__":
    main()
