#!/bin/sh
# Renders manual pages the way man(1) and lintian do and fails on any warning.
# Usage: man_test.sh PAGE...
#        man_test.sh --installer PAGE
# With --installer, runs the installer of the page's EXAMPLES (its first example) against a
# stand-in for kestrow (fake-kestrow) as the user plays it, and as another user forges its
# answer: it must act on the user's answers and refuse the forged ones. As root (the forger is the
# user nobody), in a mount and PID namespace with a /tmp of its own.
set -u

if [ "${1:-}" = --installer ]; then
  if [ $# -ne 2 ]; then
    echo "usage: $0 --installer PAGE" >&2
    exit 2
  fi
  page=$(realpath -- "$2") || exit 2
  if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: the forger is the user nobody, so this must run as root"
    exit 77
  fi
  # shellcheck source=tests/ask/private_tmp.sh
  . "$(dirname -- "$0")/private_tmp.sh"
  namespaces='-mpf --mount-proc --propagation private'
  if [ -z "${KESTROW_MAN_TEST_INSIDE:-}" ]; then
    if ! privateTmpPossible "$namespaces"; then
      echo "SKIP: no private /tmp to be had here"
      exit 77
    fi
    stageTests
    page=$(stagedPath "$page") || exit 2
    export KESTROW_MAN_TEST_INSIDE=1
    inPrivateTmp "$namespaces" sh ./ask/man_test.sh --installer "$page"
    exit $?
  fi

  t=$(mktemp -d) || exit 2
  trap 'rm -rf -- "$t"' EXIT
  # The first example, as the reader copies it from the rendered page.
  sed -n '/^\.SH EXAMPLES/,/^\.SH /p' "$page" | sed -n '/^\.EX/,/^\.EE/{/^\.E[XE]/!p;}' |
    sed '/^\.EE/q' | awk '/^#!/ && n++ {exit} {print}' |
    sed -e 's/\\-/-/g' -e "s/\\\\(aq/'/g" -e 's/\\(dq/"/g' -e 's/\\e/\\/g' >"$t/installer" || exit 2
  grep -q '^#!/bin/sh' "$t/installer" || {
    echo "FAIL: no installer script in the EXAMPLES of $page" >&2
    exit 1
  }
  mkdir "$t/bin" "$t/log" && chmod 755 "$t" "$t/bin" && chmod 777 "$t/log" &&
    cp -- ./ask/fake-kestrow "$t/bin/kestrow" && chmod 755 "$t/bin/kestrow" || exit 2

  failed=
  # mode of fake-kestrow, what the installer must print (a fixed string, on either stream)
  while IFS='|' read -r mode expected; do
    rm -rf -- "$t/log"/* /tmp/installer-printer-names.txt /tmp/installer-selected-printer-names.txt \
      /tmp/orvane-selection-done.flag
    PATH=$t/bin:$PATH FAKE_LOG=$t/log FAKE_MODE=$mode FAKE_CHOSEN='Canon iR C3226' \
      sh "$t/installer" >"$t/out" 2>&1 </dev/null
    if ! grep -qF -- "$expected" "$t/out" || grep -q 'installing printer: Forged' "$t/out"; then
      echo "FAIL [installer, $mode]: expected \"$expected\"; it printed:" >&2
      cat "$t/out" >&2
      failed=1
    fi
  done <<'ROWS'
confirm|installing printer: Canon iR C3226
cancel|the user cancelled
cancel-then-foreign-selection|no answer: the selection file is not kestrow's
close-then-foreign-flag|no answer: the window was closed
confirm-then-linked-selection|no answer: the selection file is not kestrow's
cancel-then-old-selection|no answer: the selection file is not kestrow's
ROWS
  [ -z "$failed" ] || exit 1
  echo "PASS: the installer of $page"
  exit 0
fi

if [ $# -eq 0 ]; then
  echo "usage: $0 PAGE..." >&2
  exit 2
fi
for tool in groff man lexgrog; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "FAIL: $tool is missing (Debian packages groff-base and man-db)" >&2
    exit 1
  fi
done

t=$(mktemp -d) || exit 2
trap 'rm -rf -- "$t"' EXIT

failed=
for page in "$@"; do
  name=$(basename -- "$page" .1)

  # All of groff's warnings, as errors.
  if ! groff -ww -man -Tutf8 "$page" >"$t/out" 2>"$t/err" || [ -s "$t/err" ]; then
    echo "FAIL [$name]: groff -ww reports:" >&2
    cat "$t/err" >&2
    failed=1
  fi
  # Rendered at all: the NAME line carries the page's own name.
  if ! grep -q "^ *$name  *- " "$t/out"; then
    echo "FAIL [$name]: the rendered page has no NAME line for $name" >&2
    failed=1
  fi

  # What lintian runs (man-db's preprocessors and its warning set).
  if ! LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" >/dev/null 2>"$t/err" ||
    [ -s "$t/err" ]; then
    echo "FAIL [$name]: man --warnings reports:" >&2
    cat "$t/err" >&2
    failed=1
  fi

  # The whatis entry that mandb and apropos read from the NAME section.
  if ! lexgrog "$page" >"$t/whatis" 2>&1 || ! grep -q "\"$name - " "$t/whatis"; then
    echo "FAIL [$name]: lexgrog cannot read the NAME section:" >&2
    cat "$t/whatis" >&2
    failed=1
  fi
done

[ -z "$failed" ] || exit 1
echo "PASS: $*"
