#!/bin/sh
# Runs the test ($1) on a session bus of its own (tests/keychain/session.conf), which ends with it.
if ! command -v dbus-run-session >/dev/null 2>&1; then
    echo "SKIP: dbus-run-session is not installed (Debian: dbus-daemon)"
    exit 77
fi
exec dbus-run-session --config-file="$(dirname "$0")/session.conf" -- "$@"
