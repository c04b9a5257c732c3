#!/usr/bin/env bash
# The keystroke cost gate: instructions per keystroke, counted by callgrind, against the
# baseline committed in bench/keystroke-baseline.txt. Instruction counts do not depend on
# the machine's load, so the gate gives the same verdict on every run of the same build.
#
#   keystroke-gate.sh check  BINARY        fail when a case costs more than 5 % above the
#                                          baseline (skip, exit 77, when the baseline was
#                                          recorded by another compiler or other flags)
#   keystroke-gate.sh update BINARY        record the current counts as the new baseline:
#                                          a deliberate act, with its reason in the commit
#   keystroke-gate.sh count  BINARY [ARGS] print instructions per key of each case
#   keystroke-gate.sh compare BASELINE CURRENT   compare two count files (used by check)
#
# BINARY prints "case NAME keys N" for each case and dumps callgrind's counters under
# NAME (CALLGRIND_DUMP_STATS_AT) right after the case's keys.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
baseline="${ENTRYBOX_KEYSTROKE_BASELINE:-$here/bench/keystroke-baseline.txt}"
# A rise above this share of the baseline fails.
tolerance_percent=5

usage() {
  sed -n '2,16p' "$0" >&2
  exit 2
}

# Prints "# build: ID" and then "NAME INSTRUCTIONS_PER_KEY" for each case of BINARY.
count() {
  local binary="$1"
  shift
  command -v valgrind >/dev/null || {
    echo "valgrind is not installed (scripts/deps.sh installs it)" >&2
    exit 1
  }
  local dir="$work/count"
  rm -rf "$dir"
  mkdir "$dir"
  if ! valgrind --tool=callgrind --callgrind-out-file="$dir/cg.out" "$binary" "$@" \
    >"$dir/cases" 2>"$dir/log"; then
    cat "$dir/log" >&2
    echo "$binary failed under callgrind" >&2
    exit 1
  fi
  local file name ir
  for file in "$dir"/cg.out.*; do
    [ -e "$file" ] || continue
    name="$(sed -n 's/^desc: Trigger: Client Request: //p' "$file")"
    ir="$(sed -n 's/^summary: *//p' "$file" | awk '{print $1}')"
    [ -n "$name" ] && [ -n "$ir" ] && echo "$name $ir"
  done >"$dir/dumps"
  # Per case: its dumps summed, divided by its keys.
  awk '
    FNR == NR { ir[$1] += $2; next }
    $1 == "case" {
      if (!($2 in ir)) { print "no callgrind dump for " $2 > "/dev/stderr"; bad = 1; next }
      printf "%s %d\n", $2, ir[$2] / $4 + 0.5
    }
    END { exit bad }
  ' "$dir/dumps" "$dir/cases"
}

# Compares a count file with a baseline file; exit 0 within the tolerance, 1 above it or
# when a case is missing on either side, 77 when the builds differ.
compare() {
  local base="$1" current="$2"
  local base_build current_build
  base_build="$(sed -n 's/^# build: //p' "$base")"
  current_build="$(sed -n 's/^# build: //p' "$current")"
  if [ "$base_build" != "$current_build" ]; then
    echo "baseline recorded with \"$base_build\"; this build is \"$current_build\":" \
      "instruction counts are not comparable, not checked" >&2
    return 77
  fi
  awk -v tolerance="$tolerance_percent" '
    /^#/ || NF < 2 { next }
    FNR == NR { base[$1] = $2; next }
    {
      seen[$1] = 1
      if (!($1 in base)) { printf "%-28s %10d   no baseline\n", $1, $2; bad = 1; next }
      change = base[$1] > 0 ? 100 * ($2 - base[$1]) / base[$1] : 0
      verdict = change > tolerance ? "FAIL" : "ok"
      if (change > tolerance) bad = 1
      printf "%-28s %10d %10d %+7.2f %%  %s\n", $1, $2, base[$1], change, verdict
    }
    END {
      for (name in base) if (!(name in seen)) { printf "%-28s missing\n", name; bad = 1 }
      exit bad
    }
  ' "$base" "$current"
}

[ $# -ge 2 ] || usage
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
command="$1"
shift
case "$command" in
  count)
    count "$@"
    ;;
  compare)
    compare "$1" "$2"
    ;;
  check)
    [ -f "$baseline" ] || {
      echo "no baseline at $baseline; record one with: $0 update $1" >&2
      exit 1
    }
    current="$work/current"
    {
      echo "# build: $("$1" --build)"
      count "$1"
    } >"$current"
    echo "instructions per keystroke: case, now, baseline, change (fail above +$tolerance_percent %)"
    status=0
    compare "$baseline" "$current" || status=$?
    exit "$status"
    ;;
  update)
    current="$work/current"
    {
      echo "# build: $("$1" --build)"
      count "$1"
    } >"$current"
    {
      echo "# Instructions per keystroke (callgrind) of bench/keystroke_counts.cpp's cases."
      echo "# Written by scripts/keystroke-gate.sh update; compared by the test command."
      cat "$current"
    } >"$baseline.new"
    mv "$baseline.new" "$baseline"
    cat "$baseline"
    ;;
  *)
    usage
    ;;
esac
