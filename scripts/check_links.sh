#!/usr/bin/env bash
# Each file holds to the libraries its target links: a quoted #include of a header whose
# source belongs to another library is allowed only where that library is linked (directly,
# or handed on by a linked library). A header with no source of its own (ids, small value
# types) links nothing and is left to the rooms table.
#   scripts/check_links.sh SOURCE_ROOT LINK_MAP   (the map is written by CMake at configure)
set -euo pipefail
root=${1:?usage: check_links.sh SOURCE_ROOT LINK_MAP}
map=${2:?usage: check_links.sh SOURCE_ROOT LINK_MAP}
cd "$root"
awk -F'\t' '
    function stem(path) { sub(/\.(cpp|h)$/, "", path); return path }
    # Marks in `seen` every target whose headers `target` may include.
    function reach(target,    n, i, names) {
        n = split(handed[target], names, " ")
        for (i = 1; i <= n; i++) {
            if (names[i] in sources && !(names[i] in seen)) { seen[names[i]] = 1; reach(names[i]) }
        }
    }
    function check(target, file,    line, included, owner) {
        while ((getline line < file) > 0) {
            if (line !~ /^#include "/) continue
            included = line; sub(/^#include "/, "", included); sub(/".*/, "", included)
            owner = ownerOf[stem(included)]
            if (owner != "" && owner != target && !(owner in seen)) {
                print file " (" target "): includes " included " of " owner ", which " target \
                    " does not link"
                ++failures
            }
        }
        close(file)
    }
    {
        sources[$1] = $2; links[$1] = $3; handed[$1] = $4
        n = split($2, files, " ")
        for (i = 1; i <= n; i++) if (files[i] ~ /\.cpp$/ && !(stem(files[i]) in ownerOf)) ownerOf[stem(files[i])] = $1
    }
    END {
        if (length(sources) == 0) { print "check_links: the link map is empty"; exit 2 }
        for (target in sources) {
            delete seen
            n = split(links[target], names, " ")
            for (i = 1; i <= n; i++) if (names[i] in sources) { seen[names[i]] = 1; reach(names[i]) }
            n = split(sources[target], files, " ")
            for (i = 1; i <= n; i++) {
                check(target, files[i])
                header = stem(files[i]) ".h"
                if (files[i] ~ /\.cpp$/ && ownerOf[stem(files[i])] == target && \
                    (getline probe < header) >= 0) { close(header); check(target, header) }
            }
        }
        if (failures > 0) { print "check_links: " failures " include(s) of libraries not linked"; exit 1 }
        print "check_links: every include is of a library its target links"
    }' "$map"
