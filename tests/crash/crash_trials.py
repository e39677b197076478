"""Kills the real kestrow with SIGKILL at a random moment while it confirms 100,000 selected names,
and checks what the installer would find afterwards.

usage: crash_trials.py [--trials N] [--seed S] [--budget SECONDS] [--lock-wait SECONDS] PATH_TO_KESTROW

The run holds the exchange files' lock from start to end, on one test desktop (tests/desktop).

Every trial starts kestrow on the same list, selects every name (Tab from the list to "Select All",
Space), presses Return and kills the process after a delay drawn uniformly from [0, D]. D is a
little more than the time from Return to the done flag, measured first in calibration runs that
are not killed (their median). Every second trial starts with an old selection file in place.

After each trial the selection file must be absent, the old file whole or the new file whole
(never a mixture or a part of one), and a done flag must never stand without the complete new
selection file. The outcomes are counted. At the end one run confirms undisturbed, and no
temporary file of the atomic write may be left in /tmp: each write removes those of dead writers.
"""

import argparse
import contextlib
import os
import random
import signal
import statistics
import sys
import time

for _part in ("desktop", "e2e"):
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", _part))

from desktop import raise_on_signals, session  # noqa: E402
from exchange import LOCK_WAIT_SECONDS, Busy  # noqa: E402
from harness import (DONE_FLAG, DONE_LINE, SELECTION, Failure, OutOfTime, check, check_equal,  # noqa: E402
                     file_or_none, launched)

NAME_COUNT = 100_000
TEMPORARY_PREFIX = ".kestrow-"
CALIBRATION_RUNS = 3
# D is this much more than the median calibration run, so that some kills land after the flag; the
# median, because one run slowed by a busy machine would stretch D and waste trials after the end.
DELAY_MARGIN = 1.25

KILLED_BEFORE_WRITE = "killed before write (no selection file)"
OLD_KEPT = "killed before write (old file kept whole)"
NEW_WITHOUT_FLAG = "new file complete, no flag"
NEW_WITH_FLAG = "new file complete + flag"
OUTCOMES = (KILLED_BEFORE_WRITE, OLD_KEPT, NEW_WITHOUT_FLAG, NEW_WITH_FLAG)


def printer_names():
    """100,000 distinct names in NFC, in a shuffled file order; a few beyond ASCII and the BMP."""
    words = ["Laser", "Büro", "Étage", "プリンタ", "\U0001F5A8", "Colour", "Zeichen", "alpha"]
    names = [f"{words[i % len(words)]} {i:06d} Floor {i % 13}" for i in range(NAME_COUNT)]
    random.Random(7).shuffle(names)
    return names


NAMES = printer_names()
LIST_BYTES = "\n".join(NAMES).encode("utf-8") + b"\n"
# Python orders str by code point: for names already in NFC that is the file's scalar order.
NEW_SELECTION = "\n".join(sorted(NAMES)).encode("utf-8")
# Longer than the new file, so that a new file written over it in place would show old bytes.
OLD_SELECTION = b"".join(b"Old printer from an earlier run %07d\n" % i for i in range(NAME_COUNT))


def temporaries():
    """(pid, name) of every temporary file of the atomic write in /tmp that belongs to this user."""
    found = []
    with os.scandir("/tmp") as entries:
        for entry in entries:
            if not entry.name.startswith(TEMPORARY_PREFIX):
                continue
            try:
                if entry.stat(follow_symlinks=False).st_uid != os.geteuid():
                    continue
            except FileNotFoundError:
                continue
            pid_text = entry.name[len(TEMPORARY_PREFIX):].split("-", 1)[0]
            found.append((int(pid_text) if pid_text.isdigit() else -1, entry.name))
    return found


def process_alive(pid):
    try:
        os.kill(pid, 0)
        return True
    except ProcessLookupError:
        return False
    except PermissionError:
        return True


def press_confirm(desktop, kestrow):
    """Selects every name and presses Return once the window has the focus; returns Return's time."""
    kestrow.wait_for_window()
    # The list has the focus: Tab reaches "Select All", Space ticks it. X delivers the keys in order,
    # so Return is handled after the selection is complete; the pause only keeps the selection out
    # of the time that the kill delay spans.
    desktop.key("Tab", "space")
    time.sleep(0.3)
    desktop.key("Return")
    return time.monotonic()


def reset(exchange, old):
    exchange.reset(printer_list=LIST_BYTES, selection=OLD_SELECTION if old else None)


