#!/usr/bin/env bash
# A power cut at every step of one "Generate" over an old file. The card is an image served by the card recorder
# (card_recorder.cpp), which logs every write and every flush that reaches the card: an ext4 file system on a loop
# device over it, or a FAT file system through fusefat (this kernel has no FAT driver). vskwrite writes the
# card once; then, after each flush of that write, before each write between flushes (whole, and torn after a
# 512-byte sector drawn at random) and before each flush with one of the writes since the last flush lost, the image is rebuilt as a power cut at that point leaves it, mounted (the kernel
# replays the journal: the mount is read-write; a card that does not mount, its superblock torn, is repaired with
# e2fsck -fy first, as its user would; FAT is mounted as the cut left it), and its folder "02" is read with vskinfo. Every cut must leave the old file whole or the new one whole:
# never a torn file, no file, or a temporary file under the real name; and from the point where vskwrite had told
# that the card was done, the new file (on FAT, but for the window inside fusefat's own rename: see below).
#
#     powercut.sh VSKWRITE VSKINFO CARD_RECORDER [ext4|fat]
#
# ORVA_POWERCUT_BETWEEN (default: all) is how many writes between two flushes are cut at, ORVA_POWERCUT_SEED (default
# 33) draws the torn sectors. Exit status: 0 when every cut holds, 1 when one fails, 77 when this machine cannot run
# it (not root, no FUSE, no loop devices, the recorder or fusefat missing).
set -uo pipefail

vskwrite=$(readlink -f "${1:?usage: powercut.sh VSKWRITE VSKINFO CARD_RECORDER}")
vskinfo=$(readlink -f "${2:?usage: powercut.sh VSKWRITE VSKINFO CARD_RECORDER}")
recorder=${3:-}
fs=${4:-ext4}
between=${ORVA_POWERCUT_BETWEEN:-1000000}
seed=${ORVA_POWERCUT_SEED:-33}

skip()
{
    echo "SKIP: $*"
    exit 77
}

die()
{
    echo "FAIL: $*"
    exit 1
}

if [ -z "${ORVA_POWERCUT_IN_NAMESPACE:-}" ]; then
    [ "$(id -u)" -eq 0 ] || skip "needs root: FUSE, loop devices, mounts and a private mount namespace"
    [ -n "$recorder" ] && [ -x "$recorder" ] || skip "the card recorder was not built (libfuse3-dev is missing)"
    case $fs in
        ext4) tools="losetup mkfs.ext4 e2fsck" ;;
        fat) tools="fusefat mkfs.fat" ;;
        *) die "no such file system: $fs" ;;
    esac
    for tool in unshare setpriv mount umount mountpoint cmp $tools; do
        command -v "$tool" >/dev/null || skip "$tool is not installed"
    done
    [ -e /dev/fuse ] || skip "no FUSE here (/dev/fuse is missing)"
    [ -e /dev/loop-control ] || skip "no loop devices here (/dev/loop-control is missing)"
    unshare --mount --propagation private true 2>/dev/null || skip "cannot make a private mount namespace"
    export ORVA_POWERCUT_IN_NAMESPACE=1
    exec unshare --mount --propagation private -- "$0" "$@"
fi
recorder=$(readlink -f "$recorder")

