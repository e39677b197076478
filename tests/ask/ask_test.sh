#!/bin/sh
# shellcheck disable=SC2317 # the cases and helpers are reached through "case_$caseName" and traps
# One case of kestrow-ask, played against fake-kestrow.
# Usage: ask_test.sh KESTROW_ASK CASE [SHELL]
#   KESTROW_ASK  the script under test (tools/kestrow-ask)
#   CASE         one of the case_* functions below, without the prefix
#   SHELL        run kestrow-ask with this shell instead of its #! line (e.g. "bash --posix")
#
# Each case runs with its own empty /tmp when the kernel allows it (unshare -rm), else in
# the real one on the test desktop's terms: see private_tmp.sh.
set -u

if [ $# -lt 2 ]; then
  echo "usage: $0 KESTROW_ASK CASE [SHELL]" >&2
  exit 2
fi

# shellcheck source=tests/ask/private_tmp.sh
. "$(dirname -- "$0")/private_tmp.sh"
askLock=/tmp/kestrow-ask.lock

# Relative paths stay valid: this script never changes directory, and inside the
# namespace the working directory is the only way back to the staged files.
here=$(dirname -- "$0")

# What kestrow-ask makes of a sudo or pkexec around it is the case's to set.
unset SUDO_USER SUDO_UID SUDO_GID SUDO_COMMAND PKEXEC_UID

# Another user's files need that user to exist: such cases run as root, in a mount and PID
# namespace of their own (not a user namespace, which would not have that user; and with a
# /proc of their own, which shows no other session of that user), else in the real /tmp.
namespaces='-rm --propagation private'
case ${2:-} in
*another_user*)
  if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP [$2]: needs root, to write files as the user nobody"
    exit 77
  fi
  namespaces='-mpf --mount-proc --propagation private'
  ;;
esac

if [ -z "${KESTROW_ASK_TEST_TMP:-}" ]; then
  if privateTmpPossible "$namespaces"; then
    stageTests
    cp -- "$1" "$stage/kestrow-ask" || exit 2
    # The other user runs the staged programs too.
    chmod 755 "$stage" || exit 2
    shift
    export KESTROW_ASK_TEST_TMP=private
    inPrivateTmp "$namespaces" sh ./ask/ask_test.sh ./kestrow-ask "$@"
    exit $?
  fi
  # The lock and the exchange files of the test desktop, without the desktop itself.
  export KESTROW_ASK_TEST_TMP=shared
  exec "$testsDir/desktop/on-desktop" --no-display --name "ask test [$2]" -- sh "$0" "$@"
fi
export KESTROW_ASK_TEST_TMP

