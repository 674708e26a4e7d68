#!/bin/bash
# End to end: the real program under a virtual X display, driven like a user. Sets the
# slow-down to 0 with clicks, starts a run, waits for the time in the title, checks that
# both pictures gained a trail in the charge's colour and the diagnostics window, opened
# before the run, its curves; drags the region bar's thumb down
# (the region must show 1) and clicks its top arrow (2), then leaves through Файл → Выход:
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
"$probe" "$work" > "$work/places" || fail "the layout probe did not run"
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
[ "$(awk '$1 == "client" { print $2 "x" $3 }' "$work/places")" = 720x480 ] || fail "client area: not 720 × 480"
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

# Диагностика → Окно диагностики, moved below the main window (nobody places windows here):
# its plots are empty before the run and hold its curves after it.
click "$(centre mnuDiagnostics)"
sleep 0.3
xdotool key Down Return
find_diagnostics() { diagnostics=$(window_named "Диагностика"); }
wait_for 10 find_diagnostics || fail "the diagnostics window did not appear"
xdotool windowmove --sync "$diagnostics" 0 540 windowsize --sync "$diagnostics" 900 460
sleep 0.5
# Pixels of strong colour: the curves (and a few of the axes' own colours).
coloured_pixels() {
  import -window "$diagnostics" "$work/diagnostics-$1.png"
  convert "$work/diagnostics-$1.png" -colorspace HSL -channel G -separate +channel -threshold 40% \
    -format "%[fx:round(mean*w*h)]" info:
}
empty_plots=$(coloured_pixels before)

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

full_plots=$(coloured_pixels after)
echo "diagnostics: $empty_plots strongly coloured pixels before the run, $full_plots after"
[ "$full_plots" -ge $((empty_plots + 1000)) ] || fail "the diagnostics plots show no curves after the run"

# The region bar (22 × 48 px): its thumb dragged down past the bar's end, released once;
# the value label must then look as the probe drew it at region 1, and after one click on
# the top arrow as at region 2.
label6_shows() {
  local x y w h
  read -r x y w h < <(place Label6)
  import -window "$wid" "$work/now.png"
  convert "$work/now.png" -crop "${w}x${h}+${x}+${y}" +repage "$work/Label6-now.png"
  compare -metric AE -fuzz 10% "$work/Label6-now.png" "$work/Label6-$1.png" null: 2>/dev/null
}
label6_shows 1 && fail "the region label shows 1 before the drag: the comparison tells nothing"
read -r tx ty < <(centre VScroll3.thumb)
read -r _ bar_top _ bar_height < <(place VScroll3)
xdotool mousemove --window "$wid" "$tx" "$ty" mousedown 1
for y in $(seq "$ty" 4 $((bar_top + bar_height + 20))); do
  xdotool mousemove --window "$wid" "$tx" "$y"; sleep 0.05
done
xdotool mouseup 1
wait_for 5 label6_shows 1 || fail "the region thumb dragged down does not give region 1"
echo "region bar: thumb dragged down, the label shows region 1"
click "$(centre VScroll3.up)"
wait_for 5 label6_shows 2 || fail "the top arrow does not raise the region to 2"
echo "region bar: top arrow clicked, the label shows region 2"

# Файл → Выход, opened with a click; the menu then takes the keyboard.
choose_exit() {
  click "$(centre mnuFile)"
  sleep 0.3
  xdotool key Up Return  # from no item, Up reaches the last: Выход
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
