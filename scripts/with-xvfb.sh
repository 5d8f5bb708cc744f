#!/usr/bin/env bash
# Runs a command with DISPLAY set to a private Xvfb screen, ended afterwards.
# Usage: with-xvfb.sh COMMAND [ARG...]
set -eu

# Xvfb picks a free display number and writes it to fd 3 once it is ready.
ready=$(mktemp -u)
mkfifo "$ready"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$ready" 2>/dev/null &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null; rm -f "$ready"' EXIT
read -r -t 20 number < "$ready" || { echo "Xvfb did not start" >&2; exit 1; }

status=0
DISPLAY=":$number" "$@" || status=$?
exit "$status"
