#!/usr/bin/env bash
# Builds the fuzz entries with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, then fuzzes each from its seeds, either for a
# bounded time or for a number of executions, and prints per target the
# executions, the coverage (cov: edges, ft: features) and any findings.
#
# Usage: run_libfuzzer.sh SOURCE_DIR BUILD_DIR [SECONDS_EACH | --runs N] [CONTENT_DIR]
#
# The xml target also starts from every XML file of a built content folder:
# CONTENT_DIR, else SOURCE_DIR/build/content when it exists. Findings (crashes,
# leaks, timeouts) are written to BUILD_DIR/findings_<target>/; the status is
# 1 when any target has a new one.
set -euo pipefail
src=$1
mkdir -p "$2"
build=$(cd "$2" && pwd)  # absolute: the fuzzers run from inside it
shift 2
seconds=20
runs=""
if [ $# -gt 0 ]; then
  if [ "$1" = "--runs" ]; then
    runs=$2
    shift 2
  else
    seconds=$1
    shift
  fi
fi
content=${1:-$src/build/content}

targets=(bitmap player_data http_response xml)
k_max_len=4096
k_xml_max_len=524288  # whole shipped animation files (up to ~300 KiB); libFuzzer still
                      # grows the length of mutated inputs gradually from small
k_timeout_seconds=10  # one input running longer than this is a finding (a hang)

if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  echo "clang with libFuzzer is not installed; skipping"
  exit 77
fi
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -g -O1"
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DTW_LIBFUZZER=ON -DTW_BUILD_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null

if [ -n "$runs" ]; then
  limit=(-runs="$runs")
  what="$runs executions"
else
  limit=(-max_total_time="$seconds")
  what="${seconds}s"
fi

summary=()
found=0
for target in "${targets[@]}"; do
  cmake --build "$build" -j2 --target "fuzz_$target" "fuzz_seeds_$target" >/dev/null
  corpus=$build/corpus_$target
  findings=$build/findings_$target
  log=$build/fuzz_$target.log
  mkdir -p "$corpus" "$findings"
  started=$build/.started_$target  # findings of earlier runs stay but are not counted
  touch "$started"
  "$build/tests/fuzz/fuzz_seeds_$target" "$corpus"
  max_len=$k_max_len
  if [ "$target" = xml ]; then
    max_len=$k_xml_max_len
    if [ -d "$content" ]; then
      # Shipped scene, layer tile, animation and font files, named by their path.
      while IFS= read -r -d '' file; do
        relative=${file#"$content"/}
        cp "$file" "$corpus/content_${relative//\//_}"
      done < <(find "$content" -name '*.xml' -type f -print0)
    fi
  fi
  echo "fuzzing $target for $what"
  status=0
  # The working folder is the build folder, where no content is, so file
  # names read from fuzzed documents find nothing.
  (cd "$build" && "$build/tests/fuzz/fuzz_$target" "${limit[@]}" -max_len="$max_len" \
    -timeout="$k_timeout_seconds" -artifact_prefix="$findings/" -print_final_stats=1 \
    "$corpus") >"$log" 2>&1 || status=$?
  tail -n 12 "$log"
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n1 | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -n1 | cut -d' ' -f2)
  artifacts=$(find "$findings" -type f -newer "$started" | wc -l)
  if [ "$status" -ne 0 ]; then
    found=1
  fi
  summary+=("$(printf '%-14s executions %-10s exec/s %-7s cov %-6s ft %-6s findings %s (exit %s)' \
    "$target" "${executions:-?}" "${rate:-?}" "${cov:-?}" "${ft:-?}" "$artifacts" "$status")")
done

echo
echo "== libFuzzer summary ($what each; findings in $build/findings_<target>/) =="
printf '%s\n' "${summary[@]}"
exit "$found"
