#!/usr/bin/env bash
# SQLite for the Windows builds of the cast library: Debian ships no MinGW build of it, but it
# ships its source. Makes the amalgamation (sqlite3.c and sqlite3.h, the one-file form that any
# compiler builds) from Debian's sqlite3 source, Debian's patches applied, with the host's
# compiler and tclsh once, into a cache outside the tree that every later build on this machine
# reuses. Prints the cached folder last.
#   scripts/windows_sqlite.sh [--cached]   --cached: only print the folder, or fail if not made
#   QUORVANE_CACHE   where the cache lives (default ~/.cache/quorvane)
set -euo pipefail
cache=${QUORVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quorvane}
# What bookworm has, the same SQLite the Linux build links.
version=3.40.1
# The cache is told apart by what shapes it: this script.
hash=$(sha256sum "$0" | cut -c1-12)
prefix="$cache/sqlite-$version-$hash"
fail() {
    echo "windows_sqlite: $*" >&2
    exit 1
}
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
if [ "${1:-}" = --cached ]; then
    fail "no SQLite amalgamation in $prefix (scripts/windows_sqlite.sh makes it)"
fi
command -v tclsh >/dev/null || command -v tclsh8.6 >/dev/null ||
    fail "the amalgamation needs tclsh (package tcl)"
command -v dpkg-source >/dev/null || fail "unpacking Debian's source needs dpkg-source (dpkg-dev)"

work="$cache/sqlite-$version-src"
src="$work/sqlite3-$version"
mkdir -p "$work"
start=$(date +%s)
fetch=
build=
trap 'rm -rf "$fetch" "$build"' EXIT
# Debian's source package through a source list of our own: the system's apt configuration is
# left as it is. Unpacked beside and moved into place whole, so that a fetch cut short is
# fetched again rather than built half.
if [ ! -d "$src" ]; then
    fetch=$(mktemp -d "$work/fetch.XXXXXX")
    lists="$work/apt-lists"
    mkdir -p "$lists/partial"
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
        "http://deb.debian.org/debian bookworm main" >"$work/sources.list"
    # Without a network apt would retry for minutes; the caller goes on without the library.
    # Its package caches stay off: they would be the system's, rebuilt from this list.
    apt_opts=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=/dev/null"
        -o "Dir::State::Lists=$lists" -o Debug::NoLocking=1 -o Acquire::Retries=0
        -o Acquire::http::Timeout=30 -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=)
    # Any Debian revision of that upstream version: bookworm's security fixes replace the old
    # revision on the mirror.
    apt-get "${apt_opts[@]}" update -qq || true
    revision=$({ apt-cache "${apt_opts[@]}" showsrc sqlite3 2>/dev/null || true; } |
        sed -n "s/^Version: \($version-.*\)/\1/p" | sort -V | tail -1)
    [ -n "$revision" ] ||
        fail "Debian's sqlite3 $version source is not to be had (no network, or bookworm moved on)"
    (cd "$fetch" && apt-get "${apt_opts[@]}" source -qq "sqlite3=$revision") \
        >"$fetch/fetch.log" 2>&1 ||
        fail "Debian's sqlite3 $revision source could not be fetched: $(tail -3 "$fetch/fetch.log")"
    [ -f "$fetch/sqlite3-$version/configure" ] || fail "Debian's sqlite3 $revision did not unpack"
    mv -T "$fetch/sqlite3-$version" "$src" 2>/dev/null || [ -f "$src/configure" ] ||
        fail "could not move the source to $src"
    echo "fetched Debian's sqlite3 $revision in $(($(date +%s) - start)) s"
fi

# The amalgamation does not depend on configure's options: it is the same C for every target.
build=$(mktemp -d "$work/build.XXXXXX")
(cd "$build" && "$src/configure" --disable-tcl --disable-readline &&
    nice make sqlite3.c) >"$build/build.log" 2>&1 ||
    fail "the amalgamation did not build: $(tail -5 "$build/build.log")"
grep -q "^#define SQLITE_VERSION *\"$version\"" "$build/sqlite3.h" ||
    fail "the amalgamation is not SQLite $version"
# Filled beside and renamed: a concurrent caller sees the cache whole or not at all.
staged=$(mktemp -d "$cache/sqlite-$version-$hash.XXXXXX")
cp "$build/sqlite3.c" "$build/sqlite3.h" "$staged/"
chmod 755 "$staged"
touch "$staged/.complete"
if ! mv -T "$staged" "$prefix" 2>/dev/null; then
    rm -rf "$staged"
    [ -f "$prefix/.complete" ] || fail "could not fill $prefix"
fi
echo "SQLite $version amalgamation made in $(($(date +%s) - start)) s"
echo "$prefix"
