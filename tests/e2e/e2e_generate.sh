#!/usr/bin/env bash
# The whole tool from outside: the real executable on a real X server (Xvfb), driven only by keyboard and mouse
# events (xdotool), writing onto real cards. The cards are ext4 images on loop devices, mounted in a private mount
# namespace where their disks read as removable; the machine's own mounts are never touched.
#
#     e2e_generate.sh ORVACONFIGURATOR VSKINFO VERSION
#
# Exit status: 0 when every check holds, 1 when one fails, 77 when this machine cannot run it (not root, no Xvfb,
# no xdotool, no loop devices).
set -uo pipefail

app=${1:?usage: e2e_generate.sh ORVACONFIGURATOR VSKINFO VERSION}
vskinfo=${2:?usage: e2e_generate.sh ORVACONFIGURATOR VSKINFO VERSION}
version=${3:?usage: e2e_generate.sh ORVACONFIGURATOR VSKINFO VERSION}
# The window's title, as xdotool matches it.
titlePattern="^ORVA Configurator V${version//./\\.}\$"
app=$(readlink -f "$app")
vskinfo=$(readlink -f "$vskinfo")

skip()
{
    echo "SKIP: $*"
    exit 77
}

# ---------------------------------------------------------------------------------------------------------------
# Preconditions, then a private mount namespace for the rest of the run.

if [ -z "${ORVA_E2E_IN_NAMESPACE:-}" ]; then
    [ "$(id -u)" -eq 0 ] || skip "needs root: loop devices, mounts and a private mount namespace"
    for tool in Xvfb xdotool unshare losetup mkfs.ext4 mount setpriv; do
        command -v "$tool" >/dev/null || skip "$tool is not installed"
    done
    [ -e /dev/loop-control ] || skip "no loop devices here (/dev/loop-control is missing)"
    [ -x "$app" ] || { echo "FAIL: $app is not an executable"; exit 1; }
    [ -x "$vskinfo" ] || { echo "FAIL: $vskinfo is not an executable"; exit 1; }
    unshare --mount --propagation private true 2>/dev/null || skip "cannot make a private mount namespace"
    export ORVA_E2E_IN_NAMESPACE=1
    exec unshare --mount --propagation private -- "$0" "$@"
fi

# Everything below runs inside the namespace: mounts made here vanish with it, even when this script is killed.

work=$(mktemp -d /tmp/orva-e2e.XXXXXX)
home=$work/home
cards=$work/cards
record=$work/xdg-open.log
settings="$home/.config/Vaskor Quendra SA/ORVA Configurator.conf"
identifierFile="$home/Desktop/ORVA Serial Number.txt"
mounted=()
shots=$PWD/e2e
# shellcheck source=../support/xdriver.sh
source "$(dirname "$0")/../support/xdriver.sh"

cleanup()
{
    local status=$?
    if [ -n "$appPid" ]; then
        kill -KILL "$appPid" 2>/dev/null
        wait "$appPid" 2>/dev/null
    fi
    stopXvfb
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[i]}" 2>/dev/null || umount --lazy "${mounted[i]}" 2>/dev/null
    done
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# ---------------------------------------------------------------------------------------------------------------
# Cards: ext4 images on loop devices. Loop disks report fixed media; inside this namespace the cards' disks say
# otherwise, which is what a card reader reports.

mkdir -p "$home/Desktop" "$cards" "$work/runtime" "$work/bin"
chmod 700 "$work/runtime"
echo 1 >"$work/removable"

# The machine's own removable volumes would share the drive list with the test's cards; inside this namespace
# they are taken away (for this namespace only), so that a card-less start really lists nothing.
hideMachineCards()
{
    local device root mountPoint disk
    while read -r _ _ device root mountPoint _; do
        [ "$root" = / ] && [ "$mountPoint" != / ] || continue
        disk=$(readlink -f "/sys/dev/block/$device" 2>/dev/null) || continue
        [ -n "$disk" ] && [ -d "$disk" ] || continue
        [ -e "$disk/partition" ] && disk=$(dirname "$disk")
        if [ "$(cat "$disk/removable" 2>/dev/null)" = 1 ] || [[ $(basename "$disk") == mmcblk* ]]; then
            mountPoint=$(printf '%b' "${mountPoint//\\/\\0}")
            log "hiding the machine's removable volume $mountPoint in this namespace"
            umount --lazy "$mountPoint" 2>/dev/null
        fi
    done </proc/self/mountinfo
}

