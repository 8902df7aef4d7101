#!/usr/bin/env bash
# The monkey test with real X events: the desktop program under Xvfb with a window
# manager gets random clicks into its active window, keys, shortcuts and typed
# texts through xdotool. Unlike the in-process monkey (scripts/monkey.sh), boxes
# and dialogs are real: they run their modal loops and the user's clicks land in
# Qt's own file dialogs, which can delete files. So the program never runs as
# root: started as root, the script goes on as the user nobody, and the program's
# home and settings are a temporary folder that is removed afterwards.
#
#     bench/monkey_x11.sh [--install] [SEED] [ACTIONS] [PROGRAM]
#
# Defaults: a random seed, 5000 actions, build/bin/tavo. --install first installs
# what it needs (xdotool, openbox, Xvfb) with apt-get; nothing else installs them.
# A program that ends by itself (the user chose "Beenden") is started again; one
# that crashes or reports a sanitizer error ends the run with the seed, the last
# actions and the end of its output. Not part of CI: it takes minutes and a display.
set -euo pipefail

if [ "${1:-}" = "--install" ]; then
  shift
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends xdotool openbox xvfb xauth
fi

seed=${1:-$RANDOM}
actions=${2:-5000}
program=$(realpath "${3:-$(dirname "$0")/../build/bin/tavo}")
for tool in Xvfb xdotool openbox setpriv; do
  command -v "$tool" >/dev/null || { echo "monkey_x11: $tool is missing; run with --install" >&2; exit 2; }
done
[ -x "$program" ] || { echo "monkey_x11: no program at $program; build it first" >&2; exit 2; }

if [ "$(id -u)" -eq 0 ]; then
  work=$(mktemp -d /tmp/tavo-monkey.XXXXXX)
  chown nobody:nogroup "$work"
  trap 'rm -rf "$work"' EXIT
  status=0
  setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env -i PATH=/usr/bin:/bin MONKEY_WORK="$work" LANG=C.UTF-8 \
    bash "$(realpath "$0")" "$seed" "$actions" "$program" || status=$?
  exit "$status"
fi

work=${MONKEY_WORK:-$(mktemp -d /tmp/tavo-monkey.XXXXXX)}
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME/Dokumente" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cd "$HOME"

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$work/display")
openbox >"$work/openbox.log" 2>&1 &
wm=$!

RANDOM=$seed
log=$work/program.log
recent=()
program_pid=""
starts=0

start_program() {
  "$program" >>"$log" 2>&1 &
  program_pid=$!
  starts=$((starts + 1))
  # Wait until its window has the focus, so the first events reach it.
  for _ in $(seq 100); do
    xdotool search --onlyvisible --pid "$program_pid" >/dev/null 2>&1 && break
    sleep 0.1
  done
}

stop_all() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  kill "$wm" "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap stop_all EXIT

fail() {
  echo "monkey_x11: $1 (seed $seed, action $i of $actions)" >&2
  echo "monkey_x11: the last actions:" >&2
  printf '  %s\n' "${recent[@]}" >&2
  echo "monkey_x11: the end of the program's output:" >&2
  tail -n 60 "$log" >&2
  exit 1
}

# A program that has ended: a crash or a sanitizer report fails the run, a normal
# end (the user's "Beenden") starts it again.
check_program() {
  grep -q -e "ERROR: AddressSanitizer" -e "runtime error:" "$log" && fail "sanitizer report"
  kill -0 "$program_pid" 2>/dev/null && return
  local status=0
  wait "$program_pid" || status=$?
  [ "$status" -gt 128 ] && fail "the program died of signal $((status - 128))"
  [ "$status" -ne 0 ] && fail "the program ended with status $status"
  start_program
}

keys=(Tab ISO_Left_Tab Return KP_Enter Escape Left Right Up Down Home End Prior Next Delete BackSpace space F2 F10
  alt+d alt+a alt+s alt+e alt+question alt+j alt+n ctrl+n ctrl+o ctrl+s ctrl+p ctrl+Tab ctrl+shift+ISO_Left_Tab
  alt+F4 Menu shift+F10)
texts=(0 1 -1 999 1000 "1,5" 0.25 -0 .0 "1,5x" 1e308 2147483648 "%s%n%d" "Äöüß€" " 12 " "Decke über EG")

random_text() {
  case $((RANDOM % 4)) in
    0) echo "${texts[RANDOM % ${#texts[@]}]}" ;;
    1) echo "$((RANDOM % 100000 - 50000)),$((RANDOM % 100))" ;;
    2)
      local letters="abcdefghijklmnopqrstuvwxyzäöüß ABCXYZ-/.,;" text="" n
      for ((n = RANDOM % 30 + 1; n > 0; n--)); do text+=${letters:RANDOM % ${#letters}:1}; done
      echo "$text" ;;
    *) printf 'Ä%.0s' $(seq $((RANDOM % 300 + 50))) ;;
  esac
}

# One action on what the user sees now: the active window, a box or a menu included.
act() {
  case $((RANDOM % 10)) in
    0 | 1 | 2 | 3)
      local window x y button=1 repeat=1 X=0 Y=0 WIDTH=1 HEIGHT=1
      window=$(xdotool getactivewindow 2>/dev/null) || window=$(xdotool search --onlyvisible --pid "$program_pid" | head -n1)
      eval "$(xdotool getwindowgeometry --shell "$window" 2>/dev/null | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
      x=$((X + RANDOM % (WIDTH > 0 ? WIDTH : 1))) y=$((Y + RANDOM % (HEIGHT > 0 ? HEIGHT : 1)))
      [ $((RANDOM % 6)) -eq 0 ] && button=3
      [ $((RANDOM % 6)) -eq 0 ] && repeat=2
      recent+=("$i click $button x$repeat at $x,$y")
      xdotool mousemove "$x" "$y" click --repeat "$repeat" "$button" ;;
    4 | 5 | 6 | 7)
      local key=${keys[RANDOM % ${#keys[@]}]}
      recent+=("$i key $key")
      xdotool key --clearmodifiers "$key" ;;
    *)
      local text
      text=$(random_text)
      recent+=("$i type \"${text:0:30}\" (${#text} characters)")
      xdotool type --delay 1 -- "$text" ;;
  esac
  [ ${#recent[@]} -gt 25 ] && recent=("${recent[@]:1}")
  return 0
}

echo "monkey_x11: seed $seed, $actions actions, as $(id -un), home $HOME"
start_program
for ((i = 1; i <= actions; i++)); do
  act || true
  sleep 0.02
  check_program
  [ $((i % 500)) -eq 0 ] && echo "monkey_x11: $i actions"
done
echo "monkey_x11: $actions actions passed; the program was started $starts times"
