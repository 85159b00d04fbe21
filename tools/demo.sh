#!/usr/bin/env bash
# Starts simulated units on loopback and runs the program against them.
# Everything stays on the loopback interface: no datagram leaves the machine.
set -euo pipefail
build=${TRENNIC_BUILD:-build}
sim="$build/src/unitsim/trennic-unitsim"
cli="$build/src/cli/trennic-cli"
demo=${TRENNIC_DEMO_DIR:-$build/demo}
mkdir -p "$demo"
export TRENNIC_INTERFACES=lo

log="$demo/unitsim.log"
"$sim" --units 5 --unit-option 5:layout=4 --port 0 >"$log" 2>&1 &
simpid=$!
trap 'kill $simpid 2>/dev/null; wait $simpid 2>/dev/null || true' EXIT
for _ in $(seq 50); do grep -q "ready port=" "$log" && break; sleep 0.1; done
port=$(sed -n 's/.*ready port=\([0-9]*\).*/\1/p' "$log")
[ -n "$port" ] || { echo "the unit simulator did not start:"; cat "$log"; exit 1; }
echo "simulated units are listening on loopback, port $port"

settings="$demo/trennic.INI"
run() { echo "\$ trennic-cli $*"; "$cli" --settings "$settings" --unit-port "$port" "$@"; }
run search
run version 00-80-92-00-00-02
run firmware read 00-80-92-00-00-01 "$demo/firmware.bin"
run config read 00-80-92-00-00-03 -o "$demo/"
run config show "$demo/000003.txt" | head -n 8
run nodes list
