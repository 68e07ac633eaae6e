#!/usr/bin/env bash
# Renders the artwork in resources/artwork to PNG files and composes mock-ups of the splash and
# About windows, at 1x and 2x, so that the pictures can be looked at before they go into the program.
#
#   tools/render_artwork.sh OUTPUT_FOLDER
#
# Writes into OUTPUT_FOLDER:
#   splash_background.png, product.png, link_pointer.png        at their own size, and @2x
#   app_icon_N.png, about_icon_N.png for each hicolor size N     (16 and 22 from the *_16.svg files)
#   app_icon_N@2x.png, about_icon_N@2x.png                      the same icons for a 2x screen
#   icons.png                                                   every icon side by side on a light and a dark strip
#   splash_mockup.png, splash_mockup@2x.png                     449x283 client area with its texts
#   about_mockup.png, about_mockup@2x.png                       428x310 client area with texts, buttons and the pointer
#
# Dev tools only, not build or CI needs: librsvg2-bin (rsvg-convert), imagemagick, fonts-dejavu-core.
set -euo pipefail

if [[ $# -ne 1 ]]; then
  echo "usage: $0 OUTPUT_FOLDER" >&2
  exit 2
fi
for tool in rsvg-convert convert; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is missing" >&2; exit 2; }
done
art=$(cd "$(dirname "$0")/../resources/artwork" && pwd)
out=$1
mkdir -p "$out"

SANS=DejaVu-Sans
BOLD=DejaVu-Sans-Bold

# svg, png, zoom
render() { rsvg-convert --zoom "$3" "$art/$1" -o "$out/$2"; }
# svg, png, size in pixels
render_size() { rsvg-convert --width "$3" --height "$3" "$art/$1" -o "$out/$2"; }

for scale in 1 2; do
  suffix=""; [[ $scale == 2 ]] && suffix="@2x"
  render splash_background.svg "splash_background$suffix.png" "$scale"
  render product.svg "product$suffix.png" "$scale"
  render link_pointer.svg "link_pointer$suffix.png" "$scale"
  for size in 16 22 24 32 48 64 128 256 512; do
    pixels=$((size * scale))
    for icon in app_icon about_icon; do
      source=$icon.svg
      if [[ $pixels -le 22 && -f $art/${icon}_16.svg ]]; then source=${icon}_16.svg; fi
      render_size "$source" "${icon}_$size$suffix.png" "$pixels"
    done
  done
done

# Every icon up to 128 pixels in a row, on the light grey of a menu and on a dark panel.
strip() {
  local background=$1 icon=$2
  local files=() width=12
  for size in 16 22 24 32 48 64 128; do
    files+=("$out/${icon}_$size.png")
    width=$((width + size + 12))
  done
  convert -background "$background" "${files[@]}" -splice 12x0 -gravity center +append +repage \
    -extent "${width}x140" -alpha remove miff:-
}
{
  strip '#eef0f3' app_icon
  strip '#2b2f36' app_icon
  strip '#eef0f3' about_icon
  strip '#2b2f36' about_icon
} | convert miff:- -append "$out/icons.png"

# The texts of both windows. Point sizes are the program's, at 96 dpi.
pt() { awk -v p="$1" -v s="$2" 'BEGIN { printf "%.2f", p * 96 / 72 * s }'; }

splash_mockup() {
  local s=$1 suffix=$2
  local body; body=$(pt 9 "$s")
  local x=$((116 * s)) line=$((20 * s))
  local top=$((84 * s))
  convert "$out/splash_background$suffix.png" -crop "$((449 * s))x$((283 * s))+0+0" +repage \
    "$out/product$suffix.png" -geometry "+$((16 * s))+$((84 * s))" -composite \
    -fill '#000000' -font "$BOLD" -pointsize "$(pt 32 "$s")" -annotate "+$((14 * s))+$((50 * s))" 'Vantro Calculator' \
    -font "$SANS" -pointsize "$body" \
    -annotate "+$x+$((top + 12 * s))" 'Version : 1.2.0' \
    -annotate "+$x+$((top + 12 * s + line))" 'Released Date : 7th Dec 2007' \
    -annotate "+$x+$((top + 12 * s + 2 * line))" 'Basic Financial Calculator (Freeware)' \
    -stroke '#8a94a6' -strokewidth "$s" -draw "line $x,$((top + 68 * s)) $((436 * s)),$((top + 68 * s))" -stroke none \
    -annotate "+$x+$((top + 12 * s + 4 * line))" 'Email : support@example.org' \
    -annotate "+$x+$((top + 12 * s + 5 * line))" 'Home Page : https://www.example.org' \
    "$out/splash_mockup$suffix.png"
}

about_mockup() {
  local s=$1 suffix=$2
  local body; body=$(pt 9 "$s")
  local x=$((116 * s)) line=$((20 * s)) top=$((16 * s))
  local disclaimer="Warning: this program is provided as it is, without any warranty. The results it shows are for guidance only; check them before you rely on them for a financial decision. You may copy and give away this program freely, but not sell it."
  local labels=('OK' 'System Info' 'Read SLA') lefts=(148 238 328)
  local buttons=() i
  for i in 0 1 2; do
    convert -size "$((84 * s))x$((26 * s))" xc:'#e1e1e1' -fill none -stroke '#adadad' -strokewidth "$s" \
      -draw "rectangle $((s / 2)),$((s / 2)) $((84 * s - 1 - s / 2)),$((26 * s - 1 - s / 2))" -stroke none \
      -fill '#000000' -font "$SANS" -pointsize "$body" -gravity center -annotate +0+0 "${labels[i]}" \
      "$out/button$i$suffix.png"
    buttons+=("$out/button$i$suffix.png" -geometry "+$((lefts[i] * s))+$((272 * s))" -composite)
  done
  convert -background none -fill '#000000' -font "$SANS" -pointsize "$body" -size "$((396 * s))x" \
    caption:"$disclaimer" "$out/disclaimer$suffix.png"
  convert "$out/splash_background$suffix.png" -crop "$((428 * s))x$((310 * s))+0+0" +repage \
    "$out/product$suffix.png" -geometry "+$((16 * s))+$((16 * s))" -composite \
    -fill '#000000' -font "$BOLD" -pointsize "$(pt 12 "$s")" -annotate "+$x+$((top + 14 * s))" 'Vantro Calculator' \
    -font "$SANS" -pointsize "$body" \
    -annotate "+$x+$((top + 14 * s + line))" 'Version : 1.2.0' \
    -annotate "+$x+$((top + 14 * s + 2 * line))" 'Released Date : 7th Dec 2007' \
    -annotate "+$x+$((top + 14 * s + 3 * line))" 'Basic Financial Calculator (Freeware)' \
    -stroke '#8a94a6' -strokewidth "$s" -draw "line $x,$((top + 78 * s)) $((412 * s)),$((top + 78 * s))" -stroke none \
    -annotate "+$x+$((top + 14 * s + 4 * line + 8 * s))" 'Email :' \
    -annotate "+$x+$((top + 14 * s + 5 * line + 8 * s))" 'Home Page :' \
    -fill '#0000ee' \
    -annotate "+$((x + 52 * s))+$((top + 14 * s + 4 * line + 8 * s))" 'support@example.org' \
    -annotate "+$((x + 82 * s))+$((top + 14 * s + 5 * line + 8 * s))" 'https://www.example.org' \
    "$out/disclaimer$suffix.png" -geometry "+$((16 * s))+$((164 * s))" -composite \
    "${buttons[@]}" \
    "$out/link_pointer$suffix.png" -geometry "+$(((116 + 130 - 13) * s))+$((top + 8 * s + 5 * line - 1 * s))" -composite \
    "$out/about_mockup$suffix.png"
  rm -f "$out/disclaimer$suffix.png" "$out"/button?"$suffix".png
}

splash_mockup 1 ""
splash_mockup 2 "@2x"
about_mockup 1 ""
about_mockup 2 "@2x"
echo "rendered into $out"
