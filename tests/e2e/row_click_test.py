"""A row answers clicks like any check box: every click toggles it, also clicks in quick succession
that the toolkit reads as a double or triple click. "Select All", a stock check box, is the
reference."""

from accessibility import window_tree
from harness import SAMPLE_LIST, KestrowTestCase, check_equal, main

# what is clicked, how many times in quick succession
ROWS = [("Select All", 2), ("Select All", 3), ("row", 2), ("row", 3)]


class RowClickTest(KestrowTestCase):
    def test_quick_clicks(self):
        for target, count in ROWS:
            with self.row(f"{target}, {'double' if count == 2 else 'triple'} click"):
                self.exchange.reset(printer_list=SAMPLE_LIST)
                with self.launched(accessible=True) as kestrow:
                    tree = window_tree(kestrow)
                    rows = tree.rows()
                    select_all = tree.find("check box", "Select All")
                    if target == "row":
                        clicked, next_in_tab_order = rows[2], select_all
                    else:
                        clicked, next_in_tab_order = select_all, tree.find("push button", "Cancel")
                    x, y = tree.center(clicked)
                    result = self.desktop.run(["xdotool", "mousemove", str(x), str(y),
                                               "click", "--repeat", str(count), "--delay", "60", "1"])
                    check_equal(result.returncode, 0, "xdotool click")
                    # A barrier: once Tab has moved the focus on, the clicks before it have been handled.
                    self.desktop.key("Tab")
                    tree.wait_state(next_in_tab_order, "focused")
                    expected = count % 2 == 1
                    check_equal(tree.has_state(clicked, "checked"), expected,
                                f"checked after {count} quick clicks")
                    check_equal(tree.has_state(rows[2], "checked"), expected, "the row's state")
                    kestrow.stop()


if __name__ == "__main__":
    main()
