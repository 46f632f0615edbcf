#!/usr/bin/env bash
# Times lumora-render, the whole process, on generated invoices of 10, 100,
# 1,000 and 10,000 lines (and 5, which fits on one page) and prints a
# Markdown table: wall time (mean of several runs with hyperfine when it is
# installed, else the best of /usr/bin/time runs), peak memory, PDF size and
# pages. Measure on a quiet machine: other processes inflate the small times.
#
#   bench/render_bench.sh [BUILD_DIR] [LINES...]
#
# BUILD_DIR defaults to build; LINES to "5 10 100 1000 10000".

set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-build}"
shift || true
sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(5 10 100 1000 10000)

renderer="$(cd "$build" && pwd)/bin/lumora-render"
[ -x "$renderer" ] || { echo "no lumora-render in $build/bin" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (package time)" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Wall time in milliseconds, mean over the runs.
wall_ms() {
  local invoice="$1" runs="$2"
  if command -v hyperfine >/dev/null; then
    hyperfine --style none --warmup 2 --runs "$runs" --export-json "$work/h.json" \
      "'$renderer' --output-dir '$work/out' '$invoice'" >/dev/null
    python3 -c 'import json,sys; r=json.load(open(sys.argv[1]))["results"][0]; print("%.1f ± %.1f" % (r["mean"]*1000, r["stddev"]*1000))' "$work/h.json"
  else
    local best=""
    for _ in $(seq "$runs"); do
      /usr/bin/time -f %e -o "$work/t" "$renderer" --output-dir "$work/out" "$invoice" >/dev/null
      local ms; ms=$(awk '{printf "%.0f", $1*1000}' "$work/t")
      if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
    done
    echo "$best (best of $runs)"
  fi
}

echo "lumora-render: $renderer"
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
echo
echo "| lines | invoice | wall time (ms) | peak RSS (MB) | PDF | pages |"
echo "|------:|--------:|---------------:|--------------:|----:|------:|"
for lines in "${sizes[@]}"; do
  invoice="$work/invoice-$lines.xml"
  "$(dirname "$renderer")/make_invoice" "$lines" "$invoice"
  rm -rf "$work/out" && mkdir "$work/out"
  runs=20
  [ "$lines" -ge 1000 ] && runs=5
  [ "$lines" -ge 10000 ] && runs=2
  time_ms=$(wall_ms "$invoice" "$runs")
  /usr/bin/time -f %M -o "$work/rss" "$renderer" --output-dir "$work/out" "$invoice" >/dev/null
  rss_mb=$(awk '{printf "%.1f", $1/1024}' "$work/rss")
  pdf="$work/out/Beleg-BENCH-$lines.pdf"
  pdf_kb=$(awk '{printf "%.1f KB", $1/1024}' <<<"$(stat -c %s "$pdf")")
  pages=$(pdfinfo "$pdf" 2>/dev/null | awk '/^Pages:/{print $2}')
  invoice_kb=$(awk '{printf "%.0f KB", $1/1024}' <<<"$(stat -c %s "$invoice")")
  echo "| $lines | $invoice_kb | $time_ms | $rss_mb | $pdf_kb | ${pages:-?} |"
done
