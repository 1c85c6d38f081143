#!/usr/bin/env bash
# What a screen reader gets from the real window: the program on an X server (Xvfb) with the desktop's accessibility
# bus (AT-SPI, in a D-Bus session of its own), read back through that bus as Orca reads it, once in "GSM" and once in
# "SMS". Every control that the keyboard reaches must be spoken with a name, and every labelled one with its label;
# in "SMS", restored with a local phone number, a short PIN and a short key, those three fields are spoken with what
# is wrong with them.
#
#     screen_reader_names.sh ORVACONFIGURATOR
#
# Exit status: 0 when every check holds, 1 when one fails, 77 when this machine lacks Xvfb, D-Bus or AT-SPI.
set -uo pipefail

app=$(readlink -f "${1:?usage: screen_reader_names.sh ORVACONFIGURATOR}")
here=$(cd "$(dirname "$0")" && pwd)
reader=/usr/bin/python3

skip()
{
    echo "SKIP: $*"
    exit 77
}
for tool in Xvfb xdotool dbus-run-session dbus-send; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "the accessibility bus is not installed (Debian: at-spi2-core)"
"$reader" -c 'import pyatspi' 2>/dev/null || skip "pyatspi is not installed (Debian: python3-pyatspi)"

if [ -z "${ORVA_A11Y_IN_SESSION:-}" ]; then
    work=$(mktemp -d /tmp/orva-a11y.XXXXXX)
    xvfbPid=
    cleanup()
    {
        local status=$?
        [ -z "$xvfbPid" ] || { kill "$xvfbPid" 2>/dev/null; wait "$xvfbPid" 2>/dev/null; }
        rm -rf "$work"
        exit "$status"
    }
    trap cleanup EXIT
    trap 'exit 1' INT TERM HUP
    # A display of its own: the first free number from 90 on.
    display=90
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
        display=$((display + 1))
    done
    Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfbPid=$!
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$display" ] && break
        sleep 0.1
    done
    mkdir -p "$work/home" "$work/run"
    chmod 700 "$work/run"
    # Each mode in a D-Bus session of its own, so that each run starts without an accessibility bus.
    status=0
    for mode in GSM SMS; do
        HOME=$work/home XDG_RUNTIME_DIR=$work/run DISPLAY=:$display ORVA_A11Y_IN_SESSION=$mode \
            dbus-run-session -- "$0" "$@" || status=1
    done
    [ "$status" -eq 0 ] && echo "PASS: every control is spoken with a name, every labelled one with its label"
    exit "$status"
fi

# Inside the D-Bus session. The program starts first, then the accessibility bus, as when a screen reader is started
# while the program runs: Qt then connects to the bus as soon as it appears and announces the program once connected.
# (With the bus already there, Qt 5 announces the program before its connection is made, now and then, and never
# again: "Error in contacting registry".)
start_accessibility_bus()
{
    local address
    for _ in $(seq 50); do
        address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress 2>/dev/null | tr -d ' ')
        [ -n "$address" ] && return 0
        sleep 0.1
    done
    return 1
}
appPid=
finish()
{
    local status=$?
    [ -z "$appPid" ] || { kill "$appPid" 2>/dev/null; wait "$appPid" 2>/dev/null; }
    exit "$status"
}
trap finish EXIT
settings="$HOME/.config/Vaskor Quendra SA/ORVA Configurator.conf"
mkdir -p "$(dirname "$settings")"
failures=0

check_mode()
{
    local mode=$1 code=$2 marked=$3
    shift 3
    printf '[General]\nserialMode=%s\n' "$code" >"$settings"
    [ "$marked" -eq 0 ] || printf 'pinCode=123\nownerPhoneNumber=079 765 43 21\nuserKey=Wd3k\n' >>"$settings"
    # Qt hands its widgets to the bus as for a running screen reader (Orca would also set ScreenReaderEnabled).
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$app" >/dev/null 2>&1 &
    appPid=$!
    local read
    if ! xdotool search --sync --onlyvisible --name "^ORVA Configurator" >/dev/null; then
        echo "FAIL: $mode: the window did not open"
        failures=$((failures + 1))
    elif ! start_accessibility_bus; then
        echo "FAIL: $mode: the accessibility bus did not start"
        failures=$((failures + 1))
    elif ! read=$("$reader" "$here/screen_reader_names.py" "ORVA Configurator" 20); then
        echo "FAIL: $mode: $read"
        failures=$((failures + 1))
    else
        echo "$mode: what a screen reader speaks for each control:"
        echo "$read" | sed 's/^/    /'
        local unnamed
        unnamed=$(echo "$read" | awk -F'\t' 'NF < 2 || $2 == ""')
        if [ -n "$unnamed" ]; then
            echo "FAIL: $mode: controls without a name: $unnamed"
            failures=$((failures + 1))
        fi
        local described
        described=$(echo "$read" | grep -c $'\tdescribed: Not accepted: ')
        if [ "$described" -ne "$marked" ]; then
            echo "FAIL: $mode: $described fields spoken with a problem, $marked expected"
            failures=$((failures + 1))
        fi
        if [ "$marked" -ne 0 ] && ! echo "$read" | grep -qF 'Owner Phone Number'$'\t''described: Not accepted: the number needs the country code.'; then
            echo "FAIL: $mode: the local owner number is not spoken as needing the country code"
            failures=$((failures + 1))
        fi
        local expected
        for expected in "$@"; do
            if ! echo "$read" | cut -f2- | tr '\t' '\n' | grep -qxF -- "$expected"; then
                echo "FAIL: $mode: nothing is spoken as \"$expected\""
                failures=$((failures + 1))
            fi
        done
        local count
        count=$(echo "$read" | wc -l)
        [ "$count" -eq $# ] || {
            echo "FAIL: $mode: $count controls read, $# expected"
            failures=$((failures + 1))
        }
    fi
    [ -z "$appPid" ] || { kill "$appPid" 2>/dev/null; wait "$appPid" 2>/dev/null; }
    appPid=
}

# A combo box speaks its current entry as its name and its label through the relation (no card: the label only).
common=("SD Card Drive" "Orva Mode" "Refresh the list of SD cards" "Default settings" "Quit" "Generate"
    "Eject the card when done" "Prepare each card put in" "Load from card" "Presets")
case $ORVA_A11Y_IN_SESSION in
GSM)
    check_mode GSM 8 0 "${common[@]}" "Access Point Name (APN)" "Access Point User Name" "Access Point Password" \
        "PIN Code" "Show the password" "Show the PIN code"
    ;;
SMS)
    check_mode SMS 32 3 "${common[@]}" "PIN Code" "Show the PIN code" "SIM Card Phone Number" "Owner Phone Number" \
        "User Key <key>" "Generate a random user key" "Reset Configuration"
    ;;
esac
[ "$failures" -eq 0 ]
