#!/bin/sh
# Runs a real UDisks2 service for the tests, without touching the machine's own disk service:
#   udisks-sandbox.sh WORKDIR BUS_CONFIG
# Makes a 32 MiB ext4 image labelled "ORVA-OLD" in WORKDIR and attaches it to a loop device; in a mount
# namespace of its own starts a private bus (socket WORKDIR/bus), udevd (which udisksd needs for the file
# system's type) and udisksd on that bus. Tells the caller on standard output:
#   loop /dev/loopN
#   bus unix:path=WORKDIR/bus
#   ready
# and runs until its standard input closes (the test ends, or dies), then stops everything it started and
# detaches the loop device. The daemons' output, and the shell's, goes to WORKDIR/*.log.
#
# The namespace has tmpfs over /run, /media and /dev/disk: udev's database, udisksd's state and the mount
# points it makes stay private, and whatever is still mounted in there goes away with the namespace.
set -u

fail()
{
    echo "error $*"
    exit 1
}

if [ "${1:-}" = --inside ]; then
    work=$2
    config=$3
    loop=$4
    mount -t tmpfs orva-run /run || fail "cannot mount a tmpfs on /run"
    mount -t tmpfs orva-media /media || fail "cannot mount a tmpfs on /media"
    mount -t tmpfs orva-disk /dev/disk || fail "cannot mount a tmpfs on /dev/disk"

    dbus-daemon --config-file="$config" --address="unix:path=$work/bus" --nofork --nopidfile \
        --print-address=1 >"$work/bus.address" 2>"$work/dbus.log" &
    bus_pid=$!
    /lib/systemd/systemd-udevd --resolve-names=never >"$work/udevd.log" 2>&1 &
    udevd_pid=$!
    stop()
    {
        [ -n "${udisksd_pid:-}" ] && kill "$udisksd_pid" 2>/dev/null && wait "$udisksd_pid"
        kill "$udevd_pid" "$bus_pid" 2>/dev/null
        wait
    }

    tries=0
    until [ -s "$work/bus.address" ] && udevadm control --ping 2>/dev/null; do
        tries=$((tries + 1))
        [ $tries -le 100 ] || { stop; fail "the bus or udevd did not start"; }
        sleep 0.1
    done
    # udevd started after the loop device appeared: have it probe the device now.
    udevadm trigger --action=change --settle "$loop" || { stop; fail "udevadm trigger failed"; }

    DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/bus" /usr/libexec/udisks2/udisksd >"$work/udisksd.log" 2>&1 &
    udisksd_pid=$!
    echo "bus unix:path=$work/bus"
    echo ready
    cat >/dev/null
    stop
    exit 0
fi

work=$1
config=$2
[ "$(id -u)" -eq 0 ] || fail "not root"
made_disk=
if [ ! -d /dev/disk ]; then
    mkdir /dev/disk && made_disk=1
fi
truncate -s 32M "$work/card.img" && mkfs.ext4 -q -F -L ORVA-OLD "$work/card.img" || fail "mkfs.ext4 failed"
loop=$(losetup --find --show "$work/card.img") || fail "losetup failed"
echo "loop $loop"
unshare --mount --propagation private sh "$0" --inside "$work" "$config" "$loop" 2>>"$work/sandbox.log"
status=$?
losetup --detach "$loop"
[ -n "$made_disk" ] && rmdir /dev/disk
exit $status
