# A virtual display of our own: a free display number, Xvfb and openbox.
# Sourced by scripts/test and scripts/bench; the caller calls stop_display
# at the end (from its EXIT trap).

xvfb_pid=
wm_pid=

stop_display() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null || true
}

# Runs the command until it succeeds, for at most ten seconds; says what did
# not start otherwise.
wait_for() {
  local what=$1 tries=0
  shift
  until "$@" >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ]; then
      echo "error: $what did not start on $DISPLAY" >&2
      return 1
    fi
    sleep 0.1
  done
}

# Starts Xvfb on the first free display from :90 on, then openbox on it, and
# exports DISPLAY.
start_display() {
  local number=90
  while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
    number=$((number + 1))
  done
  Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$number"
  wait_for Xvfb xdpyinfo
  openbox >/dev/null 2>&1 &
  wm_pid=$!
  wait_for openbox sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
}
