#!/usr/bin/env bash
# Every C++ source of the repository laid out as .clang-format says; lists the files that are
# not (fix them with clang-format -i).
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
echo "check_format: every source file is clang-formatted"
