#!/usr/bin/env bash
# A settings file saved by one system's velmar-cli loads with the other's
# and leaves the same bytes in the instrument, both ways: Linux saves from
# its velmar-sim and edits a value, Windows (under Wine) loads it into its
# velmar-sim with read-back, checks it with diff and saves again; every
# block's bytes must be those of the file loaded; info and the report come
# from that instrument too. Then the other way round. All on TCP.
#   tests/windows/settings_exchange_test.sh LINUX_BUILD WINDOWS_BUILD
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
linux="$1" windows="$2"
work="$(mktemp -d)"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
wine_run() { timeout 300 "$root/scripts/wine-run" "$@"; }
flags=(--type=330 --in=1 --out1=5 --out2=3)

# Starts a velmar-sim (the command after VAR) on a free TCP port and sets
# VAR to its --device= argument once its start line names the address.
start_sim() {
    local var="$1" log="$work/sim${#pids[@]}.log"
    shift
    "$@" --listen=tcp:127.0.0.1:0 "${flags[@]}" >/dev/null 2>"$log" &
    pids+=($!)
    for _ in $(seq 1 240); do
        local address
        address="$(tr -d '\r' <"$log" | sed -n 's/.*itt vár: \(tcp:[^ ]*\).*/\1/p' | head -1)"
        if [ -n "$address" ]; then printf -v "$var" '%s' "--device=$address"; return; fi
        sleep 0.5
    done
    echo "velmar-sim did not start: $(cat "$log")" >&2
    exit 1
}

# Same bytes in every block, by the files' raw hex.
same_blocks() {
    python3 - "$1" "$2" <<'PY'
import json, sys
a, b = (json.load(open(p, encoding="utf-8"))["blocks"] for p in sys.argv[1:3])
raw = lambda blocks: {k: v["raw"] for k, v in blocks.items()}
if raw(a) != raw(b):
    sys.exit("blocks differ:\n%s\n%s" % (raw(a), raw(b)))
PY
}

# One direction: SAVE_CLI saves and edits, LOAD_CLI loads, checks and saves.
exchange() {
    local name="$1" from_sim="$2" to_sim="$3"
    shift 3
    local -a save_cli load_cli
    read -r -a save_cli <<<"$1"
    read -r -a load_cli <<<"$2"
    "${save_cli[@]}" "$from_sim" save "$work/$name-saved.json" >/dev/null
    "${save_cli[@]}" edit "$work/$name-saved.json" --set analogInput.scaleHigh=55.5 \
        --output="$work/$name-edited.json" >/dev/null
    "${load_cli[@]}" "$to_sim" load --yes "$work/$name-edited.json" >/dev/null
    "${load_cli[@]}" "$to_sim" diff "$work/$name-edited.json" >/dev/null
    "${load_cli[@]}" "$to_sim" save "$work/$name-back.json" >/dev/null
    "${load_cli[@]}" "$to_sim" info | grep -q '"serial": *"004711"' || { echo "$name: info names no serial" >&2; exit 1; }
    "${load_cli[@]}" "$to_sim" report "$work/$name-report.pdf" >/dev/null
    [ "$(head -c 5 "$work/$name-report.pdf")" = "%PDF-" ] || { echo "$name: no report" >&2; exit 1; }
    same_blocks "$work/$name-edited.json" "$work/$name-back.json"
    if same_blocks "$work/$name-saved.json" "$work/$name-back.json" 2>/dev/null; then
        echo "$name: the edit did not reach the instrument" >&2
        exit 1
    fi
    echo "$name: same bytes"
}

linux_cli="$linux/velmar-cli"
windows_cli="timeout 300 $root/scripts/wine-run $windows/velmar-cli.exe"
start_sim linux_sim "$linux/velmar-sim"
start_sim windows_sim wine_run "$windows/velmar-sim.exe"
exchange linux-to-windows "$linux_sim" "$windows_sim" "$linux_cli" "$windows_cli"
# Fresh instruments for the way back.
start_sim linux_sim "$linux/velmar-sim"
start_sim windows_sim wine_run "$windows/velmar-sim.exe"
exchange windows-to-linux "$windows_sim" "$linux_sim" "$windows_cli" "$linux_cli"
