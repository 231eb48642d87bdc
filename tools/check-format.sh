#!/usr/bin/env bash
# Fails, naming them, when tracked C++ files are not as .clang-format lays them out.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "clang-format is missing: make deps installs it" >&2; exit 1; }

drifted=()
while IFS= read -r -d '' file; do
    clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || drifted+=("$file")
done < <(git ls-files -z '*.cpp' '*.h')

[ ${#drifted[@]} -eq 0 ] && exit 0
echo "Not formatted as .clang-format says (make format mends them):" >&2
printf '  %s\n' "${drifted[@]}" >&2
exit 1
