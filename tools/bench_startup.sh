#!/bin/sh
# Start-up to first frame: runs the real start-up headless (solvane-shot, fresh store, one
# capture of the first frame) RUNS times and prints the median wall time and the peak
# resident memory.
#
#   tools/bench_startup.sh [BUILD_DIR] [RUNS]      (defaults: build/default, 10)
set -eu
BUILD_DIR=${1:-build/default}
RUNS=${2:-10}
SHOT="$(cd "$BUILD_DIR" 2>/dev/null && pwd)/bin/solvane-shot"
if [ ! -x "$SHOT" ]; then
    echo "bench_startup: $SHOT not built (cmake --build $BUILD_DIR --target solvane-shot)" >&2
    exit 2
fi
exec /usr/bin/python3 - "$SHOT" "$RUNS" <<'PY'
import os, resource, shutil, statistics, subprocess, sys, tempfile, time

shot, runs = sys.argv[1], int(sys.argv[2])
env = dict(os.environ, SDL_AUDIODRIVER="dummy")
times, peaks = [], []
for _ in range(runs):
    out = tempfile.mkdtemp(prefix="solvane-startup-")
    store = os.path.join(out, "store")
    start = time.perf_counter()
    pid = subprocess.Popen([shot, "--store", store, "--out", out, "shot:first"], cwd=os.path.dirname(shot),
                           env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).pid
    _, status, usage = os.wait4(pid, 0)
    times.append(time.perf_counter() - start)
    peaks.append(usage.ru_maxrss)  # KiB on Linux
    ok = status == 0 and os.path.exists(os.path.join(out, "first.png"))
    shutil.rmtree(out, ignore_errors=True)
    if not ok:
        sys.exit("bench_startup: start-up failed (status %d)" % status)
print("start-up to first frame: median %.0f ms (min %.0f, max %.0f) over %d runs; peak RSS %.1f MiB"
      % (statistics.median(times) * 1000, min(times) * 1000, max(times) * 1000, runs, max(peaks) / 1024))
PY
