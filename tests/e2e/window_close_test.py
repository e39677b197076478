"""Closing the window through the window manager is no answer: the process ends, nothing is
written, and a selection file from an earlier run stays as it was."""

from harness import SAMPLE_LIST, STALE_SELECTION, KestrowTestCase, check, check_exchange_files, main

# name, how, the selection file that stands there before
ROWS = [
    ("wmctrl -c, stale selection file", "wmctrl", STALE_SELECTION),
    ("alt+F4, no selection file", "alt+F4", None),
]


class WindowCloseTest(KestrowTestCase):
    def test_close(self):
        for name, how, stale_selection in ROWS:
            with self.row(name):
                self.exchange.reset(printer_list=SAMPLE_LIST, selection=stale_selection)
                with self.launched() as kestrow:
                    window = kestrow.wait_for_window()
                    # A row is ticked: even with a selection, closing the window is no answer.
                    self.desktop.key("space")
                    if how == "wmctrl":
                        # An EWMH close request: openbox sends WM_DELETE_WINDOW to the window.
                        result = self.desktop.run(["wmctrl", "-i", "-c", hex(window)])
                        check(result.returncode == 0, "wmctrl failed: " + result.stderr)
                    else:
                        self.desktop.key("alt+F4")  # openbox's own binding for the same request
                    kestrow.check_finished([])
                check_exchange_files(SAMPLE_LIST, stale_selection, None)


if __name__ == "__main__":
    main()
