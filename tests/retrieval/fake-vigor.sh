#!/bin/sh
# Plays a Vigor's command line behind a real Telnet server (busybox telnetd
# runs it in place of login): the logon prompts, then a few vdsl answers.
prompt='Vigor> '
printf 'Account:'
read -r user
printf 'Password: '
stty -echo 2>/dev/null
read -r pass
stty echo 2>/dev/null
printf '\n'
if [ "$user" != "admin" ] || [ "$pass" != "s3cret" ]; then
  printf 'Password: '
  read -r pass
  exit 0
fi
printf '\nType ? for command help\n\n%s' "$prompt"
while read -r line; do
  case "$line" in
    "vdsl status")
      printf '  ---------------------- ATU-R Info (hw: annex B, f/w: annex A/B/C) -----------\n'
      printf '  Running Mode            :      17A       State                : SHOWTIME\n'
      printf '  DS Actual Rate          :107737000 bps   US Actual Rate       : 36996000 bps\n\n' ;;
    "vdsl status hlog")
      printf '  ---------------------- ATU-R Info (hw: annex B, f/w: annex A/B/C) -----------\n'
      printf ' [ HLOG ]\n GroupSize    :    8    8   (US DS)\n US: (dB)\n'
      printf 'bin=   0:     ,     ,   -3,   -4,   -4,   -5,   -5,   -6,\n\n DS: (dB)\n'
      printf 'bin=   0:     ,     ,     ,     ,   -7,   -8,   -8,   -9,\n' ;;
    "vdsl "*)
      printf '  ---------------------- ATU-R Info (hw: annex B, f/w: annex A/B/C) -----------\n'
      printf ' answer of %s\n\n' "$line" ;;
    "") ;;
    *) printf '%% Valid subcommands are:\n   vdsl\n\n' ;;
  esac
  printf '%s' "$prompt"
done
