#!/usr/bin/env bash
# Draws the window artwork (night-sky theme) into resources/artwork/.
# Run by hand after a change here; the JPEGs are committed. Needs ImageMagick 6 (`convert`).
# Re-runs give byte-identical files: the stars come from a fixed-seed generator below.
set -euo pipefail

out=$(cd "$(dirname "$0")/../.." && pwd)/resources/artwork
mkdir -p "$out"

W=498
LORE=70            # extra band at the top of background_lore.jpg
TOP=#02030a        # sky gradient, top to bottom
BOTTOM=#0a1030
NAV=#04060f        # navigation band
NAV_LINE=#34487e   # its top edge

# Baseline (non-progressive) JPEG without metadata, so the output depends only on the pixels.
jpeg=(-strip -interlace none -sampling-factor 2x2 -quality 88)

# Stars for a W x H field as MVG primitives, offset by DY. A Park-Miller generator
# in plain arithmetic: awk's own rand() differs between awk implementations.
stars() { # SEED H DY COUNT
  awk -v seed="$1" -v h="$2" -v dy="$3" -v n="$4" -v w="$W" '
    function rnd() { seed = (seed * 16807) % 2147483647; return seed / 2147483647 }
    BEGIN {
      for (i = 0; i < n; i++) {
        x = int(rnd() * w); y = int(rnd() * h) - dy; b = rnd(); t = rnd()
        if (y < 0) continue
        # Mostly faint points; one in twelve a brighter, slightly soft star.
        v = int(55 + 90 * b * b)
        r = v - int(20 * t); g = v - int(8 * t); bl = v + 15
        if (b > 0.92) {
          printf "fill rgb(%d,%d,%d) circle %d.5,%d.5 %d.5,%d.3 ", r + 60, g + 60, bl + 60, x, y, x, y + 1
        } else {
          printf "fill rgb(%d,%d,%d) point %d,%d ", r, g, bl, x, y
        }
      }
    }'
}

# Faint panels behind the 7 x 6 day cells, DY lower for the lore variant. Half opaque, so
# the stars behind the day texts are dimmed too. The picture lies 18 px below the top of
# the window, so a cell whose icon is at window top 78 starts at 58 here; rows are 52 apart.
cells() { # DY
  local dy=$1 c r x y mvg="fill rgba(22,34,84,0.42) stroke rgba(105,221,255,0.07) stroke-width 1 "
  for ((r = 0; r < 6; r++)); do
    for ((c = 0; c < 7; c++)); do
      x=$((71 * c + 2)); y=$((58 + 52 * r + dy))
      mvg+="roundrectangle $x.5,$y.5 $((x + 67)).5,$((y + 47)).5 4,4 "
    done
  done
  printf '%s' "$mvg"
}

# The sky: vertical gradient, a faint glow high on the right, stars.
sky() { # H DY OUT [extra MVG]
  local h=$1 dy=$2 file=$3 extra=${4:-}
  convert -size "${W}x$h" "gradient:$TOP-$BOTTOM" \
    \( -size "${W}x$h" xc:none -fill 'rgba(60,90,200,0.10)' \
       -draw "ellipse $((W * 3 / 4)),$((h / 5)) 190,110 0,360" -blur 0x60 \) -composite \
    -draw "$(stars 7 $((371 + LORE)) $((LORE - (h - 371))) 230)" \
    ${extra:+-draw "$extra"} "${jpeg[@]}" "$file"
}

# A pale plate behind the month caption, whose dark blue text would vanish in the sky
# (the caption sits at window left 2, top 43, 195 x 15: 25 here).
caption() { # DY
  printf 'fill rgba(200,214,245,0.92) stroke rgba(105,221,255,0.6) stroke-width 1 roundrectangle 40.5,%d.5 159.5,%d.5 6,6 ' \
    $((24 + $1)) $((40 + $1))
}

sky 371 0 "$out/background.jpg" "$(cells 0)$(caption 0)"
sky $((371 + LORE)) 0 "$out/background_lore.jpg" "$(cells $LORE)$(caption $LORE)"

# Bottom strips: the sky's bottom colour with a few stars over the text room,
# then the flat navigation band (27 px) with a thin lighter line on top.
nav() { # H
  printf 'fill %s rectangle 0,%d %d,%d fill %s rectangle 0,%d %d,%d' \
    "$NAV" $(($1 - 27)) $((W - 1)) $(($1 - 1)) "$NAV_LINE" $(($1 - 27)) $((W - 1)) $(($1 - 27))
}
convert -size "${W}x64" "gradient:$BOTTOM-#070b22" -draw "$(stars 11 37 0 24)" \
  -draw "$(nav 64)" "${jpeg[@]}" "$out/strip_text.jpg"
convert -size "${W}x27" "xc:$NAV" -draw "$(nav 27)" "${jpeg[@]}" "$out/strip_notext.jpg"

# The lore panel: a slightly lighter, bluer field with a few dim stars.
convert -size 482x75 'gradient:#0d1640-#080c26' \
  -draw "$(W=482 stars 23 75 0 18)" "${jpeg[@]}" "$out/lore_fill.jpg"

for f in background background_lore strip_text strip_notext lore_fill; do
  identify -format '%f %wx%h\n' "$out/$f.jpg"
done
