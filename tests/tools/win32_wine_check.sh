#!/usr/bin/env bash
# Runs the Windows programs of one cross build under Wine; exit 77 (skipped) without Wine or Xvfb.
# Usage: win32_wine_check.sh MODE PROGRAMS_DIR WINE NATIVE_HEADLESS WORK_DIR ASSET_DIR REPLAY_DIR [VERSION]
#   WINE is the loader that fits the build: the 32-bit one (/usr/lib/wine/wine) gets a 32-bit prefix,
#   wine64 a 64-bit one. VERSION is the build's version, which the version box must show.
#   traces: vorna-headless.exe gives the native runner's traces byte for byte, and every stored replay's trace.
#   devices: DirectSound plays a duplicated voice on an ALSA null device and is reported missing without
#           one; the MIDI stream that cannot open here (no sequencer) refuses every later call harmlessly.
#   window: vorna.exe shows its 640 x 480 window with the headless frame 200 scaled 2x during the logo's hold,
#           a second start exits 0, the system menu's wide size gives 640 x 240, and releasing Esc then
#           answering the question with Return ends it with 0.
#   fullscreen: vorna.exe /F inside a Wine virtual desktop switches to 320 x 240 and shows the headless
#           frame 200 pixel for pixel; Esc ends it at once, without a question.
#   about: the system menu's version item opens the version box: it draws the shared credit roll and the
#           version, its panel moves, and Return closes it while the game keeps running.
#   colours8: on an 8-bit desktop without a palette the game asks whether to switch to full screen; No ends
#           it with 0.
#   failure: with the display forced to fail (VORNA_FAIL_DISPLAY) the failure report names DirectDraw,
#           and closing the empty window afterwards ends the program with 0.
set -uo pipefail
mode="$1" programs="$2" wine="$3" native="$4" work="$5" assets="$6" replays="$7" version="${8:-}"
tools=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=vorna_window.sh
source "$tools/vorna_window.sh"

if [ ! -x "$wine" ]; then
  echo "skipped: $wine is not installed"
  exit 77
fi
arch=win32
[ "$(basename "$wine")" = wine64 ] && arch=win64
for exe in vorna.exe vorna-headless.exe win32-device-check.exe; do
  [ -f "$programs/$exe" ] || { echo "no $programs/$exe: the cross build did not run"; exit 1; }
done
fail() {
  echo "FAILED: $*"
  exit 1
}

