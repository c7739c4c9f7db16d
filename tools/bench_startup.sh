#!/bin/sh
# Start-up to first frame: runs the real start-up headless (solvane-shot, fresh store) until
# its first frame is drawn, RUNS times, and prints the median wall time (process start to
# exit) and the peak resident memory. The frame is not written out (encoding a PNG took
# longer than the start-up itself); the frame-stats line proves it was drawn.
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
    log = os.path.join(out, "stdout")
    with open(log, "w") as stdout:
        pid = subprocess.Popen([shot, "--frame-stats", "--store", store, "--out", out], cwd=os.path.dirname(shot),
                               env=env, stdout=stdout, stderr=subprocess.DEVNULL).pid
        _, status, usage = os.wait4(pid, 0)
    times.append(time.perf_counter() - start)
    peaks.append(usage.ru_maxrss)  # KiB on Linux
    with open(log) as printed:
        ok = status == 0 and "frames: 1 mean" in printed.read()
    shutil.rmtree(out, ignore_errors=True)
    if not ok:
        sys.exit("bench_startup: start-up failed (status %d)" % status)
print("start-up to first frame: median %.0f ms (min %.0f, max %.0f) over %d runs; peak RSS %.1f MiB"
      % (statistics.median(times) * 1000, min(times) * 1000, max(times) * 1000, runs, max(peaks) / 1024))
PY
