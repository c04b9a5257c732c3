#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) and runs them in one of two ways:
#
#   scripts/fuzz.sh              # the check run-tests.sh makes: the same verdict every time
#   scripts/fuzz.sh --explore    # a search for new findings: FUZZ_SECONDS (300) a target
#
# The check replays every checked-in corpus, then runs each target for FUZZ_RUNS
# executions (2000) from a fixed seed over a temporary copy of its corpus: the inputs it
# tries depend only on the commit, never on the clock or on an earlier run.
#
# Exploration runs each target for a wall-clock time, from a temporary copy of its corpus
# too, so the checked-in corpus stays as it is. What it finds lands in
# build-fuzz/artifacts/ (crash-*, timeout-*, oom-* with the log beside it), and the new
# inputs it grew in build-fuzz/explored/TARGET/; docs/reliability.md says how a finding
# becomes a corpus input and a regression test.
#
#   FUZZ_TARGETS="fuzz_mask fuzz_real"   # some targets only (both modes)
#   FUZZ_SECONDS=3600 scripts/fuzz.sh --explore
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
entrybox_need_packages "${ENTRYBOX_BUILD_PACKAGES[@]}" "${ENTRYBOX_FUZZ_PACKAGES[@]}"

mode=check
case "${1:-}" in
  "") ;;
  --explore) mode=explore ;;
  *)
    echo "usage: scripts/fuzz.sh [--explore]" >&2
    exit 2
    ;;
esac

runs=${FUZZ_RUNS:-2000}
seconds=${FUZZ_SECONDS:-300}
build=${FUZZ_BUILD_DIR:-build-fuzz}
jobs=$(nproc)

cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$jobs" >/dev/null

if [ -n "${FUZZ_TARGETS:-}" ]; then
  read -r -a targets <<<"$FUZZ_TARGETS"
else
  mapfile -t targets <"$build/targets.txt"
fi
artifacts="$build/artifacts"
mkdir -p "$artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Prints the end of a failed run's log, keeps the log beside the artifacts, and stops.
failed() {
  echo "FAILED: $1 (log: $artifacts/$(basename "$2"))" >&2
  tail -n 40 "$2" >&2
  cp "$2" "$artifacts/" 2>/dev/null || true
  exit 1
}

dict_for() {
  [ -f "fuzz/$1.dict" ] && echo "-dict=fuzz/$1.dict"
  true
}

if [ "$mode" = check ]; then
  for t in "${targets[@]}"; do
    corpus="fuzz/corpus/$t"
    log="$work/$t-replay.log"
    echo "== $t: replaying $corpus ($(find "$corpus" -type f | wc -l) inputs)"
    "$build/$t" -rss_limit_mb=2048 -timeout=60 "$corpus"/* >"$log" 2>&1 || failed "$t replay" "$log"
  done
  for t in "${targets[@]}"; do
    cp -r "fuzz/corpus/$t" "$work/$t"
    log="$work/$t-runs.log"
    echo "== $t: $runs runs from seed 1"
    # -seed and -runs fix the inputs tried; -timeout only guards against a hang.
    # shellcheck disable=SC2046
    "$build/$t" $(dict_for "$t") -seed=1 -runs="$runs" -timeout=60 -rss_limit_mb=2048 \
      -artifact_prefix="$artifacts/$t-" "$work/$t" >"$log" 2>&1 || failed "$t" "$log"
  done
  echo "fuzzing: every corpus replayed, every target ran $runs inputs, all green"
  exit 0
fi

explored="$build/explored"
rm -rf "${artifacts:?}"/*
for t in "${targets[@]}"; do
  rm -rf "${explored:?}/$t"
  mkdir -p "$explored/$t"
  cp -r "fuzz/corpus/$t" "$work/$t"
  log="$artifacts/$t-explore.log"
  echo "== $t: exploring ${seconds}s"
  # The new inputs go to the first folder, read with the checked-in corpus behind it.
  # shellcheck disable=SC2046
  status=0
  "$build/$t" $(dict_for "$t") -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/$t-" "$explored/$t" "$work/$t" \
    >"$log" 2>&1 || status=$?
  { grep -E '^stat::number_of_executed_units|^#[0-9]+ +DONE' "$log" || true; } | sed 's/^/   /'
  if [ "$status" -ne 0 ]; then
    echo "   FINDING: see $log and $artifacts/$t-*" >&2
    tail -n 20 "$log" >&2
  fi
done
ls "$artifacts" | grep -E -- '-(crash|timeout|oom|leak)-' && exit 1
echo "exploring: no findings"
