# Shared by the scripts that drive the installed Windows program under Wine on a real X server (Xvfb) with xdotool:
# the checks and their report, the X server, and the window's keys, buttons and message boxes. Sourced after
# wine_common.sh; the caller sets parent (where a failure's screenshot goes), work, app (the installed program) and
# titlePattern (the window's title), and calls startXvfb.

started=$SECONDS
failures=0
xvfbPid=
appPid=

cleanup()
{
    local status=$?
    stopWine
    if [ -n "$xvfbPid" ]; then
        kill "$xvfbPid" 2>/dev/null
        wait "$xvfbPid" 2>/dev/null
    fi
    rm -rf "$work"
    exit "$status"
}

log() { printf '[%3ds] %s\n' $((SECONDS - started)) "$*"; }

fail()
{
    echo "FAIL: $*"
    failures=$((failures + 1))
    if [ -n "${DISPLAY:-}" ] && command -v import >/dev/null; then
        import -window root "$parent/wine-window-failure-$failures.png" 2>/dev/null &&
            echo "      screen saved in $parent/wine-window-failure-$failures.png"
    fi
}

die()
{
    fail "$@"
    echo "$failures check(s) failed"
    exit 1
}

check()
{
    local what=$1
    shift
    if "$@"; then
        log "ok: $what"
    else
        fail "$what"
    fi
}

waitFor()
{
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.2
    done
}

# The end of the report: status 0 when every check held.
finish()
{
    log "done in $((SECONDS - started)) s"
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed"
        exit 1
    fi
    echo "every check passed"
}

startXvfb()
{
    mkfifo "$work/display"
    exec {displayFd}<>"$work/display"
    setpriv --pdeathsig KILL Xvfb -displayfd "$displayFd" -screen 0 1024x768x24 -nolisten tcp -noreset \
        >"$work/xvfb.log" 2>&1 &
    xvfbPid=$!
    display=
    readDisplay() { read -r -t 0.2 -u "$displayFd" display && [ -n "$display" ]; }
    waitFor 20 readDisplay || {
        cat "$work/xvfb.log"
        die "Xvfb did not start"
    }
    export DISPLAY=:$display
    log "Xvfb on $DISPLAY"
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

findWindow()
{
    window=$(xdotool search --name "$titlePattern" 2>/dev/null | head -n 1)
    [ -n "$window" ]
}

focusWindow()
{
    timeout 10 xdotool windowactivate --sync "$window" 2>/dev/null ||
        timeout 10 xdotool windowfocus --sync "$window" || die "cannot focus the window"
    sleep 0.3
}

typeText() { xdotool type --delay 40 -- "$1"; }
key() { xdotool key --delay 60 "$@"; }

clickButton()
{
    local fromRight
    case $1 in
    Generate) fromRight=62 ;;
    Quit) fromRight=171 ;;
    *) die "no such button $1" ;;
    esac
    local WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=[0-9]+$')"
    xdotool mousemove --window "$window" $((WIDTH - fromRight)) $((HEIGHT - 23)) click 1
}

# The pattern that xdotool matches a title against: the whole title, in which a question mark stands for itself.
titlePatternOf() { printf '^%s$' "${1//\?/\\?}"; }

boxShown()
{
    box=$(xdotool search --name "$(titlePatternOf "$1")" 2>/dev/null | head -n 1)
    [ -n "$box" ]
}

boxGone() { ! xdotool search --name "$(titlePatternOf "$1")" >/dev/null 2>&1; }

# Waits for the message box of that title and answers it with the keys given, Return (its default button) when none.
answerBox()
{
    local title=$1
    shift
    waitFor 30 boxShown "$title" || die "no message box \"$title\""
    log "ok: message box \"$title\""
    timeout 10 xdotool windowactivate --sync "$box" 2>/dev/null || timeout 10 xdotool windowfocus --sync "$box"
    sleep 0.3
    if [ $# -eq 0 ]; then
        key Return
    else
        key "$@"
    fi
    waitFor 15 boxGone "$title" || die "the box \"$title\" did not close on Return"
}

appEnded() { ! kill -0 "$appPid" 2>/dev/null; }

# Waits for the program to end and checks its exit status (0 unless given).
expectExit()
{
    local expected=${1:-0}
    waitFor 30 appEnded || die "the program did not end"
    wait "$appPid"
    local status=$?
    appPid=
    check "exit status $expected (got $status)" [ "$status" -eq "$expected" ]
}

windowStays() { kill -0 "$appPid" 2>/dev/null && xdotool search --name "$titlePattern" >/dev/null; }
