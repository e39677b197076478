"""A link planted at the selection path is replaced on confirm, and removed on cancel, never written
through: its target stays byte for byte as it was, and a dangling link's target is not created.
A hard link there proves the same for a write in place. A directory there: confirm shows the write
error and keeps the dialog open; on cancel an empty one is removed, a non-empty one is left and
reported."""

import os

from hostile import (DONE_FLAG, DONE_LINE, LIST, LIST_SELECTED, REMOVED_LINE, SELECTION,
                     alert_message, cancel, check_equal, check_regular_file, confirm_everything,
                     dismiss_alert_and_cancel, entry, launched, link_planters, removal_error_line,
                     run_cases, sandbox, write_error_message)


link_to_file, dangling_link, link_to_directory, hard_link = link_planters(SELECTION)


def replaced_on_confirm(plant):
    def case(desktop, exchange, binary):
        exchange.reset(printer_list=LIST)
        with sandbox() as directory:
            plant(directory)
            before = entry(directory)
            with launched(desktop, binary) as kestrow:
                confirm_everything(desktop, kestrow)
                kestrow.check_finished([DONE_LINE])
            check_regular_file(SELECTION, LIST_SELECTED)
            check_equal(entry(directory), before, "the link's target (and its directory) afterwards")
            check_regular_file(DONE_FLAG, b"")
    return case


def removed_on_cancel(plant):
    def case(desktop, exchange, binary):
        exchange.reset(printer_list=LIST)
        with sandbox() as directory:
            plant(directory)
            before = entry(directory)
            with launched(desktop, binary) as kestrow:
                cancel(desktop, kestrow)
                kestrow.check_finished([REMOVED_LINE, DONE_LINE])
            check_equal(entry(SELECTION), None, "the selection path afterwards")
            check_equal(entry(directory), before, "the link's target (and its directory) afterwards")
            check_regular_file(DONE_FLAG, b"")
    return case


def directory_refuses_confirm(desktop, exchange, binary):
    exchange.reset(printer_list=LIST)
    os.mkdir(SELECTION)
    with launched(desktop, binary, accessible=True) as kestrow:
        confirm_everything(desktop, kestrow)
        check_equal(alert_message(desktop, kestrow), write_error_message("Is a directory"),
                    "the alert's message")
        # No flag, nothing printed, the dialog open: the user may still cancel, which removes
        # the (empty) directory.
        kestrow.check_still_open()
        check_equal(entry(DONE_FLAG), None, "the done-flag path while the alert is up")
        dismiss_alert_and_cancel(desktop, kestrow)
        kestrow.check_finished([REMOVED_LINE, DONE_LINE])
    check_equal(entry(SELECTION), None, "the selection path afterwards")
    check_regular_file(DONE_FLAG, b"")


def empty_directory_removed_on_cancel(desktop, exchange, binary):
    exchange.reset(printer_list=LIST)
    os.mkdir(SELECTION)
    with launched(desktop, binary) as kestrow:
        cancel(desktop, kestrow)
        kestrow.check_finished([REMOVED_LINE, DONE_LINE])
    check_equal(entry(SELECTION), None, "the selection path afterwards")
    check_regular_file(DONE_FLAG, b"")


def non_empty_directory_reported_on_cancel(desktop, exchange, binary):
    exchange.reset(printer_list=LIST)
    os.mkdir(SELECTION)
    with open(os.path.join(SELECTION, "inside.txt"), "wb") as file:
        file.write(b"kept\n")
    before = entry(SELECTION)
    with launched(desktop, binary) as kestrow:
        cancel(desktop, kestrow)
        # Reported, never removed recursively; the cancel goes on and ends normally.
        kestrow.check_finished([removal_error_line("Directory not empty"), DONE_LINE])
    check_equal(entry(SELECTION), before, "the directory at the selection path afterwards")
    check_regular_file(DONE_FLAG, b"")


run_cases([
    ("confirm over a link to a file", replaced_on_confirm(link_to_file)),
    ("confirm over a dangling link", replaced_on_confirm(dangling_link)),
    ("confirm over a link to a directory", replaced_on_confirm(link_to_directory)),
    ("confirm over a hard link", replaced_on_confirm(hard_link)),
    ("cancel with a link to a file", removed_on_cancel(link_to_file)),
    ("cancel with a dangling link", removed_on_cancel(dangling_link)),
    ("cancel with a link to a directory", removed_on_cancel(link_to_directory)),
    ("cancel with a hard link", removed_on_cancel(hard_link)),
    ("confirm with a directory there", directory_refuses_confirm),
    ("cancel with an empty directory", empty_directory_removed_on_cancel),
    ("cancel with a non-empty directory", non_empty_directory_reported_on_cancel),
])
