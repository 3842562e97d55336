# What the Windows checks share, sourced by them: a Wine prefix of their own and a serial line
# as a COM port.

# Starts Wine in prefix $1: no Mono/Gecko installer prompts, no debug chatter, and a UTF-8
# locale so that Wine hands Chinese command-line arguments to the programs intact. Wine programs
# inherit the output of whatever starts the wineserver, and a pipe stays open as long as it
# runs: it is started on its own, silent. The caller stops it (wineserver -k) when done.
wine_start() {
    export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
    mkdir -p "$WINEPREFIX"
    wineserver -p </dev/null >/dev/null 2>&1
    wine wineboot -i </dev/null >/dev/null 2>&1
}

# The serial line $1 (a pseudo-terminal) as COM5. Wine opens COMn through dosdevices/comn; the
# port list comes from the registry's SERIALCOMM key, which Wine rebuilds whenever its server
# starts.
wine_com5() {
    ln -sf "$(readlink -f "$1")" "$WINEPREFIX/dosdevices/com5"
    wine reg add 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v QuorvaneSim /t REG_SZ /d COM5 /f \
        </dev/null >/dev/null 2>&1
}

# A Linux path as Windows programs see it, through Wine's Z: drive.
wine_path() {
    printf 'Z:%s' "${1//\//\\}"
}

# The folder of SQLite's amalgamation for the cross builds, made from Debian's source the first
# time; empty, after saying so as $1, when it cannot be had (no network for its first fetch):
# the build then goes without the cast library, as any build without SQLite does.
windows_sqlite() {
    local made
    if made=$("$top/scripts/windows_sqlite.sh"); then
        printf '%s\n' "$made" >&2
        tail -1 <<<"$made"
    else
        echo "$1: no SQLite for Windows: the cast library skipped" >&2
    fi
}
