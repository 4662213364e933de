#!/bin/bash
# Runs inside the VM of tests/vm/usb_vm_test.sh, on this machine's root
# (read-only, /tmp and /run fresh), as root. Argument: the build folder.
# The instrument is made by tests/uhid_instrument; velmar-setup runs as an
# ordinary user (nobody), so it first lacks the permission the udev rule
# gives, then gets it without a restart.
set -u
build="$1"
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
failures=0
check() {  # check WHAT COMMAND...
    local what="$1"
    shift
    if "$@"; then echo "VM ok: $what"; else echo "VM FAILED: $what"; failures=$((failures + 1)); fi
}
answered() { tr -d ' ' </tmp/answered; }
answered_at_least() { [ "$(answered)" -ge "$1" ]; }
# wait_until SECONDS COMMAND...: true once COMMAND succeeds.
wait_until() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.5
    done
}
answers_grow() {  # answers_grow BY: the instrument answers BY more frames than at the call
    local from
    from=$(answered)
    wait_until 40 answered_at_least $((from + $1))
}
answers_stand() {  # no frame answered for two seconds
    local from
    from=$(answered)
    sleep 2
    [ "$(answered)" = "$from" ]
}

/lib/systemd/systemd-udevd --daemon 2>/dev/null
wait_until 10 test -S /run/udev/control || echo "VM: udevd did not start"

mkfifo /tmp/instrument.ctl
"$build/tests/uhid_instrument" --type=530 --serial=4711 --count-file=/tmp/answered \
    </tmp/instrument.ctl >/tmp/instrument.log 2>&1 &
exec 3>/tmp/instrument.ctl
check "the uhid instrument appears as a hidraw node" wait_until 10 test -c /dev/hidraw0
udevadm settle -t 10 >/dev/null 2>&1

# An ordinary user, without the rule.
mkdir -m 700 -p /tmp/user && chown nobody /tmp/user
as_user() {
    setpriv --reuid=nobody --regid=nogroup --clear-groups \
        env HOME=/tmp/user XDG_RUNTIME_DIR=/tmp/user XDG_DATA_HOME=/tmp/user/data QT_QPA_PLATFORM=offscreen "$@"
}
# The same for a background job: the program takes the job's place, so that
# $! is its own pid and a kill ends it (and frees the node it holds).
as_user_job() {
    exec setpriv --reuid=nobody --regid=nogroup --clear-groups \
        env HOME=/tmp/user XDG_RUNTIME_DIR=/tmp/user XDG_DATA_HOME=/tmp/user/data QT_QPA_PLATFORM=offscreen "$@"
}
cli_refused() {
    as_user "$build/velmar-cli" info >/tmp/cli.out 2>/tmp/cli.err
    [ $? = 3 ] && grep -q '/dev/hidraw0.*70-velmar.rules' /tmp/cli.err
}
check "without the rule velmar-cli info ends with 3, naming the node and the rule" cli_refused
sed 's/^/VM cli: /' /tmp/cli.err
cli_list_refused() { as_user "$build/velmar-cli" list | grep -q '"access":false'; }
check "velmar-cli list tells the node is not open to this user" cli_list_refused
as_user_job "$build/velmar-setup" >/tmp/setup.log 2>&1 &
setup=$!
check "without the rule velmar-setup names the refused node, the rule and the command" \
    wait_until 60 grep -q 'Csatlakozik egy Velmar készülék (/dev/hidraw0).*70-velmar.rules' /tmp/setup.log
grep -A1 'Csatlakozik' /tmp/setup.log | sed 's/^/VM: /'
check "nothing reaches the instrument meanwhile" test "$(answered)" = 0

# The rule, and in place of the login manager's access for the user at the
# seat (no seat here) a test rule handing the node of a uaccess-tagged
# device to nobody.
mkdir -p /run/udev/rules.d
cp "$source_dir/udev/70-velmar.rules" /run/udev/rules.d/
echo 'SUBSYSTEM=="hidraw", TAG=="uaccess", OWNER="nobody"' >/run/udev/rules.d/71-velmar-vm-test.rules
udevadm control --reload
udevadm trigger --subsystem-match=hidraw --action=change
udevadm settle -t 10 >/dev/null 2>&1
check "the rule tags the instrument's node uaccess" \
    bash -c 'udevadm info --query=property /dev/hidraw0 | grep -q "^TAGS=.*:uaccess:"'
check "with the rule in force velmar-setup polls without a restart" answers_grow 30

echo unplug >&3
check "unplugged: no frames" answers_stand
echo plug >&3
check "plugged again: velmar-setup finds it and polls" answers_grow 30

echo stall >&3
check "a stalled instrument answers nothing" answers_stand
echo resume >&3
check "after the stall the link recovers" answers_grow 30
check "velmar-setup still runs" kill -0 $setup

