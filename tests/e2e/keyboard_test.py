"""The dialog works from the keyboard alone: arrows and Space tick rows, Tab reaches "Select All",
Space toggles it, Return confirms."""

from harness import DONE_LINE, SAMPLE_ALL_SELECTED, SAMPLE_LIST, KestrowTestCase, check_exchange_files, main

# name, the keys pressed once the window has the focus, the selection file afterwards
ROWS = [
    # The list has the focus, on its first row: tick "Zeta", then "  Brother & Co <b>x</b>\t"; tick
    # and untick "Beta".
    ("Down and Space tick rows, Return confirms",
     [("space", "Down", "Down", "space", "Down", "space", "space"), ("Return",)],
     "  Brother & Co <b>x</b>\t\nZeta".encode()),
    # Tab from the list to "Select All"; on, off (Return then does nothing, and no alert takes the
    # keys that follow), on again, and Return confirms every name.
    ("Tab to Select All, Space, Return",
     [("Tab", "space", "space", "Return", "space", "Return")], SAMPLE_ALL_SELECTED),
    ("keypad Enter confirms", [("Down", "space", "KP_Enter")], b"alpha"),
]


class KeyboardTest(KestrowTestCase):
    def test_keys(self):
        for name, presses, selection in ROWS:
            with self.row(name):
                self.exchange.reset(printer_list=SAMPLE_LIST)
                with self.launched() as kestrow:
                    kestrow.wait_for_window()
                    for keys in presses:
                        self.desktop.key(*keys)
                    kestrow.check_finished([DONE_LINE])
                check_exchange_files(SAMPLE_LIST, selection, b"")


if __name__ == "__main__":
    main()
