# shellcheck shell=bash disable=SC2154 # work, app, wine, titlePattern: set by the caller and wine_common.sh
# Shared by the scripts that drive the installed Windows program under Wine on a real X server (Xvfb) with xdotool.
# Sourced after wine_common.sh; the caller sets parent (where a failure's screenshot goes), work, app (the installed
# program) and titlePattern (the window's title), and calls startXvfb.

here_window=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# Wine's windows take their time: slower keys, and a moment for the focus to arrive.
typeDelay=40
keyDelay=60
settle=0.3
# shellcheck source=../support/xdriver.sh
source "$here_window/../support/xdriver.sh"

cleanup()
{
    local status=$?
    stopWine
    stopXvfb
    rm -rf "$work"
    exit "$status"
}

# Starts the installed program with the given arguments and waits for its window.
startApp()
{
    [ -z "$appPid" ] || die "the previous run of the program is still going"
    "$wine" "$app" "$@" >>"$work/wine.log" 2>&1 &
    appPid=$!
    # Polled rather than xdotool's --sync, which gives up when a window of Wine's goes while it looks.
    waitFor 60 findWindow || die "the window \"$titlePattern\" did not appear"
    focusWindow
}
