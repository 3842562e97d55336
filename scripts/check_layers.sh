#!/usr/bin/env bash
# The house's layering, checked: every quoted #include of every source file must name its own
# room, a room (or a single header) its room may use, and only rooms allowed Qt may include a
# Qt header. The rooms table of docs/ARCHITECTURE.md is the rule; this script only reads it.
#   scripts/check_layers.sh [SOURCE_ROOT]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
[ -f docs/ARCHITECTURE.md ] || { echo "check_layers: docs/ARCHITECTURE.md is missing" >&2; exit 2; }

find . \( -path ./build -o -path './build-*' -o -path ./demo -o -path ./.git \) -prune -o \
    \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' | sort |
    xargs awk -v table=docs/ARCHITECTURE.md '
    function clean(text) { gsub(/[` ]/, "", text); gsub(/—/, "", text); return text }
    # The longest room that is a folder prefix of the path, "" for none.
    function roomOf(path,    r, best) {
        best = ""
        for (r in qt) if (index(path, r "/") == 1 && length(r) > length(best)) best = r
        return best
    }
    function allowed(list, path, room,    n, i, entries) {
        n = split(list, entries, ",")
        for (i = 1; i <= n; i++) if (entries[i] == room || entries[i] == path) return 1
        return 0
    }
    function fail(text) { print FILENAME ": " text; ++failures }
    BEGIN {
        while ((getline line < table) > 0) {
            if (line ~ /<!-- rooms -->/) { on = 1; continue }
            if (line ~ /<!-- end rooms -->/) on = 0
            if (!on || line !~ /^\| `/) continue
            split(line, cell, "|")
            room = clean(cell[2])
            qt[room] = clean(cell[3]); uses[room] = clean(cell[4]); testUses[room] = clean(cell[5])
        }
        if (length(qt) == 0) { print "check_layers: no rooms table in " table; exit 2 }
    }
    FNR == 1 {
        room = roomOf(FILENAME)
        if (room == "") fail("in no room of the table")
        mayUse = uses[room]
        if (FILENAME ~ /_test\.cpp$|\/testing\//) mayUse = mayUse "," testUses[room]
    }
    room != "" && /^#include <Q/ && qt[room] != "yes" {
        fail($2 " — " room " never uses Qt")
    }
    room != "" && /^#include "/ {
        included = $2; gsub(/"/, "", included)
        target = roomOf(included)
        if (target != room && !allowed(mayUse, included, target))
            fail("includes " included " — " room " may not use " (target == "" ? "an unknown room" : target))
    }
    END {
        if (failures > 0) {
            print "check_layers: " failures " include(s) break the rooms table of docs/ARCHITECTURE.md"
            exit 1
        }
        print "check_layers: every include keeps to the rooms table"
    }' || exit 1
