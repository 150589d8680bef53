#!/usr/bin/env bash
# Recorded and replayed desktop sessions: vorna's trace against vorna-headless's for the same input, and the
# command-line refusals of --replay and --record. Nothing here reads the clock: only traces and exit codes count.
# Usage: desktop_session.sh VORNA HEADLESS REPLAYS_DIR WORKDIR MODE
#   MODE: badscript, refuse (no display needed); replay, slowpresent, record (Xvfb, openbox, xdotool)
# Exit code 77 means skipped (a tool is missing).
set -u
# shellcheck source=vorna_window.sh
source "$(dirname "$0")/vorna_window.sh"
vorna="$1"
headless="$2"
replays="$3"
work="$4"
mode="$5"

rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1
export VORNA_INSTANCE="session-$mode-$$"

fail() {
  echo "FAIL: $*"
  exit 1
}

# Runs vorna expecting exit code 2 and exactly one line on stderr that contains the given text.
expect_refusal() { # args: text vorna-args...
  local text="$1"
  shift
  env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$vorna" "$@" >out.txt 2>err.txt
  local rc=$?
  [ "$rc" -eq 2 ] || fail "vorna $* exited $rc, expected 2: $(cat err.txt)"
  [ "$(wc -l <err.txt)" -eq 1 ] || fail "vorna $* wrote more than one error line: $(cat err.txt)"
  grep -qF -- "$text" err.txt || fail "vorna $* does not say '$text': $(cat err.txt)"
  [ ! -s out.txt ] || fail "vorna $* wrote to standard output"
}

case "$mode" in
badscript)
  # Damaged scripts are refused before any window opens, naming the file and line.
  printf 'vorna-input 1\n10 Z\n20 -\n15 UP\n' >order.input
  expect_refusal "order.input:4:" --replay order.input
  printf 'vorna-inp' >cut-header.input
  expect_refusal "cut-header.input:1:" --replay cut-header.input
  printf 'vorna-input 1\n# cut off in the middle of a key\n10 Z\n20 UP RIG' >cut-key.input
  expect_refusal "cut-key.input:4:" --replay cut-key.input
  printf 'vorna-input 1\n30 JX=70000\n' >axis.input
  expect_refusal "axis.input:2:" --replay axis.input
  printf 'vorna-input 1\n\000\n' >binary.input
  expect_refusal "binary.input:2:" --replay binary.input
  expect_refusal "missing.input" --replay missing.input
  echo "ok: damaged and missing scripts exit 2 with one line naming file and line"
  ;;
refuse)
  echo "the player's own notes" >exists.input
  expect_refusal "--record exists.input: the file exists (--force replaces it)" --record exists.input
  [ "$(cat exists.input)" = "the player's own notes" ] || fail "the existing file was changed"
  expect_refusal "trace exists.input: the file exists" --trace exists.input
  VORNA_TRACE=exists.input expect_refusal "trace exists.input: the file exists"
  [ "$(cat exists.input)" = "the player's own notes" ] || fail "the existing file was changed by a trace"
  expect_refusal "--record no-such-dir/new.input:" --record no-such-dir/new.input
  [ ! -e no-such-dir ] || fail "a directory was made"
  mkdir adir
  expect_refusal "--record adir:" --record adir --force
  # A replay is never overwritten by its own trace, even with --force.
  cp "$replays/scenes_logo_skip.input" mine.input
  expect_refusal "same file" --replay mine.input --trace mine.input --force
  cmp -s mine.input "$replays/scenes_logo_skip.input" || fail "the replayed script was overwritten"
  expect_refusal "same file" --record both.out --trace ./both.out --force
  expect_refusal "cannot be used together" --record a.input --replay mine.input
  echo "ok: --record and the trace refuse existing files, bad paths and each other; nothing was overwritten"
  ;;
replay | slowpresent | record)
  for tool in Xvfb openbox xdotool; do
    command -v "$tool" >/dev/null 2>&1 || {
      echo "skipped: $tool is not installed"
      exit 77
    }
  done
  pids=()
  cleanup() {
    for p in "${pids[@]}"; do kill -9 -- "-$p" 2>/dev/null || kill -9 "$p" 2>/dev/null; done
    wait 2>/dev/null
  }
  trap cleanup EXIT
  setsid Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp >display.txt 2>xvfb.log &
  pids+=($!)
  for _ in $(seq 100); do [ -s display.txt ] && break; sleep 0.1; done
  [ -s display.txt ] || {
    echo "skipped: Xvfb did not start"
    exit 77
  }
  export DISPLAY=":$(head -n1 display.txt)"
  setsid openbox >openbox.log 2>&1 &
  pids+=($!)
  sleep 0.5
  export SDL_AUDIODRIVER=dummy LANG=C.UTF-8
  ;;
