# shellcheck shell=bash disable=SC2154 # work, titlePattern: set by the caller
# Shared by the scripts that drive a program's window on a real X server (Xvfb) with xdotool, as a user would: the
# checks and their report, the X server, and the window's keys, buttons and message boxes. Sourced; the caller sets
# work (a folder of its own), titlePattern (the window's title, as xdotool matches it), shots (where a failure's
# screenshot goes) and window (the window's id, once it found it), and defines startApp and cleanup. Optional:
# typeDelay and keyDelay (ms between keys) and settle (seconds a window takes to take the focus) for slower programs.

started=$SECONDS
failures=0
xvfbPid=
appPid=
typeDelay=${typeDelay:-20}
keyDelay=${keyDelay:-30}
settle=${settle:-0}

log() { printf '[%3ds] %s\n' $((SECONDS - started)) "$*"; }

fail()
{
    echo "FAIL: $*"
    failures=$((failures + 1))
    local shot=${shots:-$PWD/window}-failure-$failures.png
    if [ -n "${DISPLAY:-}" ] && command -v import >/dev/null; then
        import -window root "$shot" 2>/dev/null && echo "      screen saved in $shot"
    fi
}

# Ends the run at once: later steps depend on this one.
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

# Polls a command every 0.1 s until it succeeds or the seconds run out.
waitFor()
{
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
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

# startXvfb [DPI [SCREEN]]: an X server on a free display (Xvfb picks it), which ends with this script; one started
# before is stopped first. Xvfb's default is 96 dots per inch.
startXvfb()
{
    stopXvfb
    [ -p "$work/display" ] || mkfifo "$work/display"
    exec {displayFd}<>"$work/display"
    setpriv --pdeathsig KILL Xvfb -displayfd "$displayFd" -screen 0 "${2:-1024x768x24}" -dpi "${1:-96}" -nolisten tcp \
        -noreset >"$work/xvfb.log" 2>&1 &
    xvfbPid=$!
    display=
    readDisplay() { read -r -t 0.1 -u "$displayFd" display && [ -n "$display" ]; }
    waitFor 20 readDisplay || {
        cat "$work/xvfb.log"
        die "Xvfb did not start"
    }
    export DISPLAY=:$display
    log "Xvfb on $DISPLAY"
}

stopXvfb()
{
    if [ -n "$xvfbPid" ]; then
        kill "$xvfbPid" 2>/dev/null || true
        wait "$xvfbPid" 2>/dev/null || true
        xvfbPid=
    fi
    return 0
}

# The window once it is on the screen: a program names its window before it maps it, and a window not yet mapped
# takes neither the focus nor a click (a slow machine shows that gap).
findWindow()
{
    window=$(xdotool search --onlyvisible --name "$titlePattern" 2>/dev/null | head -n 1)
    [ -n "$window" ]
}

hasFocus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# Gives a window the keyboard, and waits until the X server says it has it: through the window manager's protocol
# where there is one, directly where there is none (a bare Xvfb). Asked again while it has not taken it.
focusOn()
{
    local deadline=$((SECONDS + 10))
    until hasFocus "$1"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        xdotool windowactivate "$1" 2>/dev/null || xdotool windowfocus "$1" 2>/dev/null
        sleep 0.2
    done
    sleep "$settle"
}

focusWindow() { focusOn "$window" || die "cannot focus the window"; }

typeText() { xdotool type --delay "$typeDelay" -- "$1"; }
key() { xdotool key --delay "$keyDelay" "$@"; }

# Clicks the middle of a bottom-row button; the buttons keep their places at the bottom right of the window.
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

# The pattern that xdotool matches a title against: the whole title, in which a question mark stands for itself
# (callers may give alternatives, "SD Card (Not Found|not available)").
titlePatternOf() { printf '^%s$' "${1//\?/\\?}"; }

# A message box of that title on the screen (mapped, as findWindow).
boxShown()
{
    box=$(xdotool search --onlyvisible --name "$(titlePatternOf "$1")" 2>/dev/null | head -n 1)
    [ -n "$box" ]
}

boxGone() { ! xdotool search --name "$(titlePatternOf "$1")" >/dev/null 2>&1; }

# Waits for the message box of that title and answers it with the keys given, Return (its default button) when none.
# The box is given the keyboard first, and the keys are typed once the X server says it has it. A box that will not
# take it gets the keys sent to its own window instead, which Wine takes whichever window has the focus (Qt does not
# always: it is given the focus itself).
answerBox()
{
    local title=$1
    shift
    waitFor 30 boxShown "$title" || die "no message box \"$title\""
    log "ok: message box \"$title\""
    if focusOn "$box"; then
        key "${@:-Return}"
    else
        log "the box \"$title\" did not take the focus: the keys go to its window"
        xdotool key --window "$box" --delay "$keyDelay" "${@:-Return}"
    fi
    waitFor 15 boxGone "$title" || die "the box \"$title\" did not close on ${*:-Return}"
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