mkdir -p "$work"
work=$(cd "$work" && pwd)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=$arch
wineserver_bin=$(dirname "$wine")/wineserver
[ -x "$wineserver_bin" ] || wineserver_bin=$(command -v wineserver || echo true)
cleanup() {
  [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null
  "$wineserver_bin" -k >/dev/null 2>&1
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT

# One prefix for all Wine tests of this build, made once. Windows stay managed although no window manager
# runs: the X window is then exactly the client area, which the pictures are compared with.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  timeout 180 "$wine" wineboot -i >/dev/null 2>&1 || fail "could not create the Wine prefix $WINEPREFIX"
fi

# A graphics sheet for both sides: the generated one, or else a gradient picture so that frames are not empty.
prepare_sheet() {
  local dir="$1"
  mkdir -p "$dir"
  if [ ! -f "$assets/BMP_00.bmp" ]; then
    python3 - "$dir/BMP_00" <<'PY'
import struct, sys
w, h = 384, 256
pal = b''.join(struct.pack('<BBBB', i, (i * 3) & 255, 255 - i, 0) for i in range(256))
rows = b''.join(bytes(((x + y) & 255) for x in range(w)) for y in range(h))
info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, 0, len(rows), 2835, 2835, 256, 0)
off = 14 + 40 + 1024
open(sys.argv[1], 'wb').write(b'BM' + struct.pack('<IHHI', off + len(rows), 0, 0, off) + info + pal + rows)
PY
  fi
}

if [ "$mode" = traces ]; then
  cwd="$work/traces"
  rm -rf "$cwd" && mkdir -p "$cwd" && cd "$cwd" || exit 1
  # The attract loop, and the same with slow motion, must match the native runner byte for byte.
  for run in "700 none" "300 /S"; do
    set -- $run
    args=(--frames "$1")
    [ "$2" != none ] && args+=(--switches "$2")
    "$native" "${args[@]}" --trace native.trace || fail "native vorna-headless ${args[*]}"
    timeout 300 "$wine" "$programs/vorna-headless.exe" "${args[@]}" --trace wine.trace || fail "vorna-headless.exe ${args[*]}"
    cmp native.trace wine.trace || fail "traces differ for ${args[*]}"
    echo "identical traces: ${args[*]} ($(wc -l <wine.trace) frames)"
  done
  # Every committed replay passes under Wine as it does natively.
  shopt -s nullglob
  for input in "$replays"/*.input; do
    name=$(basename "$input" .input)
    [ -f "$replays/$name.trace" ] || continue
    frames=1000
    [ -f "$replays/$name.frames" ] && frames=$(head -n1 "$replays/$name.frames" | tr -d '[:space:]')
    args=(--frames "$frames" --input "$input" --expect "$replays/$name.trace" --trace "$name.trace")
    [ -f "$replays/$name.switches" ] && args+=(--switches "$(head -n1 "$replays/$name.switches")")
    timeout 300 "$wine" "$programs/vorna-headless.exe" "${args[@]}" || fail "replay $name under Wine"
    cmp "$name.trace" "$replays/$name.trace" || fail "replay $name: the trace under Wine is not the stored one byte for byte"
    echo "replay $name: byte-identical ($(wc -l <"$name.trace") frames)"
  done
  exit 0
fi

if [ "$mode" = devices ]; then
  # ALSA reads its configuration from HOME; the prefix is named explicitly, so HOME may change.
  mkdir -p "$work/home-null-audio" "$work/home-no-audio"
  printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$work/home-null-audio/.asoundrc"
  printf 'pcm.!default { type hw card 9 }\nctl.!default { type hw card 9 }\n' >"$work/home-no-audio/.asoundrc"
  HOME="$work/home-null-audio" timeout 120 "$wine" "$programs/win32-device-check.exe" --need-sound 2>/dev/null ||
    fail "devices with an ALSA null device"
  HOME="$work/home-no-audio" timeout 120 "$wine" "$programs/win32-device-check.exe" 2>/dev/null ||
    fail "devices without an audio device"
  exit 0
fi

case "$mode" in window | fullscreen | about | colours8 | failure) ;; *) fail "unknown mode $mode" ;; esac
for tool in Xvfb xdotool xwininfo import compare convert python3; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done
cwd="$work/$mode"
rm -rf "$cwd" && mkdir -p "$cwd" && cd "$cwd" || exit 1
prepare_sheet "$cwd"
"$native" --frames 200 --dump-dir "$cwd" --dump-frames 200 || fail "native reference frame"
convert "$cwd/frame-000200.png" -scale 200% "$cwd/expected.png" || fail "scaling the reference frame"

# The 8-bit desktop is a true-colour one (visual class 4): without a palette the window cannot show the
# 256-colour picture, which an 8-bit palette desktop would show as it is.
screen=(-screen 0 1024x768x24)
[ "$mode" = colours8 ] && screen=(-screen 0 640x480x8 -cc 4)
exec 3>"$cwd/display"
Xvfb -displayfd 3 "${screen[@]}" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 50); do [ -s "$cwd/display" ] && break; sleep 0.1; done
[ -s "$cwd/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$cwd/display")"

# Waits up to ten seconds for the started program to end, then sets $rc to its exit code.
await_exit() { # args: what ended it
  for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app_pid" 2>/dev/null && fail "$1 did not end the game"
  wait "$app_pid"
  rc=$?
  app_pid=""
}

if [ "$mode" = fullscreen ]; then
  # The virtual desktop offers the 8-bit modes that plain Xvfb refuses; the 320 x 240 mode then sits
  # in the top-left corner of the X screen.
  timeout 120 "$wine" explorer /desktop=vorna-fullscreen,1024x768 "$programs/vorna.exe" /F >"$cwd/vorna.log" 2>&1 &
  app_pid=$!
  matched=""
  for i in $(seq 400); do
    import -display "$DISPLAY" -window root -crop 320x240+0+0 +repage "$cwd/shot.png" 2>/dev/null || { sleep 0.2; continue; }
    diff=$(compare -metric AE "$cwd/shot.png" "$cwd/frame-000200.png" null: 2>&1)
    if [ "$diff" = 0 ]; then
      matched=$i
      break
    fi
    sleep 0.2
  done
  [ -n "$matched" ] || fail "no full-screen picture equals the headless frame 200 (last difference: $diff pixels)"
  echo "full screen: picture $matched equals the headless frame 200"
  xdotool key Escape
  await_exit Esc
  [ "$rc" = 0 ] || fail "the full-screen run ended with $rc"
  echo "full screen: Esc ends the game at once"
  exit 0
fi

if [ "$mode" = colours8 ]; then
  timeout 120 "$wine" "$programs/vorna.exe" >"$cwd/vorna.log" 2>&1 &
  app_pid=$!
  # The question comes before the main window is shown; Wine keeps its X window unmapped, so it is found
  # in the whole tree (the hidden main window is the 1 x 1 one) and the key is sent to it directly.
  question=""
  for _ in $(seq 450); do
    question=$(xwininfo -root -tree 2>/dev/null | awk '/"VORNA-TESSIK Improve"/ && !/1x1/{print $1}' | head -n1)
    [ -n "$question" ] && break
    kill -0 "$app_pid" 2>/dev/null || fail "vorna.exe ended on the 8-bit desktop without asking"
    sleep 0.2
  done
  [ -n "$question" ] || fail "no question on the 8-bit desktop"
  echo "the 8-bit desktop brings the question (window $question)"
  xdotool key --window "$question" n
  await_exit "No on the question"
  [ "$rc" = 0 ] || fail "No on the question ended the game with $rc"
  echo "No on the question ends the game with code 0"
  exit 0
fi

# The text a window draws is logged by Wine's text channel, one DrawTextExW call a line.
text_log="$cwd/text.log"
if [ "$mode" = failure ]; then
  VORNA_FAIL_DISPLAY=1 WINEDEBUG=-all,trace+text timeout 120 "$wine" "$programs/vorna.exe" >"$cwd/vorna.log" 2>"$text_log" &
  app_pid=$!
  # The report is a box of its own over the main window, both titled alike: the main window is the one
  # with the 640 x 480 client area.
  report="" main=""
  for _ in $(seq 450); do
    if grep -q 'DrawTextExW.*0001:DirectDraw' "$text_log"; then
      for id in $(xdotool search --onlyvisible --name '^VORNA-TESSIK Improve$' 2>/dev/null); do
        if [ "$(xdotool getwindowgeometry "$id" | sed -n 's/.*Geometry: //p')" = 640x480 ]; then
          main=$id
        else
          report=$id
        fi
      done
      [ -n "$report" ] && [ -n "$main" ] && break
    fi
    kill -0 "$app_pid" 2>/dev/null || fail "vorna.exe ended without a failure report"
    sleep 0.2
  done
  [ -n "$report" ] && [ -n "$main" ] || fail "no failure report naming DirectDraw as its first line over the window"
  echo "the forced display failure is reported: $(grep -o '0001:DirectDraw[^\\]*' "$text_log" | head -n1)"
  xdotool windowactivate --sync "$report" >/dev/null 2>&1 || xdotool windowfocus "$report" >/dev/null 2>&1
  xdotool key Return
  # Once the report is closed the devices are shut; the empty window stays until the player closes it.
  sleep 1
  kill -0 "$app_pid" 2>/dev/null || fail "closing the report ended the program before its window was closed"
  xdotool windowactivate --sync "$main" >/dev/null 2>&1 || xdotool windowfocus "$main" >/dev/null 2>&1
  xdotool key alt+F4
  find_vorna_window name '^VORNA-TESSIK Improve$' 100 "$main"
  [ -n "$window" ] || fail "closing the window brought no question"
  xdotool key Return
  await_exit "Return on the question after the report"
  [ "$rc" = 0 ] || fail "after the failure report vorna.exe exited with $rc"
  echo "the report closes, the empty window stays, and closing it ends the program with code 0"
  exit 0
fi

if [ "$mode" = about ]; then
  WINEDEBUG=-all,trace+text timeout 120 "$wine" "$programs/vorna.exe" >"$cwd/vorna.log" 2>"$text_log" &
else
  timeout 120 "$wine" "$programs/vorna.exe" >"$cwd/vorna.log" 2>&1 &
fi
app_pid=$!
find_vorna_window name '^VORNA-TESSIK Improve$' 900
[ -n "$window" ] || fail "the window did not appear"
# The window is created small and then given its size and shown: wait until it has settled.
for _ in $(seq 100); do
  geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
  [ "$geometry" = 640x480 ] && break
  sleep 0.2
done
[ "$geometry" = 640x480 ] || fail "client area $geometry, expected 640x480"
echo "window $window with a 640x480 client area"
main="$window"

# Opens the system menu (Alt+Space) and picks its item by the letter; up to three tries, as the first
# keys may arrive before the window has the focus.
choose_from_system_menu() { # args: letter, then a command that succeeds once the item took effect
  local letter="$1"
  shift
  for _ in 1 2 3; do
    xdotool windowactivate --sync "$main" >/dev/null 2>&1 || xdotool windowfocus "$main" >/dev/null 2>&1
    xdotool key alt+space
    sleep 1
    xdotool key "$letter"
    "$@" && return 0
  done
  return 1
}

# The credit roll's rows that hold text, read from the one place both programs take them from.
about_source="$tools/../../src/app/about_panel.cpp"
credit_rows() { # args: version
  python3 - "$about_source" "$1" <<'PY'
import re, sys
source, version = open(sys.argv[1], encoding="utf-8").read(), sys.argv[2]
body = re.search(r"CreditRoll\[[^]]*\] = \{(.*?)\n\};", source, re.S)
if not body:
    sys.exit(1)
rows = []
for entry in body.group(1).split(",\n"):
    parts = re.findall(r'"((?:[^"\\]|\\.)*)"|(VORNA_VERSION)', entry)
    row = "".join(version if macro else text for text, macro in parts)
    if row.strip():
        rows.append("".join(c if ord(c) < 128 else "\\%04x" % ord(c) for c in row))
# A roll read wrongly would leave too little to check.
MINIMUM_ROWS = 10
if len(rows) < MINIMUM_ROWS:
    sys.exit(1)
print("\n".join(rows))
PY
}

if [ "$mode" = about ]; then
  box_opened() {
    find_vorna_window name '^VORNA-TESSIK Improve$' 50 "$main"
    [ -n "$window" ]
  }
  choose_from_system_menu v box_opened || fail "the system menu's version item opened no box"
  box="$window"
  # The panel's stars and planets move every tenth of a second: two pictures of the box half a second
  # apart differ.
  sleep 1
  import -window "$box" "$cwd/about-1.png" 2>/dev/null || fail "no picture of the version box"
  sleep 0.5
  import -window "$box" "$cwd/about-2.png" 2>/dev/null || fail "no picture of the version box"
  moved=$(compare -metric AE "$cwd/about-1.png" "$cwd/about-2.png" null: 2>&1)
  [ "$moved" != 0 ] || fail "the version box's panel does not move"
  echo "the version box $box opened from the system menu; its panel moved $moved pixels in half a second"
  # Every row of the one credit roll, as Wine logs it (other than ASCII as \\xxxx), and the title line.
  credit_rows "$version" >"$cwd/rows.txt" || fail "could not read the credit roll from $about_source"
  echo "VORNA-TESSIK Improve  version $version" >>"$cwd/rows.txt"
  while IFS= read -r line; do
    grep -qF "DrawTextExW L\"$line\"" "$text_log" || fail "the version box did not draw \"$line\""
  done <"$cwd/rows.txt"
  echo "it draws the title line and all $(($(wc -l <"$cwd/rows.txt") - 1)) rows of the credit roll with version $version"
  xdotool windowactivate --sync "$box" >/dev/null 2>&1 || xdotool windowfocus "$box" >/dev/null 2>&1
  xdotool key Return
  vorna_window_gone "$box" name '^VORNA-TESSIK Improve$' || fail "Return did not close the version box"
  kill -0 "$app_pid" 2>/dev/null || fail "closing the version box ended the game"
  echo "Return closes the version box and the game goes on"
  exit 0
fi

# The logo holds still for about 270 frames: one of the pictures taken then must equal frame 200 scaled 2x.
matched=""
for i in $(seq 100); do
  import -display "$DISPLAY" -window "$window" "$cwd/shot.png" 2>/dev/null || continue
  diff=$(compare -metric AE "$cwd/shot.png" "$cwd/expected.png" null: 2>&1)
  if [ "$diff" = 0 ]; then
    matched=$i
    break
  fi
  sleep 0.1
done
[ -n "$matched" ] || fail "no screenshot equals the headless frame 200 scaled 2x (last difference: $diff pixels)"
echo "screenshot $matched equals the headless frame 200 scaled 2x"

timeout 60 "$wine" "$programs/vorna.exe"
rc=$?
[ "$rc" = 0 ] || fail "the second start exited with $rc"
kill -0 "$app_pid" 2>/dev/null || fail "the first copy ended when the second started"
echo "a second start exits 0 and leaves the first running"

# The wide size from the system menu (its letter W) stretches the frame to 640 x 240.
is_wide() {
  for _ in $(seq 25); do
    [ "$(xdotool getwindowgeometry "$main" | sed -n 's/.*Geometry: //p')" = 640x240 ] && return 0
    sleep 0.2
  done
  return 1
}
choose_from_system_menu w is_wide || fail "the wide size of the system menu did not give a 640x240 client area"
echo "the system menu's wide size gives a 640x240 client area"

xdotool windowactivate --sync "$main" >/dev/null 2>&1 || xdotool windowfocus "$main" >/dev/null 2>&1
xdotool key Escape
find_vorna_window name '^VORNA-TESSIK Improve$' 100 "$main"
[ -n "$window" ] || fail "releasing Esc brought no question"
kill -0 "$app_pid" 2>/dev/null || fail "the game ended before the question was answered"
xdotool key Return
await_exit "Return on the question"
[ "$rc" = 0 ] || fail "vorna.exe exited with $rc after the question"
echo "Esc, then Return on the question: exit code 0"
