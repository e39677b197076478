"""A link planted at the done-flag path (symbolic or hard) is replaced by an empty regular file, on
confirm and on cancel, never written through: its target stays byte for byte as it was, and a
dangling link's target is not created. A directory there cannot be replaced: the critical-error
line is printed and the run still ends with status 0."""

import os

from hostile import (DONE_FLAG, DONE_LINE, LIST, LIST_SELECTED, SELECTION, cancel, check_equal,
                     check_regular_file, confirm_everything, entry, flag_error_line, launched,
                     link_planters, run_cases, sandbox)


link_to_file, dangling_link, link_to_directory, hard_link = link_planters(DONE_FLAG)


def finish(desktop, kestrow, how):
    if how == "confirm":
        confirm_everything(desktop, kestrow)
    else:
        cancel(desktop, kestrow)


def replaced(plant, how):
    def case(desktop, exchange, binary):
        exchange.reset(printer_list=LIST)
        with sandbox() as directory:
            plant(directory)
            before = entry(directory)
            with launched(desktop, binary) as kestrow:
                finish(desktop, kestrow, how)
                kestrow.check_finished([DONE_LINE])
            check_regular_file(DONE_FLAG, b"")
            check_equal(entry(directory), before, "the link's target (and its directory) afterwards")
            if how == "confirm":
                check_regular_file(SELECTION, LIST_SELECTED)
    return case


def directory_reported(how, with_file):
    def case(desktop, exchange, binary):
        exchange.reset(printer_list=LIST)
        os.mkdir(DONE_FLAG)
        if with_file:
            with open(os.path.join(DONE_FLAG, "inside.txt"), "wb") as file:
                file.write(b"kept\n")
        before = entry(DONE_FLAG)
        with launched(desktop, binary) as kestrow:
            finish(desktop, kestrow, how)
            kestrow.check_finished([flag_error_line("Is a directory")])
        check_equal(entry(DONE_FLAG), before, "the directory at the done-flag path afterwards")
        if how == "confirm":
            check_regular_file(SELECTION, LIST_SELECTED)
        else:
            check_equal(entry(SELECTION), None, "the selection path afterwards")
    return case


run_cases([
    ("confirm over a link to a file", replaced(link_to_file, "confirm")),
    ("cancel over a link to a file", replaced(link_to_file, "cancel")),
    ("confirm over a dangling link", replaced(dangling_link, "confirm")),
    ("cancel over a dangling link", replaced(dangling_link, "cancel")),
    ("confirm over a link to a directory", replaced(link_to_directory, "confirm")),
    ("cancel over a link to a directory", replaced(link_to_directory, "cancel")),
    ("cancel over a hard link", replaced(hard_link, "cancel")),
    ("confirm with an empty directory there", directory_reported("confirm", with_file=False)),
    ("cancel with a non-empty directory there", directory_reported("cancel", with_file=True)),
])
