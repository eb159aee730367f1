#!/bin/bash
# The Debian package's sources agree with the tree: its changelog names the
# version CMake builds, and it builds with every package that building and
# running need (scripts/deps run), so that a new library cannot reach the
# tree without reaching the package.
set -u
SOURCE=$1 VERSION=$2
fail() { echo "FAIL: $*"; exit 1; }
changelog=$(cd "$SOURCE" && dpkg-parsechangelog -S Version) || fail "debian/changelog cannot be read"
[ "$changelog" = "$VERSION" ] || fail "debian/changelog names $changelog, the project is $VERSION"

build_depends=$(sed -n '/^Build-Depends:/,/^[A-Z]/p' "$SOURCE/debian/control" | sed 's/^Build-Depends://' |
  tr ',' '\n' | sed 's/([^)]*)//; s/^[[:space:]]*//; s/[[:space:]]*$//' | grep .)
run_set=$(sed -n '/^run_packages=(/,/^)/p' "$SOURCE/scripts/deps" | sed '1d;$d' | tr ' ' '\n' | grep .)
[ -n "$run_set" ] || fail "no run set found in scripts/deps"
# What the build machine has anyway (build-essential, make), or what only a
# user's screen needs (a font, recommended by the package).
missing=$(for p in $run_set; do
  case $p in build-essential|make|fonts-*) continue ;; esac
  grep -qx "$p" <<< "$build_depends" || echo "$p"
done)
[ -z "$missing" ] || fail "debian/control does not build with: $missing"
echo PASS
