#!/usr/bin/env bash
# The Windows check: cross-builds the Qt-free libraries, quorvane-cli and the portable test
# programs with MinGW-w64, runs the tests under Wine, compares what the Windows and the Linux
# quorvane-cli write for the same casts, and downloads every cast of the Linux virtual profiler
# through a Wine COM port. Needs the Linux build (argument 1, default build) for the programs
# it compares with; everything Windows goes under <build>/windows.
set -euo pipefail
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
linux="$top/$build"
win="$linux/windows"
jobs=${JOBS:-2}
sim="$linux/simulator/quorvane-sim"
cli="$linux/cli/quorvane-cli"
wincli="$win/build/cli/quorvane-cli.exe"

# shellcheck source=scripts/wine_common.sh
source "$top/scripts/wine_common.sh"

step() { printf '\n== %s ==\n' "$*"; }
fail() {
    echo "windows-check: $*" >&2
    exit 1
}

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

step "googletest for Windows"
gtest="$win/googletest"
if [ ! -f "$gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
    cmake -S /usr/src/googletest -B "$win/googletest-build" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_INSTALL_PREFIX="$gtest" "${launcher[@]}" >/dev/null
    cmake --build "$win/googletest-build" -j "$jobs" >/dev/null
    cmake --install "$win/googletest-build" >/dev/null
fi
echo "$gtest"

step "SQLite for Windows"
sqlite=$(windows_sqlite windows-check)

step "cross-build"
# An empty folder is passed too: a build configured with one before must now go without.
cmake -S "$top" -B "$win/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
    -DGTest_DIR="$gtest/lib/cmake/GTest" -DQUORVANE_BENCH=OFF \
    -DQUORVANE_SQLITE_AMALGAMATION="$sqlite" "${launcher[@]}" >/dev/null
cmake --build "$win/build" -j "$jobs"

step "Wine"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
wine_start "$win/wineprefix"
wine --version

step "test programs under Wine"
(cd "$win/build" && ctest -j "$jobs" --output-on-failure)

work="$win/check"
rm -rf "$work"
mkdir -p "$work"
cd "$work"

step "the same casts processed on Linux and on Windows"
"$sim" cast sample.bin --seed 7 >/dev/null
"$sim" cast 样本.bin --seed 11 --garbage >/dev/null
for side in linux windows; do
    mkdir "$side"
    cp sample.bin 样本.bin "$side/"
done
# The messages too, but on Windows lines end with CR LF and paths use backslashes. The cast
# library is left out where the Windows build has no SQLite to keep one.
no_library=()
[ -n "$sqlite" ] || no_library=(--no-library)
process() { # <side> <program...>
    local side=$1
    shift
    (cd "$side" && "$@" process sample.bin 样本.bin --out Data "${no_library[@]}" &&
        "$@" process sample.bin 样本.bin --lang zh --out 数据 "${no_library[@]}") >"$side.out" 2>&1 ||
        fail "$side: quorvane-cli process failed: $(cat "$side.out")"
    tr -d '\r' <"$side.out" | tr '\\' / >"$side.messages"
}
process linux "$cli"
process windows wine "$wincli"
# The cast libraries hold each system's own paths: they are compared by what they list.
library='quorvane.sqlite*'
diff -r -x "$library" linux windows || fail "the Windows files differ from the Linux ones"
diff linux.messages windows.messages || fail "the Windows messages differ from the Linux ones"
find linux -type f ! -name "$library" | wc -l |
    xargs printf '%s files alike, names and bytes, and the messages\n'
if [ -n "$sqlite" ]; then
    "$cli" library list --library linux/Data/quorvane.sqlite >linux.library
    (cd windows && wine "$wincli" library list) | tr -d '\r' >windows.library
    diff linux.library windows.library || fail "the Windows cast library lists other casts"
    # The file is the same format on both systems: Linux reads what Windows wrote.
    "$cli" library list --library windows/Data/quorvane.sqlite | diff linux.library - ||
        fail "Linux reads the Windows cast library otherwise"
    echo "$(($(wc -l <linux.library) - 1)) casts alike in the cast libraries, read on both systems"
fi

step "download through a Wine COM port"
"$sim" serve --storage card --casts 3 --link profiler >profiler.log 2>&1 &
profiler=$!
trap 'kill "$profiler" 2>/dev/null || true; wineserver -k >/dev/null 2>&1 || true' EXIT
for _ in $(seq 100); do [ -e profiler ] && break; sleep 0.1; done
[ -e profiler ] || fail "the virtual profiler did not start"
wine_com5 profiler
mkdir download
# The serial log under a Chinese name: the variable and the path must stay UTF-8 on their way.
(cd download && QUORVANE_SERIAL_LOG="$work/串口.log" wine "$wincli" device --yes download --all \
    </dev/null)
grep -q "open COM5 ok" 串口.log || fail "the serial log does not show COM5 opened"
kill "$profiler"
wait "$profiler" 2>/dev/null || true
count=0
for cast in card/*; do
    name=$(basename "$cast")
    got=$(find download/Data -type f -name "*_$name")
    [ -n "$got" ] || fail "$name was not downloaded"
    cmp "$cast" "$got" || fail "$got differs from the card's $name"
    count=$((count + 1))
done
[ "$count" -gt 0 ] || fail "the card held no casts"
echo "$count casts downloaded byte for byte"

echo
[ -n "$sqlite" ] || echo "windows-check: the cast library skipped: no SQLite for Windows"
echo "windows-check: passed"
