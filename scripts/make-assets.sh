#!/usr/bin/env bash
# Draws every picture of assets/ from scratch with ImageMagick (convert of version 6, or
# magick of version 7). Run from anywhere: it writes into assets/ of this repository.
# The committed pictures are its output. Fonts: DejaVu Sans (fonts-dejavu-core) and
# Liberation Sans (fonts-liberation2); both carry Cyrillic.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
assets="$here/../assets"

if command -v magick >/dev/null 2>&1; then IM=(magick); else IM=(convert); fi
# No time stamps or other metadata in the files, so a re-run gives the same bytes.
png=(-strip -define png:exclude-chunks=date,time)

liberation=/usr/share/fonts/truetype/liberation2
dejavu=/usr/share/fonts/truetype/dejavu
for font in "$liberation/LiberationSans-BoldItalic.ttf" "$dejavu/DejaVuSans.ttf"; do
  [ -r "$font" ] || { echo "missing font $font" >&2; exit 1; }
done

mkdir -p "$assets/icons" "$assets/cursors" "$assets/buttons"

# A filled box from x1,y1 to x2,y2.
box() { echo "polygon $1,$2 $3,$2 $3,$4 $1,$4"; }

# The small pictures are drawn without antialiasing at 8 times their size (or more) and
# reduced with a box filter. `grid N` starts such a drawing on a grid of N-pixel units,
# shifted half a pixel so that a shape from unit a to unit b covers exactly the pixels
# between: edges on whole units stay sharp, slanted edges are smoothed by the reduction.
grid() { echo "translate -0.5,-0.5 scale $1,$1"; }

# ---------------------------------------------------------------------------------------
# State icons and program icon, on a grid of 32 units.
#
# The motif: a rounded tile with two D-sub connectors, one at each side, and between them
# the mark of the state. The tile colour says the state at a glance even at 16 pixels;
# the marks are bold enough to tell the states apart without colour.
# ---------------------------------------------------------------------------------------

connectors='polygon 4,8 10,10 10,22 4,24  polygon 28,8 22,10 22,22 28,24'
pins() { # COLOUR
  echo "fill $1 $(box 6 11 8 13) $(box 6 15 8 17) $(box 6 19 8 21)" \
    "$(box 24 11 26 13) $(box 24 15 26 17) $(box 24 19 26 21)"
}
# Data both ways: an arrow to the right above an arrow to the left.
mark_on='polygon 10,10 16.5,10 16.5,7.5 21.5,11.5 16.5,15.5 16.5,13 10,13
         polygon 22,19 15.5,19 15.5,16.5 10.5,20.5 15.5,24.5 15.5,22 22,22'
mark_pause="$(box 12 10 15 22) $(box 17 10 20 22)"
# The link between the connectors with the flow leaving it downwards.
mark_drain="$(box 10 8 22 11) polygon 14.5,11 17.5,11 17.5,16 21,16 16,23 11,16 14.5,16"
mark_stop="fill white $(box 11 11 21 21) fill #d01818 $(box 12 12 20 20)"

# icon OUT SIZE TILE_TOP TILE_BOTTOM BORDER INK SHAPES EXTRA
#   SHAPES are drawn in INK over a soft shadow; EXTRA is drawn last, with its own colours.
icon() {
  local out=$1 size=$2 top=$3 bottom=$4 border=$5 ink=$6 shapes=$7 extra=$8
  local unit=$((size / 4)) big=$((size * 8))
  "${IM[@]}" -size "${big}x${big}" "gradient:$top-$bottom" +antialias \
    \( -size "${big}x${big}" xc:none -fill white \
       -draw "$(grid $unit) roundrectangle 1,1 31,31 6,6" \) \
    -alpha set -compose DstIn -composite -compose Over \
    -fill none -stroke "$border" \
    -draw "$(grid $unit) stroke-width 1 roundrectangle 1.5,1.5 30.5,30.5 5.5,5.5" \
    -stroke none -fill 'rgba(0,0,0,0.30)' -draw "$(grid $unit) translate 0,0.75 $shapes" \
    -fill "$ink" -draw "$(grid $unit) $shapes" \
    -draw "$(grid $unit) $extra" \
    -filter Box -resize "${size}x${size}" "${png[@]}" "PNG32:$out"
}

