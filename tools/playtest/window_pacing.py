#!/usr/bin/env python3
"""Frame pacing as the X server sees it: plays a recording with mlwatch in a
real window and times the frames it sends.

    tools/playtest/window_pacing.py build/tools/playtest/mlwatch last_stage.rpl
    tools/playtest/window_pacing.py --frame-log frames.txt build/tools/playtest/mlwatch last_stage.rpl

Needs a display (an X server, or Xvfb with a window manager) and strace. Each
frame reaches the X server as one shared-memory image write (the MIT-SHM
PutImage request); the script records those writes with strace and prints
the intervals' deviation from 1/60 s. The host's steal time over the run is
printed beside it: on a virtual machine, time taken by the host shows up as
late frames that no timer can prevent, so compare runs only at similar steal.
The first two seconds (the window opening, the fade-in) are left out.

Every interval over 20 ms is listed by the frame that ended it (frame n is
the n-th image, counted from 0). With --frame-log, mlwatch writes how long
each frame's update, drawing, wait and show took, so a long interval can be
told apart: a frame that took long to make is the game's, one made in time
is the host's or the X server's.
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile

FRAME_MS = 1000.0 / 60.0
SKIP_FRAMES = 120
LONG_MS = 20.0
LISTED_LONG = 20
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
    # Interval k ends at frame SKIP_FRAMES + k + 1.
    long_ones = [(SKIP_FRAMES + k + 1, i) for k, i in enumerate(intervals) if i > LONG_MS]
    line = (f"frames {n}  fps {fps:.3f}  deviation p50 {at(0.5):.2f} ms  p90 {at(0.9):.2f}  "
            f"p99 {at(0.99):.2f}  max {deviation[-1]:.2f}  off by > 1 ms {off:.1f} %  "
            f"intervals > {LONG_MS:.0f} ms {len(long_ones)}")
    for frame, interval in long_ones[:LISTED_LONG]:
        line += f"\n  frame {frame}: {interval:.2f} ms after the one before"
    if len(long_ones) > LISTED_LONG:
        line += f"\n  ... and {len(long_ones) - LISTED_LONG} more"
    return line


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument("--frame-log", help="have mlwatch write each frame's times to this file")
    parser.add_argument("watcher", help="the mlwatch program")
    parser.add_argument("recording", help="the recording (.rpl) to play")
    args = parser.parse_args()
    watcher, recording = os.path.abspath(args.watcher), os.path.abspath(args.recording)
    frame_log = ["--frame-log", os.path.abspath(args.frame_log)] if args.frame_log else []
    with tempfile.TemporaryDirectory(prefix="mirelune-pacing-") as scratch:
        log = os.path.join(scratch, "writes.log")
        before = steal_ticks()
        run = subprocess.run(["strace", "-f", "-qq", "-ttt", "--seccomp-bpf", "-e", "trace=writev",
                              "-e", "signal=none", "-s", "4", "-o", log, watcher, *frame_log, recording],
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
