#!/bin/sh
# Fails, naming each file, when a C++ file of the repository differs from what
# clang-format 14 makes of it with .clang-format. `tools/check-format.sh -i`
# formats them instead.
set -eu
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ]; then
  echo "clang-format is not installed: run tools/install-deps.sh test" >&2
  exit 1
fi

files=$(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' '*.inc')
if [ "${1:-}" = "-i" ]; then
  # shellcheck disable=SC2086 # the names hold no blanks
  "$format" -i $files
  exit 0
fi
# shellcheck disable=SC2086
if ! report=$("$format" --dry-run --Werror $files 2>&1); then
  echo "These files differ from clang-format's form (tools/check-format.sh -i formats them):" >&2
  echo "$report" | sed -n 's/^\([^: ]*\):[0-9]*:[0-9]*: error:.*/  \1/p' | sort -u >&2
  exit 1
fi
