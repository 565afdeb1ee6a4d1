#!/usr/bin/env python3
"""Frame pacing as the X server sees it: plays a recording with mlwatch in a
real window and times the frames it sends.

    tools/playtest/window_pacing.py build/tools/playtest/mlwatch last_stage.rpl

Needs a display (an X server, or Xvfb with a window manager) and strace. Each
frame reaches the X server as one shared-memory image write (the MIT-SHM
PutImage request); the script records those writes with strace and prints
the intervals' deviation from 1/60 s. The host's steal time over the run is
printed beside it: on a virtual machine, time taken by the host shows up as
late frames that no timer can prevent, so compare runs only at similar steal.
The first two seconds (the window opening, the fade-in) are left out.
"""

import os
import re
import subprocess
import sys
import tempfile

FRAME_MS = 1000.0 / 60.0
SKIP_FRAMES = 120
# The request's first two bytes: the MIT-SHM extension's usual major opcode
# (130) and PutImage (3), as strace prints them.
PUT_IMAGE = re.compile(r'^\d+\s+(\d+\.\d+) writev\(\d+, \[\{iov_base="\\202\\3')


def steal_ticks():
    with open("/proc/stat") as stat:
        fields = stat.readline().split()
    return int(fields[8]) if len(fields) > 8 else 0


def frame_times(log_path):
    times = []
    with open(log_path, errors="replace") as log:
        for line in log:
            match = PUT_IMAGE.match(line)
            if match:
                times.append(float(match.group(1)))
    return times


def report(times):
    times = times[SKIP_FRAMES:]
    if len(times) < 3:
        return "too few frames were seen (is the display using shared memory?)"
    intervals = [(b - a) * 1000.0 for a, b in zip(times, times[1:])]
    deviation = sorted(abs(i - FRAME_MS) for i in intervals)
    n = len(deviation)

    def at(share):
        return deviation[min(n - 1, int(share * n))]

    fps = (len(times) - 1) / (times[-1] - times[0])
    off = 100.0 * sum(d > 1.0 for d in deviation) / n
    long_ones = sum(i > 20.0 for i in intervals)
    return (f"frames {n}  fps {fps:.3f}  deviation p50 {at(0.5):.2f} ms  p90 {at(0.9):.2f}  "
            f"p99 {at(0.99):.2f}  max {deviation[-1]:.2f}  off by > 1 ms {off:.1f} %  "
            f"intervals > 20 ms {long_ones}")


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    watcher, recording = (os.path.abspath(p) for p in sys.argv[1:])
    with tempfile.TemporaryDirectory(prefix="mirelune-pacing-") as scratch:
        log = os.path.join(scratch, "writes.log")
        before = steal_ticks()
        run = subprocess.run(["strace", "-f", "-qq", "-ttt", "--seccomp-bpf", "-e", "trace=writev",
                              "-e", "signal=none", "-s", "4", "-o", log, watcher, recording],
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        stolen = steal_ticks() - before
        if run.returncode != 0:
            sys.stderr.write(run.stderr)
            print(f"window_pacing: {watcher} ended with status {run.returncode}", file=sys.stderr)
            return 1
        print(f"host steal {stolen} ticks  load {os.getloadavg()[0]:.2f}  " + report(frame_times(log)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
