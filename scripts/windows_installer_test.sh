#!/usr/bin/env bash
# The Windows installer as a surveyor meets it, under Wine in a prefix of its own: an older
# installation first, then OUTPUT_DIR/Quorvane-VERSION-win64-setup.exe (windows_installer.sh)
# silently over it, into a folder with a space and Chinese in its name. Checks that the older
# one is cleared away, that every staged file arrived byte for byte and nothing else, the
# shortcuts and their working folder, the user's Multi.lang kept, the Add/Remove Programs entry;
# starts the installed programs; uninstalls and checks that only the user's working folder, with
# its casts, stays behind.
#   --window-programs  the staging holds the window programs: each is started with
#                      QUORVANE_STARTUP_CHECK=1 (on an Xvfb display when there is none)
#   WORK_DIR           where the prefix goes, kept for a look afterwards (default: a temp folder)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
start=$(date +%s)

step() { printf '\n== %s ==\n' "$*"; }
fail() {
    echo "windows-installer-test: $*" >&2
    exit 1
}

windows=false
if [ "${1:-}" = --window-programs ]; then
    windows=true
    shift
fi
[ $# -eq 3 ] || [ $# -eq 4 ] || fail "usage: windows_installer_test.sh [--window-programs]" \
    "STAGING_DIR VERSION OUTPUT_DIR [WORK_DIR]"
staging=$(cd "$1" && pwd)
version=$2
setup=$(cd "$3" && pwd)/Quorvane-$version-win64-setup.exe
[ -f "$setup" ] || fail "no installer $setup: run windows_installer.sh first"
keep=false
if [ $# -eq 4 ]; then
    keep=true
    mkdir -p "$4"
    work=$(cd "$4" && pwd)
    rm -rf "${work:?}"/{wineprefix,home,older,older-setup,uninstall.exe,user.lang,key.reg}
else
    work=$(mktemp -d)
fi

# Wine links the prefix's Documents to $HOME, and the working folder lives there: a home of our
# own keeps the user's real one out of it. No Linux menu entries for the shortcuts either.
export HOME=$work/home WINEPREFIX=$work/wineprefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME
mkdir -p "$HOME" "$WINEPREFIX"

xvfb=
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    $keep || rm -rf "$work"
}
trap cleanup EXIT
if $windows && [ -z "${DISPLAY:-}" ]; then
    # Wine makes no window without a display. Before Wine starts: its desktop process takes
    # the display it finds then.
    command -v Xvfb >/dev/null || fail "Xvfb is missing: apt-get install xvfb"
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    DISPLAY=:$(cat "$work/display")
    export DISPLAY
fi

# Wine programs inherit the output of whatever starts the wineserver: start it on its own.
step "Wine"
wineserver -p </dev/null >/dev/null 2>&1
wine wineboot -i </dev/null >/dev/null 2>&1
wine --version
windows_env() { wine cmd /c echo "%$1%" </dev/null | tr -d '\r'; }
menu_win="$(windows_env APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Quorvane"
menu=$(winepath -u "$menu_win")
folder_win="$(windows_env USERPROFILE)\\Documents\\Quorvane"
folder=$(winepath -u "$folder_win")
instdir_win='C:\测量 软件\Quorvane'
instdir=$(winepath -u "$instdir_win")
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvane'

# NSIS reads /D= and _?= to the end of the command line, and only unquoted, but Wine quotes
# every argument with a space in it: the folder goes as words, which Wine joins with spaces.
silent() { # <program.exe> <option up to the end of the command line>
    local words status=0
    read -ra words <<<"$2"
    wine "$1" /S "${words[@]}" </dev/null || status=$?
    [ "$status" -eq 0 ] || fail "${1##*/} ended with status $status"
}
install() { silent "$1" "/D=$instdir_win"; }

step "an older installation"
older=$work/older
mkdir -p "$older"
cp "$staging"/{Multi.lang,quorvane.ico,quorvanefile.ico,quorvanedevice.ico} "$older/"
echo "a library this version no longer ships" >"$older/obsolete.dll"
"$top/scripts/windows_installer.sh" "$older" 0.0.1 "$work/older-setup" >/dev/null
install "$work/older-setup/Quorvane-0.0.1-win64-setup.exe"
[ -f "$instdir/obsolete.dll" ] || fail "the older installation did not install"
cmp -s "$folder/Multi.lang" "$staging/Multi.lang" ||
    fail "the working folder $folder did not get the Multi.lang template"
# The surveyor chooses English: the new installation must keep that.
printf '[English]\r\nbEnglish=1\r\n' >"$work/user.lang"
cp "$work/user.lang" "$folder/Multi.lang"
echo "older installation in $instdir_win, working folder $folder_win"

step "install $(basename "$setup")"
install "$setup"
[ ! -e "$instdir/obsolete.dll" ] || fail "the older installation's obsolete.dll is still there"
[ -f "$instdir/Uninstall.exe" ] || fail "no Uninstall.exe in $instdir"
diff -r --exclude=Uninstall.exe "$staging" "$instdir" ||
    fail "the installation folder differs from the staging folder"
echo "$(find "$staging" -type f | wc -l) staged files installed byte for byte, nothing else"

step "shortcuts and working folder"
utf16() { printf %s "$1" | iconv -t UTF-16LE | od -An -tx1 -v | tr -s ' \n' ' '; }
for program in Quorvane QuorvaneFile QuorvaneDevice; do
    link=$menu/$program.lnk
    [ -f "$link" ] || fail "no shortcut $link"
    bytes=$(od -An -tx1 -v "$link" | tr -s ' \n' ' ')
    lower=$(tr '[:upper:]' '[:lower:]' <<<"$program")
    for text in "$program.exe" "$folder_win" "$instdir_win\\$lower.ico"; do
        [[ $bytes == *"$(utf16 "$text")"* ]] || fail "$program.lnk does not hold $text"
    done
done
echo "3 shortcuts in $menu_win, started in $folder_win"
cmp -s "$folder/Multi.lang" "$work/user.lang" ||
    fail "the installer overwrote the user's Multi.lang"
echo "the user's Multi.lang kept"

step "Add/Remove Programs"
# Exported rather than queried: reg query prints through the console's code page, in which the
# Chinese of the folder becomes question marks.
wine reg export "$key" "$work/key.reg" /y </dev/null >/dev/null 2>&1 || fail "no key $key"
entry=$(iconv -f UTF-16 -t UTF-8 "$work/key.reg" | tr -d '\r')
reg_path() { printf '%s' "${1//\\/\\\\}"; }
for line in '"DisplayName"="Quorvane"' "\"DisplayVersion\"=\"$version\"" \
    '"Publisher"="Quorvane"' "\"InstallLocation\"=\"$(reg_path "$instdir_win")\"" \
    "\"UninstallString\"=\"\\\"$(reg_path "$instdir_win\\Uninstall.exe")\\\"\"" \
    "\"DisplayIcon\"=\"$(reg_path "$instdir_win\\quorvane.ico")\"" \
    '"NoModify"=dword:00000001' '"NoRepair"=dword:00000001'; do
    grep -qxF -- "$line" <<<"$entry" || fail "the key lacks $line:"$'\n'"$entry"
done
size=$(sed -n 's/^"EstimatedSize"=dword:\([0-9a-f]*\)$/\1/p' <<<"$entry")
[ -n "$size" ] || fail "the key lacks EstimatedSize"
kib=$(du -sk --apparent-size "$instdir" | cut -f1)
((16#$size * 10 > kib * 9 && 16#$size * 10 < kib * 11)) ||
    fail "EstimatedSize $((16#$size)) KiB, but the installation holds $kib KiB"
echo "$key: $(grep -c '^"' <<<"$entry") values, EstimatedSize $((16#$size)) KiB"

step "the installed programs"
# Started as the shortcuts start them: in the working folder.
status=0
usage=$(cd "$folder" && wine "$instdir/quorvane-cli.exe" </dev/null 2>&1) || status=$?
if [ "$status" -ne 2 ] || [[ $usage != "usage: quorvane-cli COMMAND"* ]]; then
    fail "quorvane-cli.exe without a command: status $status, output: $usage"
fi
echo "quorvane-cli.exe runs"
if $windows; then
    for program in Quorvane QuorvaneFile QuorvaneDevice; do
        out=$(cd "$folder" && QUORVANE_STARTUP_CHECK=1 timeout 120 wine "$instdir/$program.exe" \
            </dev/null | tr -d '\r') || fail "$program.exe failed: $out"
        caption="caption: $program"
        [ "$program" = Quorvane ] && caption+=" V$version"
        grep -qxF "$caption" <<<"$out" || fail "$program.exe did not show '$caption': $out"
        while IFS= read -r line; do echo "$program: $line"; done <<<"$out"
    done
else
    echo "window programs not started: no --window-programs"
fi

step "uninstall"
mkdir -p "$folder/Data"
echo "a surveyor's cast" >"$folder/Data/cast.bin"
# The uninstaller copies itself away and returns at once, unless it runs with _?=, when it
# cannot delete itself: a copy of it, run with _?=, is waited for and deletes everything.
cp "$instdir/Uninstall.exe" "$work/uninstall.exe"
silent "$work/uninstall.exe" "_?=$instdir_win"
[ ! -e "$instdir" ] || fail "the installation folder is still there: $(find "$instdir")"
[ ! -e "$menu" ] || fail "the shortcuts are still there: $(find "$menu")"
! wine reg query "$key" </dev/null >/dev/null 2>&1 || fail "the key $key is still there"
if [ ! -f "$folder/Data/cast.bin" ] || ! cmp -s "$folder/Multi.lang" "$work/user.lang"; then
    fail "the uninstaller touched the working folder $folder"
fi
echo "installation folder, shortcuts and key gone; the working folder kept"

echo
echo "windows-installer-test: passed in $(($(date +%s) - start)) s"
