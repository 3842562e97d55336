#!/usr/bin/env bash
# The Windows installer, built on Linux with NSIS (Debian package nsis): packs STAGING_DIR, the
# installation folder as windeployqt lays it out, whole and recursively, into
# OUTPUT_DIR/Quorvane-VERSION-win64-setup.exe. The uninstaller is given the list of exactly the
# staged files, made here, so that it deletes what it installed and nothing else.
# scripts/windows_installer_test.sh checks the result under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

step() { printf '\n== %s ==\n' "$*"; }
fail() {
    echo "windows-installer: $*" >&2
    exit 1
}

[ $# -eq 3 ] || fail "usage: windows_installer.sh STAGING_DIR VERSION OUTPUT_DIR"
staging=$(cd "$1" && pwd) || fail "no staging folder $1"
version=$2
mkdir -p "$3"
output=$(cd "$3" && pwd)
command -v makensis >/dev/null ||
    fail "makensis is missing: apt-get install --no-install-recommends nsis"
# The version goes into a file name and the Add/Remove Programs entry; Windows' own version
# resource takes four numbers: 0.1.0-rc1 becomes 0.1.0.0.
[[ $version =~ ^([0-9]+)(\.([0-9]+))?(\.([0-9]+))?(\.([0-9]+))?([-+~][0-9A-Za-z.+~-]*)?$ ]] ||
    fail "'$version' does not look like a version"
version4=${BASH_REMATCH[1]}.${BASH_REMATCH[3]:-0}.${BASH_REMATCH[5]:-0}.${BASH_REMATCH[7]:-0}

step "staging $staging"
# The shortcuts and the Add/Remove Programs entry point at the icons, the working folder gets
# the Multi.lang template: an installer without them would be broken on every machine.
for file in Multi.lang quorvane.ico quorvanefile.ico quorvanedevice.ico; do
    [ -f "$staging/$file" ] || fail "the staging folder lacks $file"
done
[ ! -e "$staging/Uninstall.exe" ] ||
    fail "the staging folder holds Uninstall.exe, which the installer writes itself"
# A name Windows cannot hold would be packed and then fail on the surveyor's machine.
bad=$(find -L "$staging" -name '*[\\:*?"<>|]*' -o -name '*[ .]' | head -n 3)
[ -z "$bad" ] || fail "names Windows cannot hold: $bad"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
list=$scratch/staged.nsh
windows() { # a staged path as NSIS wants it under $INSTDIR: backslashes, $ doubled
    local path=${1//\//\\}
    printf '%s' "${path//\$/\$\$}"
}
{
    echo '!macro RemoveStagedFiles'
    while IFS= read -r -d '' file; do
        printf '  Delete "%s\\%s"\n' "\$INSTDIR" "$(windows "$file")"
    done < <(cd "$staging" && find -L . -type f -printf '%P\0' | sort -z)
    # Deepest first, so that each folder is empty when its turn comes.
    while IFS= read -r -d '' folder; do
        printf '  RMDir "%s\\%s"\n' "\$INSTDIR" "$(windows "$folder")"
    done < <(cd "$staging" && find -L . -mindepth 1 -type d -printf '%P\0' | sort -rz)
    echo '!macroend'
} >"$list"
files=$(grep -c '^  Delete' "$list" || true)
echo "$files files, $(du -shL "$staging" | cut -f1)"

step "makensis"
setup=$output/Quorvane-$version-win64-setup.exe
rm -f "$setup"
# Warnings are errors: an unknown define or a missing file would otherwise only be mentioned.
makensis -WX -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DVERSION4="$version4" \
    -DSTAGING="$staging" -DSTAGED_LIST="$list" -DOUTFILE="$setup" \
    "$top/packaging/windows/quorvane.nsi"
[ -s "$setup" ] || fail "makensis wrote no $setup"
echo "$setup: $(du -h "$setup" | cut -f1)"
