"""An installer may start kestrow with standard output closed (or all three standard streams), or
through a pipe whose reader is already gone. Neither may stop the finish: the files are written,
and the run ends with status 0 (not 141, death by SIGPIPE, before the done flag)."""

from hostile import (DONE_FLAG, LIST, LIST_SELECTED, SELECTION, cancel, check_equal,
                     check_regular_file, confirm_everything, entry, launched, run_cases)

STALE_SELECTION = b"Stale Printer From An Earlier Run\n"


def confirm_with(stdout):
    def case(desktop, exchange, binary):
        exchange.reset(printer_list=LIST)
        with launched(desktop, binary, stdout=stdout) as kestrow:
            confirm_everything(desktop, kestrow)
            kestrow.check_exit_status_zero()
        check_regular_file(SELECTION, LIST_SELECTED)
        check_regular_file(DONE_FLAG, b"")
    return case


def cancel_with(stdout):
    def case(desktop, exchange, binary):
        # Two lines to print (removed, done), so a second failed write follows the first.
        exchange.reset(printer_list=LIST, selection=STALE_SELECTION)
        with launched(desktop, binary, stdout=stdout) as kestrow:
            cancel(desktop, kestrow)
            kestrow.check_exit_status_zero()
        check_equal(entry(SELECTION), None, "the selection path afterwards")
        check_regular_file(DONE_FLAG, b"")
    return case


run_cases([
    ("confirm, standard output closed", confirm_with("closed")),
    ("cancel, standard output closed", cancel_with("closed")),
    ("confirm, pipe without a reader", confirm_with("closed pipe")),
    ("cancel, pipe without a reader", cancel_with("closed pipe")),
    ("confirm, standard input, output and error closed", confirm_with("all closed")),
])
