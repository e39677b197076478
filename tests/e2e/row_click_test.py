"""A row answers clicks like any check box: every click toggles it, also clicks in quick succession
that the toolkit reads as a double or triple click. "Select All", a stock check box, is the
reference."""

from harness import SAMPLE_LIST, Accessibility, check_equal, launched, run_cases


def quick_clicks(target, count):
    def case(desktop, exchange, binary):
        exchange.reset(printer_list=SAMPLE_LIST)
        with launched(desktop, binary, accessible=True) as kestrow:
            kestrow.wait_for_window()
            tree = Accessibility(desktop, kestrow)
            rows = tree.rows()
            select_all = tree.find("check box", "Select All")
            if target == "row":
                clicked, next_in_tab_order = rows[2], select_all
            else:
                clicked, next_in_tab_order = select_all, tree.find("push button", "Cancel")
            x, y = tree.center(clicked)
            result = desktop.run(["xdotool", "mousemove", str(x), str(y),
                                  "click", "--repeat", str(count), "--delay", "60", "1"])
            check_equal(result.returncode, 0, "xdotool click")
            # A barrier: once Tab has moved the focus on, the clicks before it have been handled.
            desktop.key("Tab")
            tree.wait_state(next_in_tab_order, "focused")
            expected = count % 2 == 1
            check_equal(tree.has_state(clicked, "checked"), expected, f"checked after {count} quick clicks")
            check_equal(tree.has_state(rows[2], "checked"), expected, "the row's state")
            kestrow.stop()
    return case


run_cases([
    ("Select All, double click", quick_clicks("Select All", 2)),
    ("Select All, triple click", quick_clicks("Select All", 3)),
    ("row, double click", quick_clicks("row", 2)),
    ("row, triple click", quick_clicks("row", 3)),
])
