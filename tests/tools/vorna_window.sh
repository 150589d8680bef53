# Sourced by the desktop scripts: finds vorna's visible window under the test's X display.
# Sets $window to its id, or to "" when none appeared within ten seconds.
find_vorna_window() {
  window=""
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --classname '^vorna$' 2>/dev/null | head -n1)
    [ -n "$window" ] && break
    sleep 0.1
  done
}
