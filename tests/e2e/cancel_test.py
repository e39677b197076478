"""Cancelling by Escape or by "Cancel": a stale selection file goes, the done flag comes, exit 0."""

from accessibility import window_tree
from harness import (DONE_LINE, REMOVED_LINE, SAMPLE_LIST, STALE_SELECTION, KestrowTestCase,
                     check_exchange_files, main)

# name, how, the selection file that stands there before
ROWS = [
    ("Escape, no selection file", "Escape", None),
    ("Escape, stale selection file", "Escape", STALE_SELECTION),
    ("click on Cancel, no selection file", "click", None),
    ("click on Cancel, stale selection file", "click", STALE_SELECTION),
]


class CancelTest(KestrowTestCase):
    def test_cancel(self):
        for name, how, stale_selection in ROWS:
            with self.row(name):
                self.exchange.reset(printer_list=SAMPLE_LIST, selection=stale_selection)
                with self.launched(accessible=True) as kestrow:
                    tree = window_tree(kestrow)
                    rows = tree.rows()
                    # A selection does not matter to cancel.
                    tree.click(rows[0])
                    tree.wait_state(rows[0], "checked")
                    if how == "Escape":
                        self.desktop.key("Escape")
                    else:
                        tree.click(tree.find("push button", "Cancel"))
                    kestrow.check_finished(([REMOVED_LINE] if stale_selection else []) + [DONE_LINE])
                check_exchange_files(SAMPLE_LIST, None, b"")


if __name__ == "__main__":
    main()
