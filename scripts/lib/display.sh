# Virtual displays of our own: free display numbers, Xvfb and openbox on each,
# and the few xdotool steps the scripts drive the viewer with. Sourced by
# scripts/test, scripts/bench and scripts/screenshots; the caller calls
# stop_display at the end (from its EXIT trap).

display_pids=()

stop_display() {
  local pid
  for pid in "${display_pids[@]}"; do
    kill "$pid" 2>/dev/null
  done
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

# The next display number from the argument on that no X server uses.
free_display_number() {
  local number=$1
  while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
    number=$((number + 1))
  done
  echo "$number"
}

# Starts Xvfb on display NUMBER, then openbox on it, and leaves DISPLAY
# naming it.
start_display_number() {
  local number=$1
  Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  display_pids+=($!)
  export DISPLAY=":$number"
  wait_for Xvfb xdpyinfo
  openbox >/dev/null 2>&1 &
  display_pids+=($!)
  wait_for openbox sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
}

# Starts one display from :90 on and exports DISPLAY.
start_display() {
  start_display_number "$(free_display_number 90)"
}

# Starts COUNT displays and writes the CTest resource file FILE
# that offers them as the resource "displays", one test at a time each (the
# id is the display number). DISPLAY names the last one.
start_displays() {
  local count=$1 file=$2 number=89 ids=()
  for _ in $(seq "$count"); do
    number=$(free_display_number $((number + 1)))
    start_display_number "$number"
    ids+=("{\"id\": \"$number\", \"slots\": 1}")
  done
  local joined
  joined=$(IFS=,; echo "${ids[*]}")
  printf '{"version": {"major": 1, "minor": 0}, "local": [{"displays": [%s]}]}\n' \
    "$joined" >"$file"
}

# Prints the id of the first visible window of process PID whose title
# matches the extended regular expression, waiting up to ten seconds.
window_matching() {
  local pid=$1 pattern=$2 id
  for _ in $(seq 100); do
    for id in $(xdotool search --all --onlyvisible --pid "$pid" --name "" 2>/dev/null); do
      if xdotool getwindowname "$id" 2>/dev/null | grep -qE -- "$pattern"; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.1
  done
  echo "error: no window of $pid titled like '$pattern'" >&2
  return 1
}

# Clicks at X Y of the window, activated first as a user's click would; a
# negative X counts from the window's right edge. The window manager may
# activate the window on its own first, so the wait for that is bounded.
click() {
  local x=$2
  if [ "$x" -lt 0 ]; then
    eval "$(xdotool getwindowgeometry --shell "$1")"
    x=$((WIDTH + x))
  fi
  timeout 5 xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
  xdotool mousemove --window "$1" "$x" "$3" sleep 0.1 click 1
}
