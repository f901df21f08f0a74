#!/usr/bin/env bash
# Installs the program into a temporary prefix, starts the installed program
# on an X display of its own as a user would, presses "расчет" and reads the
# window caption, which must report the time of the run; then saves the
# picture with the keyboard (Ctrl+S, a typed name, Return).
#   installed_program_test.sh BUILD_DIR
# Exits with 77 (skipped) when Xvfb, xdpyinfo or xdotool is missing.
set -euo pipefail
build=$1

for tool in Xvfb xdpyinfo xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed"
    exit 77
  fi
done

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
stop() { # stop PID: ends a process this script started and waits for it
  if [ -n "$1" ]; then
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
  fi
}
cleanup() {
  stop "$program_pid"
  stop "$xvfb_pid"
  rm -rf "$work"
}
trap cleanup EXIT
trap "exit 1" INT TERM

fail() {
  echo "FAILED: $*"
  [ -f "$work/zoreks.log" ] && { echo "--- program output:"; cat "$work/zoreks.log"; }
  exit 1
}

cmake --install "$build" --prefix "$work/prefix" >/dev/null
program="$work/prefix/bin/zoreks"
[ -x "$program" ] || fail "cmake --install did not place bin/zoreks"

# A display of our own, away from the numbers other suites' X servers take
# (:0, :99): a free number, tried again with another when someone takes it
# first; it is ours once its lock file names our Xvfb, and ready once it
# answers. It never resets when that first client leaves (-noreset), which
# would refuse the program's connection for a moment.
display=""
for _ in $(seq 20); do
  n=$((100 + RANDOM % 900))
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    kill -0 "$xvfb_pid" 2>/dev/null || break  # the number was taken meanwhile
    if [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock")" = "$xvfb_pid" ] &&
       xdpyinfo -display ":$n" >/dev/null 2>&1; then
      display=":$n"
      break 2
    fi
    sleep 0.1
  done
  stop "$xvfb_pid"
  xvfb_pid=""
done
[ -n "$display" ] || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }
export DISPLAY=$display

mkdir "$work/home"
cd "$work/home"
# The program as the tests know it: Russian, with no settings saved by anyone.
env -u QT_QPA_PLATFORM -u LANGUAGE LC_ALL=C.UTF-8 XDG_CONFIG_HOME="$work/config" "$program" >"$work/zoreks.log" 2>&1 &
program_pid=$!

window=""
for _ in $(seq 100); do
  window=$(xdotool search --all --onlyvisible --pid "$program_pid" --name '^Зорекс$' 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  kill -0 "$program_pid" 2>/dev/null || fail "the program ended at start-up"
  sleep 0.1
done
[ -n "$window" ] || fail "no window with the caption Зорекс appeared"

# "расчет" has the focus when the window opens: the space bar presses it.
timeout 10 xdotool windowfocus --sync "$window" || fail "the window did not take the focus"
xdotool key --clearmodifiers space

expected='^Зорекс   время расчета [0-9]+ c$'
caption=""
for _ in $(seq 200); do
  caption=$(xdotool getwindowname "$window" 2>/dev/null || true)
  [[ $caption =~ $expected ]] && break
  sleep 0.1
done
[[ $caption =~ $expected ]] || fail "the caption reads '$caption'"
echo "caption after the run: $caption"

# Ctrl+S asks for a file; a name typed without an extension is saved as PNG.
xdotool key --clearmodifiers ctrl+s
dialog=""
for _ in $(seq 100); do
  dialog=$(xdotool search --all --onlyvisible --pid "$program_pid" --name '^Сохранить рисунок$' 2>/dev/null | head -n1 || true)
  [ -n "$dialog" ] && break
  sleep 0.1
done
[ -n "$dialog" ] || fail "Ctrl+S opened no window «Сохранить рисунок»"
timeout 10 xdotool windowfocus --sync "$dialog" || fail "the save dialog did not take the focus"
sleep 0.3  # the dialog's name box takes the typing once it has settled
xdotool type --delay 20 "$work/home/saved"
xdotool key Return
for _ in $(seq 100); do
  [ -s "$work/home/saved.png" ] && { echo "picture saved with the keyboard"; exit 0; }
  sleep 0.1
done
fail "Ctrl+S, a typed name and Return saved no $work/home/saved.png"
