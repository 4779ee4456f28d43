#!/usr/bin/env bash
# Draws Tessaly's pictures and icons and writes them into res/.
#
#   tools/artgen/make-art.sh [output-dir]      (default: <repo>/res)
#
# Needs ImageMagick 6 (convert), python3 and the DejaVu fonts of Debian
# (fonts-dejavu-core). The generated files are committed, so building the
# program never runs this script.
#
# Pictures with 8 bits per pixel share one 256-colour table (the static
# colours of a palette display and 236 colours fitted to the artwork), so
# that the palette made from the small-font background serves all of them.
# Pictures with 4 bits per pixel use the 16 standard colours.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$(cd "$here/../.." && pwd)/res}
dib="python3 $here/dib.py"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

fonts=/usr/share/fonts/truetype/dejavu
bold=$fonts/DejaVuSans-Bold.ttf
book=$fonts/DejaVuSans.ttf
for f in "$bold" "$book"; do
  [[ -f $f ]] || { echo "missing font $f (apt-get install fonts-dejavu-core)" >&2; exit 1; }
done

# ---------------------------------------------------------------- emblem --
# The Tessaly emblem: four tiles laid into a diamond.
$dib emblem 16 normal icon16.pam
$dib emblem 32 normal icon32.pam
$dib emblem 16 disabled icon16off.pam
$dib emblem 32 disabled icon32off.pam

# ------------------------------------------------------------ background --
# background <width> <height> <rich|basic> <out.png>
# The main window's client area. The controls of the dialog template sit on
# it at dialog-unit positions (196 x 214 units fill the picture), so their
# areas stay plain and light: a title band above the first control, a light
# card behind the settings, a footer band behind the push buttons.
background() {
  local w=$1 h=$2 kind=$3 png=$4
  local ux="* $w / 196" uy="* $h / 214"
  local band=$((30 $uy)) card_l=$((4 $ux)) card_t=$((32 $uy))
  local card_r=$((191 $ux)) card_b=$((110 $uy)) foot=$((192 $uy))
  local mark=$((band * 7 / 10)) title=$((band * 36 / 100)) sub=$((band * 19 / 100))
  local mx=$((band / 4)) my=$(((band - mark) / 2))
  local tx=$((mx + mark + band / 4))
  local radius=$((w / 50))
  local base band_fill card_fill card_line foot_fill foot_line accent subtitle emblem
  if [[ $kind == rich ]]; then
    base=(-size "${w}x${h}" gradient:'#F4F7FB-#DDE5EF')
    band_fill=(\( -size "${band}x${w}" gradient:'#1F8595-#17356A' -rotate 90 \))
    card_fill='#FCFDFE' card_line='#C3CFDD' foot_fill='#D3DDE9' foot_line='#B3C1D2'
    accent='#F2B43F' subtitle='#BFE7EE' emblem=rich
  else
    base=(-size "${w}x${h}" xc:'#C0C0C0')
    band_fill=(\( -size "${w}x${band}" xc:'#000080' \))
    card_fill='#FFFFFF' card_line='#808080' foot_fill='#C0C0C0' foot_line='#FFFFFF'
    accent='#FFFF00' subtitle='#00FFFF' emblem=normal
  fi
  $dib emblem "$mark" "$emblem" mark.pam
  convert "${base[@]}" \
    "${band_fill[@]}" -geometry +0+0 -composite \
    -fill "$accent" -draw "rectangle 0,$band $w,$((band + w / 200))" \
    -fill "$card_fill" -stroke "$card_line" -strokewidth 1 \
    -draw "roundrectangle $card_l,$card_t $card_r,$card_b $radius,$radius" \
    -stroke none -fill "$foot_fill" -draw "rectangle 0,$foot $w,$h" \
    -fill "$foot_line" -draw "rectangle 0,$foot $w,$foot" \
    mark.pam -geometry "+$mx+$my" -composite \
    -font "$bold" -pointsize "$title" -fill '#00000060' \
    -annotate "+$((tx + 1))+$((band / 2 + 1))" 'Vantor Tessaly' \
    -fill white -annotate "+$tx+$((band / 2))" 'Vantor Tessaly' \
    -font "$book" -pointsize "$sub" -fill "$subtitle" \
    -annotate "+$tx+$((band / 2 + sub * 3 / 2))" 'Idle-time care for your system' \
    -alpha off "$png"
}

# ---------------------------------------------------------------- splash --
splash() {
  local kind=$1 png=$2 w=293 h=84
  local fill emblem subtitle small border
  if [[ $kind == rich ]]; then
    fill=(-size "${h}x${w}" gradient:'#1F8595-#17356A' -rotate 90)
    emblem=rich subtitle='#BFE7EE' small='#9CC2D4' border='#0D2347'
  else
    fill=(-size "${w}x${h}" xc:'#000080')
    emblem=normal subtitle='#00FFFF' small='#C0C0C0' border='#000000'
  fi
  $dib emblem 54 "$emblem" mark.pam
  convert "${fill[@]}" \
    mark.pam -geometry +12+15 -composite \
    -font "$bold" -pointsize 22 -fill '#00000060' -annotate +78+37 'Vantor Tessaly' \
    -fill white -annotate +77+36 'Vantor Tessaly' \
    -font "$book" -pointsize 10 -fill "$subtitle" -annotate +78+53 'Idle-time care for your system' \
    -pointsize 8 -fill "$small" -annotate +78+73 'Brenmoor Software Corporation' \
    -gravity SouthEast -annotate +9+8 'Version 5.0' -gravity NorthWest \
    -fill none -stroke "$border" -draw "rectangle 0,0 $((w - 1)),$((h - 1))" \
    -alpha off "$png"
}

