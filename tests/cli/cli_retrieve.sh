#!/bin/sh
# tonegraph-cli retrieve against tonegraph-cli routersim, for each profile a
# line may run, then tonegraph-cli show on the snapshot it wrote: every table
# must be filled. Last, a wrong password must leave no file behind.
set -u
CLI=$1
DIR=$(mktemp -d)
SIM=""
cleanup() {
  [ -n "$SIM" ] && kill "$SIM" 2>/dev/null && wait "$SIM" 2>/dev/null
  rm -rf "$DIR"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

RUN=0
start_sim() {
  # A fresh file per run: the shell truncates it only once the background
  # job has started, so an old file could still show the last port.
  RUN=$((RUN + 1))
  OUT="$DIR/sim$RUN.out"
  "$CLI" routersim --name Vigor --password pw "$@" > "$OUT" 2>&1 &
  SIM=$!
  i=0
  until grep -q ' port [0-9]*$' "$OUT" 2>/dev/null; do
    i=$((i + 1)); [ $i -gt 200 ] && fail "routersim did not start"
    sleep 0.05
  done
  PORT=$(sed -n 's/.* port \([0-9]*\)$/\1/p' "$OUT")
}

stop_sim() {
  kill -INT "$SIM"; wait "$SIM" || fail "routersim did not end cleanly"; SIM=""
}

for P in 8b 17a 30a 35b; do
  start_sim --profile "$P"
  echo pw | "$CLI" retrieve --host 127.0.0.1 --port "$PORT" --user admin --password-stdin \
    --router-name Vigor --bins -o "$DIR/$P.draydata" 2> "$DIR/progress.txt" ||
    { cat "$DIR/progress.txt" "$OUT"; fail "retrieve $P"; }
  stop_sim
  grep -qx 'Retrieving bins upstream, please wait...' "$DIR/progress.txt" || fail "progress texts $P"
  "$CLI" show "$DIR/$P.draydata" > "$DIR/show.txt" || fail "show $P"
  UPPER=$(echo "$P" | tr a-z A-Z)
  grep -q "^VDSL profile: *$UPPER\$" "$DIR/show.txt" || fail "profile of $P"
  # Rows: kind, direction, group size, values, nulls, unassigned, min, max.
  ROWS=$(awk '/^(HLog|QLN|SNR) +(US|DS) / && $3 > 0 && $4 > 0 && $6 == 0' "$DIR/show.txt" | wc -l)
  [ "$ROWS" -eq 6 ] || { cat "$DIR/show.txt"; fail "per-tone tables of $P"; }
  BINS=$(awk '/^Bins +(US|DS) / && $5 > 0' "$DIR/show.txt" | wc -l)
  [ "$BINS" -eq 2 ] || { cat "$DIR/show.txt"; fail "bins tables of $P"; }
done

# A command the router does not know: the rest is saved, with a warning.
start_sim --unknown-command "vdsl annex"
echo pw | "$CLI" retrieve --host 127.0.0.1 --port "$PORT" --user admin --password-stdin \
  --router-name Vigor -o "$DIR/partial.draydata" 2> "$DIR/partial.txt" ||
  { cat "$DIR/partial.txt"; fail "partial retrieval exit status"; }
stop_sim
grep -qx 'warning: no answer to "vdsl annex"' "$DIR/partial.txt" || fail "partial retrieval warning"
[ -s "$DIR/partial.draydata" ] || fail "a partial retrieval saved nothing"

# The router hangs up during the first command: nothing came, nothing is saved.
start_sim --drop-command "vdsl status bandinfo"
echo pw | "$CLI" retrieve --host 127.0.0.1 --port "$PORT" --user admin --password-stdin \
  --router-name Vigor -o "$DIR/nothing.draydata" 2> "$DIR/nothing.txt"
STATUS=$?
stop_sim
[ "$STATUS" -eq 1 ] || { cat "$DIR/nothing.txt"; fail "empty retrieval exit status $STATUS"; }
grep -qx "tonegraph-cli: 127.0.0.1:$PORT: No data retrieved: the router answered none of the commands" "$DIR/nothing.txt" ||
  fail "empty retrieval message"
[ ! -e "$DIR/nothing.draydata" ] || fail "an empty retrieval wrote a file"

start_sim
echo nope | "$CLI" retrieve --host 127.0.0.1 --port "$PORT" --user admin --password-stdin \
  --router-name Vigor -o "$DIR/refused.draydata" 2> "$DIR/refused.txt"
STATUS=$?
stop_sim
[ "$STATUS" -eq 1 ] || fail "wrong password exit status $STATUS"
grep -qx "tonegraph-cli: 127.0.0.1:$PORT: Invalid login" "$DIR/refused.txt" || fail "wrong password message"
[ ! -e "$DIR/refused.draydata" ] || fail "a refused retrieval wrote a file"
# Nobody listens on that port any more: the connect failure is reported.
"$CLI" retrieve --host 127.0.0.1 --port "$PORT" --user admin -o "$DIR/none.draydata" \
  < /dev/null 2> "$DIR/none.txt"
STATUS=$?
[ "$STATUS" -eq 1 ] || fail "connect failure exit status $STATUS"
grep -qx "tonegraph-cli: 127.0.0.1:$PORT: Connection refused" "$DIR/none.txt" || fail "connect failure message"
[ ! -e "$DIR/none.draydata" ] || fail "a failed connect wrote a file"
echo "PASS"
