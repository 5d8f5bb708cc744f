#!/usr/bin/env bash
# Installs the Debian packages named on the command line that are missing.
# As root it runs apt-get; otherwise it prints the one line to run and fails,
# so each script names every package it and the scripts it calls will need.
set -eu

missing=()
for package in "$@"; do
    # Node.js from elsewhere may bring its own npm, which Debian's would clash with.
    if [ "$package" = npm ] && command -v npm >/dev/null; then
        continue
    fi
    # Groups of packages may share some; each is named once.
    case " ${missing[*]} " in *" $package "*) continue ;; esac
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

install_line="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages; as root, run: apt-get update && $install_line" >&2
    exit 1
fi
echo "Installing missing Debian packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
$install_line
