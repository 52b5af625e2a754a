#!/usr/bin/env bash
# The merge-print benchmark: the reference job (address labels with a Code 128 order id and a
# counter, 4 x 10 to a sheet) printed unattended into a PDF at 1,000, 10,000 and 100,000 records.
# Reports labels per second (median of --repeat runs, default 3), peak memory and PDF bytes per
# label, side by side for each thread count (default: 1 and one per core, at most 8); with
# --glabels, runs the same job through gLabels 3 (installed when missing) in the same run. With
# --sources, the same records are also read from other sources: an .xlsx or .ods sheet, a
# SQLite file, or a private PostgreSQL server started for the run (the records' conversion is
# not timed).
#
#   bench/print/run.sh [--glabels] [--job DIR] [--threads "1 2 4"] [--repeat N]
#                      [--sources "csv xlsx ods sqlite postgres"] [COUNTS...]
#
# DIR holds gen_csv.py, orders.lbl and, for gLabels, label-2x1.glabels and glabels-chunked.sh
# (default: ../shared/bench beside the repository).
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
job="$repo/../shared/bench"
glabels=0
repeat=3
cores=$(nproc)
threads=(1)
[[ $cores -gt 1 ]] && threads+=($((cores < 8 ? cores : 8)))
counts=()
sources=(csv)
while [[ $# -gt 0 ]]; do
  case $1 in
    --glabels) glabels=1 ;;
    --job) job=$2; shift ;;
    --threads) read -r -a threads <<<"$2"; shift ;;
    --repeat) repeat=$2; shift ;;
    --sources) read -r -a sources <<<"$2"; shift ;;
    *) counts+=("$1") ;;
  esac
  shift
done
[[ ${#counts[@]} -gt 0 ]] || counts=(1000 10000 100000)
[[ -f "$job/orders.lbl" && -f "$job/gen_csv.py" ]] || { echo "no benchmark job in $job" >&2; exit 1; }

"$repo/scripts/install-deps.sh"
# Only the program is needed, in a Release build of its own.
cmake -S "$repo" -B "$repo/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$repo/build-release" --target vellumtrace >/dev/null
program="$repo/build-release/src/app/vellumtrace"
if [[ $glabels -eq 1 ]] && ! command -v glabels-3-batch >/dev/null; then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq glabels >/dev/null
fi

work=$(mktemp -d /tmp/vt-bench.XXXXXX)
chmod 711 "$work" # the database server's own user reaches its folder inside
pg_ctl=""
cleanup() {
  [[ -n "$pg_ctl" ]] && $pg_ctl stop -m immediate >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

# A private PostgreSQL server on a Unix socket in $work/pg, trusting its one user "bench".
pg_address=""
start_postgres() {
  local bin as=()
  bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
  [[ -n "$bin" ]] || { echo "no PostgreSQL server programs: install postgresql" >&2; exit 1; }
  mkdir -p "$work/pg"
  if [[ $(id -u) -eq 0 ]]; then
    chown postgres "$work/pg"
    as=(runuser -u postgres --)
  fi
  local port=$((20000 + RANDOM % 20000))
  "${as[@]}" "$bin/initdb" -D "$work/pg/data" -A trust -U bench >/dev/null
  pg_ctl="${as[*]} $bin/pg_ctl -D $work/pg/data"
  $pg_ctl -o "-c listen_addresses='' -c unix_socket_directories=$work/pg -p $port" -w \
    -l "$work/pg/log" start >/dev/null
  psql -q -h "$work/pg" -p "$port" -U bench -d postgres -c "CREATE DATABASE bench" >/dev/null
  pg_address="postgresql://bench@${work//\//%2F}%2Fpg:$port/bench"
  pg_psql=(psql -q -h "$work/pg" -p "$port" -U bench -d bench)
}
for s in "${sources[@]}"; do [[ $s == postgres ]] && start_postgres; done

# source_args KIND CSV: prepares the records of CSV as KIND and prints the switches that read it.
source_args() {
  local kind=$1 csv=$2
  case $kind in
    csv) echo "-i $csv" ;;
    xlsx | ods | sqlite)
      python3 "$repo/bench/print/convert_source.py" "$kind" "$csv" "$work/orders.$kind"
      [[ $kind == sqlite ]] && echo "-i $work/orders.$kind --table orders" || echo "-i $work/orders.$kind" ;;
    postgres)
      python3 "$repo/bench/print/convert_source.py" sql "$csv" "$work/orders.sql"
      "${pg_psql[@]}" -c "DROP TABLE IF EXISTS orders" >/dev/null 2>&1
      "${pg_psql[@]}" -f "$work/orders.sql" >/dev/null
      echo "-i $pg_address --table orders" ;;
    *) echo "unknown source $kind" >&2; exit 1 ;;
  esac
}

# measure COMMAND...: runs it $repeat times and prints the median wall seconds and the largest
# peak resident kilobytes (a shared machine's noise moves single runs by a tenth or more).
measure() {
  : >"$work/times"
  for ((i = 0; i < repeat; i++)); do
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>"$work/err" || { cat "$work/err" >&2; return 1; }
    cat "$work/time" >>"$work/times"
  done
  sort -n "$work/times" | awk '{ s[NR] = $1; if ($2 > m) m = $2 } END { print s[int((NR + 1) / 2)], m }'
}

printf "%-18s %9s %10s %12s %10s %12s\n" program records seconds labels/s peak_MB bytes/label
for n in "${counts[@]}"; do
  csv="$work/orders-$n.csv"
  python3 "$job/gen_csv.py" "$n" "$csv"
  for kind in "${sources[@]}"; do
    read -r -a data < <(source_args "$kind" "$csv")
    for t in "${threads[@]}"; do
      read -r secs kb < <(measure env -u DISPLAY "$program" "$job/orders.lbl" -p "${data[@]}" \
        -o "$work/vt.pdf" --no-save --threads "$t")
      bytes=$(stat -c %s "$work/vt.pdf")
      awk -v p="vt $kind ${t}thr" -v n="$n" -v s="$secs" -v k="$kb" -v b="$bytes" \
        'BEGIN { printf "%-18s %9d %10.2f %12.0f %10.1f %12.0f\n", p, n, s, n / s, k / 1024, b / n }'
    done
  done
  if [[ $glabels -eq 1 ]]; then
    read -r secs kb < <(measure bash "$job/glabels-chunked.sh" "$job/label-2x1.glabels" "$csv" "$work/gl.pdf" 1000)
    bytes=$(stat -c %s "$work/gl.pdf")
    awk -v p=glabels -v n="$n" -v s="$secs" -v k="$kb" -v b="$bytes" \
      'BEGIN { printf "%-18s %9d %10.2f %12.0f %10.1f %12.0f\n", p, n, s, n / s, k / 1024, b / n }'
  fi
done
