"""A list that cannot be loaded: the alert "Printer Selection" comes up over the empty window (where
openbox put the window, not at the corner of the screen); Return and Escape close it and do nothing
else; afterwards Return does nothing and Escape cancels."""

from harness import (DONE_LINE, REMOVED_LINE, STALE_SELECTION, KestrowTestCase, check, check_exchange_files,
                     main)

BLANK_LIST = " \t\n\u00A0\r\n\n".encode("utf-8")

# name, the list file, the key that closes the alert, the selection file that stands there before
ROWS = [
    ("missing list, Return closes the alert, stale selection", None, "Return", STALE_SELECTION),
    ("missing list, Escape closes the alert", None, "Escape", None),
    ("blank list, Return closes the alert", BLANK_LIST, "Return", None),
]


class LoadFailureTest(KestrowTestCase):
    def test_alert_then_cancel(self):
        for name, printer_list, dismiss_key, stale_selection in ROWS:
            with self.row(name):
                self.exchange.reset(printer_list=printer_list, selection=stale_selection)
                with self.launched() as kestrow:
                    # The alert comes up at once and takes the focus from the window.
                    window = kestrow.wait_for_window(focus=False)
                    alert = kestrow.wait_for_alert()
                    # Its middle within the window: the alert opens with the window, and must wait
                    # until openbox has placed it to be centred over it.
                    x, y, width, height = self.desktop.geometry(alert)
                    middle = (x + width // 2, y + height // 2)
                    left, top, window_width, window_height = self.desktop.geometry(window)
                    check(left <= middle[0] <= left + window_width and top <= middle[1] <= top + window_height,
                          f"the alert {(x, y, width, height)} is over the window "
                          f"{(left, top, window_width, window_height)}")
                    # The alert's own OK takes Return and Escape; neither reaches the window's OK or
                    # Cancel, so no file is touched.
                    self.desktop.key(dismiss_key)
                    kestrow.wait_for_alert_gone()
                    kestrow.check_still_open()
                    check_exchange_files(printer_list, stale_selection, None)
                    # Back in the window with no printers: "OK" is disabled, so Return does nothing ...
                    self.desktop.key("Return")
                    # ... and Escape cancels; had Return confirmed or raised an alert, this would not
                    # end the process with just these lines.
                    self.desktop.key("Escape")
                    kestrow.check_finished(([REMOVED_LINE] if stale_selection else []) + [DONE_LINE])
                check_exchange_files(printer_list, None, b"")


if __name__ == "__main__":
    main()
