#!/bin/bash
# The completion of tonegraph-cli, sourced into a plain bash as the shell
# does it, answers a few command lines as a user would expect.
# usage: completion.sh COMPLETION-SCRIPT
set -u
source "$1" || exit 1
complete -p tonegraph-cli >/dev/null || { echo "no completion registered for tonegraph-cli"; exit 1; }

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 1
touch a.draydata b.tgdb c.conf d.txt
mkdir sub
status=0

# expect WANTED WORD...: completes the last word; WANTED is the sorted
# replies joined by spaces.
expect() {
  local wanted=$1
  shift
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMPREPLY=()
  _tonegraph_cli
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')
  got=${got% }
  if [ "$got" != "$wanted" ]; then
    echo "'$*': got [$got], wanted [$wanted]"
    status=1
  fi
}

expect "retrieve" tonegraph-cli ret
expect "--help --version" tonegraph-cli --
expect "--password-file --password-stdin" tonegraph-cli retrieve --pass
expect "c.conf sub" tonegraph-cli retrieve --config ""
expect "a.draydata sub" tonegraph-cli retrieve --host h -o ""
expect "a.draydata b.tgdb c.conf d.txt sub" tonegraph-cli watch --password-file ""
expect "b.tgdb sub" tonegraph-cli watch --host h --into ""
expect "" tonegraph-cli retrieve --host ""
expect "a.draydata sub" tonegraph-cli show ""
expect "a.draydata sub" tonegraph-cli diff a.draydata ""
expect "b.tgdb sub" tonegraph-cli history ""
expect "17a" tonegraph-cli import --profile 17
expect "35b" tonegraph-cli routersim --profile 35
expect "pdf png" tonegraph-cli export a.draydata --format p
exit $status
