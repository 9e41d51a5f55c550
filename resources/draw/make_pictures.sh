#!/bin/sh
# Draws the program's pictures and writes them as the files the resource script takes:
#   make_pictures.sh <draw_pictures program> <output folder>
# draw_pictures makes PNG files; ImageMagick's convert writes the bitmaps (plain BITMAPINFOHEADER,
# bottom-up) and reduces the 256-colour icon images to a palette, and icoutils' icotool puts the
# icons together with the bit depth of each image.
set -eu
draw=$1
out=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/lur-pictures.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$draw" "$work"
mkdir -p "$out"

# The application icon: 48, 32 and 16 pixels in 16 and in 256 colours, 32 and 16 pixels in 32 bits.
for size in 48 32 16; do
    convert "$work/mainicon-8-$size.png" -dither None -colors 255 "PNG8:$work/mainicon-256-$size.png"
done
icotool -c -o "$out/mainicon.ico" \
    -b 4 "$work/mainicon-4-48.png" "$work/mainicon-4-32.png" "$work/mainicon-4-16.png" \
    -b 8 "$work/mainicon-256-48.png" "$work/mainicon-256-32.png" "$work/mainicon-256-16.png" \
    -b 32 "$work/mainicon-32-32.png" "$work/mainicon-32-16.png"
# The tray icons: one opaque 32-bit image each, so their masks stay clear.
icotool -c -o "$out/tk.ico" -b 32 "$work/tk.png"
icotool -c -o "$out/eng.ico" -b 32 "$work/eng.png"

# The sidebar and the button pictures in 24 bits, the menu's pictures in 32 bits with their alpha.
for name in sidebar btn_exit btn_help btn_taskbar; do
    convert "$work/$name.png" -alpha off -type TrueColor "BMP3:$out/$name.bmp"
done
convert "$work/menu.png" -alpha on -define bmp3:alpha=true "BMP3:$out/menu.bmp"
