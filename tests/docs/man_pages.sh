#!/bin/sh
# The manual pages render without a warning, and tonegraph-cli's page has,
# in each command's section, an entry for every option of that command's
# --help.
# usage: man_pages.sh TONEGRAPH-CLI CLI-PAGE [OTHER-PAGE...]
set -u
cli=$1
shift
cli_page=$1
status=0
export LC_ALL=C MANWIDTH=200

for page in "$@"; do
  warnings=$(man --warnings -l "$page" 2>&1 >/dev/null)
  if [ -n "$warnings" ]; then
    printf '%s renders with warnings:\n%s\n' "$page" "$warnings"
    status=1
  fi
done

text=$(man -l "$cli_page")
# The lines of a command's section; the program's own options for "".
section() {
  if [ -z "$1" ]; then
    printf '%s\n' "$text" | sed -n '/^OPTIONS$/,/^COMMANDS$/p'
  else
    printf '%s\n' "$text" | awk -v head="   $1" '$0 == head {on = 1; next} on && (/^   [a-z]/ || /^[A-Z]/) {on = 0} on'
  fi
}

commands=$("$cli" --help | sed -n '/^Subcommands:$/,/^$/p' | awk 'NR > 1 && NF {print $1}')
[ -n "$commands" ] || { echo "no commands in tonegraph-cli --help"; status=1; }
for command in "" $commands; do
  options=$("$cli" $command --help | sed -n '/^Options:$/,$p' | grep -oE '^ +-[-a-zA-Z,]+' | tr ',' '\n' | tr -d ' ')
  body=$(section "$command")
  for option in $options; do
    # An entry of its own: "       -o, --output FILE".
    if ! printf '%s\n' "$body" | grep -qE -e "^ {7}(-[a-zA-Z0-9], )?$option( |,|\$)"; then
      echo "tonegraph-cli $command: $option is in --help but not in the manual page"
      status=1
    fi
  done
done
exit $status
