"""A link planted at the selection path is replaced on confirm, and removed on cancel, never written
through: its target stays byte for byte as it was, and a dangling link's target is not created.
A hard link there proves the same for a write in place. A directory there: confirm shows the write
error and keeps the dialog open; on cancel an empty one is removed, a non-empty one is left and
reported."""

import os

from hostile import (DONE_FLAG, DONE_LINE, LIST, LIST_SELECTED, REMOVED_LINE, SELECTION, KestrowTestCase,
                     alert_message, cancel, check_equal, check_regular_file, confirm_everything,
                     dismiss_alert_and_cancel, entry, finish, link_planted, link_planters, main,
                     removal_error_line, write_error_message)


link_to_file, dangling_link, link_to_directory, hard_link = link_planters(SELECTION)

# name, the planter, how it ends: on confirm the link is replaced, on cancel removed
LINK_ROWS = [
    ("confirm over a link to a file", link_to_file, "confirm"),
    ("confirm over a dangling link", dangling_link, "confirm"),
    ("confirm over a link to a directory", link_to_directory, "confirm"),
    ("confirm over a hard link", hard_link, "confirm"),
    ("cancel with a link to a file", link_to_file, "cancel"),
    ("cancel with a dangling link", dangling_link, "cancel"),
    ("cancel with a link to a directory", link_to_directory, "cancel"),
    ("cancel with a hard link", hard_link, "cancel"),
]


class SelectionPathTest(KestrowTestCase):
    def test_link_replaced_or_removed(self):
        for name, plant, how in LINK_ROWS:
            with self.row(name), link_planted(self.exchange, plant):
                with self.launched() as kestrow:
                    finish(kestrow, how)
                    kestrow.check_finished(([] if how == "confirm" else [REMOVED_LINE]) + [DONE_LINE])
                if how == "confirm":
                    check_regular_file(SELECTION, LIST_SELECTED)
                else:
                    check_equal(entry(SELECTION), None, "the selection path afterwards")
                check_regular_file(DONE_FLAG, b"")

    def test_confirm_with_a_directory_there(self):
        self.exchange.reset(printer_list=LIST)
        os.mkdir(SELECTION)
        with self.launched(accessible=True) as kestrow:
            confirm_everything(kestrow)
            check_equal(alert_message(kestrow), write_error_message("Is a directory"), "the alert's message")
            # No flag, nothing printed, the dialog open: the user may still cancel, which removes
            # the (empty) directory.
            kestrow.check_still_open()
            check_equal(entry(DONE_FLAG), None, "the done-flag path while the alert is up")
            dismiss_alert_and_cancel(kestrow)
            kestrow.check_finished([REMOVED_LINE, DONE_LINE])
        check_equal(entry(SELECTION), None, "the selection path afterwards")
        check_regular_file(DONE_FLAG, b"")

    def test_cancel_with_an_empty_directory(self):
        self.exchange.reset(printer_list=LIST)
        os.mkdir(SELECTION)
        with self.launched() as kestrow:
            cancel(kestrow)
            kestrow.check_finished([REMOVED_LINE, DONE_LINE])
        check_equal(entry(SELECTION), None, "the selection path afterwards")
        check_regular_file(DONE_FLAG, b"")

    def test_cancel_with_a_non_empty_directory(self):
        self.exchange.reset(printer_list=LIST)
        os.mkdir(SELECTION)
        with open(os.path.join(SELECTION, "inside.txt"), "wb") as file:
            file.write(b"kept\n")
        before = entry(SELECTION)
        with self.launched() as kestrow:
            cancel(kestrow)
            # Reported, never removed recursively; the cancel goes on and ends normally.
            kestrow.check_finished([removal_error_line("Directory not empty"), DONE_LINE])
        check_equal(entry(SELECTION), before, "the directory at the selection path afterwards")
        check_regular_file(DONE_FLAG, b"")


if __name__ == "__main__":
    main()
