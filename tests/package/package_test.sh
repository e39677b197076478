#!/bin/sh
# shellcheck disable=SC2317 # removePackage is reached through the EXIT trap
# The Debian package as a user gets it: built by scripts/package, installed with dpkg,
# used through the installed kestrow-ask and kestrow on a private Xvfb (real keys),
# its manual page found by man, then removed again, also when a step fails.
# Usage: package_test.sh SOURCE_DIR LOG_DIR
# Exit status 77 (skipped) when not root, or when kestrow files that are not this
# test's are installed: they are never replaced or removed.
set -u

if [ $# -ne 2 ]; then
  echo "usage: $0 SOURCE_DIR LOG_DIR" >&2
  exit 2
fi
src=$1
logs=$2

# Root-only, so that nobody else can plant the marker. The marker says that the
# installed package kestrow is this test's own (a killed run leaves it installed), so
# that a later run may replace and remove it.
state=/var/lib/kestrow-package-test
marker=$state/installed

installed=
failed=

skip() {
  echo "SKIP: $*"
  exit 77
}

fail() {
  echo "FAIL: $*" >&2
  failed=1
  exit 1
}

showLog() { # label, file
  if [ -s "$2" ]; then
    echo "--- $1 (last lines of $2):" >&2
    tail -n 40 -- "$2" >&2
  fi
}

# ownedByPackage PATH: dpkg lists PATH as a file of the package kestrow.
# (Lines read "package[, package...]: path"; on merged /usr systems dpkg knows some
# files by their /bin path only, and those count as not the package's.)
ownedByPackage() {
  dpkg-query -S "$1" 2>/dev/null | {
    while IFS= read -r line; do
      case $line in
      "kestrow: $1" | *", kestrow: $1" | "kestrow, "*": $1" | *", kestrow, "*": $1") return 0 ;;
      esac
    done
    return 1
  }
}

packageStatus() {
  dpkg-query -W -f='${db:Status-Status}' kestrow 2>/dev/null || echo not-installed
}

# leftAlone PATH...: skips if one of them exists and is not the package's.
leftAlone() {
  for path in "$@"; do
    if { [ -e "$path" ] || [ -L "$path" ]; } && ! ownedByPackage "$path"; then
      skip "$path exists and does not come from the package kestrow; it is left alone (move it away to run this test)"
    fi
  done
}

if [ "$(id -u)" -ne 0 ]; then
  skip "installing a package needs root: run the tests as root, as CI does, to include this one"
fi
for tool in dpkg dpkg-deb dpkg-query man tar; do
  command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing (Debian packages dpkg, man-db, tar)"
done

mkdir -p "$logs" || exit 2
if [ ! -d "$state" ]; then
  mkdir -m 700 "$state" || exit 2
fi
# One run at a time on this machine, whichever build tree it comes from: they share
# dpkg's database and the build directory of scripts/package.
exec 9>>"$state/lock" || exit 2
echo "waiting for other runs of this test to end (lock $state/lock)"
flock 9 || exit 2

status=$(packageStatus)
case $status in
not-installed | config-files) ;;
*)
  [ -e "$marker" ] ||
    skip "the package kestrow is on this machine ($status) and was not installed by this test; remove it (dpkg -r kestrow) to run this test"
  ;;
esac
# Before the build: no reason to build a package that cannot be installed here.
leftAlone /usr/bin/kestrow /usr/bin/kestrow-ask

started=$(date +%s)
deb=$("$src/scripts/package" 2>"$logs/build.log") || {
  showLog "scripts/package" "$logs/build.log"
  fail "scripts/package failed"
}
echo "scripts/package built $deb in $(($(date +%s) - started)) s"
[ -f "$deb" ] || fail "scripts/package printed '$deb', which is no file"
[ "$(dpkg-deb -f "$deb" Package)" = kestrow ] || fail "$deb is not the package kestrow"

