"""Whatever stands at the list path, the window comes up at once (no wait on a FIFO, no endless
read of /dev/zero) with the right alert titled "Printer Selection", and the thing at the path,
with a link's target, is left exactly as it was. A link to a regular file is simply followed."""

import os

from hostile import (DONE_FLAG, DONE_LINE, LIST, LIST_SELECTED, NOT_FOUND_MESSAGE, PRINTER_LIST, SELECTION,
                     alert_message, check_equal, check_regular_file, confirm_everything,
                     dismiss_alert_and_cancel, entry, file_or_none, launched, make_target_directory,
                     make_target_file, read_failure_message, run_cases, sandbox)


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


def alert_then_cancel(plant, expected_message):
    def case(desktop, exchange, binary):
        exchange.reset()
        with sandbox() as directory:
            plant(directory)
            before = (entry(PRINTER_LIST), entry(directory))
            with launched(desktop, binary, accessible=True) as kestrow:
                check_equal(alert_message(desktop, kestrow), expected_message, "the alert's message")
                # Nothing but the alert happened: the dialog stays usable and cancels normally.
                dismiss_alert_and_cancel(desktop, kestrow)
                kestrow.check_finished([DONE_LINE])
            check_equal((entry(PRINTER_LIST), entry(directory)), before,
                        "the list path and the link's target afterwards")
            # A dangling link's target is not created.
            check_equal(file_or_none(SELECTION), None, SELECTION)
            check_regular_file(DONE_FLAG, b"")
    return case


def link_to_file_is_followed(desktop, exchange, binary):
    exchange.reset()
    with sandbox() as directory:
        plant_link_to_file(directory)
        before = (entry(PRINTER_LIST), entry(directory))
        with launched(desktop, binary) as kestrow:
            # Had an alert come up, it would take these keys and the run would not end like this.
            confirm_everything(desktop, kestrow)
            kestrow.check_finished([DONE_LINE])
        check_equal((entry(PRINTER_LIST), entry(directory)), before, "the link and its target afterwards")
        check_regular_file(SELECTION, LIST_SELECTED)


IS_A_DIRECTORY = read_failure_message("Is a directory")
NOT_A_REGULAR_FILE = read_failure_message("Not a regular file.")

run_cases([
    ("link to a regular file: followed", link_to_file_is_followed),
    ("dangling link: not found", alert_then_cancel(plant_dangling_link, NOT_FOUND_MESSAGE)),
    ("link to a directory", alert_then_cancel(plant_link_to_directory, IS_A_DIRECTORY)),
    ("directory", alert_then_cancel(plant_directory, IS_A_DIRECTORY)),
    ("FIFO without a writer", alert_then_cancel(plant_fifo, NOT_A_REGULAR_FILE)),
    ("link to /dev/zero", alert_then_cancel(plant_link_to_dev_zero, NOT_A_REGULAR_FILE)),
])