# Everything below runs inside the namespace: its mounts vanish with it. The loop devices and the recorder do not, so
# they are undone here, whatever way the script ends.
# In memory where there is a tmpfs for it: every cut copies the card image.
scratch=/tmp
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch=/dev/shm
work=$(mktemp -d "$scratch/orva-powercut.XXXXXX")
recorderPid=
recordedLoop=
fatPid=
cleanup()
{
    local status=$?
    unmount()
    {
        if mountpoint -q "$1" 2>/dev/null; then
            umount "$1" 2>/dev/null || umount --lazy "$1" 2>/dev/null
        fi
    }
    unmount "$work/card"
    unmount "$work/cut"
    if [ -n "$fatPid" ]; then
        kill "$fatPid" 2>/dev/null
        wait "$fatPid" 2>/dev/null
    fi
    [ -n "$recordedLoop" ] && losetup --detach "$recordedLoop" 2>/dev/null
    unmount "$work/recorder"
    if [ -n "$recorderPid" ]; then
        kill "$recorderPid" 2>/dev/null
        wait "$recorderPid" 2>/dev/null
    fi
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

mkdir -p "$work/home" "$work/card" "$work/cut" "$work/recorder"
export HOME=$work/home
unset XDG_CONFIG_HOME XDG_DATA_HOME
fileName=GP1_0000.VSK

# Mounts the card image IMAGE (a loop device for ext4; fusefat, in the foreground as this script's child, for FAT) at
# MOUNTPOINT, read-write or read-only.
mountCard()
{
    local image=$1 point=$2 mode=$3
    if [ "$fs" = ext4 ]; then
        mount -t ext4 -o "loop,$mode" "$image" "$point"
        return
    fi
    [ "$mode" = rw ] && mode=rw+
    setpriv --pdeathsig KILL fusefat -f -o "$mode" "$image" "$point" >>"$work/fusefat.err" 2>&1 &
    fatPid=$!
    for _ in $(seq 100); do
        mountpoint -q "$point" && return 0
        kill -0 "$fatPid" 2>/dev/null || break
        sleep 0.05
    done
    return 1
}

# Unmounts the card at MOUNTPOINT and waits for fusefat, if it served it, to end.
unmountCard()
{
    umount "$1" || return 1
    if [ -n "$fatPid" ]; then
        wait "$fatPid"
        fatPid=
    fi
}

# The card before, whose folder "02" holds an old file, written by vskwrite too: a 32 MiB ext4 file system (four block
# groups: its superblock has copies to be repaired from) with its inode tables and journal made at once, so that no
# background initialisation writes into the recorded write; or a 64 MiB FAT32 file system, as SD cards come.
if [ "$fs" = ext4 ]; then
    truncate -s 32M "$work/base.img"
    mkfs.ext4 -q -F -E lazy_itable_init=0,lazy_journal_init=0 "$work/base.img" || die "mkfs.ext4 failed"
else
    truncate -s 64M "$work/base.img"
    mkfs.fat -F 32 "$work/base.img" >/dev/null || die "mkfs.fat failed"
fi
mountCard "$work/base.img" "$work/card" rw || die "cannot mount the card: $(cat "$work/fusefat.err" 2>/dev/null)"
"$vskwrite" --mode sms --pin 1234 --sim +41791234567 --owner +41797654321 --key Ab12Cd --any-folder "$work/card" \
    >/dev/null || die "vskwrite could not write the old file"
cp "$work/card/02/$fileName" "$work/old.vsk"
unmountCard "$work/card" || die "cannot unmount the card"

# The recorded write: the card through the recorder, one "Generate" of another form over the old file, then the card
# unmounted as a user ejects it. The mark notes in the log when vskwrite told that the file was generated.
cp --sparse=always "$work/base.img" "$work/recorded.img"
# The recorder dies with this script, however it ends; its card's loop device goes when the card is unmounted.
setpriv --pdeathsig KILL "$recorder" serve "$work/recorded.img" "$work/log" "$work/recorder" &
recorderPid=$!
for _ in $(seq 100); do
    [ -e "$work/recorder/card.img" ] && break
    kill -0 "$recorderPid" 2>/dev/null || die "the card recorder did not start"
    sleep 0.05
done
[ -e "$work/recorder/card.img" ] || die "the card recorder did not mount"
if [ "$fs" = ext4 ]; then
    recordedLoop=$(losetup --find --show "$work/recorder/card.img") || die "no loop device over the recorded card"
    mount -t ext4 "$recordedLoop" "$work/card" || die "cannot mount the recorded card"
    losetup --detach "$recordedLoop" && recordedLoop=
else
    mountCard "$work/recorder/card.img" "$work/card" rw || die "cannot mount the recorded card"
fi
started=$(date +%s%N)
# Its standard error is unbuffered: the line that tells "File generated" comes through the pipe as it is told.
"$vskwrite" --mode sms --pin 987654 --sim +41781112233 --owner +41442223344 --key Zz98Yx --reset \
    --any-folder "$work/card" 2>&1 >"$work/identifier" | while IFS= read -r line; do
    [[ $line == *"File generated"* ]] && printf x >"$work/recorder/mark"
    printf '%s\n' "$line"
done
status=${PIPESTATUS[0]}
identifier=$(cat "$work/identifier")
[ "$status" -eq 0 ] && [ -n "$identifier" ] || die "vskwrite ended with status $status"
cp "$work/card/02/$fileName" "$work/new.vsk"
cmp -s "$work/old.vsk" "$work/new.vsk" && die "the new file equals the old one"
unmountCard "$work/card" || die "cannot unmount the recorded card"
# The loop device lets the recorder's file go as it goes away.
for _ in $(seq 100); do
    umount "$work/recorder" 2>/dev/null && break
    sleep 0.05
done
mountpoint -q "$work/recorder" && die "cannot unmount the card recorder"
wait "$recorderPid"
recorderPid=
echo "recorded: vskwrite wrote identifier $identifier in $((($(date +%s%N) - started) / 1000000)) ms"

"$recorder" plan "$work/log" "$between" "$seed" >"$work/plan" || die "cannot read the log"
done=$(awk '$1 == "done" { print $2; exit }' "$work/plan")
[ -n "$done" ] || die "the log holds no mark: vskwrite did not tell \"File generated\""
records=$(awk '$1 == "records" { print $2 }' "$work/plan")
flushes=$(grep -c ' flush$' "$work/plan")
echo "log: $records records, $flushes flushes, vskwrite told done after record $done;" \
    "cutting after each flush and before each of up to $between writes between flushes, whole and torn (sectors" \
    "drawn with seed $seed)" | sed 's/up to 1000000 writes/the writes/'

# fusefat sends none of the flushes it is asked for, so a medium that keeps back writes it was not told to flush may
# keep back any of them: no writer can keep a promise on it, and such cuts are not tried. Its rename over a file is
# three writes of the folder (the old entry removed, the new file's entry removed, the entry written under the name):
# a cut between them leaves no file under the name. That window, and only it, is allowed on FAT: one run of at most
# three cut points in a row, before vskwrite told that the card was done.
if [ "$flushes" -eq 0 ]; then
    sed -i '/ reordered$/d' "$work/plan"
    echo "the file system sent no flush: no cut with writes kept back is tried"
fi
driverWindow=()

declare -A outcomes=() kinds=()
faults=0
tried=0
fault()
{
    echo "FAULT at cut $1: $2"
    faults=$((faults + 1))
}
while read -r what count torn dropped kind; do
    [ "$what" = cut ] || continue
    tried=$((tried + 1))
    kinds[$kind]=$((${kinds[$kind]:-0} + 1))
    point=$count
    [ "$torn" = -1 ] || point="$count+$torn sectors"
    [ "$dropped" = -1 ] || point="$count without $dropped"
    cp --sparse=always "$work/base.img" "$work/cut.img"
    "$recorder" rebuild "$work/log" "$work/cut.img" "$count" "$torn" "$dropped" || die "cannot rebuild the card at $point"
    repaired=
    if [ "$fs" = fat ]; then
        mountCard "$work/cut.img" "$work/cut" ro ||
            die "fusefat cannot mount the card cut at $point: $(cat "$work/fusefat.err")"
    elif ! mount -t ext4 -o loop "$work/cut.img" "$work/cut" 2>"$work/mount.err"; then
        e2fsck -fy "$work/cut.img" >"$work/fsck.out" 2>&1
        # 0 to 3: clean, or errors corrected.
        if [ $? -ge 4 ] || ! mount -t ext4 -o loop "$work/cut.img" "$work/cut" 2>>"$work/mount.err"; then
            outcomes[unmountable]=$((${outcomes[unmountable]:-0} + 1))
            fault "$point ($kind)" "the card cannot be mounted, nor repaired: $(cat "$work/mount.err" "$work/fsck.out")"
            continue
        fi
        repaired=" (mounted after e2fsck -fy)"
    fi
    file=$work/cut/02/$fileName
    if [ -f "$file" ] && cmp -s "$file" "$work/old.vsk"; then
        outcome=old
    elif [ -f "$file" ] && cmp -s "$file" "$work/new.vsk"; then
        outcome=new
    elif [ -e "$file" ]; then
        outcome=torn
    elif compgen -G "$file.orva-*" >/dev/null; then
        outcome=temporary-only
    else
        outcome=missing
    fi
    case $outcome in
        missing | temporary-only)
            if [ "$fs" = fat ] && [ "$torn" = -1 ] && [ "$dropped" = -1 ]; then
                driverWindow+=("$count")
            else
                fault "$point ($kind)" "the card holds a $outcome file: $(ls -la "$work/cut/02" 2>&1 | tr '\n' ' ')"
            fi
            ;;
        old | new)
            "$vskinfo" "$work/cut" >"$work/vskinfo.out" 2>&1 ||
                fault "$point ($kind)" "vskinfo refuses the $outcome file: $(cat "$work/vskinfo.out")"
            ;;
        *) fault "$point ($kind)" "the card holds a $outcome file: $(ls -la "$work/cut/02" 2>&1 | tr '\n' ' ')" ;;
    esac
    if [ "$count" -ge "$done" ] && [ "$outcome" != new ]; then
        fault "$point ($kind)" "vskwrite had told that the card was done, but it holds the $outcome file"
    fi
    compgen -G "$file.orva-*" >/dev/null && outcome="$outcome, a new file left beside it"
    outcome=$outcome$repaired
    outcomes[$outcome]=$((${outcomes[$outcome]:-0} + 1))
    unmountCard "$work/cut" || die "cannot unmount the card cut at $point"
done <"$work/plan"

kindCounts=
for kind in start flush between torn reordered end; do
    [ -n "${kinds[$kind]:-}" ] && kindCounts+="${kindCounts:+, }$kind ${kinds[$kind]}"
done
echo "cut points tried: $tried ($kindCounts); outcomes:"
for outcome in "${!outcomes[@]}"; do
    echo "  $outcome: ${outcomes[$outcome]}"
done
if [ ${#driverWindow[@]} -gt 0 ]; then
    first=${driverWindow[0]}
    last=${driverWindow[-1]}
    echo "inside fusefat's rename (cuts $first to $last): no file under the name"
    if [ "$((last - first + 1))" -ne ${#driverWindow[@]} ] || [ ${#driverWindow[@]} -gt 3 ] || [ "$last" -ge "$done" ]; then
        fault "${driverWindow[*]}" "no file under the name at more cut points than one rename of the driver's"
    fi
fi
[ "$faults" -eq 0 ] || die "$faults cut points broke the promise (see the FAULT lines)"
[ "$tried" -gt 0 ] || die "no cut point was tried"
echo "PASS"