def calibrate(desktop, exchange, binary):
    """Runs undisturbed confirms; returns the median time from Return to the done flag."""
    times = []
    for run in range(CALIBRATION_RUNS):
        reset(exchange, old=run % 2 == 1)
        with launched(desktop, binary) as kestrow:
            pressed = press_confirm(desktop, kestrow)
            while not os.path.lexists(DONE_FLAG):
                check(kestrow.running() or os.path.lexists(DONE_FLAG),
                      f"kestrow ended without a done flag; stdout:\n{kestrow.stdout()}")
                check(time.monotonic() - pressed < 60, "no done flag 60 s after Return")
                time.sleep(0.001)
            took = time.monotonic() - pressed
            kestrow.check_finished([DONE_LINE])
        # Proves that Tab, Space, Return selects every name: the file holds all of them, sorted.
        check_equal(file_or_none(SELECTION), NEW_SELECTION, "selection file after an undisturbed confirm")
        check_equal(file_or_none(DONE_FLAG), b"", "done flag after an undisturbed confirm")
        print(f"calibration run {run + 1}: Return to done flag {took * 1000:.0f} ms", flush=True)
        times.append(took)
    return statistics.median(times)


def classify(old, selection, flag):
    """The outcome of one killed trial; fails on any state the installer must never see."""
    if flag is not None:
        check_equal(flag, b"", "a done flag that exists")
        check(selection == NEW_SELECTION, "a done flag stands without the complete new selection file")
        check(os.path.isfile(DONE_FLAG) and not os.path.islink(DONE_FLAG), "the done flag is a regular file")
    if selection is None:
        check(not old, "the old selection file is gone, but no new one stands there")
        return KILLED_BEFORE_WRITE
    check(os.path.isfile(SELECTION) and not os.path.islink(SELECTION), "the selection file is a regular file")
    if selection == NEW_SELECTION:
        return NEW_WITH_FLAG if flag is not None else NEW_WITHOUT_FLAG
    if old and selection == OLD_SELECTION:
        return OLD_KEPT
    raise Failure(f"the selection file is neither {'the old file nor ' if old else ''}the new file whole: "
                  f"{len(selection)} bytes, starting {selection[:60]!r}")


def trial(desktop, exchange, binary, number, old, delay, counts, dead_writers):
    reset(exchange, old)
    with launched(desktop, binary) as kestrow:
        pressed = press_confirm(desktop, kestrow)
        time.sleep(max(0.0, pressed + delay - time.monotonic()))
        if kestrow.running():
            kestrow.process.send_signal(signal.SIGKILL)
        # Reaped at once: a zombie still answers kill(pid, 0), and its temporary file would look live.
        status = kestrow.process.wait()
        # The run may also have ended just before the signal arrived.
        ended_by_itself = status != -signal.SIGKILL
        pid = kestrow.process.pid
        stdout = kestrow.stdout()

    try:
        outcome = classify(old, file_or_none(SELECTION), file_or_none(DONE_FLAG))
    except Failure as failure:
        kind = "old file" if old else "no file"
        raise Failure(f"trial {number} ({kind}, kill after {delay * 1000:.0f} ms): "
                      f"{failure}{disturbance()}") from None
    if ended_by_itself:
        check(status == 0 and stdout == DONE_LINE + "\n" and outcome == NEW_WITH_FLAG,
              f"kestrow ended by itself with status {status}, stdout {stdout!r}, outcome '{outcome}'")
    else:
        # The line follows the flag; a kill may fall between the two.
        check(stdout in ("", DONE_LINE + "\n") and (stdout == "" or outcome == NEW_WITH_FLAG),
              f"standard output {stdout!r} with the outcome '{outcome}'")
    counts[outcome] += 1

    left = temporaries()
    if outcome in (NEW_WITHOUT_FLAG, NEW_WITH_FLAG):
        # This run wrote the selection file, and each write first removes the temporaries of dead
        # writers: none of an earlier trial may remain.
        stale = [name for writer, name in left if writer in dead_writers]
        check(not stale, f"temporary files of earlier killed runs survived a write: {stale}")
    dead_writers.add(pid)
    own = [name for writer, name in left if writer == pid]
    check(not (own and ended_by_itself), f"a run that ended normally left temporary files: {own}")
    print(f"trial {number:3d}: {'old file' if old else 'no file '} kill after {delay * 1000:4.0f} ms"
          f"{' (had ended)' if ended_by_itself else ''}: {outcome}"
          f"{f'; left {len(own)} temporary file(s)' if own else ''}", flush=True)
    return len(own)


