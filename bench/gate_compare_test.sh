#!/usr/bin/env bash
# The gate's verdicts on made-up counts: what passes, what fails, what is not compared.
set -uo pipefail
gate="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
failures=0

# expect STATUS BASELINE-LINES CURRENT-LINES DESCRIPTION
expect() {
  local want="$1" base="$2" current="$3" what="$4" got
  printf '%b' "$base" >"$dir/base"
  printf '%b' "$current" >"$dir/current"
  "$gate" compare "$dir/base" "$dir/current" >"$dir/out" 2>&1
  got=$?
  if [ "$got" -ne "$want" ]; then
    echo "FAIL: $what: exit $got, expected $want"
    cat "$dir/out"
    failures=$((failures + 1))
  fi
}

b='# build: GNU 12 RelWithDebInfo -O2\n'
expect 0 "$b""a 1000\nb 2000\n" "$b""a 1000\nb 2000\n" "same counts"
expect 0 "$b""a 1000\nb 2000\n" "$b""a 900\nb 2100\n" "fewer, and 5 % more exactly"
expect 0 "$b""a 1000\n" "$b""a 1049\n" "4.9 % more"
expect 1 "$b""a 1000\n" "$b""a 1051\n" "5.1 % more"
expect 1 "$b""a 1000\nb 2000\n" "$b""a 1000\nb 4000\n" "one case of two doubled"
expect 1 "$b""a 1000\nb 2000\n" "$b""a 1000\n" "a case gone"
expect 1 "$b""a 1000\n" "$b""a 1000\nc 5\n" "a case without a baseline"
expect 77 "$b""a 1000\n" "# build: Clang 14 RelWithDebInfo -O2\na 5000\n" "another compiler"
expect 0 "# comment\n$b\na 1000\n" "$b""a 1000\n" "comments and blank lines"

[ "$failures" -eq 0 ] && echo "all gate verdicts as expected"
exit "$failures"