# 1 off: dark grey with the red stop square; 2 on: green with the data arrows;
# 3 paused: amber with two dark bars; 4 draining: blue with the flow going down.
icon "$assets/icons/state1.png" 32 '#737a82' '#363a40' '#1d2024' white "$connectors" \
  "$(pins '#4a4f56') $mark_stop"
icon "$assets/icons/state2.png" 32 '#5ee26a' '#109028' '#0a5218' white \
  "$connectors $mark_on" "$(pins '#17902c')"
icon "$assets/icons/state3.png" 32 '#ffd84e' '#e08c00' '#7a4e00' white \
  "$connectors" "$(pins '#c98a00') fill #5a3500 $mark_pause"
icon "$assets/icons/state4.png" 32 '#62b6ff' '#1656c8' '#0b3274' white \
  "$connectors $mark_drain" "$(pins '#2a72d8')"

# The program icon: the relay's mark in graphite on a silver tile, no state colour.
for size in 32 64; do
  name=zelkora.png
  [ "$size" = 32 ] || name=zelkora-$size.png
  icon "$assets/icons/$name" "$size" '#f4f6f8' '#a3acb6' '#4c545e' '#2b3139' \
    "$connectors $mark_on" "$(pins '#c8ced4')"
done

# ---------------------------------------------------------------------------------------
# Button symbols, 24 × 24 on a grid of 24 units: start (green arrowhead), pause (two dark
# red bars), stop (red square) and hide (a cross). Qt greys them on a disabled button.
# ---------------------------------------------------------------------------------------
symbol() { # OUT MVG
  "${IM[@]}" -size 192x192 xc:none +antialias -draw "$(grid 8) $2" \
    -filter Box -resize 24x24 "${png[@]}" "PNG32:$1"
}
symbol "$assets/buttons/start.png" \
  'stroke #0b5a1a stroke-width 1 stroke-linejoin round fill #2fc24a polygon 6.5,4 20,12 6.5,20'
symbol "$assets/buttons/pause.png" "fill #8b0000 $(box 6 4 10 20) $(box 14 4 18 20)"
symbol "$assets/buttons/stop.png" "fill #7a0a0a $(box 4 4 20 20) fill #e02424 $(box 5 5 19 19)"
symbol "$assets/buttons/hide.png" \
  'stroke #2b3139 stroke-width 3.5 stroke-linecap round line 6,6 18,18 line 18,6 6,18'

# ---------------------------------------------------------------------------------------
# Pointing-hand cursor, 32 × 32, drawn pixel by pixel: K outline, W fill, . transparent.
# The fingertip, the hot spot, is the outline pixel at column 7, row 1.
# ---------------------------------------------------------------------------------------
hand='
................................
......KKK.......................
.....KWWWK......................
.....KWWWK......................
.....KWWWK......................
.....KWWWK......................
.....KWWWKKK....................
.....KWWWKWWKKK.................
.....KWWWKWWKWWKKK..............
.....KWWWKWWKWWKWWK.............
.....KWWWKWWKWWKWWK.............
..KK.KWWWKWWKWWKWWK.............
.KWWKKWWWWWWWWWWWWK.............
.KWWWKWWWWWWWWWWWWK.............
.KWWWWWWWWWWWWWWWWK.............
..KWWWWWWWWWWWWWWWK.............
..KWWWWWWWWWWWWWWWK.............
...KWWWWWWWWWWWWWWK.............
....KWWWWWWWWWWWWK..............
....KWWWWWWWWWWWWK..............
.....KWWWWWWWWWWK...............
.....KWWWWWWWWWWK...............
.....KKKKKKKKKKKK...............
................................
................................
................................
................................
................................
................................
................................
................................
................................'
{
  printf '/* XPM */\nstatic char *hand[] = {\n"32 32 3 1",\n". c None",\n"K c #000000",\n'
  printf '"W c #FFFFFF",\n'
  sed -e '/^$/d' -e 's/.*/"&",/' <<<"$hand"
  printf '};\n'
} | "${IM[@]}" xpm:- "${png[@]}" "PNG32:$assets/cursors/hand.png"