*)
  echo "unknown mode $mode"
  exit 2
  ;;
esac

[ "$mode" = badscript ] || [ "$mode" = refuse ] && exit 0

start_vorna() { # args: vorna-args...
  setsid "$vorna" "$@" >vorna.out 2>vorna.err &
  vorna_pid=$!
  pids+=("$vorna_pid")
}

trace_lines() { if [ -f desk.trace ]; then wc -l <desk.trace; else echo 0; fi; }

# Waits (at most the given number of seconds, only so that a hung program fails) until the trace has N lines.
wait_for_lines() { # args: n seconds
  local i
  for i in $(seq $(($2 * 10))); do
    [ "$(trace_lines)" -ge "$1" ] && return 0
    kill -0 "$vorna_pid" 2>/dev/null || fail "vorna ended early: $(cat vorna.err)"
    sleep 0.1
  done
  fail "the trace stopped at $(trace_lines) lines, waiting for $1"
}

# Ends vorna as a session end would (SIGTERM): the trace and the recording are closed and complete.
stop_vorna() {
  kill -TERM "$vorna_pid"
  wait "$vorna_pid"
  local rc=$?
  [ "$rc" -eq 0 ] || fail "vorna exited $rc: $(cat vorna.err)"
}

# The first N lines of the desktop trace against vorna-headless's trace of the same script.
compare_first() { # args: n script
  "$headless" --frames "$1" --input "$2" --trace headless.trace 2>headless.err || fail "vorna-headless: $(cat headless.err)"
  head -n "$1" desk.trace >desk-head.trace
  if ! cmp -s desk-head.trace headless.trace; then
    diff desk-head.trace headless.trace | head -c 2000
    fail "the desktop trace differs from the headless one"
  fi
}

case "$mode" in
replay)
  # Through five missions, results and intros of the scripted player: every frame, fb included, as headless.
  frames=2400
  start_vorna --replay "$replays/play_all_missions.input" --trace desk.trace
  wait_for_lines $((frames + 10)) 600
  stop_vorna
  compare_first "$frames" "$replays/play_all_missions.input"
  grep -q '"scene":128' desk-head.trace || fail "the replay never reached a mission"
  echo "ok: $frames frames of a replayed session trace the same on the desktop as headless"
  ;;
slowpresent)
  # A display that takes 10 ms for every present: the tick goes on, no frame is lost or repeated.
  frames=900
  VORNA_SLOW_PRESENT_MS=10 VORNA_PACING_LOG=pacing.log start_vorna --replay "$replays/play_mission_won.input" \
    --trace desk.trace
  wait_for_lines $((frames + 10)) 600
  stop_vorna
  compare_first "$frames" "$replays/play_mission_won.input"
  [ -s pacing.log ] || fail "no frame was presented"
  echo "ok: with a slow present $frames frames trace the same as headless ($(wc -l <pacing.log) presented)"
  ;;
record)
  start_vorna --record rec.input --trace desk.trace
  find_vorna_window
  [ -n "$window" ] || fail "no vorna window: $(cat vorna.err)"
  xdotool windowfocus --sync "$window" 2>/dev/null
  wait_for_lines 20 120
  # Z is held until the game has moved on, so a busy machine cannot swallow a press: logo, title, intro, play.
  for scene in 16 64 128; do
    xdotool keydown z
    for _ in $(seq 300); do
      tail -n 2 desk.trace | grep -q "\"scene\":$scene," && break
      sleep 0.1
    done
    xdotool keyup z
    tail -n 2 desk.trace | grep -q "\"scene\":$scene," || fail "Z did not lead to scene $scene"
    sleep 0.3
  done
  xdotool keydown Up
  sleep 0.5
  xdotool keydown Left
  sleep 0.3
  xdotool keyup Left keyup Up
  wait_for_lines $(($(trace_lines) + 50)) 120
  stop_vorna
  head -n1 rec.input | grep -qx 'vorna-input 1' || fail "the recording has no header"
  grep -qx '# switches: ' rec.input || fail "the recording does not name its switches"
  grep -q ' Z' rec.input || fail "the recording holds no Z"
  frames=$(trace_lines)
  "$headless" --frames "$frames" --input rec.input --trace headless.trace 2>headless.err ||
    fail "vorna-headless: $(cat headless.err)"
  cmp -s desk.trace headless.trace || fail "the recording replays differently from the session"
  # The recording is never replaced unasked; with --force it is.
  before=$(md5sum <rec.input)
  expect_refusal "the file exists" --record rec.input
  [ "$(md5sum <rec.input)" = "$before" ] || fail "the recording was changed"
  echo "ok: a session of $frames frames recorded with keys replays headless to the same trace"
  ;;
esac
exit 0
