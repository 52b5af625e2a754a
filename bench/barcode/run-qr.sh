#!/usr/bin/env bash
# The merge-print benchmark with the order id as a QR Code (the id after a 60-character web
# address) in place of the Code 128: bench/print/run.sh on orders-qr.lbl.
#
#   bench/barcode/run-qr.sh [COUNTS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
job=$(mktemp -d /tmp/vt-qr-job.XXXXXX)
trap 'rm -rf "$job"' EXIT
cp "$repo/../shared/bench/gen_csv.py" "$job/"
cp "$here/orders-qr.lbl" "$job/orders.lbl"
"$repo/bench/print/run.sh" --job "$job" "${@:-10000}"
