#!/usr/bin/env bash
# Checks a built Debian package: unpacked into a temporary root, it holds the
# expected files, its udev rule grants only our instrument to the user at the
# desktop, its desktop entry and AppStream data validate, and the unpacked
# programs start.
# Usage: tests/package_test.sh PATH/velmar-setup_VERSION_ARCH.deb
set -euo pipefail
deb="$1"
unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
failures=0
fail() { echo "package_test: FAILED: $*"; failures=$((failures + 1)); }

expected=(
    usr/bin/velmar-setup
    usr/bin/velmar-sim
    usr/bin/velmar-cli
    usr/lib/velmar/modules/velmar_trend_chart.so
    usr/lib/udev/rules.d/70-velmar.rules
    usr/share/applications/hu.velmar.setup.desktop
    usr/share/metainfo/hu.velmar.setup.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/hu.velmar.setup.svg
    usr/share/doc/velmar-setup/copyright
    usr/share/doc/velmar-setup/changelog.gz
    usr/share/man/man1/velmar-setup.1.gz
    usr/share/man/man1/velmar-sim.1.gz
    usr/share/man/man1/velmar-cli.1.gz
)
for size in 16 32 48 64 128 256; do expected+=("usr/share/icons/hicolor/${size}x${size}/apps/hu.velmar.setup.png"); done
programs=(velmar-setup velmar-sim velmar-cli)
actual="$(cd "$unpacked" && find . -type f | sed 's|^\./||' | sort)"
wanted="$(printf '%s\n' "${expected[@]}" | sort)"
[ "$actual" = "$wanted" ] || fail "file list differs (- expected, + packed):
$(diff <(echo "$wanted") <(echo "$actual") | grep '^[<>]' | sed 's/^</-/; s/^>/+/')"

# The rule: our vendor and product only, to the user at the seat, nothing wider.
rule="$unpacked/usr/lib/udev/rules.d/70-velmar.rules"
rules="$(grep -v '^#' "$rule" | grep -v '^$')"
while IFS= read -r line; do
    case "$line" in
    'SUBSYSTEM=="hidraw", KERNELS=="0003:04D8:003F.*", TAG+="uaccess"') ;;
    *) fail "unexpected rule line: $line" ;;
    esac
done <<<"$rules"
[ "$(grep -c 'SUBSYSTEM=="hidraw"' <<<"$rules")" = 1 ] || fail "the rule must cover the hidraw node"
grep -Eq 'MODE|GROUP|OWNER' "$rule" && fail "the rule must not widen the node's mode, group or owner"

desktop-file-validate "$unpacked/usr/share/applications/hu.velmar.setup.desktop" ||
    fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$unpacked/usr/share/metainfo/hu.velmar.setup.metainfo.xml" >/dev/null ||
    fail "appstreamcli validate"
grep -q 'GPL-3.0+' "$unpacked/usr/share/doc/velmar-setup/copyright" || fail "copyright names the licence"

for p in "${programs[@]}"; do
    if ! out="$(timeout 20 "$unpacked/usr/bin/$p" --version 2>&1)"; then
        fail "$p --version: $out"
    elif ! grep -q '2022' <<<"$out"; then
        fail "$p --version does not give the program date: $out"
    fi
done

# The trend window's plots come from the package's own library folder.
loaded="$(cd "$unpacked" && QT_QPA_PLATFORM=offscreen LD_DEBUG=files timeout 5 ./usr/bin/velmar-setup --device=sim \
    --open-trend="$unpacked/trend.csv" 2>&1 || true)"
grep -q 'usr/bin/../lib/velmar/modules/velmar_trend_chart.so' <<<"$loaded" ||
    fail "velmar-setup does not load the trend's plots from /usr/lib/velmar/modules"
dpkg-deb -f "$deb" Depends | grep -q 'libhidapi-hidraw0' || fail "Depends lacks hidapi"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6charts6' || fail "Depends lacks Qt Charts (the trend's plots)"
dpkg-deb -f "$deb" Depends | grep -q 'qt6-qpa-plugins' || fail "Depends lacks Qt's platform plugins"
dpkg-deb -f "$deb" Depends | grep -q 'qt6-translations-l10n' || fail "Depends lacks Qt's Hungarian translation"

if [ "$failures" -gt 0 ]; then
    echo "package_test: $failures failed"
    exit 1
fi
echo "package_test: $(basename "$deb") passed"
