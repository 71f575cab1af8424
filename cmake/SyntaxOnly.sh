# SyntaxOnly.sh COMPILER ARGUMENTS...: a compiler launcher that has the compiler check a file
# (its warnings, its dependency file) without generating code, and leaves an empty object in
# place of the one it did not make, so that ninja checks the file again only when it changes.
"$@" -fsyntax-only || exit
while [ $# -gt 1 ]; do
    if [ "$1" = -o ]; then
        : >"$2"
        exit 0
    fi
    shift
done