askSource=$1
caseName=$2
askShell=${3:-}
if [ -n "$askShell" ]; then
  # By full path: one case runs with a PATH of a few tools only.
  shellProgram=$(command -v "${askShell%% *}") || {
    echo "no shell '${askShell%% *}'" >&2
    exit 2
  }
  askShell=$shellProgram${askShell#"${askShell%% *}"}
fi

t=
failed=
askPid=

passed=

# A failed case may leave a run waiting on its fake window: end both.
stopLeftovers() {
  if [ -n "$askPid" ]; then
    kill -KILL "$askPid" 2>/dev/null
  fi
  for pidFile in "$t/log/pid" "$t/log-first/pid"; do
    if [ -f "$pidFile" ]; then
      kill -KILL "$(cat "$pidFile")" 2>/dev/null
    fi
  done
}

restore() {
  if [ -z "$passed" ] && [ -n "$t" ]; then
    stopLeftovers
  fi
  if [ -n "$t" ]; then
    rm -rf -- "$t"
  fi
}
trap restore EXIT
trap 'exit 1' INT TERM HUP

t=$(mktemp -d /tmp/kestrow-ask-test.XXXXXX) || exit 2
mkdir "$t/bin" "$t/log" || exit 2
cp -- "$askSource" "$t/bin/kestrow-ask" && chmod 755 "$t/bin/kestrow-ask" || exit 2
# The window may run as nobody: it must reach the programs and its log.
chmod 755 "$t" "$t/bin" && chmod 777 "$t/log" || exit 2
export FAKE_LOG="$t/log"
export FAKE_CHOSEN=
export FAKE_MODE=confirm

# Helpers ---------------------------------------------------------------------

fail() {
  echo "FAIL [$caseName]: $*" >&2
  for f in out err; do
    if [ -s "$t/$f" ]; then
      echo "--- kestrow-ask std$f:" >&2
      od -c "$t/$f" | head -20 >&2
    fi
  done
  failed=1
  exit 1
}

placeFake() { # directory
  cp -- "$here/fake-kestrow" "$1/kestrow" && chmod 755 "$1/kestrow" || exit 2
}

# noPrivateTmp: from here on kestrow-ask runs where the kernel refuses it a private /tmp, as in
# a container without the rights, and falls back to the real one, with the lock.
refuse=
noPrivateTmp() {
  refuse=1
}

# refusing COMMAND...: execs COMMAND in a user namespace of its own with the same users (which
# only a process outside may map in) and limits that allow no further mount or user namespace.
refusing() {
  read -r _ _ users </proc/self/uid_map && read -r _ _ groups </proc/self/gid_map || exit 2
  [ "$users" -le 65536 ] || users=65536
  [ "$groups" -le 65536 ] || groups=65536
  rm -f -- "$t/namespace-ready" "$t/namespace-go" && mkfifo "$t/namespace-ready" "$t/namespace-go" || exit 2
  (
    read -r inside <"$t/namespace-ready"
    if echo "0 0 $users" >"/proc/$inside/uid_map" && echo "0 0 $groups" >"/proc/$inside/gid_map"; then
      echo go >"$t/namespace-go"
    else
      echo "cannot map the users into the namespace" >"$t/namespace-go"
    fi
  ) &
  # Once mapped, the inner shell runs a new one, which is root of the namespace (the first lost
  # its capabilities when it started unmapped).
  # shellcheck disable=SC2016 # expanded by the inner shells
  exec unshare --user sh -c 'echo $$ >"$1/namespace-ready" && read -r word <"$1/namespace-go" && [ "$word" = go ] && shift &&
    exec sh -c "echo 0 >/proc/sys/user/max_mnt_namespaces && echo 0 >/proc/sys/user/max_user_namespaces &&
      exec \"\$@\"" sh "$@"' sh "$t" "$@"
}

# runAsk: kestrow-ask with standard input from $t/in; sets $status. As $askUser when set.
askUser=
runAsk() {
  set -- "$t/bin/kestrow-ask" "$@"
  # shellcheck disable=SC2086 # the shell may come with options
  [ -z "$askShell" ] || set -- $askShell "$@"
  [ -z "$askUser" ] || set -- setpriv --reuid="$askUser" --regid="$(id -g "$askUser")" --clear-groups "$@"
  [ -z "$refuse" ] || set -- refusing "$@"
  ("$@") <"$t/in" >"$t/out" 2>"$t/err"
  status=$?
}

input() { # printf arguments
  # shellcheck disable=SC2059
  printf "$@" >"$t/in"
}

expectStatus() {
  [ "$status" -eq "$1" ] || fail "exit status $status, expected $1"
}

expectStdout() { # printf arguments: the exact bytes
  # shellcheck disable=SC2059
  printf "$@" >"$t/expected"
  cmp -s "$t/expected" "$t/out" || fail "standard output differs from the expected bytes"
}

expectStdoutEmpty() {
  [ ! -s "$t/out" ] || fail "standard output is not empty"
}

expectStderrHas() {
  grep -qF -- "$1" "$t/err" || fail "standard error lacks: $1"
}

expectStderrEmpty() {
  [ ! -s "$t/err" ] || fail "standard error is not empty"
}

expectNoExchangeFiles() {
  for path in "$list" "$selection" "$flag"; do
    if [ -e "$path" ] || [ -L "$path" ]; then
      fail "$path was left behind"
    fi
  done
}

expectFakeRan() {
  [ -f "$t/log/argc" ] || fail "kestrow was not started"
  [ "$(cat "$t/log/argc")" = 0 ] || fail "kestrow was given arguments"
}

expectFakeNotRan() {
  [ ! -f "$t/log/argc" ] || fail "kestrow was started"
}

# Cases -----------------------------------------------------------------------

case_confirm_prints_chosen_names() {
  placeFake "$t/bin"
  input 'HP LaserJet\nCanon iR\nBrother HL\n'
  FAKE_CHOSEN=$(printf 'Canon iR\nHP LaserJet')
  runAsk
  expectStatus 0
  # One name a line, the last one with its line feed too.
  expectStdout 'Canon iR\nHP LaserJet\n'
  # The routine "Done flag created at:" line stays out of both streams.
  expectStderrEmpty
  expectFakeRan
  printf 'HP LaserJet\nCanon iR\nBrother HL\n' >"$t/expected"
  cmp -s "$t/expected" "$t/log/list-seen" || fail "kestrow did not see the input byte for byte"
  expectNoExchangeFiles
}

case_confirm_keeps_bytes_of_names() {
  placeFake "$t/bin"
  input '  Caf\303\251 \t\r\nLab\tPrinter\r\n'
  FAKE_CHOSEN=$(printf '  Caf\303\251 \t')
  runAsk
  expectStatus 0
  expectStdout '  Caf\303\251 \t\n'
  printf '  Caf\303\251 \t\r\nLab\tPrinter\r\n' >"$t/expected"
  cmp -s "$t/expected" "$t/log/list-seen" || fail "the list file is not the input byte for byte"
}

case_one_name_without_final_line_feed() {
  placeFake "$t/bin"
  input 'Solo'
  FAKE_CHOSEN=Solo
  runAsk
  expectStatus 0
  expectStdout 'Solo\n'
}

case_cancel_exits_1() {
  placeFake "$t/bin"
  input 'A\nB\n'
  FAKE_MODE=cancel
  runAsk
  expectStatus 1
  expectStdoutEmpty
  expectStderrEmpty
  expectNoExchangeFiles
}

case_cancel_with_removal_error_is_cancel() {
  placeFake "$t/bin"
  input 'A\n'
  FAKE_MODE='cancel-removal-failed'
  runAsk
  expectStatus 1
  expectStdoutEmpty
  expectStderrHas "kestrow: Error removing selected printers file on cancel at '$selection'"
  expectStderrHas "the user cancelled, but the selection file could not be removed"
}

case_window_closed_exits_2() {
  placeFake "$t/bin"
  input 'A\n'
  FAKE_MODE=close
  runAsk
  expectStatus 2
  expectStdoutEmpty
  expectStderrHas "kestrow ended without an answer, exit status 0"
  expectNoExchangeFiles
}

case_kestrow_killed_exits_2() {
  placeFake "$t/bin"
  input 'A\n'
  FAKE_MODE=killed
  runAsk
  expectStatus 2
  expectStdoutEmpty
  expectStderrHas "kestrow was killed by signal 9 (SIGKILL) before the user answered"
  expectNoExchangeFiles
}

case_flag_not_written_exits_2() {
  placeFake "$t/bin"
  input 'A\n'
  FAKE_MODE='flag-failed'
  runAsk
  expectStatus 2
  expectStdoutEmpty
  expectStderrHas "kestrow: CRITICAL ERROR: Could not write done flag at '$flag'"
  expectStderrHas "kestrow could not write its done flag (Is a directory)"
}

case_kestrow_cannot_start_exits_2() {
  printf '#!/nonexistent/interpreter\n' >"$t/bin/kestrow"
  chmod 755 "$t/bin/kestrow"
  input 'A\n'
  runAsk
  expectStatus 2
  expectStdoutEmpty
  expectStderrHas "kestrow-ask: cannot start '$t/bin/kestrow'"
  expectNoExchangeFiles
}

case_kestrow_not_found_exits_2() {
  # A PATH with the tools kestrow-ask needs and no kestrow.
  mkdir "$t/tools"
  for tool in cat mktemp mv rm grep sed flock; do
    ln -s "$(command -v "$tool")" "$t/tools/$tool" || exit 2
  done
  input 'A\n'
  savedPath=$PATH
  # shellcheck disable=SC2123 # on purpose: a PATH without kestrow
  PATH=$t/tools
  runAsk
  PATH=$savedPath
  expectStatus 2
  expectStdoutEmpty
  expectStderrHas "kestrow-ask: cannot find the kestrow program"
}

case_kestrow_found_on_path() {
  mkdir "$t/path"
  placeFake "$t/path"
  input 'A\n'
  FAKE_CHOSEN=A
  PATH=$t/path:$PATH
  runAsk
  expectStatus 0
  expectStdout 'A\n'
  expectFakeRan
}

case_no_names_exits_2_without_window() {
  placeFake "$t/bin"
  # Another program's list stays untouched when there is nothing to ask.
  printf 'theirs\n' >"$list"
  # The last two: a byte-order mark, which kestrow drops, alone or before blank lines.
  for blanks in '' '\n' ' \t\n\r\n' '\302\240\n\342\200\203\n\343\200\200' '\013\014\302\205\342\200\250\342\200\251' \
    '\357\273\277' '\357\273\277\n\t\n'; do
    input "$blanks"
    runAsk
    expectStatus 2
    expectStdoutEmpty
    expectStderrHas "no printer names on standard input"
    expectFakeNotRan
  done
  [ "$(cat "$list")" = theirs ] || fail "the list file of another program was changed"
}

case_invalid_utf8_exits_2_without_window() {
  placeFake "$t/bin"
  for bad in 'A\300\200\n' 'A\355\240\200\n' 'A\364\220\200\200\n' 'A\342\202'; do
    input "$bad"
    runAsk
    expectStatus 2
    expectStderrHas "not valid UTF-8 text"
    expectFakeNotRan
  done
}

# Files at the fixed paths that kestrow did not write for this run are no answer: an old
# selection after a cancel, an old flag after a closed window, or either from another user.
expectNoAnswerBecause() { # FAKE_MODE, then the reason kestrow-ask must give
  placeFake "$t/bin"
  input 'A\n'
  FAKE_MODE=$1
  runAsk
  expectStatus 2
  expectStdoutEmpty
  expectStderrHas "was not written by kestrow for this run ($2"
}

case_old_answer_files_are_no_answer() {
  expectNoAnswerBecause cancel-then-old-selection "it is older than this run"
  expectStderrHas "'$selection' was not written"
  expectNoAnswerBecause close-then-old-flag "it is older than this run"
  expectStderrHas "'$flag' was not written"
}

# Another name for someone else's file (a hard link: where fs.protected_hardlinks is 0, anyone
# can make one) is no answer of this run either.
case_linked_answer_is_no_answer() {
  noPrivateTmp
  expectNoAnswerBecause confirm-then-linked-selection "it has 2 links"
  expectStderrHas "'$selection' was not written"
}

case_answer_files_of_another_user_are_no_answer() {
  noPrivateTmp
  expectNoAnswerBecause cancel-then-foreign-selection "it belongs to another user"
  rm -f -- "$selection"
  expectNoAnswerBecause close-then-foreign-flag "it belongs to another user"
}

# A failure path (no names) ends with its own status and cleans up, whatever standard error is.
case_failure_cleans_up_whatever_stderr_is() {
  input ''
  for stderr in closed broken-pipe; do
    if [ "$stderr" = closed ]; then
      "$t/bin/kestrow-ask" <"$t/in" >"$t/out" 2>&-
    else
      # A pipe whose only reader is gone before the first write.
      # shellcheck disable=SC2094 # opened to read only to open it to write without blocking
      mkfifo "$t/pipe" && exec 3<>"$t/pipe" 4>"$t/pipe" 3<&- || exit 2
      "$t/bin/kestrow-ask" <"$t/in" >"$t/out" 2>&4
    fi
    status=$?
    exec 4>&-
    rm -f -- "$t/pipe"
    [ "$status" -eq 2 ] || fail "with standard error $stderr: exit status $status, expected 2"
    for left in /tmp/.kestrow-ask.*; do
      [ ! -e "$left" ] || fail "with standard error $stderr: $left was left behind"
    done
    expectNoExchangeFiles
  done
}

case_stale_answer_removed_before_start() {
  noPrivateTmp
  placeFake "$t/bin"
  printf 'Old' >"$selection"
  : >"$flag"
  input 'A\n'
  # Without an answer of this run, the old flag must not pass for one.
  FAKE_MODE=close
  runAsk
  expectStatus 2
  expectFakeRan
  [ ! -e "$t/log/present-at-start" ] || fail "kestrow started with a stale answer in place"
}

case_symlink_at_list_path_is_replaced() {
  noPrivateTmp
  placeFake "$t/bin"
  printf 'victim' >"$t/victim"
  ln -s "$t/victim" "$list"
  input 'A\n'
  FAKE_CHOSEN=A
  runAsk
  expectStatus 0
  [ "$(cat "$t/victim")" = victim ] || fail "the list was written through a planted link"
  [ "$(cat "$t/log/list-kind")" = file ] || fail "kestrow saw a link at the list path"
}

case_directory_at_list_path_exits_2() {
  noPrivateTmp
  placeFake "$t/bin"
  mkdir "$list"
  input 'A\n'
  runAsk
  expectStatus 2
  expectStderrHas "cannot write the printer list file '$list'"
  expectStderrHas "a directory of user 'root' stands there"
  expectFakeNotRan
  [ -z "$(ls -A "$list")" ] || fail "the list was moved into the directory"
  rmdir "$list"
}

case_directory_at_flag_path_exits_2() {
  noPrivateTmp
  placeFake "$t/bin"
  mkdir "$flag"
  touch "$flag/keep"
  input 'A\n'
  runAsk
  expectStatus 2
  expectStderrHas "cannot remove '$flag': a directory of user 'root' stands there"
  expectFakeNotRan
  [ -e "$flag/keep" ] || fail "kestrow-ask removed a directory's contents"
  rm -rf "$flag"
}

# Another user holds the lock and plants a directory, a FIFO and links at every fixed path: with
# a /tmp of its own the run does not meet any of it, and gets the user's answer.
plantEverything() { # as the user: command prefix, or none
  # shellcheck disable=SC2016 # expanded by the inner shell
  "$@" sh -c 'mkdir "$1" && : >"$1/inside" && mkdir "$2" && mkfifo "$3"' sh "$selection" "$list" "$flag" || exit 2
  # -o: the lock is flock's own, and ends with it.
  "$@" flock -o "$askLock" sleep 600 &
  holderPid=$!
  # The lock is held once a second try fails.
  n=0
  while flock -n "$askLock" true; do
    n=$((n + 1))
    [ "$n" -lt 300 ] || fail "the other user never took the lock"
    sleep 0.1
  done
  ls -land "$selection" "$selection/inside" "$list" "$flag" "$askLock" >"$t/planted"
}

expectPlantsUntouched() {
  ls -land "$selection" "$selection/inside" "$list" "$flag" "$askLock" >"$t/planted-after"
  cmp -s "$t/planted" "$t/planted-after" || fail "what the other user planted was changed"
  kill "$holderPid"
}

case_another_user_holds_lock_and_plants_everything() {
  placeFake "$t/bin"
  plantEverything setpriv --reuid=nobody --regid=nogroup --clear-groups
  input 'A\nB\n'
  FAKE_CHOSEN=B
  runAsk
  expectStatus 0
  expectStdout 'B\n'
  expectStderrEmpty
  expectFakeRan
  expectPlantsUntouched
}

# The same for an ordinary user's run (bubblewrap's private /tmp), with root in the way.
case_another_user_asks_past_roots_lock_and_plants() {
  if ! command -v bwrap >/dev/null 2>&1; then
    fail "bwrap is missing (Debian package bubblewrap)"
  fi
  placeFake "$t/bin"
  plantEverything
  input 'A\nB\n'
  FAKE_CHOSEN=A
  askUser=nobody
  runAsk
  expectStatus 0
  expectStdout 'A\n'
  expectStderrEmpty
  [ "$(cat "$t/log/uid")" = 65534 ] || fail "the window did not run as nobody"
  expectPlantsUntouched
}

# Two runs at once each get their own answer: with a /tmp of their own they need no lock.
case_two_runs_at_once_both_answered() {
  placeFake "$t/bin"
  startBlocked
  mv "$t/log" "$t/log-first" && mkdir "$t/log" || exit 2
  input 'Second\n'
  FAKE_CHOSEN=Second
  runAsk
  expectStatus 0
  expectStdout 'Second\n'
  echo go >"$t/go"
  wait "$askPid"
  firstStatus=$?
  [ "$firstStatus" -eq 0 ] || fail "the first run ended with $firstStatus"
  [ "$(cat "$t/out-first")" = First ] || fail "the first run lost its answer"
}

# sessionOf VARIABLE=VALUE...: a process of nobody's with that environment, as a program of
# their desktop session would be; sets $sessionPids.
sessionPids=
sessionOf() {
  setpriv --reuid=nobody --regid=nogroup --clear-groups env -i "$@" sleep 600 &
  sessionPids="$sessionPids $!"
  # Until it is sleep, its environment is not yet the one given.
  n=0
  until [ "$(cat "/proc/$!/comm" 2>/dev/null)" = sleep ]; do
    n=$((n + 1))
    [ "$n" -lt 300 ] || fail "the session process did not start"
    sleep 0.1
  done
}

endSessions() {
  # shellcheck disable=SC2086 # a list of pids
  [ -z "$sessionPids" ] || kill $sessionPids
  sessionPids=
}

windowEnvironment() { # NAME: its value in the window's environment, or nothing
  sed -n "s/^$1=//p" "$t/log/env"
}

# Root through sudo or pkexec: the window runs as the user who asked, on their display; what
# the caller's environment lacks comes from the user's session.
case_sudo_window_runs_as_another_user() {
  placeFake "$t/bin"
  input 'A\nB\n'
  FAKE_CHOSEN=A
  mkdir -m 700 "$t/run" && chown nobody:nogroup "$t/run" || exit 2

  # The real sudo, called by nobody from an X11 session, with a sudoers file that lets them
  # (bound over the system's in this case's own mount namespace only, so never in the real /tmp).
  if [ "$KESTROW_ASK_TEST_TMP" = private ]; then
    command -v sudo >/dev/null 2>&1 || fail "sudo is missing (Debian package sudo)"
    printf 'Defaults env_reset\nroot ALL=(ALL:ALL) ALL\nnobody ALL=(ALL:ALL) NOPASSWD: ALL\n' >"$t/sudoers" &&
      chmod 440 "$t/sudoers" && mount --bind "$t/sudoers" /etc/sudoers || exit 2
    sessionOf DISPLAY=:41
    setpriv --reuid=nobody --regid=nogroup --clear-groups env -i PATH="$PATH" DISPLAY=:41 \
      sudo -n env FAKE_LOG="$FAKE_LOG" FAKE_MODE=confirm FAKE_CHOSEN=A "$t/bin/kestrow-ask" <"$t/in" >"$t/out" 2>"$t/err"
    status=$?
    expectStatus 0
    expectStdout 'A\n'
    [ "$(cat "$t/log/uid")" = 65534 ] || fail "real sudo: the window did not run as nobody"
    [ "$(windowEnvironment SUDO_USER)" = nobody ] || fail "real sudo: kestrow-ask was not run through sudo"
    [ "$(windowEnvironment DISPLAY)" = :41 ] || fail "real sudo: the window lost the display"
    endSessions
  fi

  # sudo keeps DISPLAY and XAUTHORITY; root's own runtime directory is not for the user.
  sessionOf DISPLAY=:42 XAUTHORITY=/nonexistent/.Xauthority DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/bus
  export SUDO_USER=nobody DISPLAY=:42 XAUTHORITY=/root/.Xauthority XDG_RUNTIME_DIR=/run/user/0
  unset WAYLAND_DISPLAY
  runAsk
  expectStatus 0
  expectStdout 'A\n'
  [ "$(cat "$t/log/uid")" = 65534 ] || fail "sudo: the window did not run as nobody"
  [ "$(windowEnvironment DISPLAY)" = :42 ] || fail "sudo: the window lost the display"
  [ "$(windowEnvironment XAUTHORITY)" = /root/.Xauthority ] || fail "sudo: the caller's XAUTHORITY was not kept"
  [ "$(windowEnvironment HOME)" = /nonexistent ] || fail "sudo: HOME is not the user's"
  [ "$(windowEnvironment XDG_RUNTIME_DIR)" != /run/user/0 ] || fail "sudo: the window got root's runtime directory"
  [ "$(windowEnvironment DBUS_SESSION_BUS_ADDRESS)" = unix:path=/nonexistent/bus ] ||
    fail "sudo: the window is not on the session's bus"
  endSessions

  # pkexec (or sudo on Wayland) keeps no display: the session's, Wayland included.
  unset SUDO_USER DISPLAY XAUTHORITY XDG_RUNTIME_DIR
  export PKEXEC_UID=65534
  sessionOf WAYLAND_DISPLAY=wayland-7 XDG_RUNTIME_DIR="$t/run"
  runAsk
  expectStatus 0
  [ "$(cat "$t/log/uid")" = 65534 ] || fail "pkexec: the window did not run as nobody"
  [ "$(windowEnvironment WAYLAND_DISPLAY)" = wayland-7 ] || fail "pkexec: the window did not get the session's display"
  [ "$(windowEnvironment XDG_RUNTIME_DIR)" = "$t/run" ] || fail "pkexec: the window did not get the session's runtime directory"
  [ -z "$(windowEnvironment DISPLAY)" ] || fail "pkexec: the window got a DISPLAY the session does not have"

  # Two sessions: no guess; none: nowhere to show. Neither starts a window.
  sessionOf DISPLAY=:43
  rm -f -- "$t/log/argc"
  runAsk
  expectStatus 2
  expectStderrHas "user 'nobody' has more than one graphical session (DISPLAY=:43, WAYLAND_DISPLAY=wayland-7 in $t/run)"
  expectFakeNotRan
  endSessions
  runAsk
  expectStatus 2
  expectStderrHas "no graphical session of user 'nobody' found"
  expectFakeNotRan
  unset PKEXEC_UID
}

# A full /tmp says so: out of space for the list, and out of inodes for the run's directory.
case_full_tmp_says_so() {
  placeFake "$t/bin"
  input 'A\n'
  for limit in size=16k nr_inodes=16; do
    # A small /tmp of its own, with this case's directory bound back in, then filled up.
    # shellcheck disable=SC2016 # expanded by the inner shell
    (cd "$t" && unshare --mount --propagation private sh -c '
      mount -t tmpfs -o "$1,mode=1777" tmpfs /tmp && mkdir -p "$2" && mount --no-canonicalize --bind . "$2" || exit 3
      n=0
      while : >"/tmp/fill.$n" 2>/dev/null && cat "$2/in" "$2/in" "$2/in" >>"/tmp/fill.$n" 2>/dev/null; do
        n=$((n + 1))
      done
      exec "$2/bin/kestrow-ask" <"$2/in" >"$2/out" 2>"$2/err"
    ' sh "$limit" "$t")
    status=$?
    expectStatus 2
    expectStdoutEmpty
    expectStderrHas "(/tmp is full: No space left on device)"
    expectFakeNotRan
  done
}

# startBlocked: kestrow-ask in the background with a fake that waits for a word;
# returns once its window is "up", so the lock is held. Sets $askPid.
startBlocked() {
  mkfifo "$t/started" "$t/go" || exit 2
  export FAKE_STARTED="$t/started" FAKE_GO="$t/go"
  printf 'First\n' >"$t/in-first"
  (
    set -- "$t/bin/kestrow-ask"
    # shellcheck disable=SC2086 # the shell may come with options
    [ -z "$askShell" ] || set -- $askShell "$@"
    export FAKE_MODE=block FAKE_CHOSEN=First
    if [ -n "$refuse" ]; then
      refusing "$@"
    fi
    exec "$@"
  ) <"$t/in-first" >"$t/out-first" 2>"$t/err-first" &
  askPid=$!
  read -r word <"$t/started"
  [ "$word" = started ] || fail "the blocked fake did not start"
}

case_second_run_refused_while_first_runs() {
  noPrivateTmp
  placeFake "$t/bin"
  startBlocked
  mv "$t/log" "$t/log-first" && mkdir "$t/log" || exit 2
  input 'Second\n'
  runAsk
  expectStatus 2
  expectStdoutEmpty
  expectStderrHas "another kestrow-ask is already running: the lock '$askLock' (an empty regular file of user 'root') is held by "
  expectFakeNotRan
  [ "$(cat "$list")" = First ] || fail "the second run touched the first run's list"
  echo go >"$t/go"
  wait "$askPid"
  firstStatus=$?
  [ "$firstStatus" -eq 0 ] || fail "the first run ended with $firstStatus"
  [ "$(cat "$t/out-first")" = First ] || fail "the first run lost its answer"
}

case_killed_run_leaves_no_stale_lock() {
  noPrivateTmp
  placeFake "$t/bin"
  startBlocked
  fakePid=$(cat "$t/log/pid")
  kill -KILL "$askPid" "$fakePid"
  wait "$askPid" 2>/dev/null
  # Blocks until every holder has gone; a lock that outlived them would hang here
  # until ctest's timeout fails the case.
  flock "$askLock" true || fail "cannot take the lock after the holders died"
  rm -rf "$t/log" && mkdir "$t/log" || exit 2
  input 'Next\n'
  FAKE_CHOSEN=Next
  FAKE_MODE=confirm
  runAsk
  expectStatus 0
  expectStdout 'Next\n'
}

case_terminated_run_closes_window() {
  placeFake "$t/bin"
  startBlocked
  fakePid=$(cat "$t/log/pid")
  kill -TERM "$askPid"
  wait "$askPid"
  askStatus=$?
  # Ends by the same signal, after closing the window and cleaning up.
  [ "$askStatus" -eq 143 ] || fail "kestrow-ask ended with $askStatus, expected 143 (SIGTERM)"
  if kill -0 "$fakePid" 2>/dev/null; then
    fail "the window outlived kestrow-ask"
  fi
  expectNoExchangeFiles
  [ ! -s "$t/out-first" ] || fail "an interrupted run printed names"
}

case_help_and_arguments() {
  input ''
  runAsk --help
  expectStatus 0
  grep -q '^Usage: kestrow-ask' "$t/out" || fail "--help prints no usage"
  runAsk extra
  expectStatus 2
  expectStdoutEmpty
  expectStderrHas "takes no arguments"
}

# -----------------------------------------------------------------------------

if ! command -v "case_$caseName" >/dev/null 2>&1; then
  echo "unknown case: $caseName" >&2
  exit 2
fi
"case_$caseName"
[ -z "$failed" ] || exit 1
passed=1
echo "PASS [$caseName] (/tmp: $KESTROW_ASK_TEST_TMP${askShell:+, shell: $askShell})"
exit 0
