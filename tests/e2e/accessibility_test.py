"""What assistive technology sees over AT-SPI: the window, the rows named by the printer names
with their checked state, "Select All", "Cancel", "OK", and the alert."""

from harness import (ALERT_TITLE, DONE_LINE, PRINTER_LIST, SAMPLE_LIST, SAMPLE_ROWS, WINDOW_TITLE,
                     Accessibility, check, check_equal, check_exchange_files, launched, run_cases)


def window_is_a_frame(desktop, exchange, binary):
    exchange.reset(printer_list=SAMPLE_LIST)
    with launched(desktop, binary, accessible=True) as kestrow:
        kestrow.wait_for_window()
        tree = Accessibility(desktop, kestrow)
        windows = [(node.getRoleName(), node.name) for node in tree.children(tree.app)]
        # Screen readers announce a top-level window by its frame (or dialog) role and title.
        check_equal(windows, [("frame", WINDOW_TITLE)], "the application's top-level windows")
        kestrow.stop()


def controls_and_checked_state(desktop, exchange, binary):
    exchange.reset(printer_list=SAMPLE_LIST)
    with launched(desktop, binary, accessible=True) as kestrow:
        kestrow.wait_for_window()
        tree = Accessibility(desktop, kestrow)
        check_equal(tree.app.name, "kestrow", "application name")
        tree.find("label", "Select Printers to Install", root=tree.window())
        printer_list = tree.find("list", "Printers")
        rows = tree.rows()
        check_equal([row.name for row in rows], SAMPLE_ROWS, "row names, verbatim and in file order")
        # Each row is announced as something that can be ticked, with its state.
        check_equal({row.getRoleName() for row in tree.children(printer_list)}, {"check box"}, "the rows' role")
        for row in rows:
            check(not tree.has_state(row, "checked"), f"row {row.name!r} starts unchecked")
        # The keyboard is on the list's first row, and so is the accessible focus.
        tree.wait_state(rows[0], "focused")
        desktop.key("Down")
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

        desktop.key("Escape")
        kestrow.check_finished([DONE_LINE])


def row_action_toggles_the_row(desktop, exchange, binary):
    exchange.reset(printer_list=SAMPLE_LIST)
    with launched(desktop, binary, accessible=True) as kestrow:
        kestrow.wait_for_window()
        tree = Accessibility(desktop, kestrow)
        alpha = tree.rows()[1]
        action = alpha.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        check_equal(names, ["Toggle"], "a row's actions")
        # What a screen reader or voice control does to tick a row: its first action.
        action.doAction(0)
        tree.wait_state(alpha, "checked")
        check(not tree.has_state(alpha, "selected"), "the row is ticked, not selected")
        desktop.key("Return")
        kestrow.check_finished([DONE_LINE])
    check_exchange_files(SAMPLE_LIST, b"alpha", b"")


def alert(desktop, exchange, binary):
    exchange.reset()
    with launched(desktop, binary, accessible=True) as kestrow:
        kestrow.wait_for_window(focus=False)
        kestrow.wait_for_alert()
        tree = Accessibility(desktop, kestrow)
        box = tree.wait_find("alert", ALERT_TITLE)
        messages = [label.name for label in tree.find_all("label", root=box)]
        check(any(message.startswith(f"Printer list file not found at:\n{PRINTER_LIST}\n")
                  for message in messages), f"the alert's message, with its line breaks: {messages!r}")
        tree.find("push button", "OK", root=box)
        tree.wait_find("label", "No printers found or file not loaded.")
        desktop.key("Return")
        kestrow.wait_for_alert_gone()
        window = tree.window()
        check(not tree.has_state(tree.find("push button", "OK", root=window), "enabled"),
              "the window's OK is disabled")
        check(not tree.has_state(tree.find("check box", "Select All", root=window), "enabled"),
              "Select All is disabled without printers")
        desktop.key("Escape")
        kestrow.check_finished([DONE_LINE])


run_cases([
    ("the window is a frame titled Orvane Setup", window_is_a_frame),
    ("controls, rows and their checked state", controls_and_checked_state),
    ("a row's accessible action ticks it", row_action_toggles_the_row),
    ("the alert", alert),
])
