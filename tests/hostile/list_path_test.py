"""Whatever stands at the list path, the window comes up at once (no wait on a FIFO, no endless
read of /dev/zero) with the right alert titled "Printer Selection", and the thing at the path,
with a link's target, is left exactly as it was. A link to a regular file is simply followed."""

import os

from hostile import (DONE_FLAG, DONE_LINE, LIST, LIST_SELECTED, NOT_FOUND_MESSAGE, PRINTER_LIST, SELECTION,
                     KestrowTestCase, alert_message, check_equal, check_regular_file, confirm_everything,
                     dismiss_alert_and_cancel, entry, file_or_none, main, make_target_directory,
                     make_target_file, read_failure_message, sandbox)


def plant_link_to_file(directory):
    target = make_target_file(directory)
    with open(target, "wb") as file:
        file.write(LIST)
    os.symlink(target, PRINTER_LIST)


def plant_dangling_link(directory):
    os.symlink(os.path.join(directory, "missing.txt"), PRINTER_LIST)


def plant_link_to_directory(directory):
    os.symlink(make_target_directory(directory), PRINTER_LIST)


def plant_fifo(_directory):
    # No writer ever comes: a plain open() would wait for one forever.
    os.mkfifo(PRINTER_LIST)


def plant_directory(_directory):
    os.mkdir(PRINTER_LIST)


def plant_link_to_dev_zero(_directory):
    os.symlink("/dev/zero", PRINTER_LIST)


IS_A_DIRECTORY = read_failure_message("Is a directory")
NOT_A_REGULAR_FILE = read_failure_message("Not a regular file.")

# name, what is planted at the list path, the alert's message
ALERT_ROWS = [
    ("dangling link: not found", plant_dangling_link, NOT_FOUND_MESSAGE),
    ("link to a directory", plant_link_to_directory, IS_A_DIRECTORY),
    ("directory", plant_directory, IS_A_DIRECTORY),
    ("FIFO without a writer", plant_fifo, NOT_A_REGULAR_FILE),
    ("link to /dev/zero", plant_link_to_dev_zero, NOT_A_REGULAR_FILE),
]


class ListPathTest(KestrowTestCase):
    def test_link_to_a_regular_file_is_followed(self):
        self.exchange.reset()
        with sandbox() as directory:
            plant_link_to_file(directory)
            before = (entry(PRINTER_LIST), entry(directory))
            with self.launched() as kestrow:
                # Had an alert come up, it would take these keys and the run would not end like this.
                confirm_everything(kestrow)
                kestrow.check_finished([DONE_LINE])
            check_equal((entry(PRINTER_LIST), entry(directory)), before, "the link and its target afterwards")
            check_regular_file(SELECTION, LIST_SELECTED)

    def test_alert_then_cancel(self):
        for name, plant, expected_message in ALERT_ROWS:
            with self.row(name):
                self.exchange.reset()
                with sandbox() as directory:
                    plant(directory)
                    before = (entry(PRINTER_LIST), entry(directory))
                    with self.launched(accessible=True) as kestrow:
                        check_equal(alert_message(kestrow), expected_message, "the alert's message")
                        # Nothing but the alert happened: the dialog stays usable and cancels normally.
                        dismiss_alert_and_cancel(kestrow)
                        kestrow.check_finished([DONE_LINE])
                    check_equal((entry(PRINTER_LIST), entry(directory)), before,
                                "the list path and the link's target afterwards")
                    # A dangling link's target is not created.
                    check_equal(file_or_none(SELECTION), None, SELECTION)
                    check_regular_file(DONE_FLAG, b"")


if __name__ == "__main__":
    main()
