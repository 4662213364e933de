#!/usr/bin/env bash
# The real USB path without hardware: boots Debian's kernel in qemu with a
# busybox initramfs, shares this machine's root read-only over 9p and runs
# tests/vm/in_vm.sh there, where the kernel's uhid driver makes a USB HID
# device with the instrument's ids that the virtual instrument answers.
# Usage: tests/vm/usb_vm_test.sh [BUILD_DIR]   (default: build/)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"

kernel_version="$(ls /lib/modules | sort -V | grep -- '-amd64$' | tail -1 || true)"
[ -n "$kernel_version" ] && [ -f "/boot/vmlinuz-$kernel_version" ] ||
    { echo "usb_vm_test: no Debian kernel installed (linux-image-amd64, scripts/deps.sh installs it)"; exit 1; }
command -v qemu-system-x86_64 >/dev/null || { echo "usb_vm_test: qemu-system-x86 missing"; exit 1; }
[ -x /bin/busybox ] || { echo "usb_vm_test: busybox-static missing"; exit 1; }
[ -x "$build/tests/uhid_instrument" ] || { echo "usb_vm_test: $build/tests/uhid_instrument not built"; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Modules in load order: each after what it depends on.
modules=()
add_module() {
    local name="$1" dep
    for m in "${modules[@]:-}"; do [ "$m" = "$name" ] && return; done
    for dep in $(modinfo -k "$kernel_version" -F depends "$name" | tr ',' ' '); do add_module "$dep"; done
    modules+=("$name")
}
for m in virtio_pci 9pnet_virtio 9p uhid hid_generic; do add_module "$m"; done

mkdir -p "$work/initramfs"/{bin,dev,proc,sys,host,modules}
cp /bin/busybox "$work/initramfs/bin/"
for m in "${modules[@]}"; do
    f="$(modinfo -k "$kernel_version" -F filename "$m")"
    case "$f" in
    *.ko) cp "$f" "$work/initramfs/modules/" ;;
    *.ko.xz) xz -dc "$f" >"$work/initramfs/modules/$(basename "$f" .xz)" ;;
    *.ko.zst) zstd -qdc "$f" >"$work/initramfs/modules/$(basename "$f" .zst)" ;;
    "(builtin)" | "") ;;
    esac
done
load_list=""
for m in "${modules[@]}"; do
    f="$(modinfo -k "$kernel_version" -F filename "$m")"
    case "$f" in *.ko*) load_list+=" $(basename "${f%%.ko*}").ko" ;; esac
done

cat >"$work/initramfs/init" <<INIT
#!/bin/busybox sh
/bin/busybox mount -t proc proc /proc
/bin/busybox mount -t sysfs sys /sys
/bin/busybox mount -t devtmpfs dev /dev
for m in $load_list; do /bin/busybox insmod /modules/\$m || echo "insmod \$m failed"; done
if ! /bin/busybox mount -t 9p -o trans=virtio,version=9p2000.L,ro,cache=loose,msize=512000 hostroot /host; then
    echo "VM: cannot mount the host root"; /bin/busybox poweroff -f
fi
for d in proc sys dev; do /bin/busybox mount --move /\$d /host/\$d; done
/bin/busybox mount -t tmpfs tmp /host/tmp
/bin/busybox mount -t tmpfs run /host/run
# The sources and the build folder again, where they are on this machine:
# a clone under /tmp would be hidden by the fresh /tmp.
for share in "srcroot:$root" "build:$build"; do
    /bin/busybox mkdir -p "/host\${share#*:}" 2>/dev/null
    /bin/busybox mount -t 9p -o trans=virtio,version=9p2000.L,ro,cache=loose,msize=512000 "\${share%%:*}" "/host\${share#*:}" ||
        echo "VM: cannot mount \${share#*:}"
done
# The host root becomes the root, so that systemd's tools do not take the VM
# for a chroot and refuse; the wrapper lives on the fresh /tmp.
/bin/busybox cat >/host/tmp/vm-init <<WRAPPER
/usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin /bin/bash "$root/tests/vm/in_vm.sh" "$build"
echo "VM-EXIT \\\$?"
echo o >/proc/sysrq-trigger; sleep 10
WRAPPER
exec /bin/busybox switch_root /host /bin/sh /tmp/vm-init
INIT
chmod +x "$work/initramfs/init"
(cd "$work/initramfs" && find . | cpio -o -H newc --quiet | gzip -1) >"$work/initramfs.gz"

# Plain emulation spends most of a boot unpacking the compressed kernel;
# the unpacked ELF image boots at once through its PVH entry. Kept in the
# build folder, made again when the kernel changes.
vmlinux="$build/tests/vm/vmlinux-$kernel_version"
if [ ! -s "$vmlinux" ]; then
    mkdir -p "$(dirname "$vmlinux")"
    offset="$(LC_ALL=C grep -obUaP '\xfd7zXZ\x00' "/boot/vmlinuz-$kernel_version" | head -1 | cut -d: -f1)"
    [ -n "$offset" ] || { echo "usb_vm_test: the kernel image is not xz-compressed"; exit 1; }
    # xz stops at the end of the stream and complains of what follows it.
    tail -c +$((offset + 1)) "/boot/vmlinuz-$kernel_version" | xz -dc >"$vmlinux.part" 2>/dev/null || true
    [ -s "$vmlinux.part" ] || { echo "usb_vm_test: cannot unpack the kernel"; exit 1; }
    mv "$vmlinux.part" "$vmlinux"
fi

# Plain emulation: it needs nothing from the machine it runs on.
accel=(-accel tcg)

start=$(date +%s.%N)
timeout ${VM_TIMEOUT:-150} qemu-system-x86_64 "${accel[@]}" -bios qboot.rom -m 1024 -smp 2 -nographic -no-reboot \
    -kernel "$vmlinux" -initrd "$work/initramfs.gz" \
    -append "console=ttyS0 loglevel=3 panic=-1" \
    -virtfs "local,path=/,mount_tag=hostroot,security_model=none,readonly=on,multidevs=remap" \
    -virtfs "local,path=$root,mount_tag=srcroot,security_model=none,readonly=on,multidevs=remap" \
    -virtfs "local,path=$build,mount_tag=build,security_model=none,readonly=on,multidevs=remap" \
    -nic none 2>&1 | while IFS= read -r l; do printf "%s %s\n" "$(date +%T.%N | cut -c1-12)" "$l"; done >"$work/console.log" || true
end=$(date +%s.%N)
tr -d '\r' <"$work/console.log" | grep -v '^$' || true
awk -v a="$start" -v b="$end" 'BEGIN { printf "usb_vm_test: the VM ran %.1f s\n", b - a }'
if grep -q "VM-EXIT 0" "$work/console.log"; then
    echo "usb_vm_test: passed"
else
    echo "usb_vm_test: FAILED"
    exit 1
fi
