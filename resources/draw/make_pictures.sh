#!/bin/sh
# Draws the program's pictures and writes them as the files the resource script takes:
#   make_pictures.sh <draw_pictures program> <output folder>
# draw_pictures makes PNG files; ImageMagick's convert writes the bitmaps (plain BITMAPINFOHEADER,
# bottom-up) and reduces the 256-colour icon images to a palette, and icoutils' icotool puts the
# icons together with the bit depth of each image. The tray icons' 16- and 32-pixel images are bitmaps,
# which every Windows reads; their 20-, 24- and 48-pixel ones, which the program asks for only at larger
# display scales and only where the system reads them, are kept as PNG inside the icon file (Windows
# reads those from Vista on).
# The pictures for the larger display scales stay PNG files (the program decodes them when it needs
# them), written again by convert with the strongest compression and no dates, so that each run makes
# the same bytes.
set -eu
draw=$1
out=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/lur-pictures.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$draw" "$work"
mkdir -p "$out"

# pack <input> <output> [<format>]: the PNG file written as small as a few of convert's row filters and
# compression strategies make it (the first of the smallest), without dates or other text; with a
# palette where the picture has 256 colours or fewer, unless the format says otherwise.
pack() {
    best=
    for filter in 0 1 5; do
        for strategy in 0 1; do
            convert "$1" -strip -define png:exclude-chunks=date,time -define png:compression-level=9 \
                -define png:compression-strategy=$strategy -define png:compression-filter=$filter \
                "${3:-PNG}:$work/packed.png"
            if [ -z "$best" ] || [ "$(stat -c %s "$work/packed.png")" -lt "$(stat -c %s "$best")" ]; then
                mv "$work/packed.png" "$work/best.png"
                best=$work/best.png
            fi
        done
    done
    mv "$best" "$2"
}

# The application icon: 48, 32 and 16 pixels in 16 and in 256 colours, 32, 16, 24 and 20 pixels in 32
# bits. The shell of every Windows may ask for any of these sizes, so none is PNG; at 48 pixels the
# 256-colour image serves.
for size in 48 32 16; do
    convert "$work/mainicon-8-$size.png" -dither None -colors 255 "PNG8:$work/mainicon-256-$size.png"
done
icotool -c -o "$out/mainicon.ico" \
    -b 4 "$work/mainicon-4-48.png" "$work/mainicon-4-32.png" "$work/mainicon-4-16.png" \
    -b 8 "$work/mainicon-256-48.png" "$work/mainicon-256-32.png" "$work/mainicon-256-16.png" \
    -b 32 "$work/mainicon-32-32.png" "$work/mainicon-32-16.png" "$work/mainicon-32-24.png" \
    "$work/mainicon-32-20.png"
# The tray icons: opaque 32-bit images, so their masks stay clear; the 32-pixel image first.
for name in tk eng; do
    for size in 48 24 20; do
        pack "$work/$name-$size.png" "$work/$name-raw-$size.png" PNG32
    done
    icotool -c -o "$out/$name.ico" -b 32 "$work/$name-32.png" "$work/$name-16.png" \
        -r "$work/$name-raw-48.png" -r "$work/$name-raw-24.png" -r "$work/$name-raw-20.png"
done

# The sidebar and the button pictures in 24 bits, the menu's pictures in 32 bits with their alpha.
for name in sidebar btn_exit btn_help btn_taskbar; do
    convert "$work/$name.png" -alpha off -type TrueColor "BMP3:$out/$name.bmp"
done
convert "$work/menu.png" -alpha on -define bmp3:alpha=true "BMP3:$out/menu.bmp"
# The larger sidebars hold many more colours than they need: kept in 256, the gradient's greys exactly
# (each row of its first column is one), the lettering's shades in the rest, as near as they come.
for percent in 125 150 200; do
    sidebar=$work/sidebar-$percent.png
    convert "$sidebar" -crop 1x+0+0 +repage -unique-colors "$work/greys.png"
    greys=$(identify -format %w "$work/greys.png")
    convert "$sidebar" -dither None -colors $((256 - greys)) -unique-colors "$work/inks.png"
    convert "$work/greys.png" "$work/inks.png" +append "$work/palette.png"
    convert "$sidebar" -dither None -remap "$work/palette.png" "PNG8:$work/sidebar-256.png"
    pack "$work/sidebar-256.png" "$out/sidebar-$percent.png" PNG8
    for name in menu btn_exit btn_help btn_taskbar; do
        pack "$work/$name-$percent.png" "$out/$name-$percent.png"
    done
done
