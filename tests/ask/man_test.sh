#!/bin/sh
# Renders manual pages the way man(1) and lintian do and fails on any warning.
# Usage: man_test.sh PAGE...
set -u

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
