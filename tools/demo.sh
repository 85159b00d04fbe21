#!/usr/bin/env bash
# Starts simulated units on loopback and the desktop program against them;
# without a display, the command-line program shows the same units instead.
# Everything stays on the loopback interface: no datagram leaves the machine.
set -euo pipefail
build=${TRENNIC_BUILD:-build}
sim="$build/src/unitsim/trennic-unitsim"
cli="$build/src/cli/trennic-cli"
gui="$build/src/ui/app/trennic"
demo=${TRENNIC_DEMO_DIR:-$build/demo}
mkdir -p "$demo"
export TRENNIC_INTERFACES=lo

# Five units with firmware of different ages.
log="$demo/unitsim.log"
"$sim" --units 5 --unit-option 2:layout=2 --unit-option 3:layout=3 --unit-option 4:layout=4 \
  --unit-option 5:version=0x0200 --port 0 >"$log" 2>&1 &
simpid=$!
trap 'kill $simpid 2>/dev/null; wait $simpid 2>/dev/null || true' EXIT
for _ in $(seq 50); do grep -q "ready port=" "$log" && break; sleep 0.1; done
port=$(sed -n 's/.*ready port=\([0-9]*\).*/\1/p' "$log")
[ -n "$port" ] || { echo "the unit simulator did not start:"; cat "$log"; exit 1; }
echo "simulated units are listening on loopback, port $port"
export TRENNIC_UNIT_PORT=$port
settings="$demo/trennic.INI"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ "${TRENNIC_DEMO:-gui}" = gui ]; then
  echo "starting Trennic: press Edit, then Search"
  "$gui" --settings "$settings" --interface lo
  exit 0
fi

[ "${TRENNIC_DEMO:-gui}" = gui ] && echo "no display here: showing the units with trennic-cli instead"
run() { echo "\$ trennic-cli $*"; "$cli" --settings "$settings" "$@"; }
run search
run version 00-80-92-00-00-02
run firmware read 00-80-92-00-00-01 "$demo/firmware.bin"
run config read 00-80-92-00-00-03 -o "$demo/"
run config show "$demo/000003.txt" | head -n 8
run nodes list
