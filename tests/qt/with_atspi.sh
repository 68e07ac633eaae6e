#!/usr/bin/env bash
# Runs a command with what a screen reader needs around a program: an X display (Xvfb), a
# session bus and the accessibility bus, all ended with the command. The first display number
# tried is $VANTRO_TEST_DISPLAY (69 unless set); displays in use are skipped. The command gets
# 90 seconds.
set -euo pipefail

launcher=
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [[ -x $candidate ]] && launcher=$candidate && break
done
[[ -n $launcher ]] || { echo "with_atspi.sh: at-spi-bus-launcher not found (at-spi2-core)" >&2; exit 1; }

xvfb_pid=
ready=$(mktemp)
cleanup() {
  if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  rm -f "$ready"
}
trap cleanup EXIT

# Xvfb writes the display's number to its -displayfd once it takes connections.
first=${VANTRO_TEST_DISPLAY:-69}
for ((display = first; display < first + 20; display++)); do
  [[ -e /tmp/.X$display-lock ]] && continue
  : >"$ready"
  Xvfb ":$display" -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [[ -s $ready ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  [[ -s $ready ]] && break
  kill "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=
done
[[ -n $xvfb_pid ]] || { echo "with_atspi.sh: no free X display from :$first" >&2; exit 1; }

export DISPLAY=:$display QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# Qt registers with the accessibility bus only when it finds the bus through the session bus.
unset AT_SPI_BUS_ADDRESS
timeout --kill-after=5 90 dbus-run-session -- bash -c '
  "$0" --launch-immediately --a11y=1 &
  launcher_pid=$!
  status=0
  "$@" || status=$?
  kill "$launcher_pid" 2>/dev/null || true
  exit "$status"' "$launcher" "$@"
