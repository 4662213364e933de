#!/bin/bash
# Runs inside the VM of tests/vm/usb_vm_test.sh, on this machine's root
# (read-only) with /tmp and /run fresh. Argument: the build folder.
set -u
build="$1"
export HOME=/tmp XDG_RUNTIME_DIR=/tmp/xdg QT_QPA_PLATFORM=offscreen
mkdir -m 700 -p /tmp/xdg
failures=0
check() {  # check WHAT CONDITION...
    local what="$1"; shift
    if "$@"; then echo "VM ok: $what"; else echo "VM FAILED: $what"; failures=$((failures + 1)); fi
}
log() { echo "VM: $*"; }

/lib/systemd/systemd-udevd --daemon 2>/dev/null
for i in $(seq 50); do [ -S /run/udev/control ] && break; sleep 0.1; done

mkfifo /tmp/instrument.ctl
"$build/tests/uhid_instrument" --type=530 --serial=4711 --count-file=/tmp/answered \
    </tmp/instrument.ctl >/tmp/instrument.log 2>&1 &
exec 3>/tmp/instrument.ctl
sleep 1
ls -la /dev/hidraw* 
udevadm info /dev/hidraw0 | head -20
"$build/velmar-setup" >/tmp/setup.log 2>&1 &
setup=$!
for i in $(seq 30); do sleep 1; log "answered: $(cat /tmp/answered)"; done
echo unplug >&3; sleep 1
log "answered: $(cat /tmp/answered)"
echo plug >&3; sleep 3
log "answered: $(cat /tmp/answered)"
ps ax | grep velmar
kill $setup
wait $setup; echo "setup exit $?"
cat /tmp/setup.log
exit $failures
