#!/bin/sh
# shellcheck disable=SC2016 # the commands given to sh -c expand their own variables
# tests/desktop/on-desktop as its users rely on it: the command's status and environment, the
# exchange files set aside and put back (or left alone with --refuse-existing), the lock held while
# the command runs, SIGTERM passed on, nothing left running afterwards.
# Usage: on_desktop_test.sh
# It plants files at the fixed exchange paths, so it runs in a private mount namespace with its
# own /tmp (and network namespace, for the X server's abstract socket); where the kernel does not
# allow that, it is skipped (exit status 77).
set -u

here=$(cd "$(dirname -- "$0")" && pwd)
if [ -z "${KESTROW_ON_DESKTOP_TEST_PRIVATE:-}" ]; then
  options='-rmn --propagation private'
  # shellcheck disable=SC2086 # the options
  if ! unshare $options sh -c 'mount -t tmpfs tmpfs /tmp' 2>/dev/null; then
    echo "SKIP: no private /tmp (unshare $options); the exchange paths are not this test's to plant"
    exit 77
  fi
  # The sources may be under /tmp: enter them first, and mount them back at their own path.
  # shellcheck disable=SC2086 # expanded by the inner shell; the options
  KESTROW_ON_DESKTOP_TEST_PRIVATE=1 exec unshare $options sh -c '
    cd "$1" && mount -t tmpfs -o mode=1777 tmpfs /tmp && mkdir -p "$1" &&
      mount --no-canonicalize --bind . "$1" && exec sh "$1/on_desktop_test.sh"
  ' sh "$here"
fi

onDesktop=$here/on-desktop
list=/tmp/installer-printer-names.txt
flag=/tmp/orvane-selection-done.flag
failed=

fail() {
  echo "FAIL: $*" >&2
  failed=1
}

expectStatus() { # expected, actual, what
  [ "$2" -eq "$1" ] || fail "$3: exit status $2, expected $1"
}

# The command's status comes back; its environment is the desktop's, not the caller's.
QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-9 "$onDesktop" -- sh -c '
  [ -n "$DISPLAY" ] && [ -n "$DBUS_SESSION_BUS_ADDRESS" ] && [ -d "$XDG_RUNTIME_DIR" ] &&
    [ -z "${QT_QPA_PLATFORM:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] &&
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" && exit 7'
expectStatus 7 $? "a command on the full desktop"

"$onDesktop" --no-window-manager --no-session-bus --no-lock -- sh -c '
  [ -n "$DISPLAY" ] && [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] &&
    ! xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
expectStatus 0 $? "a bare X server"

# What stands at the paths is set aside while the lock is held, and comes back afterwards.
printf 'theirs\n' >"$list"
"$onDesktop" --no-display -- sh -c "
  [ ! -e $list ] && ! flock -n /tmp/kestrow-exchange-files.lock true && echo ours >$list && : >$flag"
expectStatus 0 $? "the exchange files set aside under the lock"
[ "$(cat "$list")" = theirs ] || fail "the list file was not put back"
[ ! -e "$flag" ] || fail "the command's done flag was left behind"
flock -n /tmp/kestrow-exchange-files.lock true || fail "the lock is still held afterwards"

# With --refuse-existing nothing runs and nothing moves.
"$onDesktop" --no-display --refuse-existing --name refusal -- sh -c 'echo ran >/tmp/ran' 2>/tmp/refusal
expectStatus 3 $? "--refuse-existing with a list file in place"
[ ! -e /tmp/ran ] || fail "the command ran despite --refuse-existing"
[ "$(cat "$list")" = theirs ] || fail "--refuse-existing moved the list file"
grep -q "^refusal: $list already exists" /tmp/refusal || fail "the refusal does not name the path: $(cat /tmp/refusal)"
rm -f -- "$list"

# SIGTERM reaches the command, which may clean up; then the desktop goes.
"$onDesktop" -- sh -c 'trap "echo terminated >/tmp/trapped; exit 5" TERM; echo $$ >/tmp/started
  while :; do sleep 0.1; done' &
desktop=$!
n=0
until [ -s /tmp/started ] || [ $n -ge 300 ]; do
  sleep 0.1
  n=$((n + 1))
done
kill -TERM "$desktop"
wait "$desktop"
expectStatus 5 $? "a command that exits 5 on SIGTERM"
[ "$(cat /tmp/trapped 2>/dev/null)" = terminated ] || fail "the command did not get SIGTERM"
# The PID namespace is not ours (no -p): look for servers of this test's desktops by their sockets.
[ -z "$(ls /tmp/.X11-unix 2>/dev/null)" ] || fail "an X server was left running: $(ls /tmp/.X11-unix)"

[ -z "$failed" ] || exit 1
echo "PASS: on-desktop"
