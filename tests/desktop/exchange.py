"""The three exchange files at their fixed paths in /tmp, which every run on this machine shares:
the lock that keeps runs apart, and what stood at the paths set aside for a run and put back after it.

    with ExchangeFiles() as exchange:       # the lock held, the three paths empty
        exchange.reset(printer_list=b"A\\n")
        ...
    # what stood there before is back, the lock released

Whoever uses the paths holds /tmp/kestrow-exchange-files.lock (flock) for the whole run: the tests,
scripts/demo, scripts/bench. Inside a private mount namespace with its own /tmp there is nothing to
share, and no need for either.
"""

import contextlib
import fcntl
import os
import shutil
import tempfile
import time

PRINTER_LIST = "/tmp/installer-printer-names.txt"
SELECTION = "/tmp/installer-selected-printer-names.txt"
DONE_FLAG = "/tmp/orvane-selection-done.flag"
EXCHANGE_FILES = (PRINTER_LIST, SELECTION, DONE_FLAG)

LOCK_PATH = "/tmp/kestrow-exchange-files.lock"
# Another run may hold the files for minutes (the crash trials, a benchmark): a bound against a lock
# that is never released, not a measure of patience.
LOCK_WAIT_SECONDS = 900


class Busy(Exception):
    """Another run kept the lock for longer than we would wait."""


class InUse(Exception):
    """Something stands at an exchange path, and the caller asked not to move it (`path`)."""

    def __init__(self, path):
        super().__init__(f"{path} already exists")
        self.path = path


def read_bytes(path):
    with open(path, "rb") as file:
        return file.read()


def file_or_none(path):
    return read_bytes(path) if os.path.lexists(path) else None


def remove_entry(path):
    if os.path.isdir(path) and not os.path.islink(path):
        shutil.rmtree(path)
    elif os.path.lexists(path):
        os.unlink(path)


@contextlib.contextmanager
def exchange_lock(wait=LOCK_WAIT_SECONDS, waiting=None):
    """Holds the lock for the block; waits up to `wait` seconds for it (calling `waiting()` once if
    it has to), then raises Busy. The descriptor is not inherited by the programs a run starts, so
    one that outlives the run does not keep the lock."""
    with open(LOCK_PATH, "a") as lock:
        deadline = time.monotonic() + wait
        told = False
        while True:
            try:
                fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
                break
            except BlockingIOError:
                if time.monotonic() > deadline:
                    raise Busy(f"another run has held {LOCK_PATH} for over {wait} s") from None
                if waiting and not told:
                    waiting()
                    told = True
                time.sleep(0.1)
        try:
            yield
        finally:
            fcntl.flock(lock, fcntl.LOCK_UN)


class ExchangeFiles:
    """The three paths for one run, under the lock: whatever stood there is kept aside (moved whole,
    a link or a directory too) and put back at the end, however the run ends. With
    refuse_existing, something standing there raises InUse instead, and nothing is touched."""

    def __init__(self, lock_wait=LOCK_WAIT_SECONDS, waiting=None, refuse_existing=False):
        self._lock = exchange_lock(lock_wait, waiting)
        self._refuse_existing = refuse_existing
        self._saved = None

    def __enter__(self):
        self._lock.__enter__()
        try:
            self._set_aside()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _set_aside(self):
        present = [path for path in EXCHANGE_FILES if os.path.lexists(path)]
        if present and self._refuse_existing:
            raise InUse(present[0])
        # In /tmp, so that a rename moves anything aside whole. Should this process be killed
        # outright, what stood at the paths is left in this directory.
        self._saved = tempfile.mkdtemp(prefix="kestrow-saved.", dir="/tmp")
        for path in present:
            os.rename(path, os.path.join(self._saved, os.path.basename(path)))

    def reset(self, printer_list=None, selection=None, done_flag=None):
        """Leaves exactly the given files (bytes, or None for absent) at the three paths."""
        for path, content in zip(EXCHANGE_FILES, (printer_list, selection, done_flag)):
            remove_entry(path)
            if content is not None:
                with open(path, "wb") as file:
                    file.write(content)

    def __exit__(self, *exc):
        try:
            if self._saved is not None:
                for path in EXCHANGE_FILES:
                    remove_entry(path)
                    kept = os.path.join(self._saved, os.path.basename(path))
                    if os.path.lexists(kept):
                        os.rename(kept, path)
                os.rmdir(self._saved)
                self._saved = None
        finally:
            self._lock.__exit__(None, None, None)
        return False
