#!/usr/bin/env bash
# Builds the benchmarks where needed, runs them all and prints one Markdown table of the results against their targets.
#
#   bench/run_all.sh [BUILD_DIR [BUILD_TYPE]]      defaults: build-bench, Release
#   bench/run_all.sh --smoke BUILD_DIR             one round of each, with the programs already built in BUILD_DIR
#
# Start-up and memory run under a private Xvfb (started here, ended here), under English (LANG=C) and German
# (LANG=de_DE.UTF-8); the programs take turns, so that a change in the machine's load falls on all of them alike.
# The yardstick is field_raster_window: one line edit of the form's kind, drawn with the processor only as the program
# draws, which pays the first text and the first field as any form does; form_window, the program's Designer form
# alone, shows the least that the form itself costs. Where valgrind is installed, the program, the yardstick and the
# form alone are also counted in instructions (callgrind, from the process start to the end of the first flush of the
# window's backing store), which the other programs on the machine do not change. The "Generate" card folder is made
# inside BUILD_DIR, which must be on a disk file system: an fsync on a tmpfs costs nothing.
# STARTUP_RUNS (30) and GENERATE_RUNS (50) set the number of runs of each program; COUNT_INSTRUCTIONS=0 leaves the
# instruction counts out. The smoke run (what CTest runs) times nothing that it judges: it checks that every program
# runs and that the table is printed whole. It exits with 77 when Xvfb is missing.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
smoke=0
if [ "${1:-}" = --smoke ]; then
    smoke=1
    shift
fi
build=$(realpath -m "${1:-$root/build-bench}")
build_type=${2:-Release}
startup_runs=${STARTUP_RUNS:-30}
startup_warmup=2
generate_runs=${GENERATE_RUNS:-50}
generate_warmup=5
count_instructions=${COUNT_INSTRUCTIONS:-1}
encoder_options=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
settle=()

if [ "$smoke" = 1 ]; then
    startup_runs=1
    startup_warmup=0
    generate_runs=1
    generate_warmup=0
    count_instructions=0
    encoder_options=(--benchmark_min_time=0)
    settle=(--settle-ms 0)
    if ! command -v Xvfb >/dev/null; then
        echo "SKIP: the start-up benchmark needs Xvfb (xvfb)" >&2
        exit 77
    fi
    build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
else
    source "$root/scripts/deps.sh"
    ensure_packages "${build_packages[@]}" xvfb libbenchmark-dev libx11-dev libxdamage-dev
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="$build_type" -DORVA_BUILD_BENCH=ON >/dev/null
    cmake --build "$build" -j"$(nproc)" --target OrvaConfigurator bare_window raster_window \
        field_raster_window form_window startup_watch bench_generate bench_encoder >/dev/null
fi
if [ "$count_instructions" = 1 ] && ! command -v valgrind >/dev/null; then
    echo "run_all: valgrind is not installed: no instruction counts" >&2
    count_instructions=0
fi

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

# A display of our own: Xvfb picks a free number and writes it to the descriptor it is given. The file is there before
# the loop below reads it (the background job opens it only when it runs).
: >"$results/display"
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

programs=(app="$build/app/OrvaConfigurator" field="$build/bench/field_raster_window" form="$build/bench/form_window"
    bare="$build/bench/bare_window" raster="$build/bench/raster_window")
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
for language in C de_DE.UTF-8; do
    echo "Start-up and memory under LANG=$language: $startup_runs runs of each, taking turns..." >&2
    DISPLAY=":$display_number" QT_QPA_PLATFORM=xcb LANG=$language LANGUAGE= LC_ALL= LC_MESSAGES= \
        "$build/bench/startup_watch" --runs "$startup_runs" --warmup "$startup_warmup" "${settle[@]}" \
        "${programs[@]}" >"$results/startup-${language%%_*}.txt"
done

