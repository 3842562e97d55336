#!/usr/bin/env bash
# The main job, end to end on this machine: a synthetic cast processed into every file the
# suite writes, then a virtual profiler on a pseudo-terminal whose casts are downloaded the way
# the device program does it and processed in turn, each with its chart as the window saves it.
# With a display it then opens the launcher in demo/ beside a virtual profiler, for a person to
# connect, download, process and chart by hand.
set -euo pipefail
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
sim="$top/$build/simulator/quorvane-sim"
cli="$top/$build/cli/quorvane-cli"
programs="$top/$build/bin"

rm -rf "$top/demo"
mkdir -p "$top/demo"
cd "$top/demo"

echo "== a synthetic cast, processed =="
"$sim" cast sample-cast.bin --seed 7
"$cli" process sample-cast.bin --out Data
"$programs/quorvane-chart" sample-cast.bin --out Data --png
echo
echo "== the same cast for the acquisition packages, one file of each format =="
"$cli" process sample-cast.bin --out Data/packages --time "2014-03-05 10:20:30" --utc-offset 8 \
    --position 22.2855,114.1577 --format asvp --format caris --format hypack3 --format pro \
    --format unb --format ixblue --format usr --format csvmeta

echo
echo "== the same cast sent to a simulated Kongsberg SIS 5, which confirms what it uses =="
# A port of its own for the sonar's answer, so that a second demo on the machine cannot take it.
listen=$(shuf -i 20000-60000 -n 1)
"$sim" acquisition --kind sis5 --reply-to "127.0.0.1:$listen" --count 1 >acquisition.log 2>&1 &
acquisition=$!
for _ in $(seq 100); do [ -s acquisition.log ] && break; sleep 0.1; done
"$cli" send sample-cast.bin --to "sis5@127.0.0.1:$(head -1 acquisition.log)" --listen "$listen" \
    --time "2014-03-05 10:20:30" --utc-offset 8 --position 22.2855,114.1577
wait "$acquisition"
echo "the simulated SIS 5: $(tail -1 acquisition.log)"

echo
echo "== the virtual profiler: connect, list, download every cast =="
"$sim" serve --storage card --casts 3 --link profiler >profiler.log 2>&1 &
profiler=$!
trap 'kill "$profiler" 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -e profiler ] && break; sleep 0.1; done
"$cli" device --port profiler --yes info
"$cli" device --port profiler --yes list
"$cli" device --port profiler --yes download --all
kill "$profiler"
wait "$profiler" 2>/dev/null || true
trap - EXIT

echo
echo "== the downloaded casts, processed =="
for cast in Data/*/*; do
    [ -f "$cast" ] || continue
    case "$cast" in Data/processed/* | Data/packages/*) continue ;; esac
    "$cli" process "$cast" --out Data/processed --format csv
    "$programs/quorvane-chart" "$cast" --out Data/processed --png
done

echo
echo "== the cast library: every cast processed here, in Data/quorvane.sqlite =="
"$cli" library list

echo
echo "== the last two downloaded casts compared, and the hull probe checked against the last =="
downloaded=()
for cast in Data/*/*.BIN; do downloaded+=("$cast"); done
newest=${downloaded[-1]}
# 1 advises a new cast, which the demo shows rather than fails on; 2 is a real failure.
"$cli" compare "$newest" "${downloaded[-2]}" --draft 5 || [ $? -eq 1 ]
"$cli" probe-check "$newest" --speed 1531 --draft 5 || [ $? -eq 1 ]

echo
echo "files written:"
find Data -type f | sort
echo
echo "charts to look at:"
find "$top/demo/Data" -name '*.png' | sort

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exit 0
fi
echo
echo "== by hand: the launcher in demo/, the virtual profiler on demo/profiler =="
"$sim" serve --storage card --casts 3 --link profiler >>profiler.log 2>&1 &
profiler=$!
trap 'kill "$profiler" 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -e profiler ] && break; sleep 0.1; done
export QUORVANE_EXTRA_PORTS="$top/demo/profiler"
echo "Device > Connect finds the profiler on $QUORVANE_EXTRA_PORTS; close the launcher to end."
"$programs/Quorvane"