# --------------------------------------------------------------- button --
# button <up|focus|down> <rich|basic> <out.png>: the 41 x 40 face of the
# "Launch Vantor" picture button, with its own raised or sunken border.
button() {
  local state=$1 kind=$2 png=$3 w=41 h=40
  local face disc hi lo shadow dark
  if [[ $kind == rich ]]; then
    face=(-size "${w}x${h}" gradient:'#F7F9FC-#D5DDE8')
    disc=(-size 28x28 radial-gradient:'#4A9AF0-#153A78')
    hi='#FFFFFF' lo='#E3E8EF' shadow='#8A96A6' dark='#3A4350'
  else
    face=(-size "${w}x${h}" xc:'#C0C0C0')
    disc=(-size 28x28 xc:'#0000FF')
    hi='#FFFFFF' lo='#C0C0C0' shadow='#808080' dark='#000000'
  fi
  local off=0 tl1=$hi tl2=$lo br1=$dark br2=$shadow
  if [[ $state == down ]]; then
    off=1 tl1=$dark tl2=$shadow br1=$hi br2=$lo
  fi
  local x=$((6 + off)) y=$((6 + off)) r=$((w - 1)) b=$((h - 1))
  convert "${face[@]}" \
    \( "${disc[@]}" \( -size 28x28 xc:black -fill white -draw 'circle 13.5,13.5 13.5,0.6' \) \
       -alpha off -compose CopyOpacity -composite \) \
    -compose Over -geometry "+$x+$y" -composite \
    -fill none -stroke '#0A1F45' -strokewidth 1 -draw "circle $((x + 13)).5,$((y + 13)).5 $((x + 13)).5,$y.6" \
    -stroke none -font "$bold" -pointsize 19 -fill white -gravity NorthWest \
    -annotate "+$((x + 7))+$((y + 3))" 'V' \
    -strokewidth 1 \
    -stroke "$tl1" -draw "line 0,0 $((r - 1)),0" -draw "line 0,0 0,$((b - 1))" \
    -stroke "$br1" -draw "line 0,$b $r,$b" -draw "line $r,0 $r,$b" \
    -stroke "$tl2" -draw "line 1,1 $((r - 2)),1" -draw "line 1,1 1,$((b - 2))" \
    -stroke "$br2" -draw "line 1,$((b - 1)) $((r - 1)),$((b - 1))" \
    -draw "line $((r - 1)),1 $((r - 1)),$((b - 1))" \
    -alpha off "$png"
  if [[ $state == focus ]]; then
    # The focus face: a dotted frame inside the border.
    local dots=()
    for ((i = 4; i <= r - 4; i += 2)); do dots+=(-draw "point $i,4" -draw "point $i,$((b - 4))"); done
    for ((i = 4; i <= b - 4; i += 2)); do dots+=(-draw "point 4,$i" -draw "point $((r - 4)),$i"); done
    convert "$png" -fill black "${dots[@]}" "$png"
  fi
}

# ------------------------------------------------------------- drawings --
background 292 347 rich bg_small_rich.png
background 391 429 rich bg_large_rich.png
background 292 347 basic bg_small_basic.png
background 391 429 basic bg_large_basic.png
splash rich splash_rich.png
splash basic splash_basic.png
for state in up focus down; do
  button $state rich button_${state}_rich.png
  button $state basic button_${state}_basic.png
done
for colour in green red; do
  $dib lamp $colour 16 8 lamp_${colour}_rich.pam
  $dib lamp $colour 13 4 lamp_${colour}_basic.pam
done

# One colour table for every 8-bit picture.
convert bg_small_rich.png bg_large_rich.png splash_rich.png button_*_rich.png \
  lamp_*_rich.pam -alpha off -background black +append \
  +dither -colors 236 -unique-colors -depth 8 palette_source.ppm
$dib palette rich.pal palette_source.ppm

# bitmap <id> <4|8> <source> [flat]: 8-bit pictures are spread over the
# shared table with error diffusion, so that gradients show no bands; flat
# ones (the lamps) take the nearest colours, so their edges stay clean.
bitmap() {
  local table=standard remap=()
  if [[ $2 == 8 ]]; then
    table=rich.pal remap=(-dither FloydSteinberg -remap rich.pal.ppm)
    [[ ${4:-} == flat ]] && remap=(+dither -remap rich.pal.ppm)
  fi
  convert "$3" -alpha off "${remap[@]}" -depth 8 "$1.ppm"
  $dib bmp "$2" "$table" "$1.ppm" "$out/bitmap$1.bmp"
}
bitmap 138 8 bg_large_rich.png
bitmap 139 4 bg_large_basic.png
bitmap 140 8 button_up_rich.png
bitmap 141 8 button_focus_rich.png
bitmap 142 8 button_down_rich.png
bitmap 143 4 button_up_basic.png
bitmap 144 4 button_focus_basic.png
bitmap 145 4 button_down_basic.png
bitmap 167 4 lamp_green_basic.pam
bitmap 168 4 lamp_red_basic.pam
bitmap 169 4 splash_basic.png
bitmap 170 4 bg_small_basic.png
bitmap 173 8 bg_small_rich.png
bitmap 175 8 lamp_green_rich.pam flat
bitmap 176 8 lamp_red_rich.pam flat
bitmap 177 8 splash_rich.png

$dib ico "$out/tessaly.ico" icon32.pam
$dib ico "$out/tray.ico" icon16.pam
$dib ico "$out/tray_disabled.ico" icon16off.pam icon32off.pam
echo "pictures written to $out"