kill $setup 2>/dev/null
wait $setup 2>/dev/null

# The command-line tool on the same path, now that the user may open it.
cli_info() { as_user "$build/velmar-cli" info 2>/tmp/cli.err | grep -q '"deviceType":530'; }
check "velmar-cli reads the identity through hidapi and udev" cli_info
sed 's/^/VM cli: /' /tmp/cli.err
as_user "$build/velmar-cli" status --watch --interval=100 >/tmp/cli-watch.log 2>/tmp/cli-watch.err &
watch=$!
check "velmar-cli status --watch polls" wait_until 20 bash -c '[ "$(wc -l </tmp/cli-watch.log)" -ge 3 ]'
sed 's/^/VM cli: /' /tmp/cli-watch.err
echo unplug >&3
watch_ended() { ! kill -0 $watch 2>/dev/null; }
check "unplugged: velmar-cli status --watch stops" wait_until 10 watch_ended
wait $watch
check "... with exit code 3" test $? = 3
echo plug >&3
check "plugged again: velmar-cli finds it" wait_until 20 cli_info

# A second instrument on the bus: list names both, a serial picks one, a
# node held by one program is shown as in use to another.
mkfifo /tmp/second.ctl
"$build/tests/uhid_instrument" --type=310 --serial=4712 --count-file=/tmp/answered2 \
    </tmp/second.ctl >/tmp/second.log 2>&1 &
exec 4>/tmp/second.ctl
two_nodes() { [ "$(ls /dev/hidraw* 2>/dev/null | wc -l)" -ge 2 ]; }
check "the second uhid instrument appears" wait_until 10 two_nodes
udevadm settle -t 10 >/dev/null 2>&1
cli_list_two() {
    as_user "$build/velmar-cli" list >/tmp/cli-list.out 2>/tmp/cli.err &&
        grep -q '"deviceType":530.*"serial":"004711"' /tmp/cli-list.out &&
        grep -q '"deviceType":310.*"serial":"004712"' /tmp/cli-list.out
}
check "velmar-cli list names both instruments by type and serial" wait_until 20 cli_list_two
sed 's/^/VM list: /' /tmp/cli-list.out
cli_pick() { as_user "$build/velmar-cli" --device=usb:$1 info 2>/tmp/cli.err | grep -q "\"deviceType\":$2"; }
check "--device=usb:4712 reads the PX310" cli_pick 4712 310
check "--device=usb:4711 reads the PX530" cli_pick 4711 530
node_4712="$(grep '"serial":"004712"' /tmp/cli-list.out | sed 's/.*"node":"\([^"]*\)".*/\1/')"
check "--device=usb:$node_4712 reads the PX310" cli_pick "$node_4712" 310
cli_absent() {
    as_user "$build/velmar-cli" --device=usb:4799 info 2>/tmp/cli.err
    [ $? = 3 ] && grep -q '004711.*004712' /tmp/cli.err
}
check "an absent serial ends with 3, naming those attached" cli_absent
sed 's/^/VM cli: /' /tmp/cli.err
as_user_job "$build/velmar-cli" --device=usb:4711 status --watch --interval=100 >/tmp/cli-watch.log 2>/dev/null &
watch=$!
wait_until 20 bash -c '[ "$(wc -l </tmp/cli-watch.log)" -ge 2 ]'
cli_in_use() {
    as_user "$build/velmar-cli" list >/tmp/cli-list.out 2>/dev/null &&
        grep -q '"inUse":true' /tmp/cli-list.out && grep -q '"serial":"004712"' /tmp/cli-list.out
}
check "a node held by velmar-cli is in use to another, the other still named" cli_in_use
sed 's/^/VM list: /' /tmp/cli-list.out
cli_held() {
    as_user "$build/velmar-cli" --device=usb:4711 info 2>/tmp/cli.err
    [ $? = 3 ] && grep -q 'másik Velmar program' /tmp/cli.err
}
check "a second program does not open the held node" cli_held
kill $watch 2>/dev/null
wait $watch 2>/dev/null
cli_all() {
    as_user "$build/velmar-cli" --device=usb:all info >/tmp/cli-all.out 2>/tmp/cli.err &&
        [ "$(grep -c '"exit":0,"inUse"' /tmp/cli-all.out)" = 2 ] && grep -q '"summary"' /tmp/cli-all.out
}
check "--device=usb:all reads both in turn" cli_all
sed 's/^/VM all: /' /tmp/cli-all.out | cut -c1-200
echo quit >&4
if [ $failures -gt 0 ]; then
    ls -l /dev/hidraw* | sed 's/^/VM: /'
    tail -20 /tmp/setup.log | sed 's/^/VM setup: /'
    tail -20 /tmp/instrument.log | sed 's/^/VM instrument: /'
fi
echo quit >&3
echo "VM: $failures failed"
exit $failures
