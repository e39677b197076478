# shellcheck shell=sh
# Sourced by the ask tests. The exchange paths are fixed under /tmp, and other people on the
# machine may be running the real window: so a case runs in a private mount namespace with its
# own empty /tmp when the kernel allows it (and KESTROW_ASK_TEST_SHARED_TMP is not set).
# Otherwise it uses the real /tmp on the test desktop's terms (tests/desktop/on-desktop): under
# the lock that every test shares, with whatever stands at the three paths set aside and put back.

# shellcheck disable=SC2034 # the paths are for the scripts that source this
list=/tmp/installer-printer-names.txt
selection=/tmp/installer-selected-printer-names.txt
flag=/tmp/orvane-selection-done.flag

# The tests directory, from the calling script's own place.
testsDir=$(dirname -- "$0")/..
stage=

# privateTmpPossible UNSHARE_OPTIONS
privateTmpPossible() {
  # shellcheck disable=SC2086 # the options
  [ -z "${KESTROW_ASK_TEST_SHARED_TMP:-}" ] && unshare $1 sh -c 'mount -t tmpfs tmpfs /tmp' 2>/dev/null
}

# stageTests: copies tests/ask and tests/desktop into $stage, a fresh directory removed on exit,
# which stays reachable at the same path once /tmp is covered (see inPrivateTmp).
stageTests() {
  stage=$(mktemp -d) || exit 2
  trap 'rm -rf -- "$stage"' EXIT
  trap 'exit 1' INT TERM HUP
  cp -R -- "$testsDir/ask" "$testsDir/desktop" "$stage/" || exit 2
  # A sanitizer build's suppressions, when the sources are under /tmp too.
  case ${LSAN_OPTIONS:-} in
  *suppressions=/tmp/*)
    before=${LSAN_OPTIONS%%suppressions=*}
    suppressions=${LSAN_OPTIONS#*suppressions=}
    after=${suppressions#"${suppressions%%:*}"}
    LSAN_OPTIONS=${before}suppressions=$(stagedPath "${suppressions%%:*}")$after || exit 2
    export LSAN_OPTIONS
    ;;
  esac
}

# stagedPath PATH: PATH, or a copy of it in $stage where PATH is under /tmp, which inPrivateTmp
# covers.
stagedPath() {
  case $1 in
  /tmp/*) cp -- "$1" "$stage/" && printf '%s\n' "$stage/${1##*/}" ;;
  *) printf '%s\n' "$1" ;;
  esac
}

# inPrivateTmp UNSHARE_OPTIONS COMMAND...: runs COMMAND in $stage with an empty /tmp of its own.
# The stage (under the real /tmp, as may be the sources) is entered before /tmp is covered, and
# mounted back at its own path from there: programs that make their paths absolute (Python does)
# still find it.
inPrivateTmp() {
  options=$1
  shift
  # shellcheck disable=SC2016,SC2086 # expanded by the inner shell; the options
  unshare $options sh -c '
    cd "$1" && mount -t tmpfs -o mode=1777 tmpfs /tmp && mkdir -p "$1" && mount --no-canonicalize --bind . "$1" &&
      cd "$1" && shift && exec "$@"
  ' sh "$stage" "$@"
}
