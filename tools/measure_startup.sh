#!/usr/bin/env bash
# Start-up time and resident memory of the calculator against a minimal Qt window.
#
#   tools/measure_startup.sh [RUNS]        (default 15 runs of each program)
#
# For each run: the time from exec to the MapNotify of the program's first window (the
# calculator's splash) and of its main window (found by its title, after the splash), and
# VmRSS 2 s after the main window appeared. Prints the medians and calculator/minimal ratios.
# Runs on the X display in DISPLAY; without one it starts Xvfb :97 and stops it at the end.
# The window must be mapped as a child of the root window: a display without a window
# manager (a window manager reparents it into its frame first).
#
# Builds vantro-calculator and minimal_window in BUILD_DIR (default build/release, the
# release preset). Needs the C compiler and libxcb1-dev for the map timer.
set -euo pipefail
cd "$(dirname "$0")/.."

RUNS=${1:-15}
BUILD_DIR=${BUILD_DIR:-build/release}
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  if [[ -n "$xvfb_pid" ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

if [[ ! -d "$BUILD_DIR" ]]; then cmake --preset release >/dev/null; fi
cmake --build "$BUILD_DIR" -j2 --target vantro-calculator minimal_window >/dev/null
calculator="$BUILD_DIR/src/qt/vantro-calculator"
minimal="$BUILD_DIR/bench/minimal_window"

# map_timer SKIP TITLE PROGRAM [ARGS...]: starts PROGRAM, waits for the MapNotify of a window
# titled TITLE among the root window's children after SKIP other windows were mapped (the
# splash carries the program's name too), prints "<first window ms> <titled ms> <pid>".
# Waiting on the event itself: polling tools (xdotool --sync) are 0.5 s coarse.
cat > "$work/map_timer.c" <<'CODE'
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

static int has_title(xcb_connection_t* c, xcb_window_t w, xcb_atom_t atom, const char* title) {
  xcb_get_property_reply_t* r =
      xcb_get_property_reply(c, xcb_get_property(c, 0, w, atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), NULL);
  if (!r) return 0;
  int n = xcb_get_property_value_length(r);
  int same = n == (int)strlen(title) && memcmp(xcb_get_property_value(r), title, (size_t)n) == 0;
  free(r);
  return same;
}

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  xcb_connection_t* c = xcb_connect(NULL, NULL);
  if (xcb_connection_has_error(c)) return 3;
  xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
  xcb_intern_atom_reply_t* a = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, 12, "_NET_WM_NAME"), NULL);
  xcb_atom_t net_wm_name = a ? a->atom : XCB_ATOM_WM_NAME;
  free(a);  /* the round trip above also made sure the event mask is in force */
  struct timespec t0, t1;
  double first_ms = -1;
  xcb_window_t first = 0;
  int skip = atoi(argv[1]), mapped_before = 0;
  clock_gettime(CLOCK_MONOTONIC, &t0);
  pid_t pid = fork();
  if (pid == 0) {
    if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr)) _exit(126);
    execv(argv[3], argv + 3);
    _exit(127);
  }
  alarm(30);
  xcb_generic_event_t* e;
  while ((e = xcb_wait_for_event(c))) {
    if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY) {
      xcb_window_t w = ((xcb_map_notify_event_t*)e)->window;
      clock_gettime(CLOCK_MONOTONIC, &t1);
      double ms = (t1.tv_sec - t0.tv_sec) * 1e3 + (t1.tv_nsec - t0.tv_nsec) / 1e6;
      if (first_ms < 0) {
        first_ms = ms;
        first = w;
      }
      if (w != first) ++mapped_before;
      int titled = has_title(c, w, net_wm_name, argv[2]) || has_title(c, w, XCB_ATOM_WM_NAME, argv[2]);
      if (titled && mapped_before >= skip) {
        printf("%.1f %.1f %d\n", first_ms, ms, (int)pid);
        return 0;
      }
    }
    free(e);
  }
  return 1;
}
CODE
cc -O2 -o "$work/map_timer" "$work/map_timer.c" -lxcb

if [[ -z "${DISPLAY:-}" ]]; then
  Xvfb :97 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=:97
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi
export QT_QPA_PLATFORM=xcb

median() { sort -g | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }

# measure NAME SKIP TITLE PROGRAM: RUNS runs; writes NAME.first, NAME.main and NAME.kb
measure() {
  local name=$1 skip=$2 title=$3 program=$4
  : >"$work/$name.first"
  : >"$work/$name.main"
  : >"$work/$name.kb"
  for _ in $(seq "$RUNS"); do
    local first ms pid
    read -r first ms pid < <("$work/map_timer" "$skip" "$title" "$program")
    sleep 1
    awk '/^VmRSS:/ {print $2}' "/proc/$pid/status" >>"$work/$name.kb"
    echo "$first" >>"$work/$name.first"
    echo "$ms" >>"$work/$name.main"
    kill -KILL "$pid"
    while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
  done
}

measure minimal 0 "Minimal Window" "$minimal"
measure calculator 1 "Vantro Calculator" "$calculator"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
min_ms=$(median <"$work/minimal.main")
splash_ms=$(median <"$work/calculator.first")
main_ms=$(median <"$work/calculator.main")
min_kb=$(median <"$work/minimal.kb")
calc_kb=$(median <"$work/calculator.kb")
printf '%-26s %10s %8s\n' "" "map (ms)" "ratio"
printf '%-26s %10.1f %8s\n' "minimal window" "$min_ms" "1.00"
printf '%-26s %10.1f %8s\n' "calculator: splash" "$splash_ms" "$(ratio "$splash_ms" "$min_ms")"
printf '%-26s %10.1f %8s\n' "calculator: main window" "$main_ms" "$(ratio "$main_ms" "$min_ms")"
printf '%-26s %10s %8s\n' "" "VmRSS (MB)" ""
printf '%-26s %10.1f %8s\n' "minimal window" "$(awk -v k="$min_kb" 'BEGIN {print k / 1024}')" "1.00"
printf '%-26s %10.1f %8s\n' "calculator" "$(awk -v k="$calc_kb" 'BEGIN {print k / 1024}')" \
  "$(ratio "$calc_kb" "$min_kb")"
echo "medians of $RUNS runs each, $(basename "$BUILD_DIR") build, display $DISPLAY"
