#!/usr/bin/env bash
# Renders every picture, sound and tune of MIRELUNE from its text source in
# assets/src/ into assets/img/ and assets/sound/ (the talk scripts in
# assets/src/script/ are packed as they are). Installs the Debian packages it
# needs first (quick when they are present; sudo when not root).
#
# Deterministic: seeded generators, NumPy on its baseline code (the same on
# every x86-64 machine), sox in repeatable mode without dither, fluidsynth on
# one core without chorus, oggenc with a fixed stream serial, and PNGs written
# without time stamps. Two runs give identical files.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
assets=$root/assets
tools=$root/tools/assets
py=/usr/bin/python3   # Debian's Python, which has python3-pil and python3-numpy
export PYTHONDONTWRITEBYTECODE=1  # no __pycache__ left in the tree
soundfont=/usr/share/sounds/sf2/FluidR3_GM.sf2

packages=(sox abcmidi fluidsynth fluid-soundfont-gm vorbis-tools librsvg2-bin
          python3 python3-pil python3-numpy fonts-ipafont-gothic fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# NumPy picks its SIMD code for exp, sin and friends by the CPU it runs on, and
# the AVX-512 versions round differently from the others: a picture painted on
# one machine then differs by a level here and there from the same picture
# painted on another. Keep NumPy on its baseline code everywhere.
NPY_DISABLE_CPU_FEATURES=$("$py" -c 'import numpy.core._multiarray_umath as m; print(" ".join(m.__cpu_dispatch__))')
export NPY_DISABLE_CPU_FEATURES

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$assets/img" "$assets/sound"

echo "Pictures"
(cd "$assets/src/gen" && "$py" pictures.py "$assets")

echo "Desktop icons"
(cd "$assets/src/gen" && "$py" icons.py "$assets")

echo "Stage pictures"
(cd "$assets/src/gen" && "$py" stage.py "$assets")

echo "Sound effects"
for recipe in "$assets"/src/sfx/*.sox; do
    name=$(basename "$recipe" .sox)
    "$tools/render_sfx.sh" "$recipe" "$assets/sound/$name.wav"
    echo "  sound/$name.wav"
done
for recipe in "$assets"/src/sfx/*.loop; do
    name=$(basename "$recipe" .loop)
    "$py" "$tools/loop_sfx.py" "$recipe" "$assets/sound/$name.wav"
    echo "  sound/$name.wav (loop)"
done

echo "Voices"
for phrase in "$assets"/src/voice/*.txt; do
    name=$(basename "$phrase" .txt)
    "$py" "$tools/sing.py" "$phrase" "$tmp/$name.dry.wav"
    sox -R -D "$tmp/$name.dry.wav" -b 16 "$assets/sound/$name.wav" gain -6 pad 0 0.35 reverb 30 50 60 gain -n -3
    echo "  sound/$name.wav"
done

echo "Music"
for tune in "$assets"/src/music/*.abc; do
    name=$(basename "$tune" .abc)
    # the stream serial follows from the name, so adding a tune changes no other file
    serial=$(printf '%s' "$name" | cksum | cut -d' ' -f1)
    abc2midi "$tune" -o "$tmp/$name.mid" > "$tmp/$name.abc2midi.log"
    fluidsynth -ni -q -F "$tmp/$name.raw.wav" -r 44100 -g 0.5 \
        -o synth.chorus.active=0 -o synth.reverb.active=1 -o synth.cpu-cores=1 \
        -o audio.file.format=float "$soundfont" "$tmp/$name.mid" > /dev/null 2>&1
    "$py" "$tools/loop.py" "$tune" "$tmp/$name.raw.wav" "$tmp/$name.wav"
    oggenc -Q -q 4 -s "$serial" -o "$assets/sound/$name.ogg" "$tmp/$name.wav"
    echo "  sound/$name.ogg"
done
echo "Done: assets/img, assets/icons, assets/sound"
