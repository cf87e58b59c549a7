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
  "$src/tests/audio/wav_fuzzer.cpp" "$src/audio/wave_file.cpp" "$src/platform/sdl/mmio.cpp" "$src/platform/posix/files.cpp" \
  "$src/platform/sdl/wave_out.cpp" "$src/platform/sdl/wave_out_device.cpp" $(pkg-config --libs sdl2) \
  -o "$work/wav_fuzzer"
# shellcheck disable=SC2086
clang++ $flags "$src/tests/audio/wav_fuzz_seeds.cpp" -o "$work/wav_fuzz_seeds"
"$work/wav_fuzz_seeds" "$work/corpus"
exec "$work/wav_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$work/" -print_final_stats=1 "$work/corpus"
