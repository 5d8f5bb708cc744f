#!/usr/bin/env bash
# Runs the viewer on the current display, answers its prompt, saves a PNG of
# its window and ends it with Escape. Usage: save-viewer-picture.sh VIEWER PICTURE
set -eu
viewer=$1
picture=$2

printf 'n' | "$viewer" & viewer_pid=$!
trap 'kill "$viewer_pid" 2>/dev/null || true' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --name "$viewer" | head -n 1)
sleep 1  # let the first frame be drawn and swapped
xwd -silent -id "$window" | xwdtopnm 2>/dev/null | pnmtopng > "$picture"
echo
echo "Saved $(realpath "$picture")"

# Escape ends the viewer as a user would.
xdotool mousemove --window "$window" 150 150 key Escape
status=0
wait "$viewer_pid" || status=$?
trap - EXIT
echo "The viewer ended with status $status."
exit "$status"
