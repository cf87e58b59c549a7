#!/bin/sh
# Builds the WAV fuzzer with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs it on a seed corpus made by code for a bounded time.
# Usage: run_wav_fuzzer.sh SOURCE_DIR WORK_DIR SECONDS
set -eu
src=$1
work=$2
seconds=${3:-60}
mkdir -p "$work/corpus"
flags="-std=c++20 -g -O1 -I$src $(pkg-config --cflags sdl2)"
# shellcheck disable=SC2086
clang++ $flags -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  "$src/tests/audio/wav_fuzzer.cpp" "$src/audio/wave_file.cpp" "$src/platform/sdl/mmio.cpp" "$src/platform/linux/files.cpp" \
  "$src/platform/sdl/wave_out.cpp" "$src/platform/sdl/wave_out_device.cpp" $(pkg-config --libs sdl2) \
  -o "$work/wav_fuzzer"
# shellcheck disable=SC2086
clang++ $flags "$src/tests/audio/wav_fuzz_seeds.cpp" -o "$work/wav_fuzz_seeds"
"$work/wav_fuzz_seeds" "$work/corpus"
# Nothing may outlive an input, or libFuzzer gives up its leak check after a while: each
# input is run twice with its allocations traced, and the second run must free all it takes.
"$work/wav_fuzzer" -runs=2 -trace_malloc=1 "$work"/corpus/* 2>&1 | grep 'MallocFreeTracer: STOP' |
  awk 'NR % 2 == 0 && !/\(same\)/ { kept++ } END { if (kept) { print "FAIL: " kept \
    " inputs keep memory from one run to the next"; exit 1 } }' >&2
status=0
"$work/wav_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$work/" -print_final_stats=1 "$work/corpus" >"$work/fuzz.log" 2>&1 || status=$?
cat "$work/fuzz.log"
if grep -q "disabled leak detection" "$work/fuzz.log"; then
  echo "FAIL: libFuzzer turned its leak check off" >&2
  exit 1
fi
exit "$status"
