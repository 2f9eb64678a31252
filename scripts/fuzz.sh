#!/usr/bin/env bash
# Builds one libFuzzer target of tests/fuzz with clang and runs it.
# Usage: scripts/fuzz.sh TARGET SECONDS [extra libFuzzer options]
#   TARGET   a name from tests/fuzz (numbers, references, ...) or "list"
#   SECONDS  how long to fuzz (0: run the seed corpus once and stop)
# The build folder is build-fuzz (KORVEL_FUZZ_BUILD overrides it); the growing
# corpus stays in <build>/fuzz/corpus/TARGET between runs, crashes land in
# <build>/fuzz/crashes/TARGET. The exit status is libFuzzer's: 0 when no input
# crashed, leaked or tripped a sanitizer.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?usage: scripts/fuzz.sh TARGET SECONDS}
seconds=${2:-60}
shift 2 || shift $#
build=${KORVEL_FUZZ_BUILD:-$here/build-fuzz}

need=()
command -v clang++ >/dev/null || need+=(clang)
compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null ||
  need+=(libclang-rt-14-dev)
if ((${#need[@]})); then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get install -y --no-install-recommends "${need[@]}" ||
    { $sudo apt-get update && $sudo apt-get install -y --no-install-recommends "${need[@]}"; }
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKORVEL_FUZZ=ON -DKORVEL_BUILD_BENCH=OFF >/dev/null
fi
if [ "$target" = list ]; then
  ls "$build/fuzz" | sed -n 's/^fuzz_\(.*\)\.seeds$/\1/p'
  exit 0
fi
cmake --build "$build" -j2 --target "fuzz_$target"

seeds="$build/fuzz/seeds/$target"
corpus="$build/fuzz/corpus/$target"
crashes="$build/fuzz/crashes/$target"
rm -rf "$seeds"
mkdir -p "$seeds" "$corpus" "$crashes"
while IFS= read -r seed; do
  [ -n "$seed" ] && [ -f "$seed" ] && cp "$seed" "$seeds/"
done <"$build/fuzz/fuzz_$target.seeds"

# Short allocation stacks and a small quarantine make AddressSanitizer several
# times faster on these allocation-heavy targets; a crash file run again with
# ASAN_OPTIONS set to something else (even "") gives the full stacks.
export ASAN_OPTIONS=${ASAN_OPTIONS-malloc_context_size=2:quarantine_size_mb=16}
log="$build/fuzz/fuzz_$target.log"
stamp="$build/fuzz/fuzz_$target.started"
touch "$stamp"
status=0
if [ "$seconds" = 0 ]; then
  "$build/fuzz/fuzz_$target" -runs=0 "$@" "$seeds" >"$log" 2>&1 || status=$?
else
  "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$crashes/" "$@" "$corpus" "$seeds" >"$log" 2>&1 || status=$?
fi
executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
[ -n "$executions" ] || executions=$(grep -o 'Done [0-9]* runs' "$log" | tail -n1 | tr -dc 0-9)
found=$(find "$crashes" -type f -newer "$stamp" | wc -l)
echo "fuzz_$target: ${executions:-?} executions in ${seconds} s, exit status $status," \
     "$found new crash file(s) in $crashes, corpus $(find "$corpus" -type f | wc -l) inputs, log $log"
if [ "$status" -ne 0 ]; then
  grep -m1 -A12 'ERROR:\|runtime error\|==ERROR' "$log" || tail -n 20 "$log"
fi
exit "$status"
