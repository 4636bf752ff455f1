#!/usr/bin/env bash
# Draws the program's pictures and makes its sounds, so that the repository holds no
# binaries: the hicolor icons of the program, the icon library events take their icons
# from (a multi-image icon file; an event names a picture by its index) and the beep.
# Usage: make-resources.sh OUTPUT-FOLDER CONVERT SOX
set -euo pipefail
out=$1 convert=$2 sox=$3
app=com.brennikor.Tavrelon

# The program icon as the main window draws it: a clock face on a 256 grid.
mkdir -p "$out/kelvo-rem/Sounds"
master=$out/program-256.png
"$convert" -size 256x256 xc:none \
  -fill '#ffc428' -stroke '#a05000' -strokewidth 21 -draw 'circle 128,128 128,20.5' \
  -stroke black -strokewidth 18 \
  -draw 'stroke-linecap round line 128,128 128,56.3 line 128,128 184.3,128' "$master"
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$out/icons/hicolor/${size}x${size}/apps"
  "$convert" "$master" -resize "${size}x${size}" -depth 8 "$out/icons/hicolor/${size}x${size}/apps/$app.png"
done

# The icon library, 32 by 32 each; the order is the index an event keeps.
pictures=()
draw() {
  local file=$out/library-${#pictures[@]}.png
  "$convert" -size 32x32 xc:none "$@" "$file"
  pictures+=("$file")
}
# 0 clock
draw -fill '#ffc428' -stroke '#a05000' -strokewidth 3 -draw 'circle 16,16 16,3' \
  -stroke black -strokewidth 2.5 -draw 'stroke-linecap round line 16,16 16,7 line 16,16 23,16'
# 1 bell
draw -fill '#f0b000' -stroke '#805000' -strokewidth 1.5 \
  -draw 'path "M 6,24 C 9,21 8,8 16,6 C 24,8 23,21 26,24 Z"' -draw 'circle 16,27 16,24.5'
# 2 letter
draw -fill white -stroke '#3050a0' -strokewidth 2 -draw 'rectangle 4,8 28,24' \
  -fill none -draw 'polyline 4,8 16,18 28,8'
# 3 note
draw -fill '#fff6a0' -stroke '#806000' -strokewidth 1.5 -draw 'rectangle 7,4 25,28' \
  -stroke '#606060' -strokewidth 1.5 -draw 'line 10,10 22,10 line 10,15 22,15 line 10,20 19,20'
# 4 star
draw -fill '#ffd700' -stroke '#a07000' -strokewidth 1.5 \
  -draw 'polygon 16,3 19.5,12 29,12.5 21.5,18.5 24,28 16,22.5 8,28 10.5,18.5 3,12.5 12.5,12'
# 5 heart
draw -fill '#e02040' -stroke '#801020' -strokewidth 1.5 \
  -draw 'path "M 16,27 C 4,18 3,11 7,7 C 10,4 14,6 16,9 C 18,6 22,4 25,7 C 29,11 28,18 16,27 Z"'
"$convert" "${pictures[@]}" "ico:$out/kelvo-rem/Icons.dll"
rm -f "$master" "${pictures[@]}"

# The default beep: a short tone that fades out.
"$sox" -n -r 22050 -b 16 -c 1 "$out/kelvo-rem/Sounds/Beep.wav" \
  synth 0.35 sine 880 fade h 0.01 0.35 0.1 vol 0.6
