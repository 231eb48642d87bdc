#!/usr/bin/env bash
# A second compiler and a static analyser over the build's own compile commands: clang compiles
# every translation unit of the program and of its tests, and clang-tidy analyses the program's
# sources with the checks that .clang-tidy names. An error always fails; under continuous
# integration a warning or a finding fails too, while a developer's own run only shows them.
# Usage: tools/check-clang.sh BUILD_FOLDER
set -euo pipefail

strict=false
case "$(printf '%s' "${CI:-}" | tr '[:upper:]' '[:lower:]')" in
    "" | 0 | false | no | off) ;;
    *) strict=true ;;
esac

# One translation unit: tool, build folder, source, and the build's own arguments for it,
# already quoted for a shell.
if [ "${1:-}" = --one ]; then
    tool=$2 folder=$3 source=$4
    eval "set -- $5"
    # clang finds the MinGW-w64 headers by itself, but not the cross compiler's C++ library:
    # its folders come from the cross compiler's own search list.
    target=(--target=x86_64-w64-mingw32)
    while read -r include; do
        target+=(-isystem "$include")
    done < <(x86_64-w64-mingw32-g++-posix -x c++ -E -v /dev/null 2>&1 | grep '^ .*/include/c++')
    cd "$folder"
    if [ "$tool" = clang ]; then
        $strict && set -- "$@" -Werror
        exec clang++ "${target[@]}" "$@" -fsyntax-only "$source"
    fi
    tidy=(--quiet)
    $strict && tidy+=(--warnings-as-errors='*')
    # Without the count of the system headers' warnings, which are not shown anyway.
    clang-tidy "${tidy[@]}" "$source" -- "${target[@]}" "$@" 2>&1 |
        { grep -v '^[0-9]* warnings\? \(and [0-9]* errors\? \)\?generated\.$' || true; }
    exit "${PIPESTATUS[0]}"
fi

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?build folder}" && pwd)
commands="$build/clang-commands.txt"
cmake -DBUILD_DIR="$build" -DSOURCE_DIR="$root" -DOUTPUT="$commands" \
    -P "$root/cmake/ClangCommands.cmake"

# Runs one tool over the translation units whose source matches a pattern, two at a time.
run() {
    local tool=$1 pattern=$2
    while IFS='|' read -r folder source arguments; do
        [[ "$source" =~ $pattern ]] || continue
        printf '%s\0%s\0%s\0%s\0' "$tool" "$folder" "$source" "$arguments"
    done <"$commands" | xargs -0 -n 4 -P "$(nproc)" "$0" --one
}

status=0
echo "clang: every translation unit"
run clang "^$root/" || status=1
echo "clang-tidy: the program's sources"
run tidy "^$root/(app|controls|framework|maintenance|platform|settings)/" || status=1
if [ $status -ne 0 ]; then
    echo "clang or clang-tidy failed: see above" >&2
fi
exit $status