# makeCard NAME LABEL [ro]: an 8 MiB ext4 card mounted at $cards/NAME.
makeCard()
{
    local name=$1 label=$2 mode=${3:-rw}
    local image=$work/$name.img mountPoint=$cards/$name
    truncate -s 8M "$image" && mkfs.ext4 -q -F -L "$label" "$image" || die "cannot make the image of card $name"
    local loop
    loop=$(losetup --find --show "$image") || die "no loop device for card $name"
    mkdir -p "$mountPoint"
    if ! mount -t ext4 -o "$mode" "$loop" "$mountPoint"; then
        losetup --detach "$loop"
        die "cannot mount card $name"
    fi
    mounted+=("$mountPoint")
    # Released now, the loop device goes by itself when the card is unmounted, with the namespace at the latest.
    losetup --detach "$loop"
    mount --bind "$work/removable" "/sys/block/$(basename "$loop")/removable" || die "cannot mark $loop removable"
    mounted+=("/sys/block/$(basename "$loop")/removable")
}

# ---------------------------------------------------------------------------------------------------------------
# The desktop: an X server on a free display, and an xdg-open that only records what it was asked to open.

cat >"$work/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$*" >>"$record"
EOF
chmod +x "$work/bin/xdg-open"
: >"$record"

startXvfb

