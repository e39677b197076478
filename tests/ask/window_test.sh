#!/bin/sh
# shellcheck disable=SC2317 # the cases and helpers are reached through "case_$caseName" and traps
# One case of kestrow-ask with the real kestrow window, on the test desktop (Xvfb, openbox and a
# session bus: tests/desktop/on-desktop), played by real X key events (xdotool).
# Usage: window_test.sh CASE KESTROW_ASK [KESTROW]
#   CASE         confirm, cancel, close or no_display
#   KESTROW_ASK  the script under test
#   KESTROW      the window program. Given, a copy of KESTROW_ASK runs beside it, as in
#                a build tree; left out, KESTROW_ASK runs where it is and finds its own
#                kestrow (an installed pair, e.g. /usr/bin/kestrow-ask).
#
# As in ask_test.sh, the case runs with its own empty /tmp when the kernel allows it:
# the exchange files, the kestrow-ask lock and the X server's socket all live there,
# so nothing collides with other tests or with people using the real window. The
# namespaces are user, mount, network (the X server's abstract socket is per network
# namespace, so a private display can never be reached by, or shadow, another one) and
# PID (whatever a failed case leaves running ends with it). Otherwise (or with
# KESTROW_ASK_TEST_SHARED_TMP=1) it uses the real /tmp under the lock that the other
# tests share, and the desktop puts back what stood at the exchange paths.
set -u

usage() {
  echo "usage: $0 confirm|cancel|close|no_display KESTROW_ASK [KESTROW]" >&2
  exit 2
}

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  usage
fi
caseName=$1
case $caseName in
confirm | cancel | close | no_display) ;;
*) usage ;;
esac

# shellcheck source=tests/ask/private_tmp.sh
. "$(dirname -- "$0")/private_tmp.sh"
title='Orvane Setup'

# Bounds against a hung program, never a measure of speed: 300 polls of 0.1 s.
polls=300

