#!/usr/bin/env bash
# scripts/run in a scratch copy of the project whose build, simulator and program are
# stand-ins. The simulator names its device and dies while the program runs: the script
# must still end with the program's status, run/ made from nothing, port 1 on that device.
set -euo pipefail
run_script=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

mkdir -p "$root/scripts" "$root/build/bin" "$root/build/data"
cp "$run_script" "$root/scripts/run"
printf '#!/bin/sh\nexit 0\n' >"$root/scripts/build"
echo "built database" >"$root/build/data/Sinus.mdb"
cat >"$root/build/bin/device_simulator" <<EOF
#!/bin/sh
echo /dev/pts/simulated
sleep 0.1
touch "$root/simulator-ended"
EOF
# The program waits for the simulator's end, notes what it was given, then ends with 0.
cat >"$root/build/bin/Corvanta" <<EOF
#!/bin/sh
while [ ! -e "$root/simulator-ended" ]; do sleep 0.05; done
sleep 0.3
pwd >"$root/program-folder"
cp "\$XDG_CONFIG_HOME/Corvanta/Corvanta.ini" "$root/program-settings"
exit 0
EOF
chmod +x "$root/scripts/run" "$root/scripts/build" "$root/build/bin/"*

for start in first second; do
    rm -f "$root/simulator-ended"
    status=0
    "$root/scripts/run" >"$root/out" 2>"$root/err" || status=$?
    [ "$status" -eq 0 ] || fail "$start start: status $status: $(cat "$root/err")"
    [ ! -s "$root/err" ] || fail "$start start: $(cat "$root/err")"
    [ "$(cat "$root/program-folder")" = "$root/run" ] || fail "$start start: not run in run/"
    [ "$(grep -c '^\[PORTS\]$' "$root/program-settings")" -eq 1 ] &&
        grep -qx 'COM1=/dev/pts/simulated' "$root/program-settings" ||
        fail "$start start: port 1 is not the simulator's device"
    [ -d "$root/run/export" ] && [ "$(grep -c '^Export=' "$root/program-settings")" -eq 1 ] &&
        awk '/^\[/ { g = ($0 == "[GENERAL]") } g && /^Export=/ { print }' \
            "$root/program-settings" | grep -qx "Export=$root/run/export" ||
        fail "$start start: the export folder is not run/export"
    # A database of the run's own survives the next start.
    echo "patients of the run" >"$root/run/Sinus.mdb"
done
[ "$(cat "$root/run/Sinus.mdb")" = "patients of the run" ] || fail "run/Sinus.mdb was replaced"

# A folder the settings name is kept, and the other settings of its section with it.
ini="$root/run/config/Corvanta/Corvanta.ini"
printf '[GENERAL]\nLangue=English\nExport=/srv/reports\n[PORTS]\nCOM1=x\n' >"$ini"
rm -f "$root/simulator-ended"
"$root/scripts/run" >"$root/out" 2>"$root/err" || fail "third start: $(cat "$root/err")"
grep -qx 'Export=/srv/reports' "$root/program-settings" &&
    grep -qx 'Langue=English' "$root/program-settings" ||
    fail "the settings' own export folder was not kept"
echo "scripts/run: passed"
