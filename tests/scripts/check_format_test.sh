#!/usr/bin/env bash
# scripts/check-format in a scratch git checkout: it must fail naming exactly the files
# clang-format would change (tracked or new, never ignored ones), pass once --fix has run,
# and never pass when clang-format itself fails.
set -euo pipefail
check_format=$1
clang_format_style=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

mkdir -p "$root/scripts" "$root/src" "$root/build"
cp "$check_format" "$root/scripts/check-format"
cp "$clang_format_style" "$root/.clang-format"
cd "$root"
git init -q .
printf '/build/\n' >.gitignore
printf 'int f() {\n    return 0;\n}\n' >src/good.cpp
printf 'int  g( ) {return 1;}\n' >"src/bad one.h"
printf 'int  h( ) {return 2;}\n' >build/ignored.cpp
git add .gitignore src
printf 'int  k( ) {return 3;}\n' >src/new.cpp

status=0
out=$(scripts/check-format) || status=$?
[ $status -eq 1 ] || fail "exit $status for unformatted files: $out"
grep -qx '  src/bad one.h' <<<"$out" || fail "the tracked file is not named: $out"
grep -qx '  src/new.cpp' <<<"$out" || fail "the new file is not named: $out"
! grep -q 'good.cpp\|ignored.cpp' <<<"$out" || fail "a file that needs nothing is named: $out"

scripts/check-format --fix
scripts/check-format >/dev/null || fail "still unformatted after --fix"
grep -q '^int k() {$' src/new.cpp || fail "--fix wrote: $(cat src/new.cpp)"
[ "$(cat build/ignored.cpp)" = "int  h( ) {return 2;}" ] || fail "--fix touched an ignored file"

printf 'BasedOnStyle: NoSuchStyle\n' >.clang-format
status=0
scripts/check-format >/dev/null 2>&1 || status=$?
[ $status -eq 2 ] || fail "exit $status when clang-format cannot run"
echo "check-format: ok"