# The program sees a user's ordinary environment: its own HOME with a Desktop, no browser preference, and no
# system bus (the card's label goes through the disk service, which lives outside this namespace and is tested on
# its own).
# Set appPrefix=(strace ...) to start the program under another program, which fails system calls on purpose.
appPrefix=()
# The sanitizers' options reach the program too (scripts/check runs this test on the AddressSanitizer build).
sanitizerEnv()
{
    local name value
    for name in ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS; do
        value=${!name-}
        [ -n "$value" ] || continue
        # LeakSanitizer cannot look at a program that strace follows.
        [ "$name" != ASAN_OPTIONS ] || [ ${#appPrefix[@]} -eq 0 ] || value+=:detect_leaks=0
        printf '%s\n' "$name=$value"
    done
}
startApp()
{
    local sanitizers
    mapfile -t sanitizers < <(sanitizerEnv)
    [ -z "$appPid" ] || die "the previous run of the program is still going"
    env -i PATH="$work/bin:/usr/local/bin:/usr/bin:/bin" HOME="$home" LANG=C.UTF-8 DISPLAY="$DISPLAY" \
        XDG_RUNTIME_DIR="$work/runtime" DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/no-system-bus" \
        ${sanitizers[@]+"${sanitizers[@]}"} setpriv --pdeathsig KILL ${appPrefix[@]+"${appPrefix[@]}"} "$app" >>"$work/app.log" 2>&1 &
    appPid=$!
    waitFor 20 findWindow || die "the window \"ORVA Configurator V$version\" did not appear"
    focusWindow
}

# Picks the card in the drive box the way a user does on a closed combo box: by typing the start of its entry.
chooseCard()
{
    typeText "$cards/$1"
}

# ---------------------------------------------------------------------------------------------------------------
# Checks of what the program left behind.

# inspect CARD FILE: runs vskinfo on the card's parameter file into $inspected.
inspect()
{
    local file=$cards/$1/02/$2
    inspected=$("$vskinfo" "$file" 2>&1)
    local status=$?
    check "$1/02/$2 passes every check of vskinfo" [ "$status" -eq 0 ]
    [ "$status" -eq 0 ] || printf '%s\n' "$inspected"
}

# record NUMBER NAME VALUE: vskinfo shows record NUMBER as NAME with VALUE.
hasRecord()
{
    grep -Eq "^ +$1 $2 +$3\$" <<<"$inspected"
}

checkRecord()
{
    check "record $1 ($2) is $3" hasRecord "$1" "$2" "$(sed 's/[][().*+?^$|\\]/\\&/g' <<<"$3")"
}

identifierOnCard()
{
    sed -nE 's/^ +1 identifier +([0-9A-F]{32})$/\1/p' <<<"$inspected"
}

hasSetting()
{
    grep -Fxq -- "$1=$2" "$settings"
}

checkSettings()
{
    local pair
    for pair in "$@"; do
        check "settings hold $pair" hasSetting "${pair%%=*}" "${pair#*=}"
    done
    check "the settings file is readable by its owner only" [ "$(stat -c %a "$settings")" = 600 ]
}

# The identifier file as the program must write it, with CR LF line breaks and none at the end.
expectedIdentifierFile()
{
    local banner
    banner="$(printf '%038d' 0 | tr 0 '*') THIS IS IMPORTANT $(printf '%038d' 0 | tr 0 '*')"
    printf '%s\r\n\r\n%s\r\n\r\n%s%s\r\n\r\n%s' "$banner" \
        "PLEASE KEEP THIS IDENTIFIER FOR THE AUTHENTICATION OF YOUR INSTALLATION ON THE ORVA WEBSITE" \
        "YOUR IDENTIFIER (GUID) : " "$1" "$banner"
}

recordedCalls()
{
    [ "$(wc -l <"$record")" -ge "$1" ]
}

# The identifier hand-off: the file on the Desktop holds the card's identifier; the desktop was asked to open
# the file and then the portal.
checkHandOff()
{
    local identifier=$1 callsBefore=$2
    check "the identifier file on the Desktop holds the identifier $identifier" \
        cmp -s "$identifierFile" <(expectedIdentifierFile "$identifier")
    waitFor 10 recordedCalls $((callsBefore + 2)) || fail "xdg-open was not called twice"
    local calls
    calls=$(tail -n +$((callsBefore + 1)) "$record")
    local expected
    expected="$home/Desktop/ORVA Serial Number.txt
https://portal.orva.example.net"
    check "xdg-open opened the identifier file, then the portal" [ "$calls" = "$expected" ]
    [ "$calls" = "$expected" ] || printf 'xdg-open was called with:\n%s\n' "$calls"
}

noNewCalls()
{
    sleep 0.5 # the program has ended; a detached xdg-open would have been started before that
    check "xdg-open was not called" [ "$(wc -l <"$record")" -eq "$1" ]
}

# ---------------------------------------------------------------------------------------------------------------
# The runs. Each starts the program afresh, as a user would.

hideMachineCards

log "no card: Generate warns and the window stays"
startApp
key Tab Tab
typeText G # "GSM", by the first letter
clickButton Generate
answerBox "SD Card not available"
check "the window stays after the warning" windowStays
focusWindow
clickButton Quit
expectExit
checkSettings serialMode=8 driveLetter=-1

makeCard a "ORVA A"
makeCard b "ORVA B"
makeCard locked "ORVA RO" ro

log "read-only card: Generate warns and writes nothing"
startApp
chooseCard locked
key Tab Tab
typeText K # "Kerv (38400 bps)": no fields
key Tab space # Generate
answerBox "SD Card is Read Only"
check "the window stays after the warning" windowStays
check "nothing was written on the read-only card" [ ! -e "$cards/locked/02" ]
focusWindow
key Tab space # from Generate to Quit
expectExit

log "GSM on card a"
calls=$(wc -l <"$record")
startApp
chooseCard a
key Tab Tab
typeText G
key Tab
typeText internet.example.net
key Tab
typeText "orva user"
key Tab
typeText "pass;word?"
key Tab Tab # past the button that shows the password
typeText 5273
key Tab Tab space # past the button that shows the PIN to Generate: the fields of the other modes are hidden
waitFor 15 boxShown "Unsupported character" || die "the separator in the password was not refused"
answerBox "Unsupported character"
check "the window stays after the warning" windowStays
focusWindow # the password field has the focus again
key ctrl+a
typeText "secret word"
clickButton Generate
answerBox "File generated"
expectExit
inspect a GP0_0000.VSK
checkRecord 2 "mode code" "8 (GSM)"
checkRecord 5 "access point name" '"internet.example.net"'
checkRecord 6 "user name" '"orva user"'
checkRecord 7 "password" '"secret word"'
checkRecord 8 "PIN code" '"5273"'
checkRecord 9 "SIM phone number" "(empty)"
checkRecord 12 "reset flag" "(absent)"
gsmIdentifier=$(identifierOnCard)
checkHandOff "$gsmIdentifier" "$calls"
checkSettings serialMode=8 accessPointName=internet.example.net "username=orva user" "password=secret word" \
    pinCode=5273 resetConfig=false

log "LAN on card b, starting from the remembered GSM form"
calls=$(wc -l <"$record")
startApp
chooseCard b
key Tab Tab
typeText L
clickButton Generate
# Escape answers the success box as "OK" does: the program ends.
answerBox "File generated" Escape
expectExit
inspect b GP0_0000.VSK
checkRecord 2 "mode code" "16 (LAN)"
checkRecord 5 "access point name" "(empty)"
checkRecord 8 "PIN code" "(empty)"
lanIdentifier=$(identifierOnCard)
check "a new identifier for the new file" [ "$lanIdentifier" != "$gsmIdentifier" ]
checkHandOff "$lanIdentifier" "$calls"
# The access point fields are hidden in LAN mode, but what was typed in the GSM run is kept and saved again.
checkSettings serialMode=16 accessPointName=internet.example.net "username=orva user" pinCode=5273

log "SMS on card a, reset option off, user key drawn by the key button"
calls=$(wc -l <"$record")
startApp
chooseCard a
key Tab Tab
typeText S
key Tab
key ctrl+a
typeText 760584
key Tab Tab # past the button that shows the PIN
typeText "+41 79 123 45 67"
key Tab
typeText "+41 79 765 43 21"
key Tab Tab space # the key button
key Tab Tab space # past the reset option to Generate
answerBox "File generated"
expectExit
noNewCalls "$calls"
inspect a GP1_0000.VSK
checkRecord 2 "mode code" "32 (SMS)"
checkRecord 5 "access point name" "(empty)"
checkRecord 8 "PIN code" '"760584"'
checkRecord 9 "SIM phone number" '"+41 79 123 45 67"'
checkRecord 10 "owner phone number" '"+41 79 765 43 21"'
checkRecord 12 "reset flag" '0x00 (not checked)'
userKey=$(sed -nE 's/^ +11 user key +"([0-9A-F]{6})"$/\1/p' <<<"$inspected")
check "record 11 (user key) is a drawn key of six hexadecimal digits" [ -n "$userKey" ]
check "the GSM file on card a is still there beside the SMS file" [ -f "$cards/a/02/GP0_0000.VSK" ]
check "the identifier file still holds the LAN identifier" \
    cmp -s "$identifierFile" <(expectedIdentifierFile "$lanIdentifier")
checkSettings serialMode=32 pinCode=760584 "simCardPhoneNumber=+41 79 123 45 67" \
    "ownerPhoneNumber=+41 79 765 43 21" "userKey=$userKey" resetConfig=false

log "SMS again with the reset option, nothing typed: the remembered form is generated"
cardIndex=$(sed -n 's/^driveLetter=//p' "$settings")
startApp
key Tab Tab Tab Tab Tab Tab Tab Tab Tab # drive, refresh, mode, PIN and its button, two phones, key, key button
key space Tab space                 # check it, then Generate
answerBox "File generated"
expectExit
inspect a GP1_0000.VSK
checkRecord 2 "mode code" "32 (SMS)"
checkRecord 8 "PIN code" '"760584"'
checkRecord 9 "SIM phone number" '"+41 79 123 45 67"'
checkRecord 10 "owner phone number" '"+41 79 765 43 21"'
checkRecord 11 "user key" "\"$userKey\""
checkRecord 12 "reset flag" '0x01 (checked)'
checkSettings serialMode=32 "driveLetter=$cardIndex" resetConfig=true

log "Kerv (115200 bps) on card b"
startApp
chooseCard b
key Tab Tab
typeText K
key Down # from "Kerv (38400 bps)" to "Kerv (115200 bps)"
# Card b holds the LAN file of an earlier run, whose identifier was handed out: the default answer keeps it.
cp "$cards/b/02/GP0_0000.VSK" "$work/b-lan.vsk"
clickButton Generate
answerBox "Replace the configuration?"
check "the default answer leaves the LAN file as it was" cmp -s "$cards/b/02/GP0_0000.VSK" "$work/b-lan.vsk"
focusWindow
clickButton Generate
answerBox "Replace the configuration?" shift+Tab Return # "Replace"
answerBox "File generated"
expectExit
noNewCalls "$(wc -l <"$record")"
inspect b GP0_0000.VSK
checkRecord 2 "mode code" "64 (Kerv (115200 bps))"
checkRecord 5 "access point name" "(empty)"
checkRecord 11 "user key" "(empty)"
checkRecord 12 "reset flag" "(absent)"
checkSettings serialMode=64 accessPointName=internet.example.net resetConfig=true

settingsSum()
{
    cksum <"$settings"
}

log "card unmounted while the window is open: nothing is written into the folder left behind"
makeCard gone "ORVA GONE"
sumBefore=$(settingsSum)
startApp
chooseCard gone
umount "$cards/gone" || die "cannot unmount card gone"
key Tab Tab
typeText K
clickButton Generate
# Whether the list noticed the card leaving (not available) or Generate found it gone (not found), nothing is written.
answerBox "SD Card (Not Found|not available)"
check "the window stays after the warning" windowStays
check "nothing was written into the folder the card was mounted on" \
    [ -z "$(ls -A "$cards/gone")" ]
check "the form was not saved" [ "$(settingsSum)" = "$sumBefore" ]
focusWindow
clickButton Quit
expectExit

if command -v strace >/dev/null; then
    log "the medium refuses the file's data (fdatasync fails): File not written, the old file stays"
    cp "$cards/b/02/GP0_0000.VSK" "$work/old.VSK"
    sumBefore=$(settingsSum)
    appPrefix=(strace -f -qq -o /dev/null -e trace=fdatasync -e inject=fdatasync:error=EIO)
    startApp
    chooseCard b
    key Tab Tab
    typeText K
    clickButton Generate
    answerBox "File not written"
    check "the window stays after the warning" windowStays
    check "the earlier file on card b is unchanged" cmp -s "$cards/b/02/GP0_0000.VSK" "$work/old.VSK"
    check "no half-written file is left on card b" \
        [ "$(find "$cards/b/02" -name 'GP0_0000.VSK?*' | wc -l)" -eq 0 ]
    check "the form was not saved" [ "$(settingsSum)" = "$sumBefore" ]
    focusWindow
    clickButton Quit
    expectExit

    log "the folder cannot be flushed after the new file took the old one's place: the truth, and the identifier"
    sumBefore=$(settingsSum)
    rm -f "$identifierFile"
    appPrefix=(strace -f -qq -o /dev/null -e trace=fsync -e inject=fsync:error=EIO)
    startApp
    chooseCard b
    key Tab Tab
    typeText L
    clickButton Generate
    answerBox "File not written"
    check "the window stays after the warning" windowStays
    inspect b GP0_0000.VSK
    checkRecord 2 "mode code" "16 (LAN)"
    check "the identifier the card may carry reached the Desktop" \
        cmp -s "$identifierFile" <(expectedIdentifierFile "$(identifierOnCard)")
    check "the form was not saved" [ "$(settingsSum)" = "$sumBefore" ]
    focusWindow
    clickButton Quit
    expectExit
    appPrefix=()
else
    fail "strace is not installed: the flush failures cannot be injected"
fi

finish
