"""Closing the window through the window manager is no answer: the process ends, nothing is
written, and a selection file from an earlier run stays as it was."""

from harness import SAMPLE_LIST, STALE_SELECTION, check, check_exchange_files, launched, run_cases


def close(how, stale_selection):
    def case(desktop, exchange, binary):
        exchange.reset(printer_list=SAMPLE_LIST, selection=stale_selection)
        with launched(desktop, binary) as kestrow:
            window = kestrow.wait_for_window()
            # A row is ticked: even with a selection, closing the window is no answer.
            desktop.key("space")
            if how == "wmctrl":
                # An EWMH close request: openbox sends WM_DELETE_WINDOW to the window.
                result = desktop.run(["wmctrl", "-i", "-c", hex(window)])
                check(result.returncode == 0, "wmctrl failed: " + result.stderr)
            else:
                desktop.key("alt+F4")  # openbox's own binding for the same request
            kestrow.check_finished([])
        check_exchange_files(SAMPLE_LIST, stale_selection, None)
    return case


run_cases([
    ("wmctrl -c, stale selection file", close("wmctrl", STALE_SELECTION)),
    ("alt+F4, no selection file", close("alt+F4", None)),
])