# ---------------------------------------------------------------------------------------
# Logo, 440 × 264 JPEG: the splash background and the About box picture. The program
# draws over it, so two places stay quiet: the top left (the version line of the splash at
# 5,2 and the program icon of the About box at 16,8) and x 70..250, y 210..240 (the file
# time of the About box).
# ---------------------------------------------------------------------------------------

# A DB-9 seen from its face, centred on CX,CY: the shell plate with its two screw holes,
# the D-shaped shell, and the insulator with five and four pins.
db9() { # CX CY
  local mvg="translate $1,$2" x
  mvg+=" stroke #1b2630 stroke-width 1.5 fill #b9c4cf roundrectangle -44,-19 44,19 5,5"
  mvg+=" fill #0e1720 circle -35,0 -35,4.5 circle 35,0 35,4.5"
  mvg+=" fill #dfe6ec polygon -27,-13 27,-13 22,13 -22,13"
  mvg+=" fill #26313b stroke #10171d polygon -23,-10 23,-10 19,10 -19,10 stroke none"
  mvg+=" fill #e8c35a"
  for x in -16 -8 0 8 16; do mvg+=" circle $x,-4.5 $x,-2"; done
  for x in -12 -4 4 12; do mvg+=" circle $x,4.5 $x,7"; done
  echo "$mvg"
}
# A data arrow along the cable, its tip at X,Y; DIR 1 points right, -1 left.
arrow() { # X Y DIR
  local x=$1 y=$2 d=$3
  echo "polygon $x,$y $((x - d * 9)),$((y - 6)) $((x - d * 9)),$((y - 2))" \
    "$((x - d * 22)),$((y - 2)) $((x - d * 22)),$((y + 2)) $((x - d * 9)),$((y + 2))" \
    "$((x - d * 9)),$((y + 6))"
}

"${IM[@]}" -size 440x264 xc: \
  -sparse-color Barycentric '0,0 #0c1c38 440,0 #113a5c 0,264 #0a2a3e 440,264 #0e4a5a' \
  \( -size 440x264 xc:none -fill 'rgba(120,200,255,0.16)' -draw 'ellipse 230,88 190,52 0,360' \
     -blur 0x28 \) -composite \
  -fill none -stroke 'rgba(150,210,255,0.10)' -strokewidth 1 \
  -draw 'path "M 0,236 C 90,214 160,252 250,230 S 380,208 440,226"' \
  -draw 'path "M 0,246 C 100,226 170,262 260,240 S 390,220 440,238"' -stroke none \
  \( -size 440x264 xc:none -font "$liberation/LiberationSans-BoldItalic.ttf" -fill black \
     -pointsize 78 -annotate +88+112 'Zelkora' -pointsize 30 -annotate +361+74 '®' \
     -blur 0x3 \) -composite \
  -font "$liberation/LiberationSans-BoldItalic.ttf" -fill '#f3f8ff' -stroke '#6fc4ff' \
  -strokewidth 1 -pointsize 78 -annotate +86+110 'Zelkora' -pointsize 30 -annotate +359+72 '®' \
  -stroke none -font "$dejavu/DejaVuSans.ttf" -pointsize 19 -fill '#a9dcff' \
  -gravity north -annotate +0+124 'Коммуникационный ретранслятор' -gravity northwest \
  -stroke '#0a1118' -strokewidth 9 -draw 'line 124,180 316,180' \
  -stroke '#51697d' -strokewidth 3 -draw 'line 124,179 316,179' -stroke none \
  -fill '#56e07a' -draw "$(arrow 190 165 1) $(arrow 240 165 1) $(arrow 290 165 1)" \
  -fill '#ffb347' -draw "$(arrow 150 195 -1) $(arrow 200 195 -1) $(arrow 250 195 -1)" \
  -draw "$(db9 78 180)" -draw "$(db9 362 180)" \
  -strip -sampling-factor 4:2:0 -quality 90 "JPEG:$assets/logo.jpg"
