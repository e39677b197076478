# shellcheck shell=sh
# Sourced by the ask tests. The fixed exchange paths, and what a case does when it cannot have a
# private /tmp: take the lock that the other tests share, move whatever stands at the three paths
# aside, and put it back at the end.

list=/tmp/installer-printer-names.txt
selection=/tmp/installer-selected-printer-names.txt
flag=/tmp/orvane-selection-done.flag
saved=

setAsideExchangeFiles() { # tag, for the name of the folder that keeps them
  exec 8>>/tmp/kestrow-exchange-files.lock || exit 2
  flock 8 || exit 2
  saved=$(mktemp -d "/tmp/kestrow-$1-saved.XXXXXX") || exit 2
  i=0
  for path in "$list" "$selection" "$flag"; do
    i=$((i + 1))
    if [ -e "$path" ] || [ -L "$path" ]; then
      mv -- "$path" "$saved/$i" || {
        echo "cannot move $path aside; not running" >&2
        exit 2
      }
    fi
  done
}

restoreExchangeFiles() {
  if [ -n "$saved" ]; then
    i=0
    for path in "$list" "$selection" "$flag"; do
      i=$((i + 1))
      rm -rf -- "$path"
      if [ -e "$saved/$i" ] || [ -L "$saved/$i" ]; then
        mv -f -- "$saved/$i" "$path" || echo "could not restore $path from $saved/$i" >&2
      fi
    done
    rmdir -- "$saved" 2>/dev/null
  fi
}
