#!/usr/bin/env bash
# Builds the parameter file decoder's fuzz target with clang++ (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs it for a bounded time. Fails on any crash, leak, timeout or sanitizer report.
#
#   run_fuzz.sh WORK_DIR [SECONDS] [SEED_MAKER]
#
# WORK_DIR receives the binary, the corpus, the log and any crashing input. SEED_MAKER, when given, is the fuzz_seeds
# program: its files join the committed seeds in the corpus.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
work="${1:?usage: run_fuzz.sh WORK_DIR [SECONDS] [SEED_MAKER]}"
seconds="${2:-60}"
seed_maker="${3:-}"
clangxx="${CLANGXX:-clang++}"

mkdir -p "$work/corpus" "$work/artifacts"
binary="$work/fuzz_decoder"
sources=("$here/fuzz_decoder.cpp"
    "$root/parameterfile/ParameterFileDecoder.cpp"
    "$root/parameterfile/ParameterFile.cpp"
    "$root/parameterfile/ParameterFileReport.cpp"
    "$root/parameterfile/Identifier.cpp"
    "$root/form/FormCheck.cpp"
    "$root/form/PhoneNumber.cpp"
    "$root/base/Clock.cpp"
    "$root/base/ShownText.cpp"
    "$root/base/ClockPosix.cpp"
    "$root/tests/support/MockClock.cpp")
headers=("$root/parameterfile/ParameterFileDecoder.h" "$root/parameterfile/ParameterFile.h"
    "$root/parameterfile/ParameterFileReport.h" "$root/parameterfile/Identifier.h" "$root/form/ModeCodes.h"
    "$root/form/FormFields.h" "$root/form/FormValues.h" "$root/form/FormCheck.h" "$root/form/PhoneNumber.h" "$root/base/Clock.h" "$root/base/ShownText.h"
    "$root/tests/support/MockClock.h")

stale=0
[ -x "$binary" ] || stale=1
for file in "${sources[@]}" "${headers[@]}" "$0"; do
    [ "$file" -nt "$binary" ] && stale=1
done
if [ "$stale" -eq 1 ]; then
    echo "Building $binary with $clangxx"
    # Qt requires position-independent code; the defines are those every target of the project uses.
    # shellcheck disable=SC2046
    "$clangxx" -std=c++17 -g -O1 -fPIC \
        -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer \
        -Wall -Wextra -Wpedantic \
        -DQT_NO_CAST_FROM_ASCII -DQT_NO_CAST_TO_ASCII -DQT_USE_QSTRINGBUILDER -DQT_NO_FOREACH \
        -DQT_DISABLE_DEPRECATED_BEFORE=0x050F00 \
        -I"$root" -I"$root/tests" $(pkg-config --cflags Qt5Core) \
        "${sources[@]}" -o "$binary.tmp" $(pkg-config --libs Qt5Core)
    mv "$binary.tmp" "$binary"
fi

cp "$here"/seeds/* "$work/corpus/"
if [ -n "$seed_maker" ]; then
    "$seed_maker" "$work/corpus"
fi

log="$work/fuzz.log"
echo "Fuzzing for $seconds s; log in $log"
status=0
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:${ASAN_OPTIONS:-}" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}" \
    "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$work/corpus" >"$log" 2>&1 || status=$?

tail -n 25 "$log"
if [ "$status" -ne 0 ]; then
    echo "FAILED: the fuzz target ended with status $status (inputs in $work/artifacts)"
    exit 1
fi
if grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:|SUMMARY: [A-Za-z]+Sanitizer' "$log"; then
    echo "FAILED: a sanitizer reported a fault"
    exit 1
fi
echo "No crash, no leak, no sanitizer report"