def final_confirm(desktop, exchange, binary, dead_writers):
    reset(exchange, old=True)
    with launched(desktop, binary) as kestrow:
        press_confirm(desktop, kestrow)
        kestrow.check_finished([DONE_LINE])
    check_equal(file_or_none(SELECTION), NEW_SELECTION, "selection file after the final confirm")
    check_equal(file_or_none(DONE_FLAG), b"", "done flag after the final confirm")
    # Any temporary of ours left now is one that no write cleaned up: a killed trial's file, or one
    # that a finished run left behind.
    left = [name for writer, name in temporaries() if writer in dead_writers or not process_alive(writer)]
    check(not left, f"temporary files left in /tmp: {left}")


def other_kestrow_processes():
    """Other kestrow processes on the machine: anything that uses the fixed paths without the lock
    (a manual run, a benchmark) can disturb a trial, and a failure report should say so."""
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        with contextlib.suppress(OSError):
            with open(f"/proc/{pid}/cmdline", "rb") as file:
                command = file.read().split(b"\0")[0].decode(errors="replace")
            if os.path.basename(command) == "kestrow":
                found.append(f"{pid} {command}")
    return found


def disturbance():
    """What a failure report should add: the files' times, and other kestrow runs that may have
    written them."""
    lines = []
    for path in (SELECTION, DONE_FLAG):
        with contextlib.suppress(OSError):
            info = os.lstat(path)
            lines.append(f"{path}: {info.st_size} bytes, uid {info.st_uid}, "
                         f"modified {time.strftime('%H:%M:%S', time.localtime(info.st_mtime))}"
                         f".{int(info.st_mtime * 1000) % 1000:03d}")
    lines.append(f"now: {time.strftime('%H:%M:%S')}")
    lines += ["another kestrow was running: " + process for process in other_kestrow_processes()]
    return "".join("\n  " + line for line in lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--trials", type=int, default=200, help="number of killed runs (default 200)")
    parser.add_argument("--seed", type=int, default=None, help="seed of the kill delays (default: random)")
    parser.add_argument("--budget", type=int, default=None,
                        help="give up (and restore the exchange files) after this many seconds; "
                             "keep it below ctest's TIMEOUT (default: 60 + 6 per trial)")
    parser.add_argument("--lock-wait", type=int, default=LOCK_WAIT_SECONDS,
                        help="wait up to this many seconds for another run to release the exchange files "
                             f"(default {LOCK_WAIT_SECONDS})")
    parser.add_argument("binary", help="the kestrow executable")
    args = parser.parse_args()
    binary = os.path.abspath(args.binary)
    seed = args.seed if args.seed is not None else random.randrange(1 << 30)
    rng = random.Random(seed)
    print(f"{args.trials} trials, {NAME_COUNT} names, seed {seed} (rerun: --seed {seed})", flush=True)

    # ctest's TIMEOUT would kill us without a chance to restore the exchange files: stop first. The
    # budget counts from the moment the files are ours.
    budget = args.budget or 60 + 6 * args.trials

    raise_on_signals((signal.SIGTERM, signal.SIGALRM),
                     lambda signum: OutOfTime(f"signal {signum} (the budget is {budget} s)"))

    counts = {outcome: 0 for outcome in OUTCOMES}
    started = time.monotonic()
    try:
        with session(lock_wait=args.lock_wait) as trials:
            signal.alarm(budget)
            desktop, exchange = trials.desktop, trials.exchange
            delay_span = calibrate(desktop, exchange, binary) * DELAY_MARGIN
            print(f"kill delays uniform in [0, {delay_span * 1000:.0f} ms]", flush=True)
            dead_writers = set()
            left_by_kills = 0
            for number in range(1, args.trials + 1):
                left_by_kills += trial(desktop, exchange, binary, number, old=number % 2 == 0,
                                       delay=rng.uniform(0.0, delay_span), counts=counts,
                                       dead_writers=dead_writers)
            final_confirm(desktop, exchange, binary, dead_writers)
    except (Failure, Busy, OutOfTime) as failure:
        signal.alarm(0)
        print(f"FAIL: {failure}", flush=True)
        print("outcomes so far: " + ", ".join(f"{outcome}: {count}" for outcome, count in counts.items()))
        print(f"rerun with: --trials {args.trials} --seed {seed}")
        sys.exit(1)
    signal.alarm(0)

    print(f"PASS {args.trials} trials in {time.monotonic() - started:.0f} s; outcomes:")
    for outcome in OUTCOMES:
        print(f"  {counts[outcome]:4d}  {outcome}")
    print(f"  temporary files left by kills: {left_by_kills}, all removed by later writes")


if __name__ == "__main__":
    main()
