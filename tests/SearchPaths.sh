#!/bin/sh
# SearchPaths.sh BUILD: every program and library under BUILD finds its libraries by absolute
# paths or paths from its own place ($ORIGIN). An empty or relative entry is looked up from the
# working folder, where anyone's library of the right name would run as ours.
set -eu
build="$1"
checked=0
faults=0
list="$(mktemp)"
trap 'rm -f "$list"' EXIT
find "$build" \( -name CMakeFiles -o -path "$build/fuzzing" \) -prune -o -type f \( -perm -u+x -o -name '*.so*' \) \
    -print >"$list"
while IFS= read -r file; do
    [ "$(head -c 4 "$file" | od -An -c | tr -d ' ')" = '177ELF' ] || continue
    checked=$((checked + 1))
    paths="$(readelf -d "$file" | sed -n 's/.*(R[UN]*PATH).*\[\(.*\)\]$/\1/p')"
    [ -n "$paths" ] || continue
    outside="$(printf '%s\n' "$paths" | tr ':' '\n' |
        grep -cv -e '^/' -e '^\$ORIGIN$' -e '^\$ORIGIN/' || true)"
    if [ "$outside" -gt 0 ]; then
        echo "$file: $outside search path entries outside its own folders in '$paths'"
        faults=$((faults + outside))
    fi
done <"$list"
echo "$checked programs and libraries, $faults entries outside their own folders"
[ "$checked" -gt 0 ] && [ "$faults" -eq 0 ]
