"""Confirming: ticked rows end up, sorted, in the selection file; then the done flag; then exit 0."""

from accessibility import window_tree
from harness import (DONE_LINE, SAMPLE_ALL_SELECTED, SAMPLE_LIST, SAMPLE_ROWS, STALE_SELECTION,
                     KestrowTestCase, check_equal, check_exchange_files, main)


class ConfirmTest(KestrowTestCase):
    def test_return_after_clicking_two_rows(self):
        # A stale selection file longer than the new one and a done flag with content stand there.
        self.exchange.reset(printer_list=SAMPLE_LIST, selection=STALE_SELECTION, done_flag=b"old flag\n")
        with self.launched(accessible=True) as kestrow:
            tree = window_tree(kestrow)
            rows = tree.rows()
            check_equal([row.name for row in rows], SAMPLE_ROWS, "row names")
            alpha, brother = rows[1], rows[2]
            # The whole row is the target: one click on the name, one on the check box at its left.
            tree.click(alpha)
            tree.wait_state(alpha, "checked")
            tree.click(brother, at=(8, tree.extents(brother)[3] // 2))
            tree.wait_state(brother, "checked")
            check_exchange_files(SAMPLE_LIST, STALE_SELECTION, b"old flag\n")
            self.desktop.key("Return")
            kestrow.check_finished([DONE_LINE])
        check_exchange_files(SAMPLE_LIST, "  Brother & Co <b>x</b>\t\nalpha".encode(), b"")

    def test_click_on_ok_after_select_all(self):
        self.exchange.reset(printer_list=SAMPLE_LIST)
        with self.launched(accessible=True) as kestrow:
            tree = window_tree(kestrow)
            rows = tree.rows()
            select_all = tree.find("check box", "Select All")
            ok = tree.find("push button", "OK")
            tree.click(select_all)
            for row in rows:
                tree.wait_state(row, "checked")
            tree.wait_state(ok, "enabled")
            tree.click(ok)
            kestrow.check_finished([DONE_LINE])
        check_exchange_files(SAMPLE_LIST, SAMPLE_ALL_SELECTED, b"")

    def test_one_name_twice_is_written_once(self):
        self.exchange.reset(printer_list=SAMPLE_LIST)
        with self.launched(accessible=True) as kestrow:
            tree = window_tree(kestrow)
            rows = tree.rows()
            first_beta, second_beta = rows[3], rows[8]
            tree.click(second_beta)
            # Rows with equal names share one state.
            tree.wait_state(first_beta, "checked")
            tree.wait_state(second_beta, "checked")
            tree.click(tree.find("push button", "OK"))
            kestrow.check_finished([DONE_LINE])
        # One selected name: just that name, no line feed.
        check_exchange_files(SAMPLE_LIST, b"Beta", b"")


if __name__ == "__main__":
    main()
