#!/usr/bin/env bash
# Runs the benchmark programs and, on the same files and sizes in the same run, the peers each
# figure is held against: GNU cmp for the comparison, memset and FFmpeg's smptehdbars source
# for drawing, dd for a frame written to a file. Prints one compact table with the ratios.
#   bench/peers.sh BUILD_DIR     (the build directory holding bench/ and tools/zyvodiag/)
set -euo pipefail

build=${1:?usage: peers.sh BUILD_DIR}
repetitions=${ZYVO_BENCH_REPETITIONS:-3}
runs=${ZYVO_PEER_RUNS:-9}
work=$(mktemp -d "${TMPDIR:-/tmp}/zyvo-peers-XXXXXX")
trap 'rm -rf "$work"' EXIT

# Median of the numbers on standard input.
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Median wall time of `runs` runs of a command, in milliseconds.
time_ms() {
    local i start end
    for ((i = 0; i < runs; i++)); do
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1 || true
        end=$(date +%s%N)
        echo "scale=3; ($end - $start) / 1000000" | bc
    done | median
}

# name -> median real time in ms, from a program's CSV output.
declare -A figure
collect() {
    local name time unit
    while IFS=, read -r name _ time _ unit _; do
        name=${name//\"/}
        [[ $name == *_median ]] || continue
        case $unit in
            ns) time=$(echo "scale=6; $time / 1000000" | bc) ;;
            us) time=$(echo "scale=6; $time / 1000" | bc) ;;
            s) time=$(echo "scale=6; $time * 1000" | bc) ;;
        esac
        figure[${name%_median}]=$time
    done
}

csv_run() {
    "$@" --benchmark_format=csv --benchmark_repetitions="$repetitions" \
        --benchmark_report_aggregates_only=true 2>/dev/null
}

echo "Machine: $(nproc) cores, $(awk '/MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)," \
    "$(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo), load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Figures: median wall time of $repetitions repetitions (benchmarks) or $runs runs (peers)."
echo

collect < <(TMPDIR=$work ZYVO_BENCH_KEEP_FILES=1 csv_run "$build/bench/frames_bench")
collect < <(csv_run "$build/bench/pattern_bench" --benchmark_min_time=0.1)

files=$work/zyvo-frames-bench
size=$(stat -c %s "$files/expected.raw")
cmp_same=$(time_ms cmp -s "$files/expected.raw" "$files/same.raw")
cmp_last=$(time_ms cmp -s "$files/expected.raw" "$files/last-byte.raw")
# dd reads the frame file from the page cache 1 MiB at a time and writes it over its own file of
# the last run, as frameBufferDmaToFile writes over its frame file: both wait there for the
# writeback the file system started when the last file was closed. frameBufferDmaToFile in
# addition zeroes a host buffer of the whole frame and reads it from the simulated device
# memory (a file) in one go; dd's time includes starting the process.
sync
dd_frame=$(time_ms dd if="$files/frame.raw" of="$work/dd.raw" bs=1M iflag=count_bytes \
    count="$(stat -c %s "$files/frame.raw")" status=none)

# FFmpeg's per-frame time without its start-up: the difference between a long and a short run.
ffmpeg_frame=
if command -v ffmpeg >/dev/null; then
    smptehdbars() {
        ffmpeg -v error -f lavfi -i "smptehdbars=size=3840x2160:rate=60" -frames:v "$1" -f null -
    }
    short=$(time_ms smptehdbars 10)
    long=$(time_ms smptehdbars 130)
    ffmpeg_frame=$(echo "scale=3; ($long - $short) / 120" | bc | sed 's/^\./0./')
fi

ratio() { echo "scale=2; $1 / $2" | bc | sed 's/^\./0./'; }
row() { printf '%-44s %9.3f ms   %-34s %9.3f ms  %6sx\n' "$1" "$2" "$3" "$4" "$(ratio "$2" "$4")"; }

printf '%-44s %12s   %-34s %12s  %7s\n' "figure" "time" "reference" "time" "ratio"
row "compareFiles, equal 4K files ($size B)" "${figure[compareEqual]}" "cmp -s, same files" "$cmp_same"
row "compareFiles, last byte differs" "${figure[compareLastByte]}" "cmp -s, same files" "$cmp_last"
row "frameBufferDmaToFile, 4K RGB 10-bit" "${figure[dmaToFile]}" "dd bs=1M, same bytes, same disk" \
    "$dd_frame"
for name in "fillFrameStore/pattern:1/fmt:2" "fillFrameStore/pattern:1/fmt:1" \
    "fillFrameStore/pattern:0/fmt:5"; do
    row "$name 1080i" "${figure[$name]}" "memset, same size" \
        "${figure[memset/fmt:${name##*fmt:}/w:1920/h:1080]}"
