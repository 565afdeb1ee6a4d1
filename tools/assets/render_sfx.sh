#!/usr/bin/env bash
# Renders one sound-effect recipe (assets/src/sfx/NAME.sox) into a 44100 Hz,
# 16-bit stereo wave. Each non-comment line of the recipe is one layer (sox
# synth arguments and effects); the layers are mixed, normalised to -3 dBFS.
# sox runs in repeatable mode (-R: fixed seeds) without dither (-D).
# Usage: render_sfx.sh RECIPE OUT.wav
set -euo pipefail
recipe=$1
out=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
n=0
while IFS= read -r line; do
    line=${line%%#*}
    [[ -z "${line// /}" ]] && continue
    n=$((n + 1))
    # shellcheck disable=SC2086  # the recipe line is a list of sox arguments
    sox -R -D -n -r 44100 -b 16 -c 2 "$tmp/layer$n.wav" $line
done < "$recipe"
if [ "$n" -gt 1 ]; then
    sox -R -D -m "$tmp"/layer*.wav "$tmp/mix.wav"
else
    mv "$tmp/layer1.wav" "$tmp/mix.wav"
fi
sox -R -D "$tmp/mix.wav" -r 44100 -b 16 -c 2 "$out" gain -n -3
