"""A list that cannot be loaded: the alert "Printer Selection" comes up over the empty window;
Return and Escape close it and do nothing else; afterwards Return does nothing and Escape cancels."""

from harness import (DONE_LINE, REMOVED_LINE, STALE_SELECTION, check_exchange_files, launched,
                     run_cases)


def alert_then_cancel(printer_list, dismiss_key, stale_selection):
    def case(desktop, exchange, binary):
        exchange.reset(printer_list=printer_list, selection=stale_selection)
        with launched(desktop, binary) as kestrow:
            # The alert comes up at once and takes the focus from the window.
            kestrow.wait_for_window(focus=False)
            kestrow.wait_for_alert()
            # The alert's own OK takes Return and Escape; neither reaches the window's OK or Cancel,
            # so no file is touched.
            desktop.key(dismiss_key)
            kestrow.wait_for_alert_gone()
            kestrow.check_still_open()
            check_exchange_files(printer_list, stale_selection, None)
            # Back in the window with no printers: "OK" is disabled, so Return does nothing ...
            desktop.key("Return")
            # ... and Escape cancels; had Return confirmed or raised an alert, this would not end
            # the process with just these lines.
            desktop.key("Escape")
            kestrow.check_finished(([REMOVED_LINE] if stale_selection else []) + [DONE_LINE])
        check_exchange_files(printer_list, None, b"")
    return case


BLANK_LIST = " \t\n\u00A0\r\n\n".encode("utf-8")

run_cases([
    ("missing list, Return closes the alert, stale selection",
     alert_then_cancel(None, "Return", STALE_SELECTION)),
    ("missing list, Escape closes the alert", alert_then_cancel(None, "Escape", None)),
    ("blank list, Return closes the alert", alert_then_cancel(BLANK_LIST, "Return", None)),
])
