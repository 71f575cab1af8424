#!/usr/bin/env bash
# Applies .clang-format to every C++ source; with --check, changes nothing and fails when a
# file is not formatted.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
cd "$ROOT"
mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
[ ${#files[@]} -eq 0 ] && exit 0
if [ "${1:-}" = "--check" ]; then
    clang-format --dry-run --Werror "${files[@]}"
else
    clang-format -i "${files[@]}"
fi
