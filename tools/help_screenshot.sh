#!/usr/bin/env bash
# Takes the annotated picture of the main window for the help pages.
#
#   tools/help_screenshot.sh build/ci/src/qt/vantro-calculator [output.png]
#
# Runs a copy of the program (so that it starts without a settings file, at its default place)
# under its own Xvfb display, types the monthly-payment example into the window so that the
# fields, the display and the status bar show something, captures the window and draws
# numbered callouts: 1 display, 2 status bar, 3 financial fields, 4 financial command keys,
# 5 keypad. The help page main_window.htm explains the numbers.
#
# Dev tools, not CI needs: xvfb, xdotool, imagemagick.
#
# Every position comes from the window's designed layout in twips (15 twips to the pixel),
# shifted and scaled by where the display really is on the screen: the black display is found
# in the captured picture. A menu bar or toolbar above the calculator's area only moves that
# area down, and the callouts follow it. To move a callout, change its row in CALLOUTS.
set -euo pipefail

if [[ $# -lt 1 || ! -x $1 ]]; then
  echo "usage: $0 path/to/vantro-calculator [output.png]" >&2
  exit 2
fi
repo=$(cd "$(dirname "$0")/.." && pwd)
program=$(readlink -f "$1")
output=${2:-"$repo/resources/help/html Docs/images/main_window.png"}
for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is missing" >&2; exit 2; }
done

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
# The program writes its settings file and removes its lock as it ends: wait for both to end
# before removing the folder they write in.
cleanup() {
  if [[ -n $app_pid ]]; then kill "$app_pid" 2>/dev/null || true; wait "$app_pid" 2>/dev/null || true; fi
  if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# --- The display and the program ---------------------------------------------------------
Xvfb -displayfd 3 -screen 0 800x700x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.1; done
[[ -s $work/display ]] || { echo "$0: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY

cp "$program" "$work/vantro-calculator"
# Its single-instance lock file goes to the runtime folder: the temporary one, removed at the end.
XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb "$work/vantro-calculator" >"$work/app.log" 2>&1 &
app_pid=$!

# The main window: the largest visible window called "Vantro Calculator". A splash window may
# come first; waiting until the same window is still the largest a second later skips it.
find_window() {
  local best="" best_area=0 id
  for id in $(xdotool search --onlyvisible --name '^Vantro Calculator$' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    if ((WIDTH * HEIGHT > best_area)); then best=$id best_area=$((WIDTH * HEIGHT)); fi
  done
  echo "$best"
}
window=""
for _ in $(seq 100); do
  found=$(find_window)
  if [[ -n $found && $found == "$window" ]]; then break; fi
  window=$found
  sleep 1
done
[[ -n $window ]] || { echo "$0: the main window did not appear" >&2; cat "$work/app.log" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"
win_x=$X win_y=$Y win_w=$WIDTH win_h=$HEIGHT

capture() {
  import -window root "$work/root.png"
  convert "$work/root.png" -crop "${win_w}x${win_h}+${win_x}+${win_y}" +repage "$1"
}

# --- Where the calculator's area lies: the display's black box -------------------------------
# Eroding the black pixels removes text strokes and leaves the display's solid background.
capture "$work/plain.png"
erode=4
box=$(convert "$work/plain.png" -alpha off -fill white +opaque black -negate \
  -morphology Erode "Square:$erode" -format '%@' info:)
[[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] ||
  { echo "$0: no display found in the window ($box)" >&2; exit 1; }
box_w=${BASH_REMATCH[1]} box_h=${BASH_REMATCH[2]} box_x=${BASH_REMATCH[3]} box_y=${BASH_REMATCH[4]}
# Display: left 1080, top 960, 4215 by 495 twips. Its frame is not black: the frame's width is
# taken from the height, and the left edge places the layout (the caret may stand at the
# right). The scale is the nearest quarter (1, 1.25, 1.5, 2 ...).
scale=$(awk -v w="$box_w" 'BEGIN { printf "%.2f", int(w / (4215 / 15) * 4 + 0.5) / 4 }')
frame=$(awk -v h="$box_h" -v e="$erode" -v s="$scale" 'BEGIN { printf "%.1f", (495 / 15 * s - h - 2 * e) / 2 }')
origin_x=$(awk -v x="$box_x" -v e="$erode" -v f="$frame" -v s="$scale" \
  'BEGIN { printf "%d", x - e - f - 1080 / 15 * s + 0.5 }')
origin_y=$(awk -v y="$box_y" -v e="$erode" -v f="$frame" -v s="$scale" \
  'BEGIN { printf "%d", y - e - f - 960 / 15 * s + 0.5 }')
# Window pixel of a designed position in twips.
px_x() { awk -v t="$1" -v o="$origin_x" -v s="$scale" 'BEGIN { printf "%d", o + t / 15 * s }'; }
px_y() { awk -v t="$1" -v o="$origin_y" -v s="$scale" 'BEGIN { printf "%d", o + t / 15 * s }'; }

# --- Something to show: the monthly payment of the help's first example ----------------------
click_at() {  # twips x, twips y
  xdotool mousemove --window "$window" "$(px_x "$1")" "$(px_y "$2")" click 1
  sleep 0.2
}
xdotool windowfocus --sync "$window" 2>/dev/null || true
click_at 645 1957 && xdotool type --delay 40 '360'      # NPer
click_at 1800 1957 && xdotool type --delay 40 '8/12'    # Interest
click_at 2955 1957 && xdotool type --delay 40 '100000'  # Present Value
click_at 5265 2370                                      # the PMT key
click_at 3187 1207                                      # back into the display
sleep 0.5
capture "$work/window.png"

# --- Callouts ------------------------------------------------------------------------------
# number  badge centre  outline: two corners of a rectangle, or the corners of a polygon
# (all in twips of the designed layout). A number may mark more than one area: the financial
# fields are the row of value fields and, left of the keys below it, the period field and the
# payment-timing check box (the notch in the outline of the keys).
CALLOUTS=(
  "1 1080,960 1080,960 5295,1455"
  "2 5295,600 2190,600 5295,870"
  "3 120,1530 120,1530 5790,2145"
  "3 105,3037 105,2565 1680,2565 1680,2835 1245,2835 1245,3240 2400,3240 2400,3675 105,3675"
  "4 5805,2175 105,2175 5805,2175 5805,4065 105,4065 105,3675 2400,3675 2400,3240 1245,3240 1245,2835 1680,2835 1680,2565 105,2565"
  "5 480,4200 480,4200 5415,7095"
)
point() {  # "x,y" in twips -> "x,y" in window pixels
  echo "$(px_x "${1%,*}"),$(px_y "${1#*,}")"
}
radius=$(awk -v s="$scale" 'BEGIN { printf "%d", 9 * s }')
draw=()
for callout in "${CALLOUTS[@]}"; do
  read -r number badge outline <<<"$callout"
  points=()
  for corner in $outline; do points+=("$(point "$corner")"); done
  if ((${#points[@]} == 2)); then shape="rectangle ${points[*]}"; else shape="polygon ${points[*]}"; fi
  badge=$(point "$badge")
  cx=${badge%,*} cy=${badge#*,}
  draw+=(-fill none -stroke '#d9480f' -strokewidth 2 -draw "$shape")
  draw+=(-fill '#d9480f' -stroke white -strokewidth 1.5
    -draw "circle $cx,$cy $((cx + radius)),$cy")
  draw+=(-stroke none -fill white -annotate "+$((cx - radius / 3))+$((cy + radius / 2))" "$number")
done
mkdir -p "$(dirname "$output")"
convert "$work/window.png" -font DejaVu-Sans-Bold -pointsize "$(awk -v s="$scale" \
  'BEGIN { printf "%d", 13 * s }')" "${draw[@]}" -strip -define png:compression-level=9 \
  "$output"
echo "$output: $(identify -format '%wx%h' "$output"), display found at ${box_x},${box_y}," \
  "calculator area at ${origin_x},${origin_y}, scale ${scale}"