if [ "$count_instructions" = 1 ]; then
    # Each program under callgrind, its count dumped at the end of the first flush of its window (the first part) and
    # the program ended by SIGTERM right after its first paint.
    echo "Start-up instructions, under callgrind..." >&2
    counted=()
    for program in app field form; do
        wrapper=$results/callgrind-$program
        target=$(printf '%s\n' "${programs[@]}" | sed -n "s/^$program=//p")
        printf '#!/bin/sh\nexec valgrind --tool=callgrind --dump-after='"'"'QBackingStore::flush*'"'"' --callgrind-out-file=%s.out %s 2>/dev/null\n' \
            "$wrapper" "$target" >"$wrapper"
        chmod +x "$wrapper"
        counted+=("$program=$wrapper")
    done
    DISPLAY=":$display_number" QT_QPA_PLATFORM=xcb LANG=C LANGUAGE= LC_ALL= LC_MESSAGES= \
        "$build/bench/startup_watch" --runs 1 --warmup 0 --settle-ms 0 --terminate --timeout-ms 300000 \
        "${counted[@]}" >/dev/null
    for program in app field form; do
        echo "instructions name=$program count=$(sed -n 's/^summary: *//p' "$results/callgrind-$program.out.1")"
    done >"$results/instructions.txt"
fi

echo "Generate: $generate_runs rounds..." >&2
"$build/bench/bench_generate" --runs "$generate_runs" --warmup "$generate_warmup" "$build" \
    >"$results/generate.txt" 2>"$results/generate.err"

echo "Encoder..." >&2
"$build/bench/bench_encoder" "${encoder_options[@]}" --benchmark_format=json >"$results/encoder.json" 2>/dev/null

