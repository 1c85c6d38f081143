#!/usr/bin/env bash
# Builds the benchmarks where needed, runs them all and prints one Markdown table of the results against their targets.
#
#   bench/run_all.sh [BUILD_DIR [BUILD_TYPE]]      defaults: build-bench, Release
#
# Start-up and memory run under a private Xvfb (started here, ended here). The "Generate" card folder is made inside
# BUILD_DIR, which must be on a disk file system: an fsync on a tmpfs costs nothing.
# STARTUP_RUNS (30) and GENERATE_RUNS (50) set the number of runs of each program.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-bench}")
build_type=${2:-Release}
startup_runs=${STARTUP_RUNS:-30}
generate_runs=${GENERATE_RUNS:-50}

source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}" xvfb libbenchmark-dev libx11-dev libxdamage-dev
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="$build_type" -DORVA_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" \
    --target OrvaConfigurator bare_window field_window startup_watch bench_generate bench_encoder >/dev/null

results=$(mktemp -d)
xvfb_pid=
cleanup()
{
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$results"
}
trap cleanup EXIT

# A display of our own: Xvfb picks a free number and writes it to the descriptor it is given.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$results/display" >"$results/xvfb.log" 2>&1 &
xvfb_pid=$!
display_number=
for _ in $(seq 100); do
    display_number=$(tr -d '[:space:]' <"$results/display")
    [ -n "$display_number" ] && break
    sleep 0.1
done
if [ -z "$display_number" ]; then
    echo "run_all: Xvfb did not start" >&2
    cat "$results/xvfb.log" >&2
    exit 1
fi

echo "Start-up and memory: $startup_runs runs of each, taking turns..." >&2
DISPLAY=":$display_number" QT_QPA_PLATFORM=xcb "$build/bench/startup_watch" --runs "$startup_runs" \
    app="$build/app/OrvaConfigurator" bare="$build/bench/bare_window" field="$build/bench/field_window" \
    >"$results/startup.txt"

echo "Generate: $generate_runs rounds..." >&2
"$build/bench/bench_generate" --runs "$generate_runs" "$build" >"$results/generate.txt" 2>"$results/generate.err"

echo "Encoder..." >&2
"$build/bench/bench_encoder" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=json >"$results/encoder.json" 2>/dev/null

cpu=$(grep -m1 '^model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
qt=$(grep -o 'qt=[^ ]*' "$results/generate.txt" | cut -d= -f2)
export cpu qt build_type
export cores=$(nproc)
export kernel=$(uname -r)
export load=$(cut -d' ' -f1-3 /proc/loadavg)

python3 - "$results" <<'EOF'
import json, os, sys

results = sys.argv[1]

def summaries(path):
    found = {}
    for line in open(path):
        words = line.split()
        if words and words[0] in ("summary", "folder"):
            fields = dict(word.split("=", 1) for word in words[1:])
            found[fields.get("name", words[0])] = fields
    return found

startup = summaries(os.path.join(results, "startup.txt"))
generate = summaries(os.path.join(results, "generate.txt"))
encoder = {b["name"]: b for b in json.load(open(os.path.join(results, "encoder.json")))["benchmarks"]}

def verdict(ok):
    return "met" if ok else "**missed**"

app, bare, field = startup["app"], startup["bare"], startup["field"]
paint_ratio = float(app["paint_ms"]) / float(bare["paint_ms"])
memory_ratio = float(app["vmhwm_kb"]) / float(bare["vmhwm_kb"])
folder = generate["folder"]
generate_us, raw_us = float(generate["generate"]["median_us"]), float(generate["raw"]["median_us"])
generate_ratio = generate_us / raw_us
def nanoseconds(name):
    entry = encoder[name + "_median"]
    scale = {"ns": 1, "us": 1e3, "ms": 1e6}[entry["time_unit"]]
    return entry["real_time"] * scale
encode_ns = nanoseconds("encodeWithClock")
encode_fixed_ns = nanoseconds("encodeWithGivenTime")

env = os.environ
print(f"Machine: {env['cpu']}, {env['cores']} cores, Linux {env['kernel']}, Qt {env['qt']}; "
      f"{env['build_type']} build; load average at the end {env['load']}.")
print(f"Start-up and memory under Xvfb, {app['runs']} runs of each, taking turns; "
      f"Generate: {folder['runs']} runs on {folder['fs']}, {folder['bytes']}-byte file; medians.")
print()
print("| Measure | OrvaConfigurator | Yardstick | Ratio | Target | Result |")
print("|---|---|---|---|---|---|")
print(f"| Start-up: process start to first paint | {float(app['paint_ms']):.1f} ms | "
      f"{float(bare['paint_ms']):.1f} ms (empty QMainWindow) | {paint_ratio:.2f} | ≤ 1.25 × | "
      f"{verdict(paint_ratio <= 1.25)} |")
print(f"| Peak memory (VmHWM after first paint) | {int(app['vmhwm_kb']) / 1024:.1f} MiB | "
      f"{int(bare['vmhwm_kb']) / 1024:.1f} MiB (empty QMainWindow) | {memory_ratio:.3f} | ≤ 1.10 × | "
      f"{verdict(memory_ratio <= 1.10)} |")
print(f"| Generate: click to file durable | {generate_us / 1000:.2f} ms | "
      f"{raw_us / 1000:.2f} ms (write + fsync, same bytes, same folder) | {generate_ratio:.2f} | ≤ 1.5 × | "
      f"{verdict(generate_ratio <= 1.5)} |")
print(f"| Parameter file encoding, as the window calls it (reads the clock) | {encode_ns / 1000:.2f} µs | – | – | "
      f"< 1 µs | {verdict(encode_ns < 1000)} |")
print(f"| Parameter file encoding with a given time | {encode_fixed_ns / 1000:.2f} µs | – | – | < 1 µs | "
      f"{verdict(encode_fixed_ns < 1000)} |")
print()
print("Details:")
print(f"- Start-up, window mapped: {float(app['map_ms']):.1f} ms against {float(bare['map_ms']):.1f} ms; "
      f"first paint range {app['paint_min_ms']}–{app['paint_max_ms']} ms against "
      f"{bare['paint_min_ms']}–{bare['paint_max_ms']} ms.")
print(f"- A window with one line edit (placeholder, clear button) and nothing else: first paint "
      f"{float(field['paint_ms']):.1f} ms, peak memory {int(field['vmhwm_kb']) / 1024:.1f} MiB; OrvaConfigurator is "
      f"{float(app['paint_ms']) / float(field['paint_ms']):.2f} × and {int(app['vmhwm_kb']) / int(field['vmhwm_kb']):.3f} × that.")
print(f"- Peak memory over the whole run including the close (ru_maxrss): {int(app['maxrss_kb']) / 1024:.1f} MiB "
      f"against {int(bare['maxrss_kb']) / 1024:.1f} MiB.")
def ms(name, column="median_us"):
    return float(generate[name][column]) / 1000
print(f"- Generate, the write alone: writeDurably() {ms('durable'):.2f} ms; the same durable replacement by hand "
      f"(write, fdatasync, rename, fsync of the folder) {ms('replace'):.2f} ms = {ms('replace') / ms('raw'):.2f} × "
      f"the plain write; the whole slot, with the success box and the save of the form, {ms('slot'):.2f} ms.")
print(f"- Generate quartiles {ms('generate', 'q1_us'):.2f}–{ms('generate', 'q3_us'):.2f} ms, "
      f"plain write {ms('raw', 'q1_us'):.2f}–{ms('raw', 'q3_us'):.2f} ms.")
EOF
