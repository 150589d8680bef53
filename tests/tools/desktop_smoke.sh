#!/usr/bin/env bash
# Smoke tests of the desktop program vorna under Xvfb and openbox: screenshots against vorna-headless frames,
# the five sizes by their shortcuts, full screen, the version box, the second copy and the quit question.
# Usage: desktop_smoke.sh VORNA HEADLESS FRAME_SCALE WORKDIR MODE [SONG_DIR]
#   MODE: sizes, fullscreen, menu, about, second, quit, nodisplay, or installed (an installed vorna: the logo
#   matches and its first song comes from SONG_DIR, its data directory)
# Exit code 77 means skipped (a tool is missing).
set -u
# shellcheck source=vorna_window.sh
source "$(dirname "$0")/vorna_window.sh"
vorna="$1"
headless="$2"
scale="$3"
work="$4"
mode="$5"
song_dir="${6:-}"

rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1

if [ "$mode" = nodisplay ]; then
  # No display at all: the window cannot be made, the user is told on the terminal and the exit code says so.
  env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 VORNA_INSTANCE="smoke-nodisplay-$$" \
    timeout 20 "$vorna" >out.txt 2>err.txt
  rc=$?
  grep -q '初期化に失敗しました' err.txt || { echo "FAIL: no failure text on stderr"; cat err.txt; exit 1; }
  [ "$rc" -eq 1 ] || { echo "FAIL: exit code $rc, expected 1"; exit 1; }
  echo "ok: without a display vorna reports the failure and exits 1"
  exit 0
fi

for tool in Xvfb openbox xdotool import compare convert; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done

screen_w=1600
screen_h=960
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -9 -- "-$p" 2>/dev/null || kill -9 "$p" 2>/dev/null; done
  wait 2>/dev/null
}
trap cleanup EXIT

# A display of our own: Xvfb tells the number it picked.
setsid Xvfb -displayfd 1 -screen 0 "${screen_w}x${screen_h}x24" -nolisten tcp >display.txt 2>xvfb.log &
pids+=($!)
for _ in $(seq 100); do [ -s display.txt ] && break; sleep 0.1; done
[ -s display.txt ] || { echo "skipped: Xvfb did not start"; exit 77; }
export DISPLAY=":$(head -n1 display.txt)"
setsid openbox >openbox.log 2>&1 &
pids+=($!)
sleep 0.5

# The software renderer: its nearest scaling takes source column (i * sw) / dw, as vorna-frame-scale does.
export SDL_AUDIODRIVER=dummy SDL_FRAMEBUFFER_ACCELERATION=0 SDL_RENDER_DRIVER=software LANG=C.UTF-8
export VORNA_INSTANCE="smoke-$mode-$$"

# The logo holds one still picture over running frames 131-401; frame 200 is the reference.
"$headless" --frames 401 --dump-dir frames --dump-frames 131,200,401 >/dev/null 2>headless.err ||
  { echo "FAIL: vorna-headless"; cat headless.err; exit 1; }
for f in 131 401; do
  if [ "$(compare -metric AE "frames/frame-000$f.png" frames/frame-000200.png null: 2>&1)" != 0 ]; then
    echo "FAIL: the logo is not still over frames 131-401 (frame $f differs from 200)"
    exit 1
  fi
done

start_vorna() { # args: switches...
  setsid "$vorna" "$@" >vorna.out 2>vorna.err &
  vorna_pid=$!
  pids+=("$vorna_pid")
  find_vorna_window
  [ -n "$window" ] || { echo "FAIL: no vorna window"; cat vorna.err; exit 1; }
}

stop_vorna() {
  kill -CONT "$vorna_pid" 2>/dev/null
  kill -9 -- "-$vorna_pid" 2>/dev/null
  wait "$vorna_pid" 2>/dev/null
}

# The game is stopped (SIGSTOP) while a screenshot is taken and compared, so a slow, busy machine cannot
# let it run past the still picture; it runs for a quarter of a second between two looks.
pause_game() { kill -STOP "$vorna_pid" 2>/dev/null; }
resume_game() { kill -CONT "$vorna_pid" 2>/dev/null; }

