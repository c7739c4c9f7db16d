#!/bin/sh
# Runs every fuzz target for SECONDS each over its corpus (seeded from the shipped files and
# the fixtures on first use) and prints executions and findings. Exits 1 when any target
# found a crash, a hang, a leak or a sanitizer report; the input is kept in FUZZ_DIR/findings/.
#
#   tests/fuzz/run_fuzz.sh FUZZ_DIR SECONDS [TARGET...]
set -u
FUZZ_DIR=$1
SECONDS_EACH=$2
shift 2
HERE=$(cd "$(dirname "$0")" && pwd)
TARGETS=${*:-"fuzz_heroines fuzz_infos fuzz_scenarios fuzz_confessions fuzz_tutorial fuzz_store fuzz_particles"}
CORPUS="$FUZZ_DIR/corpus"
FINDINGS="$FUZZ_DIR/findings"
LOGS="$FUZZ_DIR/logs"
mkdir -p "$CORPUS" "$FINDINGS" "$LOGS"
[ -d "$CORPUS/fuzz_particles" ] || /usr/bin/python3 "$HERE/make_seeds.py" "$CORPUS" >/dev/null

export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
failed=0
printf '%-18s %8s %12s %s\n' target seconds executions result
for target in $TARGETS; do
    binary="$FUZZ_DIR/bin/$target"
    dict="$HERE/json.dict"
    case "$target" in fuzz_store) dict="$HERE/xml.dict" ;; fuzz_particles) dict="$HERE/plist.dict" ;; esac
    log="$LOGS/$target.log"
    "$binary" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
        -dict="$dict" -print_final_stats=1 -artifact_prefix="$FINDINGS/$target-" \
        "$CORPUS/$target" >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    secs=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
    if [ "$status" -eq 0 ]; then
        result=clean
    else
        result="FINDING (status $status, see $log)"
        failed=1
    fi
    printf '%-18s %8s %12s %s\n' "$target" "$SECONDS_EACH" "${runs:-?}" "$result (${secs:-?}/s)"
done
exit $failed
