#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the WAV fuzzer with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs it on a seed corpus made by code for a bounded time.
# Usage: run_wav_fuzzer.sh SOURCE_DIR WORK_DIR SECONDS
set -eu
src=$1
work=$2
seconds=${3:-60}
# The seeds are made afresh in a folder of their own on every run; the corpus that
# libFuzzer grows beside them is kept from run to run.
seeds=$work/seeds
rm -rf "$seeds"
mkdir -p "$seeds" "$work/corpus"
flags="-std=c++20 -g -O1 -I$src"
# shellcheck disable=SC2086  # the flags are a list of words
clang++ $flags -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  "$src/tests/audio/wav_fuzzer.cpp" "$src/audio/wave_file.cpp" "$src/platform/winmm/mmio.cpp" \
  "$src/platform/files/files.cpp" "$src/platform/linux/files.cpp" "$src/platform/winmm/wave_out.cpp" \
  "$src/platform/winmm/wave_out_voices.cpp" "$src/platform/winmm/wave_out_convert.cpp" \
  "$src/platform/winmm/wave_out_mixer.cpp" -o "$work/wav_fuzzer"
# shellcheck disable=SC2086
clang++ $flags "$src/tests/audio/wav_fuzz_seeds.cpp" -o "$work/wav_fuzz_seeds"
"$work/wav_fuzz_seeds" "$seeds"
# Nothing may outlive an input, or libFuzzer gives up its leak check after a while: each
# seed is run twice with its allocations traced, and every run after its first must free
# all it takes. libFuzzer runs an input once more when a run keeps memory, so the runs
# are counted per input, not by line. The seeds alone: the grown corpus differs from run
# to run, and so would the check.
"$work/wav_fuzzer" -runs=2 -trace_malloc=1 "$seeds"/* 2>&1 |
  awk '/^Running: / { input = $2; stops = 0; inputs++ }
    /MallocFreeTracer: STOP/ && ++stops > 1 && !/\(same\)/ && !(input in kept) {
      kept[input]; n++; print "keeps memory: " input }
    END { if (!inputs) { print "FAIL: no seed ran"; exit 1 }
      if (n) { print "FAIL: " n " of " inputs " inputs keep memory from one run to the next"; exit 1 } }' >&2
status=0
"$work/wav_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$work/" -print_final_stats=1 "$work/corpus" "$seeds" >"$work/fuzz.log" 2>&1 || status=$?
cat "$work/fuzz.log"
if grep -q "disabled leak detection" "$work/fuzz.log"; then
  echo "FAIL: libFuzzer turned its leak check off" >&2
  exit 1
fi
exit "$status"
