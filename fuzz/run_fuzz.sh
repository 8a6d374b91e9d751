#!/bin/sh
# Usage: run_fuzz.sh SOURCE_DIR WORK_DIR gif|image [SECONDS=45]. Builds that fuzzer with clang under ASan and
# UBSan, replays its kept regressions, fuzzes from its seed corpus and reports speed and coverage. Exits 77
# (skipped) when clang++ cannot link libFuzzer.
set -eu
src=$1 work=$2 name=$3 seconds=${4:-45}
flags="-std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined"
mkdir -p "$work/corpus" "$work/artifacts"
echo 'extern "C" int LLVMFuzzerTestOneInput(const char *, unsigned long) { return 0; }' >"$work/probe.cpp"
clang++ $flags "$work/probe.cpp" -o "$work/probe" 2>/dev/null || { echo "no libFuzzer: skipped"; exit 77; }
# The file layer and the GIF library without the export, which needs the whole editor.
sources="$(ls "$src"/src/gif/*.cpp | grep -v /export.cpp) $(ls "$src"/src/files/*.cpp)"
case $name in
gif) seeds="$src/fuzz/corpus" regressions="$src/fuzz/regressions" ;;
image) seeds="$src/fuzz/image_corpus" regressions="$src/fuzz/regressions/image" ;;
*) echo "unknown fuzzer $name"; exit 2 ;;
esac
clang++ $flags -I"$src/src" "$src/fuzz/${name}_fuzzer.cpp" $sources $(pkg-config --cflags --libs allegro loadpng) \
    -o "$work/fuzzer"
# Large declared images are legal up to the readers' memory limits. Leaks are told apart by their whole stack,
# so that the library's own known leak can be set aside without hiding ours.
export ASAN_OPTIONS=fast_unwind_on_malloc=0 LSAN_OPTIONS=suppressions=$src/tests/lsan.supp
fuzz() { "$work/fuzzer" -rss_limit_mb=4096 -malloc_limit_mb=4096 -timeout=30 "$@"; }
for input in "$regressions"/*; do
    case $input in *.md) ;; *) if [ -f "$input" ]; then fuzz "$input"; fi ;; esac
done
log=$work/fuzz.log
if ! fuzz -max_total_time="$seconds" -artifact_prefix="$work/artifacts/" "$work/corpus" "$seeds" 2>"$log"; then
    tail -n 60 "$log"
    echo "Failing input in $work/artifacts/: once fixed, keep it in $regressions/."
    exit 1
fi
# The last status line: runs, coverage (cov: edges, ft: features) and executions per second.
grep -E '^#[0-9]+' "$log" | tail -n 1 | sed "s/^/$name fuzzer: /"
