# Sourced by the desktop and Wine scripts: finds vorna's visible window under the test's X display.
# find_vorna_window [MATCH PATTERN [LOOKS [EXCEPT]]]: MATCH is xdotool's kind (classname, name, class),
# PATTERN its regular expression, LOOKS how many times to look, a tenth of a second apart, and EXCEPT a
# window id to pass over (the main window, when a box with the same title is awaited). The default is the
# desktop program's class for ten seconds. Sets $window to the first id found, or to "" when none appeared.
find_vorna_window() {
  local match="${1:-classname}" pattern="${2:-^vorna$}" looks="${3:-100}" except="${4:-}"
  window=""
  for _ in $(seq "$looks"); do
    window=$(xdotool search --onlyvisible "--$match" "$pattern" 2>/dev/null | grep -vx "${except:-none}" | head -n1)
    [ -n "$window" ] && break
    sleep 0.1
  done
}

# vorna_window_gone ID MATCH PATTERN [LOOKS]: succeeds once the window ID is no longer among the visible
# windows MATCH finds by PATTERN, looking a tenth of a second apart (five seconds by default).
vorna_window_gone() {
  local id="$1" match="$2" pattern="$3" looks="${4:-50}"
  for _ in $(seq "$looks"); do
    xdotool search --onlyvisible "--$match" "$pattern" 2>/dev/null | grep -qx "$id" || return 0
    sleep 0.1
  done
  return 1
}