done
row "Create10BitRGBColorBars 1920x1080" "${figure[Create10BitRGBColorBars/w:1920/h:1080]}" \
    "memset, same size" "${figure[memset/fmt:5/w:1920/h:1080]}"
bars=${figure[DrawTestPattern/pattern:0/fmt:2/w:3840/h:2160]}
if [[ -n $ffmpeg_frame ]]; then
    row "FFmpeg smptehdbars 3840x2160, per frame" "$ffmpeg_frame" "memset, 4K YCbCr 8-bit" \
        "${figure[memset/fmt:2/w:3840/h:2160]}"
    row "DrawTestPattern bars, 4K YCbCr 8-bit" "$bars" "FFmpeg smptehdbars, per frame" \
        "$ffmpeg_frame"
else
    printf '%-44s %9.3f ms   %-34s\n' "DrawTestPattern bars, 4K YCbCr 8-bit" "$bars" \
        "FFmpeg smptehdbars: ffmpeg not installed"
fi

# Peak memory of a 4K capture to a file, on a card of its own.
tool=$build/tools/zyvodiag/zyvodiag
if [[ -x $tool && -x /usr/bin/time ]]; then
    export ZYVO_SIM_STATE=$work/state ZYVO_SIM_CLOCK=virtual
    "$tool" hdmi-output -f19 -r30 -v5 -p1 >/dev/null 2>&1 || true
    peak=$(/usr/bin/time -f %M "$tool" hdmi-capture -f19 -r30 -v5 "$work/capture.raw" 2>&1 >/dev/null | tail -1 || true)
    frame=$(stat -c %s "$work/capture.raw" 2>/dev/null || echo 0)
    limit=$(((2 * frame + 16 * 1048576) / 1024))
    printf '%-44s %9d KiB  %-30s %9d KiB  %6sx\n' "peak RSS, hdmi-capture 4K to file" "$peak" \
        "two frames + 16 MiB" "$limit" "$(ratio "$peak" "$limit")"
fi
# A soak of 10,000 passes keeps its memory flat and its report small.
if [[ -x $tool && -x /usr/bin/time ]]; then
    read -r growth json passes < <(bash "$(dirname "$0")/soak.sh" "$tool" "${ZYVO_SOAK_PASSES:-10000}")
    printf '%-44s %9d KiB  %-30s %9d KiB  %6sx\n' "RSS growth, selftest --repeat $passes" \
        "$growth" "target: under 10 MiB" 10240 "$(ratio "$growth" 10240)"
    printf '%-44s %9d B    %-30s %9d B    %6sx\n' "JSON report, selftest --repeat $passes" \
        "$json" "target: under 5 MB" 5000000 "$(ratio "$json" 5000000)"
fi

echo
if [[ -n $ffmpeg_frame ]]; then
    echo "Drawing against memset of the same buffer and FFmpeg smptehdbars ($ffmpeg_frame ms a 4K frame):"
else
    echo "Drawing against memset of the same buffer (ffmpeg not installed: no smptehdbars figure):"
fi
printf '%-8s %-4s | %9s %8s | %9s %8s %8s %5s\n' pattern fmt "1080 ms" "x memset" "4K ms" \
    "x memset" "x ffmpeg" "<5ms"
for format in 1 2 5; do
    for pattern in $(seq 0 15); do
        hd=${figure[DrawTestPattern/pattern:$pattern/fmt:$format/w:1920/h:1080]}
        uhd=${figure[DrawTestPattern/pattern:$pattern/fmt:$format/w:3840/h:2160]}
        hd_memset=${figure[memset/fmt:$format/w:1920/h:1080]}
        uhd_memset=${figure[memset/fmt:$format/w:3840/h:2160]}
        versus_ffmpeg=-
        [[ -n $ffmpeg_frame ]] && versus_ffmpeg=$(ratio "$uhd" "$ffmpeg_frame")
        fast=no
        (($(echo "$uhd < 5" | bc))) && fast=yes
        printf '%-8s %-4s | %9.3f %8s | %9.3f %8s %8s %5s\n' "$pattern" "$format" "$hd" \
            "$(ratio "$hd" "$hd_memset")" "$uhd" "$(ratio "$uhd" "$uhd_memset")" \
            "$versus_ffmpeg" "$fast"
    done
done
printf '%-13s | %9.3f %8s | %9.3f %8s\n' "memset fmt 1" "${figure[memset/fmt:1/w:1920/h:1080]}" "" \
    "${figure[memset/fmt:1/w:3840/h:2160]}" ""
