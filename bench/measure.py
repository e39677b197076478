#!/usr/bin/python3 -BEs
"""Measures Kestrow and writes bench/RESULTS.md: the core's Google Benchmark programme, then, on the
test desktop (tests/desktop, a bare Xvfb), whole-process start-up of kestrow beside a bare Qt window,
yad and zenity, a click on "Select All" and on a row, start-up in a translated locale, and start-up
on Wayland (headless sway, mutter, KWin and Weston) against X11. Every budget of bench/budgets.toml is judged as a ratio to a
reference measured in this same run, or against a fixed limit where the figure does not depend on
the machine. The method: bench/README.md. scripts/bench builds the programs and runs this.

usage: bench/measure.py --build-dir DIR [options]      (see --help)
"""

import argparse
import contextlib
import datetime
import json
import os
import platform
import random
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time
import tomllib

import wayland_startup

BENCH = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(BENCH)
sys.path.insert(0, os.path.join(ROOT, "tests", "desktop"))

from desktop import raise_on_signals, session  # noqa: E402
from exchange import DONE_FLAG, PRINTER_LIST, SELECTION  # noqa: E402

SCREEN = (1280, 1024)
TITLES = {"bare": "Bare Qt Window", "kestrow": "Orvane Setup",
          # kestrow's title in its German catalogue (translations/kestrow_de.ts)
          "kestrow-de": "Orvane-Einrichtung"}
PEERS = ("yad", "zenity")
# Linux passes at most 6 MiB of arguments (a quarter of the stack limit the probe raises to 32 MiB),
# so longer lists go to the peers on standard input.
ARGUMENT_BYTES = 5 * 1024 * 1024
LOCALE = "de_DE.UTF-8"


class Stopped(BaseException):
    def __init__(self, signum):
        super().__init__(f"signal {signum}")


class NotMeasured(Exception):
    """A budget's figure is missing from this run; the message says why."""


def parse_arguments(argv):
    parser = argparse.ArgumentParser(
        prog="bench/measure.py", description=__doc__.split("\n\n")[0],
        formatter_class=argparse.RawDescriptionHelpFormatter)
    add = parser.add_argument
    add("--build-dir", required=True, help="a build of the bench preset (build/bench)")
    add("--quick", action="store_true",
        help="smoke run: 10 and 10,000 names, 1 run each, short core run, 30 s time-out; writes no "
             "report unless --output is given")
    add("--names", help="list lengths for the window timings (default 10,10000,100000,1000000)")
    add("--runs", type=int, help="runs per program and list length, interleaved (default 5)")
    add("--fast-runs", type=int,
        help="runs for a program whose first run at a length took under --fast-under seconds: they are "
             "cheap, and on short lists the noise is a larger part of the figure (default 3 × --runs)")
    add("--fast-under", type=float, default=1, help="(default 1)")
    add("--slow-runs", type=int, default=1,
        help="runs for a program whose first run at a length took over --slow-after seconds (default 1)")
    add("--slow-after", type=float, default=20, help="(default 20)")
    add("--timeout", type=float, help="a program not loaded this many seconds after its start has timed "
                                      "out (default 120)")
    add("--core-names", help="list lengths for the core benchmark (default 10000,100000,1000000)")
    add("--core-min-time", type=float, help="Google Benchmark's minimum time per benchmark (default 0.1)")
    add("--core-filter", help="only these core benchmarks (a regular expression)")
    add("--wayland-runs", type=int, help="runs of each program on each platform (default 15)")
    add("--select-all-at", default="18,-24",
        help='where "Select All" is clicked, in window pixels; negative counts from the right or bottom '
             "edge (default 18,-24, the bottom-left check box)")
    add("--row-at", default="100,60", help="where a row is clicked (default 100,60, the second row)")
    add("--no-core", action="store_true", help="leave the core benchmark out")
    add("--no-windows", action="store_true", help="leave the start-up timings out")
    add("--no-clicks", action="store_true", help="leave the clicks out")
    add("--no-wayland", action="store_true", help="leave Wayland out")
    add("--output", help="the report (default bench/RESULTS.md; none with --quick)")
    add("--command", help="how this run was started, for the report")
    args = parser.parse_args(argv)
    quick = args.quick
    args.names = [int(n) for n in (args.names or ("10,10000" if quick else "10,10000,100000,1000000")).split(",")]
    args.runs = args.runs or (1 if quick else 5)
    args.fast_runs = args.fast_runs or (1 if quick else 3 * args.runs)
    args.timeout = args.timeout or (30 if quick else 120)
    args.core_names = args.core_names or ("10000" if quick else "10000,100000,1000000")
    args.core_min_time = args.core_min_time or (0.01 if quick else 0.1)
    args.wayland_runs = args.wayland_runs or (1 if quick else 15)
    if args.output is None and not quick:
        args.output = os.path.join(BENCH, "RESULTS.md")
    args.command = args.command or "bench/measure.py " + " ".join(argv)
    return args


def median(values):
    values = [v for v in values if v is not None]
    return statistics.median(values) if values else None


def fields_of(line):
    """The probe's key=value line as a dict, numbers as floats."""
    fields = {}
    for item in line.split():
        key, _, value = item.partition("=")
        try:
            fields[key] = float(value)
        except ValueError:
            fields[key] = value
    return fields


