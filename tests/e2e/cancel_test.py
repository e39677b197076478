"""Cancelling by Escape or by "Cancel": a stale selection file goes, the done flag comes, exit 0."""

from harness import (DONE_LINE, REMOVED_LINE, SAMPLE_LIST, STALE_SELECTION, Accessibility,
                     check_exchange_files, launched, run_cases)


def cancel(how, stale_selection):
    def case(desktop, exchange, binary):
        exchange.reset(printer_list=SAMPLE_LIST, selection=stale_selection)
        with launched(desktop, binary, accessible=True) as kestrow:
            kestrow.wait_for_window()
            tree = Accessibility(desktop, kestrow)
            rows = tree.rows()
            # A selection does not matter to cancel.
            tree.click(rows[0])
            tree.wait_state(rows[0], "checked")
            if how == "Escape":
                desktop.key("Escape")
            else:
                tree.click(tree.find("push button", "Cancel"))
            kestrow.check_finished(([REMOVED_LINE] if stale_selection else []) + [DONE_LINE])
        check_exchange_files(SAMPLE_LIST, None, b"")
    return case


run_cases([
    ("Escape, no selection file", cancel("Escape", None)),
    ("Escape, stale selection file", cancel("Escape", STALE_SELECTION)),
    ("click on Cancel, no selection file", cancel("click", None)),
    ("click on Cancel, stale selection file", cancel("click", STALE_SELECTION)),
])
