#!/usr/bin/env bash
# The window programs on Windows: cross-builds them, their language libraries and their tests
# against the Qt that `make windows-qt` cached, runs the window tests under Wine, starts every
# program on the Windows platform plugin under Wine on a virtual display in both languages and
# pictures the windows, downloads from the Linux virtual profiler through the device window on
# Wine's COM5, and builds and checks the installer. Needs the Linux build (argument 1, default
# build) and the Windows check's googletest; everything Windows goes under <build>/windows/gui.
set -euo pipefail
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
linux="$top/$build"
win="$linux/windows"
gui="$win/gui"
jobs=${JOBS:-2}
sim="$linux/simulator/quorvane-sim"
version=$(sed -n 's/^project(Quorvane VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
pictures="$top/docs/screenshots/windows"
# shellcheck source=scripts/wine_common.sh
source "$top/scripts/wine_common.sh"

step() { printf '\n== %s ==\n' "$*"; }
fail() {
    echo "windows-gui-check: $*" >&2
    exit 1
}

qt=$("$top/scripts/windows_qt.sh" --cached) || fail "no Qt for Windows: make windows-qt"
gtest="$win/googletest"
[ -f "$gtest/lib/cmake/GTest/GTestConfig.cmake" ] || fail "no googletest for Windows: make windows-check"
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

step "SQLite for Windows"
sqlite=$(windows_sqlite windows-gui-check)

step "cross-build against $qt"
cmake -S "$top" -B "$gui/build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64-shared.cmake" \
    -DGTest_DIR="$gtest/lib/cmake/GTest" -DQUORVANE_BENCH=OFF \
    -DQUORVANE_SQLITE_AMALGAMATION="$sqlite" \
    -DQUORVANE_HOST_ARTWORK="$linux/artwork" "${launcher[@]}" >/dev/null
window_tests=(quorvane_qtcommon_tests quorvane_filewindow_tests quorvane_launcher_tests)
cmake --build "$gui/build" -j "$jobs" --target Quorvane QuorvaneFile QuorvaneDevice \
    quorvane-chart quorvane-cli quorvane-device-com-check quorvane-file-export-check \
    quorvane-file-screenshots \
    quorvane-launcher-screenshots "${window_tests[@]}"
programs="$gui/build/bin"

trap 'kill "${profiler:-}" "${display_server:-}" 2>/dev/null || true
      wineserver -k >/dev/null 2>&1 || true' EXIT
# The display comes before Wine: its desktop process takes the display it finds when it starts.
step "a virtual display for the Windows platform"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$gui/display" 2>/dev/null &
display_server=$!
for _ in $(seq 100); do [ -s "$gui/display" ] && break; sleep 0.1; done
[ -s "$gui/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$gui/display")"
echo "$DISPLAY"

step "Wine, with Qt's and MinGW's libraries on its path"
wine_start "$gui/wineprefix"
# Windows has Tahoma, the face behind the "MS Shell Dlg" that Qt's dialog font asks for. Debian's
# Wine keeps its own Tahoma (fonts-wine) out of the prefix, and without it Qt matches a TeX math
# face whose line edits paint no text at all: the prefix gets the one Windows would have.
ln -sf /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
    "$WINEPREFIX/drive_c/windows/Fonts/"
WINEPATH="$(wine_path "$qt/bin");$(wine_path "$runtime");$(wine_path /usr/x86_64-w64-mingw32/lib)"
export WINEPATH
# Wine hands a Windows program no variable whose name begins with QT_; it strips WINE from
# WINEQT_… instead. The offscreen platform reads its fonts from a folder, and takes for a
# family it lacks the first it has: the fonts fontconfig gives the Linux tests, and no others.
fonts="$gui/fonts"
rm -rf "$fonts"
mkdir -p "$fonts"
ln -s /usr/share/fonts/truetype/dejavu/DejaVu{Sans,Sans-Bold,Serif,Serif-Bold}.ttf \
    /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$fonts/"
export WINEQT_QPA_FONTDIR
WINEQT_QPA_FONTDIR=$(wine_path "$fonts")
export WINEQT_FORCE_STDERR_LOGGING=1
wine --version

step "window tests under Wine (offscreen)"
(cd "$gui/build" && ctest -j "$jobs" --output-on-failure \
    -R "^($(IFS='|'; echo "${window_tests[*]}"))\$")

work="$gui/check"
rm -rf "$work"
mkdir -p "$work" "$pictures"
cd "$work"

# Each program from a working folder of its own, as the Start menu starts it; the texts it shows.
expect() { # <output> <line>...
    local out=$1 line
    shift
    for line in "$@"; do
        grep -qxF "$line" <<<"$out" || fail "expected \"$line\" in: $out"
    done
}
started() { (cd "$work" && QUORVANE_STARTUP_CHECK=1 timeout 120 wine "$programs/$1.exe" "${@:2}" \
    </dev/null 2>/dev/null | tr -d '\r'); }

# Wine fails Qt's per-monitor DPI window set-up: every message box would lack its window.
export WINEQT_QPA_PLATFORM=windows:dpiawareness=0

step "each program starts, in both languages"
cp "$top/packaging/Multi.lang" "$work/"
expect "$(started Quorvane)" "caption: Quorvane V$version" "button: 操作设备" "picture: 640x320"
printf '[English]\nbEnglish=1\n' >"$work/Multi.lang"
expect "$(started Quorvane)" "button: Device" "button: Files"
expect "$(started QuorvaneFile 1)" "caption: QuorvaneFile" "button: Reset"
expect "$(started QuorvaneFile)" "caption: QuorvaneFile" "button: 重置"
expect "$(started QuorvaneDevice 1)" "caption: QuorvaneDevice"
echo "the three programs start and show their texts"

step "pictures of the windows"
wine "$gui/build/launcher/quorvane-launcher-screenshots.exe" "$(wine_path "$pictures")" \
    "$(wine_path "$programs")" </dev/null
wine "$gui/build/postprocess/window/quorvane-file-screenshots.exe" "$(wine_path "$pictures")" \
    "$(wine_path "$programs")" </dev/null

step "download through the device window on Wine's COM5"
"$sim" serve --storage card --casts 3 --link profiler >profiler.log 2>&1 &
profiler=$!
for _ in $(seq 100); do [ -e profiler ] && break; sleep 0.1; done
[ -e profiler ] || fail "the virtual profiler did not start"
wine_com5 profiler
for lang in zh en; do
    mkdir "download-$lang"
    flag=()
    [ "$lang" = en ] && flag=(1)
    (cd "download-$lang" && timeout 300 wine "$programs/quorvane-device-com-check.exe" \
        "${flag[@]}" "$(wine_path "$pictures/quorvanedevice-$lang.png")" </dev/null |
        tr -d '\r') || fail "the device window's download failed ($lang)"
    count=0
    for cast in card/*; do
        name=$(basename "$cast")
        got=$(find "download-$lang/Data" -type f -name "*_$name")
        [ -n "$got" ] || fail "$name was not downloaded ($lang)"
        cmp "$cast" "$got" || fail "$got differs from the card's $name"
        count=$((count + 1))
    done
    [ "$count" -gt 0 ] || fail "the card held no casts"
    echo "$count casts downloaded byte for byte through the window ($lang)"
done
kill "$profiler"
wait "$profiler" 2>/dev/null || true

step "a cast under a Chinese name exported through the file window, on Linux and on Windows"
"$sim" cast 样本.bin --seed 11 >/dev/null
mkdir export-linux export-windows
cp -p 样本.bin export-linux/
cp -p 样本.bin export-windows/
(cd export-linux && QT_QPA_PLATFORM=offscreen "$linux/bin/quorvane-file-export-check" 样本.bin)
(cd export-windows && wine "$programs/quorvane-file-export-check.exe" 样本.bin </dev/null |
    tr -d '\r')
# A CARIS file's second line is its own full path, written each system's way. The cast library
# keeps each system's paths: it is compared by what it lists.
for file in export-linux/Data/*; do
    name=$(basename "$file")
    [[ $name == quorvane.sqlite* ]] && continue
    other="export-windows/Data/$name"
    [ -f "$other" ] || fail "Windows did not write $name"
    if [[ $name == *.svp ]]; then
        line=$(sed -n 2p "$other" | tr -d '\r')
        [[ $line == *"\\Data\\$name" ]] || fail "$name names itself \"$line\""
        cmp <(sed 2d "$file") <(sed 2d "$other") || fail "$name differs between Linux and Windows"
    else
        cmp "$file" "$other" || fail "$name differs between Linux and Windows"
    fi
done
exports() { ls "$1/Data" | grep -v -c '^quorvane\.sqlite'; }
[ "$(exports export-linux)" = "$(exports export-windows)" ] ||
    fail "Windows wrote other files than Linux"
echo "$(exports export-linux) exports alike, names and bytes"
if [ -n "$sqlite" ]; then
    listed() { "$linux/cli/quorvane-cli" library list --library "$1/Data/quorvane.sqlite"; }
    listed export-linux | diff - <(listed export-windows) ||
        fail "the cast libraries differ between Linux and Windows"
    echo "the window's cast library alike on both systems"
fi

step "the installer: what windeployqt would gather, packed, installed, started, removed"
stage="$gui/stage"
rm -rf "$stage"
mkdir -p "$stage/platforms" "$stage/styles" "$stage/imageformats" "$stage/translations"
for program in Quorvane QuorvaneFile QuorvaneDevice quorvane-chart Ostrelan Duvrelan Cantrelan; do
    cp "$programs/$program".* "$stage/"
done
cp "$gui/build/cli/quorvane-cli.exe" "$programs/zel4400.jpg" "$top/packaging/Multi.lang" \
    "$linux/artwork/"*.ico "$stage/"
cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
cp "$qt/plugins/imageformats/qjpeg.dll" "$stage/imageformats/"
cp /usr/share/qt6/translations/qtbase_zh_CN.qm "$stage/translations/"
# Every library the programs and plugins import, found where the build found it.
dll_folders=("$qt/bin" "$runtime" /usr/x86_64-w64-mingw32/lib)
added=1
while [ "$added" = 1 ]; do
    added=0
    for dll in $(find "$stage" -name '*.exe' -o -name '*.dll' | xargs -d '\n' \
        x86_64-w64-mingw32-objdump -p | sed -n 's/^\s*DLL Name: //p' | sort -u); do
        [ -e "$stage/$dll" ] && continue
        for folder in "${dll_folders[@]}"; do
            if [ -e "$folder/$dll" ]; then
                cp "$folder/$dll" "$stage/"
                added=1
                break
            fi
        done
    done
done
ls "$stage"
"$top/scripts/windows_installer.sh" "$stage" "$version" "$gui"
# The installed programs must find everything in their own folder: nothing from this check's
# Wine path or fonts.
env -u WINEPATH -u WINEQT_QPA_FONTDIR -u WINEPREFIX \
    "$top/scripts/windows_installer_test.sh" --window-programs "$stage" "$version" "$gui" \
    "$gui/installer-test"

echo
[ -n "$sqlite" ] || echo "windows-gui-check: the cast library skipped: no SQLite for Windows"
echo "windows-gui-check: passed"