def shown(fields):
    return " ".join(f"{k}={v:g}" if isinstance(v, float) else f"{k}={v}" for k, v in fields.items())


def plural(count, word):
    return f"{count} {word}" + ("" if count == 1 else "s")


def rotated(items, run):
    """The run's order: each run starts one further along, so that no program always follows the
    same one (the one before leaves caches warm or cold for it)."""
    shift = run % len(items)
    return items[shift:] + items[:shift]


def write_names(path, count):
    """Names of about 30 bytes, every fourth with a non-ASCII word, in no particular order."""
    rand = random.Random(20240601)
    vendors = "HP Canon Epson Brother Xerox Lexmark Ricoh Kyocera".split()
    models = "LaserJet-M507 imageRUNNER WorkForce-Pro HL-L8360 VersaLink-C7 MX-822ade IM-C3000 ECOSYS".split()
    sites = "Floor3 Lab-B Office12 Hall Annex Store".split()
    others = "Büro Café Zürich 会議室 Straße Ørsted".split()
    with open(path, "w", encoding="utf-8") as file:
        for i in range(1, count + 1):
            place = rand.choice(others if i % 4 == 0 else sites)
            file.write(f"{rand.choice(vendors)} {rand.choice(models)} {place}-{i}\n")


class Bench:
    def __init__(self, args, work):
        self.args = args
        self.work = work
        build = os.path.abspath(args.build_dir)
        self.core_bench = os.path.join(build, "bench", "kestrow_core_bench")
        self.probe = os.path.join(build, "bench", "kestrow_window_probe")
        self.bare = os.path.join(build, "bench", "kestrow_bare_window")
        self.kestrow = os.path.join(build, "kestrow", "app", "kestrow")
        for program in (self.core_bench, self.probe, self.bare, self.kestrow):
            if not os.access(program, os.X_OK):
                sys.exit(f"bench/measure.py: {program} is not built (cmake --build --preset bench)")
        self.started = time.monotonic()
        self.load_before = self.load_average()
        self.core = {}             # Google Benchmark's entries by name
        self.core_failed = None
        self.startup = []          # one dict per timed run on X11
        self.skipped = {}          # program -> why it stopped being run
        self.clicks = []
        self.wayland = []
        self.not_measured = {}     # part -> why
        self.locpath = None
        self.locale_note = ""

    @staticmethod
    def load_average():
        with open("/proc/loadavg") as file:
            return " ".join(file.read().split()[:3])

    def names_file(self, n):
        return os.path.join(self.work, f"names-{n}.txt")

    def peer_file(self, n):
        return os.path.join(self.work, f"peer-{n}.txt")

    # ---- inputs ------------------------------------------------------------------------------

    def prepare_inputs(self):
        print("\n== Inputs")
        for n in self.args.names:
            write_names(self.names_file(n), n)
            with open(self.names_file(n), encoding="utf-8") as names, \
                    open(self.peer_file(n), "w", encoding="utf-8") as peer:
                for line in names:
                    peer.write("FALSE\n" + line)
            print(f"{n} names: {os.path.getsize(self.names_file(n))} bytes")
        # The peers' GTK without animations: their transition ticks after mapping are not loading.
        os.makedirs(os.path.join(self.work, "gtk", "gtk-3.0"))
        with open(os.path.join(self.work, "gtk", "gtk-3.0", "settings.ini"), "w") as file:
            file.write("[Settings]\ngtk-enable-animations=false\n")
        self.prepare_locales()

    def prepare_locales(self):
        """The C library's de_DE.UTF-8, compiled into a directory of our own (LOCPATH) beside a copy
        of C.UTF-8, so that every program finds its locale the same way and nothing is installed."""
        directory = os.path.join(self.work, "locale")
        os.mkdir(directory)
        result = subprocess.run(["localedef", "-i", "de_DE", "-f", "UTF-8", os.path.join(directory, LOCALE)],
                                capture_output=True, text=True) if shutil.which("localedef") else None
        if result is None or result.returncode != 0 or not os.path.isdir("/usr/lib/locale/C.utf8"):
            self.locale_note = (f"The C library has no {LOCALE} here (Debian: locales), so only Qt's "
                                "translation is loaded, not the C library's locale.")
            return
        shutil.copytree("/usr/lib/locale/C.utf8", os.path.join(directory, "C.utf8"))
        self.locpath = directory
        self.locale_note = (f"Every program finds its C library locale in one directory (LOCPATH), "
                            f"{LOCALE} compiled there by localedef, C.UTF-8 copied beside it.")

    # ---- the core benchmark ------------------------------------------------------------------

    def run_core(self):
        args = self.args
        print(f"\n== Core benchmark (Google Benchmark), lists of {args.core_names} names", flush=True)
        out = os.path.join(self.work, "core.json")
        command = [self.core_bench, f"--kestrow_names={args.core_names}",
                   f"--benchmark_min_time={args.core_min_time}", f"--benchmark_out={out}",
                   "--benchmark_out_format=json"]
        if args.core_filter:
            command.append(f"--benchmark_filter={args.core_filter}")
        status = subprocess.run(command).returncode
        if status != 0:
            self.core_failed = f"kestrow_core_bench exited with status {status} (a benchmark's check failed?)"
        with contextlib.suppress(OSError, ValueError):
            with open(out) as file:
                report = json.load(file)
            self.core = {b["name"]: b for b in report["benchmarks"] if b.get("run_type") == "iteration"}

    def core_ms(self, name):
        entry = self.core.get(name)
        if entry is None or entry.get("error_occurred"):
            return None
        return entry["real_time"] * {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[entry["time_unit"]]

    # ---- programs on the desktop -------------------------------------------------------------

    def environments(self, desktop_env):
        """One environment for every program: the desktop's (no session bus, private runtime and
        configuration directories), LANG=C.UTF-8 and nothing else of the caller's locale."""
        env = {k: v for k, v in desktop_env.items()
               if not k.startswith("LC_") and k not in ("LANG", "LANGUAGE", "LOCPATH")}
        env["LANG"] = "C.UTF-8"
        if self.locpath:
            env["LOCPATH"] = self.locpath
        self.env = env
        self.env_de = dict(env, LANG=LOCALE)
        self.env_gtk = dict(env, XDG_CONFIG_HOME=os.path.join(self.work, "gtk"), NO_AT_BRIDGE="1")

    def peer_mode(self, n):
        size = os.path.getsize(self.peer_file(n)) + 8 * 2 * n
        return "args" if size < ARGUMENT_BYTES else "stdin"

    def probe_command(self, program, n, *, timeout=None, extra=()):
        """The probe's command line and environment for one run of program with n names."""
        common = ["--timeout", str(timeout or self.args.timeout),
                  "--log", os.path.join(self.work, f"{program}.log"), *extra]
        if program == "bare":
            return [self.probe, "--title", TITLES["bare"], *common, "--", self.bare], self.env
        if program in ("kestrow", "kestrow-de"):
            return ([self.probe, "--title", TITLES[program], "--input-file", PRINTER_LIST, *common, "--",
                     self.kestrow], self.env_de if program == "kestrow-de" else self.env)
        title = f"Printers ({program})"
        feed = (["--args-from", self.peer_file(n)] if self.peer_mode(n) == "args"
                else ["--stdin", self.peer_file(n)])
        if program == "yad":
            command = ["yad", f"--title={title}", "--list", "--checklist"]
        else:
            command = ["zenity", "--list", "--checklist", f"--title={title}"]
        return ([self.probe, "--title", title, *common, *feed, "--", *command, "--column=Select",
                 "--column=Printer", "--width=550", "--height=400"], self.env_gtk)

    def put_list(self, n):
        """kestrow's list at the fixed path, and no answer of an earlier run."""
        self.exchange.reset()
        shutil.copyfile(self.names_file(n), PRINTER_LIST)

    def run_probe(self, program, n, **options):
        """One timed run; a run in which something else changed the list file before kestrow had
        read it (the probe checks) is repeated."""
        for _ in range(3):
            if program.startswith("kestrow"):
                self.put_list(n)
            command, env = self.probe_command(program, n, **options)
            result = subprocess.run(command, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, text=True)
            fields = fields_of(result.stdout.strip().splitlines()[-1] if result.stdout.strip() else "status=error")
            if fields.get("status") != "disturbed":
                return fields
            print(f"bench/measure.py: something else changed {PRINTER_LIST} while kestrow started; "
                  "repeating the run", file=sys.stderr)
        return fields

    def run_core_load(self, n):
        """The core's own load of the same list file (LoadFile), in a process of its own."""
        result = subprocess.run(
            [self.core_bench, f"--kestrow_list_files={self.names_file(n)}", "--benchmark_filter=^LoadFile/",
             "--benchmark_min_time=0.05", "--benchmark_format=json"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        with contextlib.suppress(ValueError, KeyError, IndexError):
            entry = json.loads(result.stdout)["benchmarks"][0]
            if result.returncode == 0 and not entry.get("error_occurred"):
                return {"status": "loaded", "loaded_ms": entry["real_time"]}
        return {"status": "error"}

    def programs_at(self, n):
        programs = ["bare", "kestrow"]
        if n == 10:
            programs.append("kestrow-de")
        programs += PEERS
        if n >= 10000:  # the reference for long lists; at 10 names it is nothing to compare with
            programs.append("core-load")
        return programs

    def run_startup(self):
        args = self.args
        print(f"\n== Whole process under Xvfb: start to list shown and idle; {plural(args.runs, 'run')}, "
              "interleaved", flush=True)
        # Warm-up, unmeasured: font and icon caches, shared libraries. A program that does not come
        # up at the shortest length is not run at all.
        first = args.names[0]
        for program in self.programs_at(first):
            if program != "core-load":
                fields = self.run_probe(program, first, timeout=min(args.timeout, 60))
                if fields.get("status") != "loaded":
                    self.skipped[program] = f"its warm-up run did not load ({fields.get('status')})"
        most = max(args.runs, args.fast_runs)
        for n in args.names:
            runs_for = dict.fromkeys(self.programs_at(n), most)  # until its first run tells
            for run in range(1, most + 1):
                for program in rotated(self.programs_at(n), run - 1):
                    if program in self.skipped or run > runs_for[program]:
                        continue
                    began = time.monotonic()
                    if program == "core-load":
                        fields = self.run_core_load(n)
                    else:
                        fields = self.run_probe(program, n)
                    seconds = time.monotonic() - began
                    mode = self.peer_mode(n) if program in PEERS else "-"
                    self.startup.append({"n": n, "program": program, "mode": mode, "run": run, **fields})
                    print(f"{n:>8} {program:<10} {mode:<5} run {run}: {shown(fields)}", flush=True)
                    if fields.get("status") == "timeout":
                        self.skipped[program] = f"timed out at {n} names"  # longer lists only take longer
                    elif run == 1:
                        runs_for[program] = (args.fast_runs if seconds < args.fast_under else
                                             min(args.slow_runs, args.runs) if seconds >= args.slow_after else
                                             args.runs)

    def click_lengths(self):
        return sorted({self.args.names[0], self.args.names[-1]})

    def run_clicks(self):
        """A click on "Select All" (every name chosen) or on one row (one name chosen), each followed
        by Return; the selection file proves that the click hit."""
        args = self.args
        for n in self.click_lengths():
            for label, at, expected in (("Select All", args.select_all_at, n), ("A row", args.row_at, 1)):
                print(f"\n== {label}, then Return: kestrow with {n} names; {plural(args.runs, 'run')}", flush=True)
                for run in range(1, args.runs + 1):
                    fields = self.run_probe("kestrow", n, extra=("--click", at, "--key", "Return",
                                                                 "--wait-file", DONE_FLAG))
                    text = b""
                    with contextlib.suppress(OSError), open(SELECTION, "rb") as file:
                        text = file.read()
                    written = text.count(b"\n") + 1 if text else 0
                    if fields.get("status") != "loaded":
                        verdict = f"not loaded ({fields.get('status')})"
                    elif written != expected:
                        verdict = (f"wrong: the selection file holds {written} names, not {expected} "
                                   f"(is {label} at {at}?)")
                    else:
                        verdict = "ok"
                    self.clicks.append({"n": n, "click": label, "ok": verdict == "ok", "verdict": verdict,
                                        **fields})
                    print(f"{n:>8} run {run}: {shown(fields)} ({verdict})", flush=True)

    def wayland_length(self):
        return 10 if 10 in self.args.names else self.args.names[0]

    def run_wayland(self):
        args = self.args
        n = self.wayland_length()
        for name, compositor in wayland_startup.COMPOSITORS.items():
            if (reason := compositor.unavailable()):
                self.not_measured[name] = reason
        names = [name for name in wayland_startup.COMPOSITORS if name not in self.not_measured]
        if not names:
            return
        print(f"\n== Start-up on Wayland ({', '.join(names)}, headless) and X11 (Xvfb), {n} names; "
              f"{plural(args.wayland_runs, 'run')} of each, interleaved", flush=True)
        with contextlib.ExitStack() as stack:
            compositors = {}
            for name in names:
                try:
                    compositors[name] = stack.enter_context(wayland_startup.COMPOSITORS[name](*SCREEN))
                except Exception as error:  # one compositor that fails leaves the others measured
                    self.not_measured[name] = f"{name} did not start: {error}"
            for run in range(args.wayland_runs + 1):  # run 0: the warm-up
                pairs = [(program, platform_name) for program in ("bare", "kestrow")
                         for platform_name in ("x11", *compositors)]
                for program, platform_name in rotated(pairs, run):
                    if platform_name == "x11":
                        fields = self.run_probe(program, n)
                    elif platform_name not in compositors:
                        continue  # it ended during this run
                    else:
                        compositor = compositors[platform_name]
                        try:
                            fields = self.run_wayland_probe(compositor, program, n)
                        except Exception as error:  # counted as a failed run, as a time-out is
                            fields = {"status": f"error ({error})"}
                        if not compositor.running():
                            self.not_measured[platform_name] = (f"{platform_name} ended during run {run}: "
                                                                + compositor.log_tail()[-300:])
                            del compositors[platform_name]
                            continue
                    if run > 0:
                        self.wayland.append({"program": program, "platform": platform_name, **fields})
                        print(f"{n:>8} {program:<10} {platform_name:<7} run {run}: {shown(fields)}",
                              flush=True)

    def run_wayland_probe(self, compositor, program, n):
        if program == "kestrow":
            self.put_list(n)
        command = [self.probe, "--mapped-on-stdin", "--timeout", str(self.args.timeout),
                   "--log", os.path.join(self.work, f"{program}-{compositor.NAME}.log")]
        if program == "kestrow":
            command += ["--input-file", PRINTER_LIST, "--", self.kestrow]
        else:
            command += ["--", self.bare]
        line = wayland_startup.probe_run(compositor, command, compositor.env(self.env), self.args.timeout + 10)
        return fields_of(line)

    # ---- figures -----------------------------------------------------------------------------

    def loaded(self, program, n, key="loaded_ms"):
        return median(r.get(key) for r in self.startup
                      if r["n"] == n and r["program"] == program and r.get("status") == "loaded")

    def need(self, value, what):
        if value is None:
            raise NotMeasured(what)
        return value

    def missing_length(self, n):
        if n not in self.args.names:
            return f"--names has no {n}"
        if self.args.no_windows:
            return "--no-windows"
        return None

    def startup_figures(self, program, n):
        if (why := self.missing_length(n)):
            raise NotMeasured(why)
        k = self.need(self.loaded(program, n), f"{program}: {self.skipped.get(program, 'no run loaded')}")
        b = self.need(self.loaded("bare", n), "the bare window: no run loaded")
        return k, b

    def measure_startup(self, n):
        k, b = self.startup_figures("kestrow", n)
        return k / b, f"{k:.1f} ms / {b:.1f} ms (bare Qt window)"

    def measure_locale(self, n):
        de, _ = self.startup_figures("kestrow-de", n)
        c, _ = self.startup_figures("kestrow", n)
        return de / c, f"{de:.1f} ms / {c:.1f} ms (LANG=C.UTF-8)"

    def wayland_loaded(self, program, platform_name, key="loaded_ms"):
        return median(r.get(key) for r in self.wayland if r["program"] == program
                      and r["platform"] == platform_name and r.get("status") == "loaded")

    def wayland_ratio(self, n, compositor, key):
        """kestrow's figure `key` on the compositor against X11's in the same rotation."""
        if self.args.no_wayland:
            raise NotMeasured("--no-wayland")
        if compositor in self.not_measured:
            raise NotMeasured(self.not_measured[compositor])
        if n != self.wayland_length():
            raise NotMeasured(f"--names has no {n}")
        w = self.need(self.wayland_loaded("kestrow", compositor, key), f"no run loaded on {compositor}")
        x = self.need(self.wayland_loaded("kestrow", "x11", key), "no X11 run loaded")
        return w, x

    def measure_wayland(self, n, compositor="sway"):
        # To the window on screen, as the budget was set; Wayland's figure already holds the first
        # frame (see bench/README.md). Loaded, idle, is in the table below the budgets.
        w, x = self.wayland_ratio(n, compositor, "mapped_ms")
        return w / x, f"{w:.1f} ms / {x:.1f} ms mapped (X11)"

    def measure_wayland_cpu(self, n, compositor):
        w, x = self.wayland_ratio(n, compositor, "cpu_ms")
        return w / x, f"{w:.1f} ms / {x:.1f} ms CPU to loaded (X11)"

    def measure_wayland_memory(self, n, compositor):
        w, x = self.wayland_ratio(n, compositor, "peak_kib")
        return w / x, f"{w / 1024:.1f} MiB / {x / 1024:.1f} MiB peak (X11)"

    def measure_list_load(self, n):
        k, b = self.startup_figures("kestrow", n)
        core = self.need(self.loaded("core-load", n), "the core's load of the file did not run")
        return (k - b) / core, f"({k:.0f} − {b:.0f} ms bare) / {core:.0f} ms (core's load of the file)"

    def measure_list_memory(self, n):
        self.startup_figures("kestrow", n)
        k = self.loaded("kestrow", n, "peak_kib")
        b = self.loaded("bare", n, "peak_kib")
        text = os.path.getsize(self.names_file(n))
        beyond = ((k - b) * 1024 - text) / n
        return beyond, (f"({k / 1024:.1f} − {b / 1024:.1f} MiB bare − {text / 1048576:.1f} MiB names) "
                        f"/ {n:,} rows")

    def click_busy(self, label, n):
        if self.args.no_clicks:
            raise NotMeasured("--no-clicks")
        if n not in self.click_lengths():
            raise NotMeasured(f"--names has no {n}")
        runs = [r for r in self.clicks if r["n"] == n and r["click"] == label and r["ok"]]
        return self.need(median(r.get("click_busy_ms") for r in runs), "no run hit its target")

    def measure_select_all(self, n):
        busy = self.click_busy("Select All", n)
        core = self.core_ms(f"SelectAll/on/{n}")
        return busy, "busy after the click" + (f"; the core's select-all: {core:.2f} ms" if core else "")

    def measure_row_toggle(self, n):
        return self.click_busy("A row", n), "busy after the click"

    def core_ratio(self, name, reference):
        if self.args.no_core:
            raise NotMeasured("--no-core")
        value, base = self.core_ms(name), self.core_ms(reference)
        if value is None or base is None:
            raise NotMeasured(f"{name} or {reference} did not run (--core-names, --core-filter)")
        return value / base, f"{value:.1f} ms / {base:.1f} ms ({reference.split('/')[0]})"

    def measure_core_parse(self, n):
        ratio, detail = self.core_ratio(f"Parse/ascii/{n}", f"LineSplit/ascii/{n}")
        rate = self.core[f"Parse/ascii/{n}"]["bytes_per_second"] / 1e6
        return ratio, f"{detail}; {rate:.0f} MB/s"

    def measure_core_confirm(self, n):
        return self.core_ratio(f"Confirm/ascii/{n}/real_time", f"ConfirmReference/ascii/{n}/real_time")

    def failures(self):
        """Measurements of our own programs that did not come off; they make the exit status 1. The
        peers may time out (that is what they do with long lists), and a budget missed is a result."""
        found = [self.core_failed] if self.core_failed else []
        found += [f"{program}: {why}" for program, why in self.skipped.items() if program not in PEERS]
        found += [f"{r['program']} at {r['n']} names, run {r['run']}: {r.get('status')}" for r in self.startup
                  if r["program"] not in PEERS and r.get("status") != "loaded"]
        found += [f"{r['click']} at {r['n']} names: {r['verdict']}" for r in self.clicks if not r["ok"]]
        found += [f"{r['program']} on {r['platform']}: {r.get('status')}" for r in self.wayland
                  if r.get("status") != "loaded"]
        return found

    # ---- the report --------------------------------------------------------------------------

    def budget_rows(self):
        """bench/budgets.toml, each row judged: a ratio may reach its limit ("within 1.05x"), an
        absolute figure must stay under it ("under 16 ms")."""
        with open(os.path.join(BENCH, "budgets.toml"), "rb") as file:
            budgets = tomllib.load(file)["budget"]
        rows = []
        for budget in budgets:
            measure = getattr(self, "measure_" + budget["measure"])
            unit, limit = budget["unit"], budget.get("limit")
            if limit is None:
                shown_limit = "—"
            else:
                shown_limit = f"≤ {limit:g}×" if unit == "x" else f"< {limit:g} {unit}"
            try:
                value, detail = measure(budget["names"], **({"compositor": budget["compositor"]}
                                                            if "compositor" in budget else {}))
            except NotMeasured as missing:
                rows.append([budget["budget"], f"not measured: {missing}", "", shown_limit, "—",
                             budget["source"]])
                continue
            if unit == "x":
                shown, within = f"{value:.2f}×", limit is None or value <= limit
            else:
                shown = f"{value:.1f} {unit}" if unit == "ms" else f"{value:.0f} {unit}"
                within = limit is None or value < limit
            met = "—" if limit is None else "yes" if within else "**no**"
            rows.append([budget["budget"], shown, detail, shown_limit, met, budget["source"]])
        return rows

    def machine(self):
        def version(package):
            result = subprocess.run(["dpkg-query", "-W", "-f=${Version}", package],
                                    capture_output=True, text=True)
            return result.stdout or "?"
        model = "?"
        with open("/proc/cpuinfo") as file:
            for line in file:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
        with open("/proc/meminfo") as file:
            memory = int(file.readline().split()[1]) / 1048576
        system = "?"
        with contextlib.suppress(OSError), open("/etc/os-release") as file:
            for line in file:
                if line.startswith("PRETTY_NAME="):
                    system = line.split("=", 1)[1].strip().strip('"')
        return [
            f"CPU: {os.cpu_count()} × {model}",
            f"Memory: {memory:.1f} GiB",
            f"System: {system}, Linux {platform.release()}",
            "Qt {}, GTK {}, yad {}, zenity {}, Google Benchmark {}".format(
                version("libqt6core6") if version("libqt6core6") != "?" else version("libqt6core6t64"),
                version("libgtk-3-0") if version("libgtk-3-0") != "?" else version("libgtk-3-0t64"),
                version("yad"), version("zenity"), version("libbenchmark-dev")),
            "sway {}, mutter {}, KWin {}, Weston {}".format(
                version("sway"), version("mutter"), version("kwin-wayland"), version("weston")),
            f"Load average (1, 5, 15 min) before: {self.load_before}; after: {self.load_average()}. The "
            "machine is shared and loaded: absolute times vary from run to run, the ratios within one "
            "run are what count.",
        ]

    def report(self):
        args = self.args
        out = []

        def table(header, rows, align):
            out.append("| " + " | ".join(header) + " |")
            out.append("|" + "|".join({"l": "---", "r": "---:", "c": ":---:"}[a] for a in align) + "|")
            out.extend("| " + " | ".join(str(c) for c in row) + " |" for row in rows)

        def ms(value):
            return "-" if value is None else f"{value:.1f}"

        def mib(kib):
            return "-" if kib is None else f"{kib / 1024:.1f}"

        date = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC")
        out += ["# Kestrow benchmark results", "",
                f"Measured {date} by `{args.command}` in {time.monotonic() - self.started:.0f} s after the "
                "build. Generated by bench/measure.py; the method and the reason for each reference are in "
                "[bench/README.md](README.md), the budgets in [bench/budgets.toml](budgets.toml).", "",
                "## Machine", ""]
        out += [f"- {line}" for line in self.machine()]

        out += ["", "## Performance budget", "",
                "Each figure is a ratio to a reference measured in this run, except where the limit is a "
                "fixed fact: a frame at 60 Hz lasts 16 ms on any machine, and bytes per row do not depend "
                "on the machine's speed.", ""]
        table(["budget", "this run", "from", "limit", "met", "limit's source"], self.budget_rows(), "lrlccl")
        if (failures := self.failures()):
            out += ["", "**Measurements that failed** (the figures above leave them out):", ""]
            out += [f"- {failure}" for failure in failures]

        if self.startup:
            out += ["", "## Whole process under Xvfb: from start to the list shown and the process idle", "",
                    "Medians of interleaved runs. *mapped*: the window is on screen; *loaded*: mapped, list "
                    "filled and painted, process idle. CPU: all threads until loaded. Peak: VmHWM just before "
                    "the process is stopped. *kestrow-de*: LANG=de_DE.UTF-8. *core-load*: the core's own "
                    "load of the same file (read, parse, state; Google Benchmark's LoadFile, a process of its "
                    "own in the same rotation), the reference for long lists.", ""]
            rows = []
            for n in args.names:
                for program in self.programs_at(n):
                    runs = [r for r in self.startup if r["n"] == n and r["program"] == program]
                    good = [r for r in runs if r.get("status") == "loaded"]
                    mode = runs[0]["mode"] if runs else "-"
                    if not runs:
                        rows.append([n, program, "", 0, f"skipped: {self.skipped.get(program, 'not run')}",
                                     "", "", "", ""])
                        continue
                    if not good:
                        timeouts = sum(r.get("status") == "timeout" for r in runs)
                        rows.append([n, program, mode, len(runs),
                                     f"time-out (> {args.timeout:g} s) × {timeouts}" if timeouts else
                                     f"failed ({runs[0].get('status')})", "", "", "", ""])
                        continue
                    count = f"{len(good)}" + (f" of {len(runs)}" if len(good) != len(runs) else "")
                    bare = self.loaded("bare", n)
                    loaded = self.loaded(program, n)
                    ratio = f"{loaded / bare:.2f}" if bare and program != "core-load" else ""
                    rows.append([n, program, mode, count, ms(self.loaded(program, n, "mapped_ms")), ms(loaded),
                                 ratio, ms(self.loaded(program, n, "cpu_ms")),
                                 mib(self.loaded(program, n, "peak_kib"))])
            table(["names", "program", "input", "runs", "mapped ms", "loaded ms", "× bare", "CPU ms", "peak MiB"],
                  rows, "rllrrrrrr")

        long_lists = [n for n in args.names if self.loaded("core-load", n) and self.loaded("kestrow", n)
                      and self.loaded("bare", n)]
        if long_lists:
            out += ["", "## Long lists against the core's own load, and memory", "",
                    "Medians from the table above. *list's share*: kestrow's loaded less the bare window's; "
                    "*core load*: the core's own load of the same file. *beyond the names*: (kestrow's peak "
                    "− the bare window's peak − the file's size) / rows.", ""]
            rows = []
            for n in long_lists:
                k, b, core = self.loaded("kestrow", n), self.loaded("bare", n), self.loaded("core-load", n)
                kp, bp = self.loaded("kestrow", n, "peak_kib"), self.loaded("bare", n, "peak_kib")
                text = os.path.getsize(self.names_file(n))
                rows.append([n, ms(k), ms(b), ms(k - b), ms(core), f"{(k - b) / core:.2f}", f"{k / core:.2f}",
                             mib(kp), mib(bp), f"{text / 1048576:.1f}", f"{((kp - bp) * 1024 - text) / n:.0f}"])
            table(["names", "kestrow ms", "bare ms", "list's share ms", "core load ms", "share / core",
                   "kestrow / core", "kestrow peak MiB", "bare peak MiB", "names MiB",
                   "beyond the names, bytes/row"], rows, "rrrrrrrrrrr")

        if self.clicks:
            out += ["", "## A click, then Return", "",
                    "Medians. *click busy*: from the click until the process is idle again (wall, 2 ms "
                    "samples); *click CPU*: the CPU it used; *Return → flag*: from the key press until the "
                    "done flag exists (sort, format, atomic write of the chosen names, flag). Each run "
                    "checked the selection file: every name after Select All, one after a row. *core*: the "
                    "core's own SelectAll/on and ToggleRow at that length (Google Benchmark), for scale: "
                    "the click's time is the window's, not the core's (bench/README.md).", ""]
            rows = []
            for n in self.click_lengths():
                for label in ("Select All", "A row"):
                    runs = [r for r in self.clicks if r["n"] == n and r["click"] == label]
                    good = [r for r in runs if r["ok"]]
                    core = self.core_ms(f"SelectAll/on/{n}" if label == "Select All" else f"ToggleRow/{n}")
                    if not good:
                        rows.append([n, label, f"0 of {len(runs)}", "failed", "", "", "", ""])
                        continue
                    rows.append([n, label, f"{len(good)}" + (f" of {len(runs)}" if len(good) != len(runs) else ""),
                                 ms(median(r.get("click_busy_ms") for r in good)),
                                 ms(median(r.get("click_cpu_ms") for r in good)),
                                 ms(median(r.get("key_to_file_ms") for r in good)),
                                 mib(median(r.get("peak_kib") for r in good)),
                                 "-" if core is None else f"{core * 1000:.3g}"])
            table(["names", "click", "runs", "click busy ms", "click CPU ms", "Return → flag ms", "peak MiB",
                   "core µs"], rows, "rlrrrrrr")

        compositors = list(wayland_startup.COMPOSITORS)
        if self.wayland or any(name in self.not_measured for name in compositors):
            n = self.wayland_length()
            out += ["", f"## Start-up on Wayland against X11, {n} names", "",
                    "Medians of interleaved runs, X11 on the Xvfb above, each compositor on its headless "
                    "backend (software rendering) at the same screen size, all running through the "
                    "rotation; the same probe and idle rule everywhere. On Wayland *mapped* is the first "
                    "frame committed (sway's new-window event, the others' protocol log), so it is later "
                    "in the start-up than X11's map; *loaded* is alike on all. CPU: the program's own, to "
                    "loaded. Peak: VmHWM. sway and KWin draw the window's frame; on mutter and Weston, "
                    "which draw none, kestrow draws its own title bar and the bare Qt window Qt's.", ""]
            out += [f"- {name}: not measured: {self.not_measured[name]}" for name in compositors
                    if name in self.not_measured]
            rows = []
            for program in ("bare", "kestrow"):
                x_cpu, x_peak = self.wayland_loaded(program, "x11", "cpu_ms"), self.wayland_loaded(program, "x11", "peak_kib")
                for platform_name in ("x11", *compositors):
                    runs = sum(r["program"] == program and r["platform"] == platform_name
                               and r.get("status") == "loaded" for r in self.wayland)
                    if not runs:
                        continue
                    cpu = self.wayland_loaded(program, platform_name, "cpu_ms")
                    peak = self.wayland_loaded(program, platform_name, "peak_kib")
                    rows.append([program, platform_name, ms(self.wayland_loaded(program, platform_name, "mapped_ms")),
                                 ms(self.wayland_loaded(program, platform_name)), ms(cpu),
                                 f"{cpu / x_cpu:.2f}" if cpu and x_cpu else "-", mib(peak),
                                 f"{peak / x_peak:.2f}" if peak and x_peak else "-", f"{runs} of {args.wayland_runs}"])
            table(["program", "platform", "mapped ms", "loaded ms", "CPU ms", "CPU / X11", "peak MiB",
                   "peak / X11", "runs"], rows, "llrrrrrrr")

        if any(r["program"] == "kestrow-de" for r in self.startup):
            out += ["", "## The translated locale", "",
                    f"kestrow at 10 names with LANG={LOCALE} (the window loads its German catalogue and Qt's "
                    "at start) against LANG=C.UTF-8, in the rotation above. " + self.locale_note]

        if self.core:
            out += ["", "## Core (Google Benchmark), names of about 30 bytes", "",
                    "Parse: bytes per second of list text; LineSplit: its reference, memchr for each line feed "
                    "over the same bytes. Load: parse and hand to the state. StateMemory: heap bytes per row of "
                    "the loaded state (names included) and at confirm's peak. Confirm: collect, sort, join and "
                    "atomically write every name (wall time: fsync waits for the disk); ConfirmReference: its "
                    "reference, a byte-order std::sort and a plain write of the same names. ascii: plain "
                    "names; mixed: every fourth name has a non-ASCII word, some of them decomposed.", ""]
            if self.core_failed:
                out += [f"**{self.core_failed}**", ""]
            rows = []
            for name, b in self.core.items():
                counters = " ".join(f"{k}={b[k]:.4g}" for k in ("bytes_per_second", "items_per_second",
                                                                   "bytes_per_row", "beyond_text_per_row",
                                                                   "confirm_peak_per_row") if k in b)
                if b.get("error_occurred"):
                    counters = "error: " + b.get("error_message", "")
                unit = b["time_unit"]
                rows.append([name, f"{b['real_time']:.4g} {unit}", f"{b['cpu_time']:.4g} {unit}", b["iterations"],
                             counters])
            table(["benchmark", "time", "CPU", "iterations", "counters"], rows, "lrrrl")

        out += ["", "## This run", "",
                f"- List lengths {', '.join(map(str, args.names))}; {plural(args.runs, 'run')} each, "
                f"{args.fast_runs} for a program whose first run at a length took under {args.fast_under:g} s, "
                f"{args.slow_runs} for one whose first run took over {args.slow_after:g} s; interleaved in an "
                "order that rotates from run to run, after one unmeasured warm-up of each program. A program "
                f"not loaded after {args.timeout:g} s is stopped, counted as a time-out and not run at longer "
                "lengths.",
                f"- Clicks: \"Select All\" at {args.select_all_at}, a row at {args.row_at} (window pixels), at "
                f"{' and '.join(map(str, self.click_lengths()))} names.",
                f"- Wayland: {plural(args.wayland_runs, 'run')} of each program on each platform.",
                f"- Core: lists of {args.core_names} names, minimum time {args.core_min_time:g} s per benchmark.",
                f"- Xvfb {SCREEN[0]} × {SCREEN[1]} × 24 of the test desktop, no window manager, no session "
                "bus; LANG=C.UTF-8."]
        return "\n".join(out) + "\n"


def main(argv):
    args = parse_arguments(argv)
    raise_on_signals((signal.SIGTERM, signal.SIGHUP), Stopped)
    work = tempfile.mkdtemp(prefix="kestrow-bench.")
    try:
        bench = Bench(args, work)
        bench.prepare_inputs()
        if not args.no_core:
            bench.run_core()
        if not (args.no_windows and args.no_clicks and args.no_wayland):
            def waiting():
                print("bench/measure.py: another run (a demo, a benchmark or the tests) is using the exchange "
                      "files; waiting for it", file=sys.stderr, flush=True)
            with session(window_manager=False, session_bus=False, screen=f"{SCREEN[0]}x{SCREEN[1]}x24",
                         waiting=waiting) as desktop:
                bench.exchange = desktop.exchange
                bench.environments(desktop.env)
                if not args.no_windows:
                    bench.run_startup()
                if not args.no_clicks:
                    bench.run_clicks()
                if not args.no_wayland:
                    bench.run_wayland()
        report = bench.report()
        failures = bench.failures()
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("\n" + report)
    if args.output:
        with open(args.output, "w", encoding="utf-8") as file:
            file.write(report)
        print(f"Written to {args.output}")
    if failures:
        print(f"bench/measure.py: {plural(len(failures), 'measurement')} failed (see the report)", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