# Every file the package would put in place.
dpkg-deb --fsys-tarfile "$deb" | tar -t >"$logs/contents" || fail "cannot list the contents of $deb"
files=$(sed -n -e '/\/$/d' -e 's/^\.//p' "$logs/contents")
[ -n "$files" ] || fail "$deb holds no files"
# One path a line: the checks below split the list on blanks.
if echo "$files" | grep -q '[[:space:]]'; then
  fail "a path in $deb has blanks: $files"
fi
# shellcheck disable=SC2086 # the paths above
leftAlone $files
# The window's catalogues, one for each language in translations/, and the recommended packages:
# Qt's Wayland plugin, Qt's own catalogues and bubblewrap (kestrow-ask's private /tmp); and a font
# for Japanese, Chinese and Korean.
for ts in "$src"/translations/kestrow_*.ts; do
  qm=/usr/share/kestrow/translations/$(basename "$ts" .ts).qm
  echo "$files" | grep -qx "$qm" || fail "$deb lacks $qm"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
for recommended in qt6-wayland qt6-translations-l10n bubblewrap; do
  case ", $recommends," in
  *", $recommended,"*) ;;
  *) fail "$deb does not recommend $recommended (Recommends: $recommends)" ;;
  esac
done

suggests=$(dpkg-deb -f "$deb" Suggests)
case ", $suggests," in
*", fonts-noto-cjk,"*) ;;
*) fail "$deb does not suggest fonts-noto-cjk (Suggests: $suggests)" ;;
esac

removePackage() {
  if [ -n "$installed" ]; then
    if ! dpkg -r kestrow >>"$logs/dpkg.log" 2>&1; then
      showLog "dpkg" "$logs/dpkg.log"
      echo "FAIL: dpkg -r kestrow failed; remove the package by hand" >&2
      exit 1
    fi
    status=$(packageStatus)
    case $status in
    not-installed | config-files) ;;
    *)
      echo "FAIL: after dpkg -r the package kestrow is $status" >&2
      exit 1
      ;;
    esac
    for path in $files; do
      if [ -e "$path" ] || [ -L "$path" ]; then
        echo "FAIL: $path is still there after dpkg -r kestrow" >&2
        exit 1
      fi
    done
    rm -f -- "$marker"
    echo "removed the package kestrow"
  fi
  if [ -n "$failed" ]; then
    exit 1
  fi
}
trap removePackage EXIT
trap 'exit 1' INT TERM HUP

echo "$deb" >"$marker" || exit 2
installed=1
# Minimal images keep manual pages out of every package (path-exclude in
# /etc/dpkg/dpkg.cfg.d); ours are let in, since finding them is part of the test.
: >"$logs/dpkg.log"
dpkg -i --path-include='/usr/share/man/man1/kestrow*' "$deb" >>"$logs/dpkg.log" 2>&1 || {
  showLog "dpkg" "$logs/dpkg.log"
  fail "dpkg -i $deb failed"
}
# Configured: the dependencies that dpkg-shlibdeps found are all met.
status=$(packageStatus)
[ "$status" = installed ] || fail "after dpkg -i the package kestrow is $status, not installed"
for program in /usr/bin/kestrow /usr/bin/kestrow-ask; do
  if [ ! -f "$program" ] || [ ! -x "$program" ]; then
    fail "$program is not an executable file"
  fi
  ownedByPackage "$program" || fail "$program does not come from the package kestrow"
done

# The installed pair, as an installer runs it: kestrow-ask finds kestrow beside it.
sh "$src/tests/ask/window_test.sh" confirm /usr/bin/kestrow-ask ||
  fail "the installed kestrow-ask and kestrow did not pass the confirm case"

for page in kestrow kestrow-ask; do
  found=$(env -u MANPATH man -w "$page" 2>&1) || fail "man -w $page finds no page: $found"
  [ "$found" = "/usr/share/man/man1/$page.1.gz" ] ||
    fail "man -w $page finds '$found', not /usr/share/man/man1/$page.1.gz"
done

echo "PASS: $deb installs, confirms through the real window, has its manual pages, and is removed"
exit 0
