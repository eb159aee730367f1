#!/bin/bash
# Installs the build tree under a staging folder (DESTDIR, the prefix it was
# configured with) and
# checks what a package would hold: every file in its place, the icon sizes,
# the validators of the desktop entry, the AppStream file and the user unit,
# the file types as a desktop's MIME database sees them, and the installed
# tonegraph-cli retrieving from its own simulated router.
set -u
BUILD=$1 PREFIX=$2 FIXTURES=$3 MIME_TYPE_OF=$4 VERSION=$5 UI=$6
WORK=$(mktemp -d)
STAGE=$WORK/stage
SIM=""
cleanup() {
  [ -n "$SIM" ] && kill "$SIM" 2>/dev/null && wait "$SIM" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
have() { command -v "$1" > /dev/null; }
ID=org.tonegraph.Tonegraph
# The staged programs are those of a sanitized build: Qt's allocations left
# at exit are not theirs to report.
export ASAN_OPTIONS=detect_leaks=0

DESTDIR=$STAGE cmake --install "$BUILD" > "$WORK/install.log" 2>&1 ||
  { cat "$WORK/install.log"; fail "cmake --install"; }
USR=$STAGE$PREFIX

expected=(
  bin/tonegraph-cli
  lib/systemd/user/tonegraph-watch@.service
  share/mime/packages/$ID.xml
  share/man/man1/tonegraph-cli.1.gz
  share/bash-completion/completions/tonegraph-cli
)
if [ "$UI" = ui ]; then
  expected+=(bin/tonegraph share/applications/$ID.desktop share/metainfo/$ID.metainfo.xml share/man/man1/tonegraph.1.gz
             share/icons/hicolor/scalable/apps/$ID.svg)
  for size in 16 24 32 48 64 128 256; do expected+=(share/icons/hicolor/${size}x$size/apps/$ID.png); done
fi
for file in "${expected[@]}"; do
  [ -s "$USR/$file" ] || fail "not installed: $PREFIX/$file"
done
[ -x "$USR/bin/tonegraph-cli" ] || fail "tonegraph-cli is not executable"
# Only what a user runs goes to bin/: no test, tool or benchmark.
unexpected=$(cd "$USR/bin" && ls | grep -vx -e tonegraph -e tonegraph-cli)
[ -z "$unexpected" ] || fail "more in $PREFIX/bin than the programs: $unexpected"

[ "$("$USR/bin/tonegraph-cli" --version)" = "tonegraph-cli $VERSION" ] || fail "tonegraph-cli --version"
if [ "$UI" = ui ]; then
  [ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$USR/bin/tonegraph" --version)" = "tonegraph $VERSION" ] ||
    fail "tonegraph --version"
fi
# The installed pages as man shows them, warnings and all.
if have man; then
  for page in "$USR"/share/man/man1/*.1.gz; do
    MANWIDTH=80 man --warnings -l "$page" 2>&1 > /dev/null | grep . && fail "man warns about $page"
  done
fi

# A PNG's width and height are the two big-endian words after its IHDR tag.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3*256+$4, $7*256+$8 }'; }
if [ "$UI" = ui ]; then
  for size in 16 24 32 48 64 128 256; do
    got=$(png_size "$USR/share/icons/hicolor/${size}x$size/apps/$ID.png")
    [ "$got" = "${size}x$size" ] || fail "the ${size}x$size icon is $got"
  done
  grep -q "<svg" "$USR/share/icons/hicolor/scalable/apps/$ID.svg" || fail "the scalable icon is no SVG"
  if have desktop-file-validate; then
    # Its hints too: an entry the validator would improve is not finished.
    desktop-file-validate "$USR/share/applications/$ID.desktop" > "$WORK/desktop.txt" 2>&1 &&
      [ ! -s "$WORK/desktop.txt" ] || { cat "$WORK/desktop.txt"; fail "desktop-file-validate"; }
  fi
  if have appstreamcli; then
    appstreamcli validate --no-net "$USR/share/metainfo/$ID.metainfo.xml" > "$WORK/appstream.txt" 2>&1 ||
      { cat "$WORK/appstream.txt"; fail "appstreamcli validate"; }
    grep -q "<release version=\"$VERSION\"" "$USR/share/metainfo/$ID.metainfo.xml" ||
      fail "the AppStream release is not $VERSION"
  fi
fi

# The unit as systemd's user manager reads it. It would look for the program
# where the package puts it; here that is under the staging folder.
if have systemd-analyze; then
  UNIT=$USR/lib/systemd/user/tonegraph-watch@.service
  grep -q "^ExecStart=$PREFIX/bin/tonegraph-cli watch " "$UNIT" ||
    fail "the unit does not start $PREFIX/bin/tonegraph-cli watch"
  mkdir -p "$WORK/units" "$WORK/runtime"
  sed "s#=$PREFIX/bin/tonegraph-cli #=$USR/bin/tonegraph-cli #" "$UNIT" > "$WORK/units/tonegraph-watch@line1.service"
  XDG_RUNTIME_DIR=$WORK/runtime systemd-analyze verify --user --man=no \
    "$WORK/units/tonegraph-watch@line1.service" > "$WORK/verify.txt" 2>&1 ||
    { cat "$WORK/verify.txt"; fail "systemd-analyze verify"; }
  [ ! -s "$WORK/verify.txt" ] || { cat "$WORK/verify.txt"; fail "systemd-analyze verify complains"; }
fi

# The file types, by name and by content, as a desktop's MIME database built
# from the installed definitions sees them.
if have update-mime-database; then
  mkdir -p "$WORK/share/mime/packages"
  cp "$USR/share/mime/packages/$ID.xml" "$WORK/share/mime/packages/"
  for base in /usr/share/mime/packages/freedesktop.org.xml; do
    [ -f "$base" ] && cp "$base" "$WORK/share/mime/packages/"
  done
  update-mime-database "$WORK/share/mime" > "$WORK/mime.txt" 2>&1 || { cat "$WORK/mime.txt"; fail "update-mime-database"; }
  mkdir -p "$WORK/files"
  SNAP=$WORK/files/line.draydata
  "$USR/bin/tonegraph-cli" import --profile 17a --hlog "$FIXTURES/line17a-hlog.txt" \
    --qln "$FIXTURES/line17a-qln.txt" --snr "$FIXTURES/line17a-snr.txt" -o "$SNAP" > /dev/null || fail "import"
  cp "$SNAP" "$WORK/files/renamed.bin"
  cp "$FIXTURES/history-schema1.tgdb" "$WORK/files/line.tgdb"
  cp "$FIXTURES/history-schema1.tgdb" "$WORK/files/renamed.db"
  printf 'x' > "$WORK/files/line.conf"
  cases=(
    "line.draydata application/x-tonegraph-snapshot"
    "renamed.bin application/x-tonegraph-snapshot"
    "line.tgdb application/x-tonegraph-history"
    "renamed.db application/x-tonegraph-history"
    "line.conf application/x-tonegraph-configuration"
  )
  for case in "${cases[@]}"; do
    set -- $case
    got=$(XDG_DATA_DIRS=$WORK/share QT_QPA_PLATFORM=offscreen "$MIME_TYPE_OF" "$WORK/files/$1")
    [ "$got" = "$2" ] || fail "$1 is taken for $got, not $2"
  done
  # A history is still an SQLite database to whoever asks for that.
  grep -q 'sub-class-of type="application/vnd.sqlite3"' "$USR/share/mime/packages/$ID.xml" || fail "no SQLite parent"
fi

# The installed tonegraph-cli retrieves from its own simulated router.
CLI=$USR/bin/tonegraph-cli
"$CLI" routersim --name Vigor --password pw > "$WORK/sim.out" 2>&1 &
SIM=$!
for i in $(seq 400); do grep -q ' port [0-9]*$' "$WORK/sim.out" 2>/dev/null && break; sleep 0.05; done
PORT=$(sed -n 's/.* port \([0-9]*\)$/\1/p' "$WORK/sim.out")
[ -n "$PORT" ] || { cat "$WORK/sim.out"; fail "routersim did not start"; }
echo pw | "$CLI" retrieve --host 127.0.0.1 --port "$PORT" --user admin --password-stdin --router-name Vigor \
  -o "$WORK/retrieved.draydata" 2> "$WORK/retrieve.txt" || { cat "$WORK/retrieve.txt"; fail "retrieve"; }
"$CLI" show "$WORK/retrieved.draydata" | grep -q "^VDSL profile: *17A$" || fail "show of the retrieved snapshot"
echo PASS
