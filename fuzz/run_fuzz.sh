#!/bin/sh
# Builds the GIF fuzzer with clang, apart from the main build, replays every saved regression input, then
# fuzzes for a bounded time starting from the seed corpus.
# Usage: run_fuzz.sh SOURCE_DIR WORK_DIR [SECONDS]. Exits 77 (skipped) when clang or libFuzzer is missing.
set -eu
source_dir=$1
work_dir=$2
seconds=${3:-60}

if ! command -v clang++ >/dev/null 2>&1; then
    echo "clang++ is not installed: fuzzing skipped"
    exit 77
fi
mkdir -p "$work_dir/corpus" "$work_dir/artifacts"
flags="-std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined"
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }' >"$work_dir/probe.cpp"
if ! clang++ $flags "$work_dir/probe.cpp" -o "$work_dir/probe" >/dev/null 2>&1; then
    echo "clang++ cannot link libFuzzer (libclang-rt-dev missing?): fuzzing skipped"
    exit 77
fi

# The GIF library alone: the export beside it needs the whole editor.
library=""
for name in gif_animation gif_read lzw_decode gif_render gif_write lzw_encode; do
    library="$library $source_dir/src/gif/$name.cpp"
done
# shellcheck disable=SC2086
clang++ $flags -I"$source_dir/src" "$source_dir/fuzz/gif_fuzzer.cpp" $library \
    $(pkg-config --cflags --libs allegro) -o "$work_dir/gif_fuzzer"

# Large declared images are legal up to the reader's memory limit, so allow for them.
options="-rss_limit_mb=4096 -malloc_limit_mb=4096 -timeout=30"

regressions=$(find "$source_dir/fuzz/regressions" -type f ! -name '*.md' 2>/dev/null | sort)
if [ -n "$regressions" ]; then
    # shellcheck disable=SC2086
    "$work_dir/gif_fuzzer" $options $regressions
fi

# shellcheck disable=SC2086
if ! "$work_dir/gif_fuzzer" $options -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$work_dir/artifacts/" "$work_dir/corpus" "$source_dir/fuzz/corpus"; then
    echo "The fuzzer found a failing input in $work_dir/artifacts/:"
    echo "keep it in fuzz/regressions/ once it is fixed."
    exit 1
fi
