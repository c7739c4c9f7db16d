#!/bin/sh
# Checks that our C++ follows .clang-format (the bundled third-party decoders are left as their
# authors wrote them).
#
#   tools/structure/check_format.sh          every C++ file of the repository
#   tools/structure/check_format.sh REV      only the files changed since the git revision REV
#   tools/structure/check_format.sh --fix    formats them instead of checking
set -eu
cd "$(dirname "$0")/../.."
fix=""
if [ "${1:-}" = "--fix" ]; then
    fix=1
    shift
fi
if [ -n "${1:-}" ]; then
    files=$(git diff --name-only --diff-filter=ACMR "$1" -- '*.cpp' '*.h')
else
    files=$(git ls-files '*.cpp' '*.h')
fi
files=$(printf '%s\n' "$files" | grep -v '^engine/third_party/' | grep -v '^$' || true)
[ -n "$files" ] || exit 0
if [ -n "$fix" ]; then
    printf '%s\n' "$files" | xargs clang-format -i
else
    # One line a file that differs, then clang-format's own report of the first differences.
    printf '%s\n' "$files" | xargs clang-format --dry-run --Werror 2>&1 | head -40
    printf '%s\n' "$files" | xargs clang-format --dry-run --Werror >/dev/null 2>&1
fi
