"""The dialog works from the keyboard alone: arrows and Space tick rows, Tab reaches "Select All",
Space toggles it, Return confirms."""

from harness import (DONE_LINE, SAMPLE_ALL_SELECTED, SAMPLE_LIST, check_exchange_files, launched,
                     run_cases)


def arrows_and_space_tick_rows(desktop, exchange, binary):
    exchange.reset(printer_list=SAMPLE_LIST)
    with launched(desktop, binary) as kestrow:
        kestrow.wait_for_window()
        # The list has the focus, on its first row: tick "Zeta", then "  Brother & Co <b>x</b>\t";
        # tick and untick "Beta".
        desktop.key("space", "Down", "Down", "space", "Down", "space", "space")
        desktop.key("Return")
        kestrow.check_finished([DONE_LINE])
    check_exchange_files(SAMPLE_LIST, "  Brother & Co <b>x</b>\t\nZeta".encode(), b"")


def tab_to_select_all(desktop, exchange, binary):
    exchange.reset(printer_list=SAMPLE_LIST)
    with launched(desktop, binary) as kestrow:
        kestrow.wait_for_window()
        # Tab from the list to "Select All"; on, off (Return then does nothing, and no alert
        # takes the keys that follow), on again, and Return confirms every name.
        desktop.key("Tab", "space", "space", "Return", "space", "Return")
        kestrow.check_finished([DONE_LINE])
    check_exchange_files(SAMPLE_LIST, SAMPLE_ALL_SELECTED, b"")


def keypad_enter_confirms(desktop, exchange, binary):
    exchange.reset(printer_list=SAMPLE_LIST)
    with launched(desktop, binary) as kestrow:
        kestrow.wait_for_window()
        desktop.key("Down", "space", "KP_Enter")
        kestrow.check_finished([DONE_LINE])
    check_exchange_files(SAMPLE_LIST, b"alpha", b"")


run_cases([
    ("Down and Space tick rows, Return confirms", arrows_and_space_tick_rows),
    ("Tab to Select All, Space, Return", tab_to_select_all),
    ("keypad Enter confirms", keypad_enter_confirms),
])
