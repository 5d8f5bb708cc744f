#!/usr/bin/env bash
# Runs the viewer on a private Xvfb, answers its prompt, saves a PNG of its
# window and ends it. Usage: show-headless.sh VIEWER PICTURE
set -eu
viewer=$1
picture=$2

echo "No X display (DISPLAY is unset): running the viewer on a virtual screen (Xvfb) and saving a picture of it."

# Xvfb picks a free display number and writes it to fd 3 once it is ready.
ready=$(mktemp -u)
mkfifo "$ready"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$ready" 2>/dev/null &
xvfb_pid=$!
read -r -t 20 number < "$ready" || { echo "Xvfb did not start" >&2; exit 1; }
rm -f "$ready"
export DISPLAY=":$number"

viewer_pid=
cleanup() {
    [ -z "$viewer_pid" ] || kill "$viewer_pid" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

printf 'n' | "$viewer" & viewer_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name "$viewer" | head -n 1)
sleep 1  # let the first frame be drawn and swapped
xwd -silent -id "$window" | xwdtopnm 2>/dev/null | pnmtopng > "$picture"
echo
echo "Saved $(realpath "$picture")"

# Escape ends the viewer as a user would.
xdotool mousemove --window "$window" 150 150 key Escape
status=0
wait "$viewer_pid" || status=$?
viewer_pid=
echo "The viewer ended with status $status."
exit "$status"
