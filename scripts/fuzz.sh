#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on), replays every checked-in corpus, then runs each target
# for FUZZ_SECONDS (30 by default) from a temporary copy of its corpus, so that the
# checked-in corpus stays as it is. Any finding stops the script with status 1; the
# input that found it is kept in build-fuzz/artifacts/.
#
#   scripts/fuzz.sh                       # as CI runs it
#   FUZZ_SECONDS=600 scripts/fuzz.sh      # a longer run
#   FUZZ_TARGETS="fuzz_mask" scripts/fuzz.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
entrybox_need_packages "${ENTRYBOX_BUILD_PACKAGES[@]}" "${ENTRYBOX_FUZZ_PACKAGES[@]}"

seconds=${FUZZ_SECONDS:-30}
build=${FUZZ_BUILD_DIR:-build-fuzz}
jobs=$(nproc)

cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$jobs"

if [ -n "${FUZZ_TARGETS:-}" ]; then
  read -r -a targets <<<"$FUZZ_TARGETS"
else
  mapfile -t targets <"$build/targets.txt"
fi
artifacts="$build/artifacts"
mkdir -p "$artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Prints the end of a failed run's log and stops.
failed() {
  echo "FAILED: $1 (log: $2)" >&2
  tail -n 40 "$2" >&2
  cp "$2" "$artifacts/" 2>/dev/null || true
  exit 1
}

for t in "${targets[@]}"; do
  corpus="fuzz/corpus/$t"
  log="$work/$t-replay.log"
  echo "== $t: replaying $corpus ($(ls "$corpus" | wc -l) inputs)"
  "$build/$t" -rss_limit_mb=2048 -timeout=10 "$corpus"/* >"$log" 2>&1 || failed "$t replay" "$log"
done

for t in "${targets[@]}"; do
  cp -r "fuzz/corpus/$t" "$work/$t"
  dict=()
  [ -f "fuzz/$t.dict" ] && dict=(-dict="fuzz/$t.dict")
  log="$work/$t-fuzz.log"
  echo "== $t: fuzzing ${seconds}s"
  "$build/$t" "${dict[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/$t-" "$work/$t" >"$log" 2>&1 ||
    failed "$t" "$log"
  { grep -E '^stat::number_of_executed_units|^#[0-9]+ +DONE' "$log" || true; } | sed 's/^/   /'
done
echo "fuzzing: all targets green"
