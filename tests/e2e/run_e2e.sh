#!/bin/bash
# End to end: the real program under a virtual X display, driven like a user. Sets the
# slow-down to 0 with clicks, starts a run, waits for the time in the title, checks that
# both pictures gained a trail in the charge's colour, then leaves through Файл → Выход:
# first answering No (the program must stay), then Yes (it must end, cleanly).
# Usage: run_e2e.sh LARMOR PROBE RUNTIME_DIR LSAN_SUPPRESSIONS
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }

for tool in xvfb-run xdotool import convert; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done
[ $# -eq 4 ] || fail "usage: $0 LARMOR PROBE RUNTIME_DIR LSAN_SUPPRESSIONS"

if [ -z "${LARMOR_E2E_DISPLAY:-}" ]; then
  # A screen large enough for the window at its start-up size, in true colour.
  exec xvfb-run -a -s "-screen 0 1280x1024x24" env LARMOR_E2E_DISPLAY=1 bash "$0" "$@"
fi

larmor=$(realpath "$1") probe=$(realpath "$2") runtime=$(realpath "$3")
export LSAN_OPTIONS="suppressions=$(realpath "$4")${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export QT_QPA_PLATFORM=xcb
work=${LARMOR_E2E_WORK:-$(mktemp -d)}  # give a folder to keep the screenshots
pid=
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
  [ -n "${LARMOR_E2E_WORK:-}" ] || rm -rf "$work"
}
trap cleanup EXIT

# Polls a command for up to $1 seconds.
wait_for() {
  local seconds=$1; shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
}

cd "$runtime"
"$probe" > "$work/places" || fail "the layout probe did not run"
place() { awk -v n="$1" '$1 == n { print $2, $3, $4, $5 }' "$work/places"; }
centre() { place "$1" | awk '{ print int($1 + $3 / 2), int($2 + $4 / 2) }'; }
click() { xdotool mousemove --window "$wid" $1 click 1; sleep 0.15; }

"$larmor" > "$work/out" 2>&1 &
pid=$!
title_prefix="Моделирование движения заряженной частицы"
# A visible window of the program whose full name (read as UTF-8) starts with $1; the
# --name filter of a search cannot be trusted with Cyrillic names.
window_named() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    [[ "$(xdotool getwindowname "$w" 2>/dev/null)" == "$1"* ]] && { echo "$w"; return 0; }
  done
  return 1
}
find_window() { wid=$(window_named "$title_prefix"); }
wait_for 30 find_window || fail "the main window did not appear"
wait_for 10 xdotool getwindowname "$wid" >/dev/null || fail "no window name"
sleep 0.5

# Red pixels (the trail colour of a positive charge) in one picture of a screenshot.
red_pixels() {
  local shot=$1 x y w h
  read -r x y w h < <(place "$2")
  convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage -fuzz 25% \
    -fill black +opaque "#FF0000" -fill white -opaque "#FF0000" \
    -format "%[fx:round(mean*w*h)]" info:
}

# Slow-down to 0: one click on the lowering arrow per unit, and one more to be sure.
slowdown=$(awk '$1 == "slowdown" { print $2 }' "$work/places")
arrow=$(place HScroll1.down | awk '{ print int($1 + $3 / 2), int($2 + $4 / 2) }')
for _ in $(seq 0 "$slowdown"); do click "$arrow"; done

import -window "$wid" "$work/before.png"
click "$(centre CmdOK)"
ends_in_seconds() { [[ "$(xdotool getwindowname "$wid")" == *" c" ]]; }
wait_for 300 ends_in_seconds || fail "the run did not report its time"
title=$(xdotool getwindowname "$wid")
[[ "$title" =~ ^"$title_prefix".*"   время расчета"[0-9]+" c"$ ]] || fail "title: $title"
echo "title: $title"
import -window "$wid" "$work/after.png"

for picture in Picture1 Picture2; do
  before=$(red_pixels "$work/before.png" "$picture")
  after=$(red_pixels "$work/after.png" "$picture")
  echo "$picture: $before charge-coloured pixels before the run, $after after"
  [ "$after" -ge $((before + 50)) ] || fail "$picture holds no trail"
done

# Файл → Выход, opened with a click; the menu then takes the keyboard.
choose_exit() {
  click "$(centre mnuFile)"
  sleep 0.3
  xdotool key Down Down Return  # Cправка, (separator), Выход
}
confirmation() { box=$(window_named "На Выход"); }
no_confirmation() { ! confirmation; }

choose_exit
wait_for 10 confirmation || fail "no exit confirmation"
# Without a window manager nobody gives the box the keyboard: focus it by hand.
xdotool windowfocus --sync "$box" key Escape  # the same as No
wait_for 10 no_confirmation || fail "the confirmation did not close on No"
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the program ended although the answer was No"

choose_exit
wait_for 10 confirmation || fail "no exit confirmation the second time"
xdotool windowfocus --sync "$box" key Tab space  # from the default Нет to Да
exited() { ! kill -0 "$pid" 2>/dev/null; }
wait_for 30 exited || fail "the program did not end after Yes"
status=0
wait "$pid" || status=$?
pid=
if [ "$status" -ne 0 ]; then
  cat "$work/out" >&2
  fail "the program ended with status $status"
fi
echo "PASS"
