#!/usr/bin/env bash
# with_xvfb.sh COMMAND [ARGS...]: runs the command with DISPLAY set to a private Xvfb, which is
# stopped afterwards. Xvfb picks a free display itself (-displayfd), so parallel runs do not clash.
set -euo pipefail

displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -f "$displayfile"' EXIT

for _ in $(seq 100); do
  [ -s "$displayfile" ] && break
  kill -0 "$xvfb" 2>/dev/null || { echo "with_xvfb.sh: Xvfb did not start" >&2; exit 1; }
  sleep 0.05
done
[ -s "$displayfile" ] || { echo "with_xvfb.sh: Xvfb gave no display number" >&2; exit 1; }
DISPLAY=":$(head -n1 "$displayfile")" "$@"