cpu=$(grep -m1 '^model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
qt=$(grep -o 'qt=[^ ]*' "$results/generate.txt" | cut -d= -f2)
export cpu qt build_type load_before smoke
export cores=$(nproc)
export kernel=$(uname -r)
export load=$(cut -d' ' -f1-3 /proc/loadavg)

python3 - "$results" <<'EOF'
import json, os, sys

results = sys.argv[1]
env = os.environ
smoke = env["smoke"] == "1"

def summaries(path):
    found = {}
    for line in open(path):
        words = line.split()
        if words and words[0] in ("summary", "folder", "instructions"):
            fields = dict(word.split("=", 1) for word in words[1:])
            found[fields.get("name", words[0])] = fields
    return found

startup = {language: summaries(os.path.join(results, f"startup-{language}.txt")) for language in ("C", "de")}
generate = summaries(os.path.join(results, "generate.txt"))
instructions_path = os.path.join(results, "instructions.txt")
instructions = summaries(instructions_path) if os.path.exists(instructions_path) else None
encoder = {b["name"]: b for b in json.load(open(os.path.join(results, "encoder.json")))["benchmarks"]}

def verdict(ok):
    return "met" if ok else "**missed**"

def encoder_ns(name):
    entry = encoder.get(name + "_median", encoder.get(name))
    scale = {"ns": 1, "us": 1e3, "ms": 1e6}[entry["time_unit"]]
    return entry["real_time"] * scale

folder = generate["folder"]
first = startup["C"]["app"]
print(f"Machine: {env['cpu']}, {env['cores']} cores, Linux {env['kernel']}, Qt {env['qt']}; "
      f"{env['build_type']} build; load average at the start {env['load_before']}, at the end {env['load']}.")
print(f"Start-up and memory under Xvfb, {first['runs']} runs of each program per language, taking turns; "
      f"Generate: {folder['runs']} runs on {folder['fs']}, {folder['bytes']}-byte file; medians.")
if smoke:
    print("Smoke run: one round of each, nothing to judge by.")
print()
print("| Measure | OrvaConfigurator | Yardstick | Ratio | Target | Result |")
print("|---|---|---|---|---|---|")
yardstick = "one line edit, drawn as the program draws"
for language, name in (("C", "English"), ("de", "German")):
    app, field = startup[language]["app"], startup[language]["field"]
    ratio = float(app["map_ms"]) / float(field["map_ms"])
    print(f"| Start-up, {name}: process start to the window mapped | {float(app['map_ms']):.1f} ms | "
          f"{float(field['map_ms']):.1f} ms ({yardstick}) | {ratio:.2f} | ≤ 1.10 × | {verdict(ratio <= 1.10)} |")
for language, name in (("C", "English"), ("de", "German")):
    app, field = startup[language]["app"], startup[language]["field"]
    ratio = int(app["vmhwm_kb"]) / int(field["vmhwm_kb"])
    print(f"| Peak memory, {name} (VmHWM after the first paint and a settle) | {int(app['vmhwm_kb']) / 1024:.1f} MiB | "
          f"{int(field['vmhwm_kb']) / 1024:.1f} MiB ({yardstick}) | {ratio:.3f} | ≤ 1.10 × | "
          f"{verdict(ratio <= 1.10)} |")
if instructions:
    app, field, form = (int(instructions[p]["count"]) for p in ("app", "field", "form"))
    print(f"| Start-up, English: instructions to the first paint (callgrind) | {app / 1e6:.1f} M | "
          f"{field / 1e6:.1f} M ({yardstick}) | {app / field:.2f} | ≤ 1.10 × | {verdict(app / field <= 1.10)} |")
    print(f"| The form alone (its Designer form, the first mode's rows, nothing of the program's): instructions to "
          f"the first paint | {form / 1e6:.1f} M | {field / 1e6:.1f} M ({yardstick}) | {form / field:.2f} | – | – |")
def ms(name, column="median_us"):
    return float(generate[name][column]) / 1000
generate_ratio = ms("generate") / ms("replace")
print(f"| Generate: click to file durable | {ms('generate'):.2f} ms | {ms('replace'):.2f} ms (the durable "
      f"replacement by hand: write, fdatasync, rename, fsync of the folder) | {generate_ratio:.2f} | ≤ 1.2 × | "
      f"{verdict(generate_ratio <= 1.2)} |")
print(f"| Card line: a card chosen to its line telling what it holds (read off the GUI thread) | "
      f"{ms('cardline'):.2f} ms | – | – | ≤ 50 ms | {verdict(ms('cardline') <= 50)} |")
encode_ns = encoder_ns("encodeWithClock")
encode_fixed_ns = encoder_ns("encodeWithGivenTime")
print(f"| Parameter file encoding, as the window calls it (reads the clock) | {encode_ns / 1000:.2f} µs | – | – | "
      f"< 1 µs | {verdict(encode_ns < 1000)} |")
print(f"| Parameter file encoding with a given time | {encode_fixed_ns / 1000:.2f} µs | – | – | < 1 µs | "
      f"{verdict(encode_fixed_ns < 1000)} |")
print()
print("Details:")
for language, name in (("C", "English"), ("de", "German")):
    app, field, form, bare, raster = (startup[language][p] for p in ("app", "field", "form", "bare", "raster"))
    print(f"- {name}: first paint {float(app['paint_ms']):.1f} ms (quartiles {app['paint_q1_ms']}–{app['paint_q3_ms']}, "
          f"range {app['paint_min_ms']}–{app['paint_max_ms']}) against {float(field['paint_ms']):.1f} ms (quartiles "
          f"{field['paint_q1_ms']}–{field['paint_q3_ms']}, range {field['paint_min_ms']}–{field['paint_max_ms']}); "
          f"processor time to the first paint, all threads, {float(app['cpu_ms']):.1f} ms against "
          f"{float(field['cpu_ms']):.1f} ms ({float(app['cpu_ms']) / float(field['cpu_ms']):.2f} ×).")
    print(f"  The form alone: window mapped {float(form['map_ms']):.1f} ms, first paint {float(form['paint_ms']):.1f} ms, "
          f"peak memory {int(form['vmhwm_kb']) / 1024:.1f} MiB. An empty window with Qt's defaults: first paint "
          f"{float(bare['paint_ms']):.1f} ms, peak memory {int(bare['vmhwm_kb']) / 1024:.1f} MiB; drawing with the "
          f"processor only: {float(raster['paint_ms']):.1f} ms, {int(raster['vmhwm_kb']) / 1024:.1f} MiB.")
    print(f"  Peak memory over the whole run including the close (ru_maxrss): {int(app['maxrss_kb']) / 1024:.1f} MiB "
          f"against {int(field['maxrss_kb']) / 1024:.1f} MiB.")
print(f"- Generate: writeDurably() alone {ms('durable'):.2f} ms; the plain write (write + fsync of a new file) "
      f"{ms('raw'):.2f} ms; the whole slot, with the success box and the save of the form, {ms('slot'):.2f} ms. "
      f"Quartiles: Generate {ms('generate', 'q1_us'):.2f}–{ms('generate', 'q3_us'):.2f} ms, by hand "
      f"{ms('replace', 'q1_us'):.2f}–{ms('replace', 'q3_us'):.2f} ms.")
EOF
