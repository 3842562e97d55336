#!/usr/bin/env bash
# The Debian package as a user gets it: built from the build tree, unpacked into a scratch
# root, and each program started offscreen from there in both languages, checking that it finds
# its language library, the launcher its picture, and the start script its working folder.
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
version=${2:?project version}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "package test: $*" >&2
    exit 1
}
expect() { # expect OUTPUT LINE...
    local output=$1 line
    shift
    for line in "$@"; do
        grep -qxF -- "$line" <<<"$output" || fail "expected '$line' in:"$'\n'"$output"
    done
}

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/package" >/dev/null
deb=$(ls "$scratch"/package/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 fonts-wqy-microhei; do
    grep -q "$package" <<<"$depends" || fail "Depends lacks $package: $depends"
done
root=$scratch/root
dpkg -x "$deb" "$root"

programs=(Quorvane QuorvaneFile)
[ -e "$root/usr/lib/quorvane/QuorvaneDevice" ] && programs+=(QuorvaneDevice)
for program in "${programs[@]}"; do
    lower=$(tr 'A-Z' 'a-z' <<<"$program")
    for file in "usr/bin/$program" "usr/share/applications/$lower.desktop" \
        "usr/share/icons/hicolor/256x256/apps/$lower.png"; do
        [ -e "$root/$file" ] || fail "$file missing"
    done
done
for file in usr/lib/quorvane/libOstrelan.so usr/lib/quorvane/libCantrelan.so \
    usr/lib/quorvane/zel4400.jpg usr/lib/quorvane/Multi.lang usr/bin/quorvane-start \
    usr/bin/quorvane-cli usr/bin/quorvane-chart; do
    [ -e "$root/$file" ] || fail "$file missing"
done

# Started from a folder of the user's, far from the installation, as a desktop entry would.
work=$scratch/work
mkdir -p "$work"
run() { (cd "$work" && QT_QPA_PLATFORM=offscreen QUORVANE_STARTUP_CHECK=1 timeout 120 "$@"); }

printf '[English]\nbEnglish=1\n' >"$work/Multi.lang"
expect "$(run "$root/usr/bin/Quorvane")" "caption: Quorvane V$version" "button: Device" \
    "button: Files" "picture: 640x320"
rm "$work/Multi.lang"
expect "$(run "$root/usr/bin/Quorvane")" "caption: Quorvane V$version" "button: 操作设备" \
    "button: 处理文件" "picture: 640x320"
expect "$(run "$root/usr/bin/QuorvaneFile" 1)" "caption: QuorvaneFile" "button: Reset"
expect "$(run "$root/usr/bin/QuorvaneFile")" "caption: QuorvaneFile" "button: 重置"
if [ -e "$root/usr/lib/quorvane/QuorvaneDevice" ]; then
    expect "$(run "$root/usr/bin/QuorvaneDevice" 1)" "caption: QuorvaneDevice"
    [ "$(run "$root/usr/bin/QuorvaneDevice" 1)" != "$(run "$root/usr/bin/QuorvaneDevice")" ] ||
        fail "QuorvaneDevice shows the same texts in both languages"
fi

# The start script makes the working folder and gives it the Multi.lang template.
home=$scratch/home
out=$(QUORVANE_WORK_DIR=$home/Quorvane run "$root/usr/bin/quorvane-start")
expect "$out" "button: 操作设备" "picture: 640x320"
cmp -s "$home/Quorvane/Multi.lang" "$root/usr/lib/quorvane/Multi.lang" ||
    fail "quorvane-start did not put Multi.lang into the working folder"
echo "package test: $(basename "$deb") installs and starts"