# Looks until the window (or the whole screen) shows the reference frame scaled to the given size, at most
# the given number of times. On success the game is left stopped.
expect_picture() { # args: width height looks [root]
  local w=$1 h=$2 tries=$3 target="${4:-window}"
  "$scale" frames/frame-000200.png "$w" "$h" "expected-${w}x${h}.png" || return 1
  local fw=$((screen_h * 4 / 3)) x=$(((screen_w - screen_h * 4 / 3) / 2))
  [ "$target" = root ] && convert -size "${x}x${screen_h}" xc:black black.png
  for _ in $(seq "$tries"); do
    resume_game
    sleep 0.25
    pause_game
    if [ "$target" = root ]; then
      import -window root shot.png 2>/dev/null
      # The letterboxed 4:3 picture in the middle, and black bars beside it.
      convert shot.png -crop "${fw}x${screen_h}+${x}+0" +repage picture.png
      convert shot.png -crop "${x}x${screen_h}+0+0" +repage bar.png
      if [ "$(compare -metric AE picture.png "expected-${w}x${h}.png" null: 2>&1)" = 0 ] &&
        [ "$(compare -metric AE bar.png black.png null: 2>&1)" = 0 ]; then
        return 0
      fi
    else
      import -window "$window" shot.png 2>/dev/null
      if [ "$(compare -metric AE shot.png "expected-${w}x${h}.png" null: 2>&1)" = 0 ]; then
        return 0
      fi
    fi
  done
  resume_game
  cp shot.png "failed-${w}x${h}.png" 2>/dev/null
  return 1
}

case "$mode" in
sizes)
  # Each size in a fresh run, switched by its shortcut while the logo holds still.
  for spec in "ctrl+1 320 240" "ctrl+2 480 360" "ctrl+4 640 240" "ctrl+5 320 480" "ctrl+3 640 480"; do
    set -- $spec
    ok=0
    for attempt in 1 2 3; do
      start_vorna
      if expect_picture 640 480 120; then
        resume_game
        xdotool key --window "$window" "$1"
        if expect_picture "$2" "$3" 8; then ok=1; fi
      fi
      stop_vorna
      [ "$ok" = 1 ] && break
    done
    [ "$ok" = 1 ] || { echo "FAIL: picture at ${2}x${3} (after $1) differs from frame 200"; exit 1; }
    echo "ok: ${2}x${3} by $1 matches frame 200"
  done
  ;;
fullscreen)
  ok=0
  for attempt in 1 2 3; do
    start_vorna /F
    expect_picture $((screen_h * 4 / 3)) "$screen_h" 120 root && ok=1
    stop_vorna
    [ "$ok" = 1 ] && break
  done
  [ "$ok" = 1 ] || { echo "FAIL: full-screen picture differs from frame 200 letterboxed"; exit 1; }
  echo "ok: full screen shows frame 200 letterboxed at 4:3"
  # In full screen releasing Esc ends the game at once, without a question.
  start_vorna /F
  sleep 1
  xdotool key --window "$window" Escape
  for _ in $(seq 150); do kill -0 "$vorna_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$vorna_pid" 2>/dev/null; then echo "FAIL: Esc did not end the full-screen game"; exit 1; fi
  wait "$vorna_pid"
  rc=$?
  [ "$rc" -eq 0 ] || { echo "FAIL: exit code $rc after Esc in full screen"; exit 1; }
  echo "ok: Esc ends the full-screen game at once with code 0"
  ;;
menu)
  # The right-click menu is drawn over the picture, never into the game's frame: while it is open the
  # window differs from frame 200 only inside the menu, and after choosing the wide size by its letter the
  # picture is frame 200 again, stretched sideways.
  ok=0
  for attempt in 1 2 3; do
    start_vorna
    if expect_picture 640 480 120; then
      resume_game
      xdotool mousemove --window "$window" 60 40 click 3
      sleep 0.5
      import -window "$window" menu.png 2>/dev/null
      differing=$(compare -metric AE menu.png expected-640x480.png null: 2>&1)
      xdotool key --window "$window" w
      if [ "$differing" != 0 ] && [ "$differing" -lt 60000 ] 2>/dev/null && expect_picture 640 240 8; then ok=1; fi
    fi
    stop_vorna
    [ "$ok" = 1 ] && break
  done
  [ "$ok" = 1 ] || { echo "FAIL: the menu (${differing:-?} pixels over the picture) or its wide size"; exit 1; }
  echo "ok: the menu covers $differing pixels of the picture and its W item gives the wide size"
  ;;
