"""Return with nothing selected does nothing: no alert, no file touched, the dialog stays."""

from accessibility import window_tree
from harness import (ALERT_TITLE, DONE_LINE, REMOVED_LINE, SAMPLE_LIST, STALE_SELECTION,
                     KestrowTestCase, check, check_exchange_files, main)


class EmptyReturnTest(KestrowTestCase):
    def test_return_with_nothing_selected(self):
        self.exchange.reset(printer_list=SAMPLE_LIST, selection=STALE_SELECTION)
        with self.launched(accessible=True) as kestrow:
            tree = window_tree(kestrow)
            rows = tree.rows()
            ok = tree.find("push button", "OK")
            check(not tree.has_state(ok, "enabled"), "OK is disabled while nothing is selected")

            self.desktop.key("Return")
            # X delivers events in order: once this click has taken effect, Return has been handled.
            tree.click(rows[0])
            tree.wait_state(rows[0], "checked")
            check(not self.desktop.visible_windows(ALERT_TITLE), "no alert after Return")
            kestrow.check_still_open()
            check_exchange_files(SAMPLE_LIST, STALE_SELECTION, None)

            # Everything ticked and unticked again: empty once more, and Return again does nothing.
            select_all = tree.find("check box", "Select All")
            tree.click(select_all)
            tree.wait_state(rows[8], "checked")
            tree.click(select_all)
            tree.wait_state(rows[0], "checked", present=False)
            tree.wait_state(ok, "enabled", present=False)
            self.desktop.key("Return")
            tree.click(rows[1])
            tree.wait_state(rows[1], "checked")
            check(not self.desktop.visible_windows(ALERT_TITLE), "no alert after Return")
            kestrow.check_still_open()
            check_exchange_files(SAMPLE_LIST, STALE_SELECTION, None)

            self.desktop.key("Escape")
            kestrow.check_finished([REMOVED_LINE, DONE_LINE])
        check_exchange_files(SAMPLE_LIST, None, b"")


if __name__ == "__main__":
    main()
