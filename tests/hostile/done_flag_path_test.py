"""A link planted at the done-flag path (symbolic or hard) is replaced by an empty regular file, on
confirm and on cancel, never written through: its target stays byte for byte as it was, and a
dangling link's target is not created. A directory there cannot be replaced: the critical-error
line is printed and the run still ends with status 0."""

import os

from hostile import (DONE_FLAG, DONE_LINE, LIST, LIST_SELECTED, SELECTION, KestrowTestCase, check_equal,
                     check_regular_file, entry, finish, flag_error_line, link_planted, link_planters, main)


link_to_file, dangling_link, link_to_directory, hard_link = link_planters(DONE_FLAG)

# name, the planter, how it ends
LINK_ROWS = [
    ("confirm over a link to a file", link_to_file, "confirm"),
    ("cancel over a link to a file", link_to_file, "cancel"),
    ("confirm over a dangling link", dangling_link, "confirm"),
    ("cancel over a dangling link", dangling_link, "cancel"),
    ("confirm over a link to a directory", link_to_directory, "confirm"),
    ("cancel over a link to a directory", link_to_directory, "cancel"),
    ("cancel over a hard link", hard_link, "cancel"),
]
# name, how it ends, whether the directory holds a file
DIRECTORY_ROWS = [
    ("confirm with an empty directory there", "confirm", False),
    ("cancel with a non-empty directory there", "cancel", True),
]


class DoneFlagPathTest(KestrowTestCase):
    def test_link_replaced(self):
        for name, plant, how in LINK_ROWS:
            with self.row(name), link_planted(self.exchange, plant):
                with self.launched() as kestrow:
                    finish(kestrow, how)
                    kestrow.check_finished([DONE_LINE])
                check_regular_file(DONE_FLAG, b"")
                if how == "confirm":
                    check_regular_file(SELECTION, LIST_SELECTED)

    def test_directory_reported(self):
        for name, how, with_file in DIRECTORY_ROWS:
            with self.row(name):
                self.exchange.reset(printer_list=LIST)
                os.mkdir(DONE_FLAG)
                if with_file:
                    with open(os.path.join(DONE_FLAG, "inside.txt"), "wb") as file:
                        file.write(b"kept\n")
                before = entry(DONE_FLAG)
                with self.launched() as kestrow:
                    finish(kestrow, how)
                    kestrow.check_finished([flag_error_line("Is a directory")])
                check_equal(entry(DONE_FLAG), before, "the directory at the done-flag path afterwards")
                if how == "confirm":
                    check_regular_file(SELECTION, LIST_SELECTED)
                else:
                    check_equal(entry(SELECTION), None, "the selection path afterwards")


if __name__ == "__main__":
    main()