about)
  # The menu's version item (V) opens the box as a second window of the game; its credit panel moves
  # (two pictures half a second apart differ), and Return closes it while the game goes on.
  start_vorna
  main="$window"
  sleep 1
  box=""
  for attempt in 1 2 3; do
    xdotool mousemove --window "$main" 60 40 click 3
    sleep 0.5
    xdotool key --window "$main" v
    find_vorna_window classname '^vorna$' 30 "$main"
    box="$window"
    [ -n "$box" ] && break
  done
  [ -n "$box" ] || { echo "FAIL: the menu's version item opened no box"; exit 1; }
  sleep 0.5
  import -window "$box" about-1.png 2>/dev/null
  sleep 0.5
  import -window "$box" about-2.png 2>/dev/null
  moved=$(compare -metric AE about-1.png about-2.png null: 2>&1)
  [ -n "$moved" ] && [ "$moved" != 0 ] 2>/dev/null || { echo "FAIL: the version box's panel does not move ($moved)"; exit 1; }
  xdotool key --window "$box" Return
  vorna_window_gone "$box" classname '^vorna$' || { echo "FAIL: Return did not close the version box"; exit 1; }
  kill -0 "$vorna_pid" 2>/dev/null || { echo "FAIL: closing the version box ended the game"; exit 1; }
  echo "ok: the menu's V opens the version box, its panel moves ($moved pixels in half a second), Return closes it"
  ;;
second)
  start_vorna
  t0=$(date +%s%N)
  timeout 10 "$vorna" >second.out 2>second.err
  rc=$?
  t1=$(date +%s%N)
  [ "$rc" -eq 0 ] || { echo "FAIL: the second copy exited $rc"; exit 1; }
  [ $(((t1 - t0) / 1000000)) -lt 3000 ] || { echo "FAIL: the second copy took $(((t1 - t0) / 1000000)) ms"; exit 1; }
  kill -0 "$vorna_pid" 2>/dev/null || { echo "FAIL: the first copy ended"; exit 1; }
  count=$(xdotool search --onlyvisible --classname '^vorna$' 2>/dev/null | wc -l)
  [ "$count" -eq 1 ] || { echo "FAIL: $count game windows"; exit 1; }
  echo "ok: the second copy exited 0 in $(((t1 - t0) / 1000000)) ms and the first keeps running"
  ;;
quit)
  start_vorna
  sleep 1
  # Releasing Esc asks; Escape in the question answers No and the game goes on.
  xdotool key --window "$window" Escape
  sleep 1.5
  xdotool key Escape
  sleep 1
  kill -0 "$vorna_pid" 2>/dev/null || { echo "FAIL: No ended the game"; exit 1; }
  # Asked again, Return answers Yes: the game ends with code 0 (closing the music may take up to 2 s).
  xdotool key --window "$window" Escape
  sleep 1.5
  xdotool key Return
  for _ in $(seq 150); do kill -0 "$vorna_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$vorna_pid" 2>/dev/null; then echo "FAIL: Yes did not end the game"; exit 1; fi
  wait "$vorna_pid"
  rc=$?
  [ "$rc" -eq 0 ] || { echo "FAIL: exit code $rc after Yes"; exit 1; }
  echo "ok: Esc asks, No goes on, Yes ends with code 0"
  ;;
installed)
  # The songs are not beside an installed program: it must say it took them from its data directory.
  export VORNA_DEBUG=1
  ok=0
  for attempt in 1 2 3; do
    start_vorna
    expect_picture 640 480 120 && ok=1
    resume_game
    [ "$ok" = 1 ] && break
    stop_vorna
  done
  [ "$ok" = 1 ] || { echo "FAIL: the installed program's window differs from frame 200"; exit 1; }
  echo "ok: the installed program shows frame 200"
  # The first song starts when the logo ends (running frame 403).
  for _ in $(seq 600); do grep -q '^vorna: m0..dat from ' vorna.err && break; sleep 0.1; done
  stop_vorna
  line=$(grep -m1 '^vorna: m0..dat from ' vorna.err)
  [ "$line" = "vorna: m00.dat from $song_dir/" ] ||
    { echo "FAIL: expected the first song from $song_dir/, got: ${line:-nothing}"; cat vorna.err; exit 1; }
  echo "ok: $line"
  ;;
*)
  echo "unknown mode $mode"
  exit 2
  ;;
esac
exit 0
