#!/usr/bin/env bash
# Builds the fuzz entries with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, then fuzzes each for a bounded time from its
# seeds. Usage: run_libfuzzer.sh SOURCE_DIR BUILD_DIR [SECONDS_EACH]
set -euo pipefail
src=$1
build=$2
seconds=${3:-20}
if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  echo "clang with libFuzzer is not installed; skipping"
  exit 77
fi
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -g -O1"
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DTW_LIBFUZZER=ON -DTW_BUILD_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
for target in bitmap player_data http_response; do
  cmake --build "$build" -j2 --target "fuzz_$target" "fuzz_seeds_$target" >/dev/null
  corpus=$build/corpus_$target
  mkdir -p "$corpus"
  "$build/tests/fuzz/fuzz_seeds_$target" "$corpus"
  echo "fuzzing $target for ${seconds}s"
  "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=4096 \
    -print_final_stats=1 "$corpus" 2>&1 | tail -n 12
done