printf '%-13s | %9.3f %8s | %9.3f %8s\n' "memset fmt 2" "${figure[memset/fmt:2/w:1920/h:1080]}" "" \
    "${figure[memset/fmt:2/w:3840/h:2160]}" ""
printf '%-13s | %9.3f %8s | %9.3f %8s\n' "memset fmt 5" "${figure[memset/fmt:5/w:1920/h:1080]}" "" \
    "${figure[memset/fmt:5/w:3840/h:2160]}" ""

# PNG pictures: the tool's zlib writer beside our own fixed-code writer (kept for the PowerPC
# build), per pattern as the SDI tests keep them, the scopes, then the pictures of a whole
# --keep run.
declare -A png_ms png_cpu png_bytes
while IFS=, read -r name _ time cpu _ _ _ _ _ _ bytes; do
    name=${name//\"/}
    [[ $name == *_median ]] || continue
    png_ms[${name%_median}]=$time
    png_cpu[${name%_median}]=$cpu
    # Google Benchmark writes large counters as 1.8043e+06: five significant digits.
    png_bytes[${name%_median}]=$(printf '%.0f' "${bytes:-0}")
done < <(csv_run "$build/bench/png_bench")
echo
echo "PNG pictures, 1080i 10-bit YCbCr patterns as 8-bit RGB: zlib (the tool) against the fixed-code writer:"
printf '%-8s | %10s %9s | %10s %9s | %6s\n' pattern "zlib B" "ms" "fixed B" "ms" "size"
zlib_total=0
fixed_total=0
for pattern in $(seq 0 15) 4K; do
    args="pattern:$pattern/w:1920/h:1080"
    [[ $pattern == 4K ]] && args="pattern:0/w:3840/h:2160"
    zb=${png_bytes[writePng/$args]}
    fb=${png_bytes[fixedDeflate/$args]}
    [[ $pattern != 4K ]] && zlib_total=$((zlib_total + zb)) && fixed_total=$((fixed_total + fb))
    printf '%-8s | %10d %9.3f | %10d %9.3f | %6s\n' "$pattern" "$zb" "${png_ms[writePng/$args]}" \
        "$fb" "${png_ms[fixedDeflate/$args]}" "$(ratio "$zb" "$fb")"
done
printf '%-8s | %10d %9s | %10d %9s | %6s\n' "16 x 1080" "$zlib_total" "" "$fixed_total" "" \
    "$(ratio "$zlib_total" "$fixed_total")"
echo "4K bars preview written in ${png_ms[writePng/pattern:0/w:3840/h:2160]} ms"
zone=pattern:13/w:1920/h:1080
if [[ -n ${png_bytes[zlibLevel6/$zone]:-} ]]; then
    zone_bytes=${png_bytes[writePng/$zone]}
    level6_bytes=${png_bytes[zlibLevel6/$zone]}
    printf 'zone plate 1080i PNG: %.3f ms, %.3f ms of CPU (target: under 150 ms)\n' \
        "${png_ms[writePng/$zone]}" "${png_cpu[writePng/$zone]}"
    printf '  %d B against %d B from zlib level 6 on the same rows (%.3f ms): %sx (target: at most 1.25x)\n' \
        "$zone_bytes" "$level6_bytes" "${png_ms[zlibLevel6/$zone]}" \
        "$(ratio "$zone_bytes" "$level6_bytes")"
fi
# The waveform and vectorscope of a 1080 frame, drawn as view and the report draw them.
for args in pattern:1/fmt:1 pattern:13/fmt:1 pattern:1/fmt:5 pattern:13/fmt:2; do
    printf 'waveform + vectorscope, 1080 frame, %-17s %8.3f ms, %8.3f ms of CPU (target: at most 40 ms)\n' \
        "$args:" "${png_ms[drawScopes/$args]}" "${png_cpu[drawScopes/$args]}"
done
if [[ -x $tool ]]; then
    ZYVO_SIM_STATE=private ZYVO_SIM_CLOCK=virtual "$tool" selftest --keep "$work/keep" >/dev/null 2>&1 || true
    kept=$(find "$work/keep" -name '*.png' -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')
    # The fixed-code writer's figure was measured the same way, on a build that wrote every
    # picture with it.
    echo "PNGs of a default selftest --keep run: $kept B, $(ratio "$kept" 16038594)x the" \
        "fixed-code writer's 16038594 B (target: at most a third, 5346198 B)"
fi

# The analyser naming the impairment of a captured frame: CPU time on one core per frame,
# against its targets (50 ms a 1080 frame, 200 ms a 4K frame), per kind of fault.
declare -A analysis_ms
while IFS=, read -r name _ _ cpu _; do
    name=${name//\"/}
    [[ $name == *_median ]] || continue
    analysis_ms[${name%_median}]=$cpu
done < <(csv_run "$build/bench/analysis_bench")
echo
echo "Analysis of a captured 10-bit YCbCr frame (multi-pattern expected), CPU ms on one core:"
printf '%-24s | %9s %6s | %9s %6s\n' case "1080 ms" "<50" "4K ms" "<200"
case_names=(identical "Y bit 2 stuck" "shift 5,-3" "matrix 709-to-601" "stale black frame" "random noise")
for c in 0 1 2 3 4 5; do
    hd=${analysis_ms[analyse/case:$c/w:1920/h:1080/real_time]:-0}
    uhd=${analysis_ms[analyse/case:$c/w:3840/h:2160/real_time]:-0}
    hd_ok=no uhd_ok=no
    (($(echo "$hd < 50" | bc))) && hd_ok=yes
    (($(echo "$uhd < 200" | bc))) && uhd_ok=yes
    printf '%-24s | %9.3f %6s | %9.3f %6s\n' "${case_names[$c]}" "$hd" "$hd_ok" "$uhd" "$uhd_ok"
done

# The self-test on the real clock: its wall time against the waits its diagnostics demand.
if [[ -x $tool ]]; then
    ZYVO_SIM_STATE=private ZYVO_SIM_CLOCK=real "$tool" selftest --json "$work/selftest.json" \
        >/dev/null 2>&1 || true
    python3 - "$work/selftest.json" <<'PY'
import json, sys
report = json.load(open(sys.argv[1]))
wall, waits = report["duration_ms"], report["demanded_waits_ms"]
print("self-test on the real clock: %.0f ms, the diagnostics demanded %.0f ms of waits: %.3fx"
      " (target: at most 1.05x)" % (wall, waits, wall / waits))
PY
fi

# What the reports cost: the self-test with every report, and with its frames kept, each against
# a plain self-test in the same run, wall time of the whole process on the real clock; and the
# HTML report on the virtual clock, where only the tool's own work takes time.
wall_ms() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}
if [[ -x $tool ]]; then
    run_real() { ZYVO_SIM_STATE=private ZYVO_SIM_CLOCK=real "$tool" selftest "$@"; }
    plain=$(wall_ms run_real)
    reports=$(wall_ms run_real --html "$work/html" --json "$work/r.json" --junit "$work/r.xml")
    keep=$(wall_ms run_real --keep "$work/keep-real")
    echo "self-test with --html --json --junit: $reports ms against $plain ms plain:" \
        "$(ratio "$reports" "$plain")x (target: at most 1.10x)"
    echo "self-test with --keep: $keep ms against $plain ms plain: $(ratio "$keep" "$plain")x" \
        "(target: at most 1.10x)"
    # Wall and CPU (user + system) milliseconds of the median of three runs on the virtual clock,
    # each into a folder of its own, with the simulated card in folder $1 (frames and report stay
    # under $TMPDIR). Without ZYVO_SIM_STATE a login session's card lives in its runtime directory,
    # a tmpfs; on a disk the card's memory file adds about half a second of system time.
    run_virtual() {
        local card=$1 i
        shift
        for ((i = 0; i < 3; i++)); do
            rm -rf "$work/virtual"
            /usr/bin/time -f '%e %U %S' -o "$work/time" env ZYVO_SIM_STATE="$card" \
                ZYVO_SIM_CLOCK=virtual "$tool" selftest "$@" >/dev/null 2>&1 || true
            awk '{ printf "%d %d\n", $1 * 1000, ($2 + $3) * 1000 }' "$work/time"
        done | sort -n | sed -n 2p
    }
    runtime=${XDG_RUNTIME_DIR:-/dev/shm}
    if [[ -d $runtime && -w $runtime ]] &&
        (($(df -Pk "$runtime" | awk 'NR == 2 { print $4 }') > 2097152)); then
        card=$(mktemp -d "$runtime/zyvo-peers-card-XXXXXX")
        read -r plain_virtual plain_cpu < <(run_virtual "$card")
        read -r virtual virtual_cpu < <(run_virtual "$card" --html "$work/virtual")
        rm -rf "$card"
        echo "self-test with --html on the virtual clock, card in $runtime: $virtual ms," \
            "$virtual_cpu ms of CPU, against $plain_virtual ms, $plain_cpu ms of CPU plain" \
            "(target: under 2000 ms)"
    fi
    read -r plain_virtual plain_cpu < <(run_virtual "$work/card")
    read -r virtual virtual_cpu < <(run_virtual "$work/card" --html "$work/virtual")
    echo "self-test with --html on the virtual clock, card in $work: $virtual ms," \
        "$virtual_cpu ms of CPU, against $plain_virtual ms, $plain_cpu ms of CPU plain"
fi
