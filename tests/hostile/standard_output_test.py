"""An installer may start kestrow with standard output closed (or all three standard streams), or
through a pipe whose reader is already gone. Neither may stop the finish: the files are written,
and the run ends with status 0 (not 141, death by SIGPIPE, before the done flag)."""

from hostile import (DONE_FLAG, LIST, LIST_SELECTED, SELECTION, KestrowTestCase, cancel, check_equal,
                     check_regular_file, confirm_everything, entry, main)

STALE_SELECTION = b"Stale Printer From An Earlier Run\n"

# name, standard output
CONFIRM_ROWS = [
    ("confirm, standard output closed", "closed"),
    ("confirm, pipe without a reader", "closed pipe"),
    ("confirm, standard input, output and error closed", "all closed"),
]
CANCEL_ROWS = [
    ("cancel, standard output closed", "closed"),
    ("cancel, pipe without a reader", "closed pipe"),
]


class StandardOutputTest(KestrowTestCase):
    def test_confirm_with(self):
        for name, stdout in CONFIRM_ROWS:
            with self.row(name):
                self.exchange.reset(printer_list=LIST)
                with self.launched(stdout=stdout) as kestrow:
                    confirm_everything(kestrow)
                    kestrow.check_exit_status_zero()
                check_regular_file(SELECTION, LIST_SELECTED)
                check_regular_file(DONE_FLAG, b"")

    def test_cancel_with(self):
        for name, stdout in CANCEL_ROWS:
            with self.row(name):
                # Two lines to print (removed, done), so a second failed write follows the first.
                self.exchange.reset(printer_list=LIST, selection=STALE_SELECTION)
                with self.launched(stdout=stdout) as kestrow:
                    cancel(kestrow)
                    kestrow.check_exit_status_zero()
                check_equal(entry(SELECTION), None, "the selection path afterwards")
                check_regular_file(DONE_FLAG, b"")


if __name__ == "__main__":
    main()
