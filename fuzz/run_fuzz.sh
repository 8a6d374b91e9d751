#!/bin/sh
# Usage: run_fuzz.sh SOURCE_DIR WORK_DIR [SECONDS=60]. Builds the GIF fuzzer with clang, replays the kept
# regressions, then fuzzes from the seed corpus. Exits 77 (skipped) when clang++ cannot link libFuzzer.
set -eu
src=$1 work=$2
flags="-std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined"
mkdir -p "$work/corpus" "$work/artifacts"
echo 'extern "C" int LLVMFuzzerTestOneInput(const char *, unsigned long) { return 0; }' >"$work/probe.cpp"
clang++ $flags "$work/probe.cpp" -o "$work/probe" 2>/dev/null || { echo "no libFuzzer: skipped"; exit 77; }
# The GIF library without the export, which needs the whole editor.
clang++ $flags -I"$src/src" "$src/fuzz/gif_fuzzer.cpp" $(ls "$src"/src/gif/*.cpp | grep -v /export.cpp) \
    $(pkg-config --cflags --libs allegro) -o "$work/gif_fuzzer"
# Large declared images are legal up to the reader's memory limit.
fuzz() { "$work/gif_fuzzer" -rss_limit_mb=4096 -malloc_limit_mb=4096 -timeout=30 "$@"; }
for input in "$src"/fuzz/regressions/*; do
    case $input in *.md) ;; *) fuzz "$input" ;; esac
done
fuzz -max_total_time="${3:-60}" -artifact_prefix="$work/artifacts/" "$work/corpus" "$src/fuzz/corpus" ||
    { echo "Failing input in $work/artifacts/: once fixed, keep it in fuzz/regressions/."; exit 1; }