# The binaries must stay reachable once /tmp is covered: an installed kestrow-ask is
# run where it is, a build tree's kestrow is linked (or copied, from under /tmp).
underTmp() { # the path, made absolute
  case $1 in
  /tmp | /tmp/*) return 0 ;;
  esac
  return 1
}

if [ -z "${KESTROW_WINDOW_TEST_TMP:-}" ]; then
  unshareArgs='-rmnpf --kill-child --mount-proc --propagation private'
  if privateTmpPossible "$unshareArgs"; then
    stageTests
    if [ $# -eq 3 ]; then
      cp -- "$2" "$stage/kestrow-ask" && chmod 755 "$stage/kestrow-ask" || exit 2
      kestrow=$(realpath -- "$3") || exit 2
      if underTmp "$kestrow"; then
        cp -- "$kestrow" "$stage/kestrow" || exit 2
      else
        ln -s -- "$kestrow" "$stage/kestrow" || exit 2
      fi
      ask=./kestrow-ask
    else
      ask=$(realpath -- "$2") || exit 2
      if underTmp "$ask"; then
        echo "an installed kestrow-ask under /tmp cannot run with a private /tmp: $ask" >&2
        exit 2
      fi
    fi
    export KESTROW_WINDOW_TEST_TMP=private
    inPrivateTmp "$unshareArgs" sh ./ask/window_test.sh "$caseName" "$ask"
    exit $?
  fi
  KESTROW_WINDOW_TEST_TMP=shared
fi

# Once on the desktop, which in the real /tmp also holds the lock and sets the exchange files aside.
if [ -z "${KESTROW_WINDOW_TEST_ON_DESKTOP:-}" ]; then
  for tool in python3 Xvfb openbox dbus-daemon xdotool xprop; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      echo "FAIL [$caseName]: $tool is missing (Debian packages python3, xvfb, openbox, dbus, xdotool, x11-utils)" >&2
      exit 1
    fi
  done
  lockOption=
  if [ "$KESTROW_WINDOW_TEST_TMP" = private ]; then
    lockOption=--no-lock
  fi
  export KESTROW_WINDOW_TEST_TMP KESTROW_WINDOW_TEST_ON_DESKTOP=1
  # shellcheck disable=SC2086 # the option, or none
  exec "$testsDir/desktop/on-desktop" $lockOption --name "window test [$caseName]" -- sh "$0" "$@"
fi

t=
failed=
askPid=

cleanUp() {
  # kestrow-ask ends its window when terminated.
  if [ -n "$askPid" ] && kill -0 "$askPid" 2>/dev/null; then
    kill -TERM "$askPid" 2>/dev/null
    wait "$askPid" 2>/dev/null
  fi
  if [ -n "$t" ]; then
    rm -rf -- "$t"
  fi
}
trap cleanUp EXIT
trap 'exit 1' INT TERM HUP

t=$(mktemp -d /tmp/kestrow-window-test.XXXXXX) || exit 2
mkdir "$t/home" || exit 2
ask=$2
if [ $# -eq 3 ]; then
  mkdir "$t/bin" && cp -- "$2" "$t/bin/kestrow-ask" && chmod 755 "$t/bin/kestrow-ask" &&
    ln -s -- "$(realpath -- "$3")" "$t/bin/kestrow" || exit 2
  ask=$t/bin/kestrow-ask
fi

# Helpers ---------------------------------------------------------------------

showFile() { # label, path
  if [ -s "$2" ]; then
    echo "--- $1:" >&2
    cat -- "$2" >&2
  fi
}

fail() {
  echo "FAIL [$caseName]: $*" >&2
  showFile "kestrow-ask stdout" "$t/out"
  showFile "kestrow-ask stderr" "$t/err"
  failed=1
  exit 1
}

# The desktop's session, and nothing else from ours: a locale, a home or a sanitizer
# setting of the caller must not change what the window prints. The sanitizer options
# pass, for a sanitizer build.
# sessionExec replaces the shell it runs in: call it in a subshell, or as a background
# job (then $! is the program's own pid, which cleanUp can stop).
sessionExec() { # command...
  exec env -i PATH="$PATH" HOME="$t/home" LANG=C.UTF-8 \
    XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" XDG_CONFIG_HOME="$XDG_CONFIG_HOME" XDG_CACHE_HOME="$XDG_CACHE_HOME" \
    XDG_DATA_HOME="$XDG_DATA_HOME" DISPLAY="$DISPLAY" DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" \
    QT_QPA_PLATFORM=xcb \
    ASAN_OPTIONS="${ASAN_OPTIONS:-}" LSAN_OPTIONS="${LSAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" \
    "$@"
}

inSession() { # command...
  (sessionExec "$@")
}

waitFor() { # description, command...
  what=$1
  shift
  n=0
  until "$@"; do
    n=$((n + 1))
    [ "$n" -lt "$polls" ] || fail "gave up waiting for $what"
    sleep 0.1
  done
}

# startAsk NAMES: kestrow-ask in the background, as an installer runs it, with the
# names (printf format) on standard input.
startAsk() {
  # shellcheck disable=SC2059
  printf "$1" >"$t/in"
  sessionExec "$ask" <"$t/in" >"$t/out" 2>"$t/err" &
  askPid=$!
}

windowShown() {
  kill -0 "$askPid" 2>/dev/null || fail "kestrow-ask ended before the window was shown"
  window=$(inSession xdotool search --onlyvisible --name "^$title\$" 2>/dev/null)
  [ -n "$window" ]
}

windowFocused() {
  [ "$(inSession xdotool getwindowfocus -f 2>/dev/null)" = "$window" ]
}

# Keys go to the focused window, as they would for a person: wait until the window
# manager has given the new window the focus.
waitForWindow() {
  waitFor "the window '$title'" windowShown
  [ "$(echo "$window" | wc -l)" -eq 1 ] || fail "more than one window '$title'"
  waitFor "the window to get the focus" windowFocused
}

keys() { # key...
  inSession xdotool key --clearmodifiers "$@" || fail "xdotool key $* failed"
}

askEnded() {
  ! kill -0 "$askPid" 2>/dev/null
}

# waitForAsk: sets $status.
waitForAsk() {
  waitFor "kestrow-ask to end" askEnded
  wait "$askPid"
  status=$?
  askPid=
}

expectStatus() {
  [ "$status" -eq "$1" ] || fail "exit status $status, expected $1"
}

expectStdout() { # printf arguments: the exact bytes
  # shellcheck disable=SC2059
  printf "$@" >"$t/expected"
  cmp -s "$t/expected" "$t/out" || fail "standard output differs from the expected bytes"
}

# Exactly these bytes on standard error (none when empty): a sanitizer report, a Qt
# warning or a stray line would show up here, and kestrow-ask passes kestrow's exit
# status over once the done flag is written, so this is where they are caught.
expectStderr() { # printf arguments
  # shellcheck disable=SC2059
  printf "$@" >"$t/expected"
  cmp -s "$t/expected" "$t/err" || fail "standard error differs from the expected bytes"
}

expectNoExchangeFiles() {
  for path in "$list" "$selection" "$flag"; do
    if [ -e "$path" ] || [ -L "$path" ]; then
      fail "$path was left behind"
    fi
  done
}

names='Zeta Lab\nCaf\303\251 Printer\nBrother HL\n'

# Cases -----------------------------------------------------------------------

case_confirm() {
  startAsk "$names"
  waitForWindow
  # The list has the focus on its first row: tick "Zeta Lab" and "Café Printer".
  keys space Down space Return
  waitForAsk
  expectStatus 0
  # Sorted, one a line; "Brother HL" was not ticked.
  expectStdout 'Caf\303\251 Printer\nZeta Lab\n'
  expectStderr ''
  expectNoExchangeFiles
}

case_cancel() {
  startAsk "$names"
  waitForWindow
  # Something ticked, so that a cancel cannot pass for an empty selection.
  keys space Escape
  waitForAsk
  expectStatus 1
  expectStdout ''
  expectStderr ''
  expectNoExchangeFiles
}

case_close() {
  startAsk "$names"
  waitForWindow
  # openbox's binding for closing a window: it sends WM_DELETE_WINDOW, and kestrow
  # ends without writing anything.
  keys space alt+F4
  waitForAsk
  expectStatus 2
  expectStdout ''
  expectStderr 'kestrow-ask: kestrow ended without an answer, exit status 0: the window was closed without OK or Cancel, or could not be shown\n'
  expectNoExchangeFiles
}

# A display with no server: kestrow's one line about it becomes kestrow-ask's reason.
case_no_display() {
  number=9
  while [ -e "/tmp/.X11-unix/X$number" ]; do
    number=$((number + 1))
  done
  # shellcheck disable=SC2059 # the names are a printf format, as for startAsk
  printf "$names" >"$t/in"
  # The session's environment, with the display replaced.
  (sessionExec env DISPLAY=":$number" "$ask") <"$t/in" >"$t/out" 2>"$t/err"
  status=$?
  expectStatus 2
  expectStdout ''
  expectStderr "kestrow-ask: the window could not be shown: cannot open the X11 display ':$number': not found (no X server at /tmp/.X11-unix/X$number)\n"
  expectNoExchangeFiles
}

# -----------------------------------------------------------------------------

[ -S "/tmp/.X11-unix/X${DISPLAY#:}" ] || fail "the X server has no socket in this /tmp for $DISPLAY"
"case_$caseName"
[ -z "$failed" ] || exit 1
echo "PASS [$caseName] (/tmp: $KESTROW_WINDOW_TEST_TMP, kestrow-ask: $2)"
exit 0
