#!/bin/sh
# tonegraph --version and --help answer on a machine without a display (no
# DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM), with status 0.
# usage: window_without_display.sh TONEGRAPH VERSION
set -u
window=$1
status=0
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$window" --version 2>&1) || status=1
[ "$version" = "tonegraph $2" ] || { echo "--version printed: $version"; status=1; }
help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$window" --help 2>&1) || status=1
case $help in
  *"Usage: tonegraph [OPTIONS] [FILE...]"*--demo-profile*) ;;
  *) echo "--help printed: $help"; status=1 ;;
esac
exit $status
