#!/usr/bin/env bash
# Times lumora-render, the whole process, on generated invoices of 10, 100,
# 1,000, 10,000 and 100,000 lines (and 5, which fits on one page) and prints a
# Markdown table: wall time (mean of several runs with hyperfine when it is
# installed, else the best of /usr/bin/time runs), peak memory, PDF size and
# pages; beside the wall time the CPU time (user + system, mean), which
# other processes on the machine inflate less. Measure on a quiet machine.
#
#   bench/render_bench.sh [BUILD_DIR] [LINES...]
#   bench/render_bench.sh --floor [BUILD_DIR]
#   bench/render_bench.sh --batch [BUILD_DIR] [COUNT] [INVOICE_FOLDER]
#   bench/render_bench.sh --note [BUILD_DIR] [MEGABYTES]
#
# BUILD_DIR defaults to build; LINES to "5 10 100 1000 10000 100000".
# --floor times a one-page invoice against bench/cairo_floor (a bare cairo
# and fontconfig program writing a one-page PDF) in one hyperfine run.
# --batch renders COUNT (1000) copies of the invoices in INVOICE_FOLDER
# (../shared/invoices/public), each copy in a folder of its own, in one call
# and reports invoices per second.
# --note renders the 10-line invoice with a payment note of MEGABYTES (20)
# of words and reports the CPU time, peak memory and pages.

set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
mode=table
case "${1:-}" in
  --floor) mode=floor; shift ;;
  --batch) mode=batch; shift ;;
  --note) mode=note; shift ;;
esac
build="${1:-build}"
shift || true

renderer="$(cd "$build" && pwd)/bin/lumora-render"
[ -x "$renderer" ] || { echo "no lumora-render in $build/bin" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (package time)" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

if [ "$mode" = floor ]; then
  floor="$(cd "$build" && pwd)/bin/cairo_floor"
  [ -x "$floor" ] || { echo "no $floor (cmake --build $build --target cairo_floor)" >&2; exit 2; }
  command -v hyperfine >/dev/null || { echo "--floor needs hyperfine" >&2; exit 2; }
  "$(dirname "$renderer")/make_invoice" 5 "$work/invoice-5.xml"
  mkdir "$work/out"
  hyperfine --style basic --warmup 5 --runs 100 -N --export-json "$work/floor.json" \
    -n cairo_floor "'$floor' '$work/out/floor.pdf'" \
    -n lumora-render "'$renderer' --output-dir '$work/out' '$work/invoice-5.xml'"
  python3 - "$work/floor.json" <<'EOF'
import json, sys
floor, render = json.load(open(sys.argv[1]))["results"]
def cpu(r): return r["user"] + r["system"]
print()
print("| | cairo_floor | lumora-render | ratio |")
print("|---|---:|---:|---:|")
for label, f, l in (("wall, mean (ms)", floor["mean"], render["mean"]),
                    ("wall, median (ms)", floor["median"], render["median"]),
                    ("CPU, user + system (ms)", cpu(floor), cpu(render))):
    print("| %s | %.1f | %.1f | %.2f |" % (label, f * 1000, l * 1000, l / f))
EOF
  exit 0
fi

if [ "$mode" = note ]; then
  megabytes="${1:-20}"
  "$(dirname "$renderer")/make_invoice" 10 "$work/short.xml"
  python3 - "$work/short.xml" "$work/note.xml" "$megabytes" <<'EOF'
import re, sys
text = open(sys.argv[1], encoding="utf-8").read()
size = int(sys.argv[3]) * 1000 * 1000
words = "Zahlbar innerhalb von vierzehn Tagen ohne Abzug auf das genannte Konto "
note = (words * (size // len(words) + 1))[:size]
text = re.sub(r"(<cac:PaymentTerms>\s*<cbc:Note>).*?(</cbc:Note>)",
              lambda m: m.group(1) + note + m.group(2), text, count=1, flags=re.S)
open(sys.argv[2], "w", encoding="utf-8").write(text)
EOF
  mkdir "$work/out"
  /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$renderer" --output-dir "$work/out" "$work/note.xml" >/dev/null
  read -r wall user system rss < <(tail -1 "$work/time")
  pages=$(pdfinfo "$work/out/Beleg-BENCH-10.pdf" 2>/dev/null | awk '/^Pages:/{print $2}')
  python3 -c 'import sys; print("note of %s MB: %s pages in %.2f s (CPU %.2f s), peak %.1f MB" % (sys.argv[1], sys.argv[2], float(sys.argv[3]), float(sys.argv[4]) + float(sys.argv[5]), int(sys.argv[6]) / 1024))' \
    "$megabytes" "${pages:-?}" "$wall" "$user" "$system" "$rss"
  exit 0
fi

if [ "$mode" = batch ]; then
  count="${1:-1000}"
  source="${2:-$here/../../shared/invoices/public}"
  mapfile -t samples < <(find "$source" -maxdepth 1 -name '*.xml' | sort)
  [ ${#samples[@]} -gt 0 ] || { echo "no invoices in $source" >&2; exit 2; }
  invoices=()
  for ((i = 0; i < count; i++)); do
    sample="${samples[i % ${#samples[@]}]}"
    mkdir "$work/$i"
    cp "$sample" "$work/$i/"
    invoices+=("$work/$i/$(basename "$sample")")
  done
  status=0
  /usr/bin/time -f "%e %U %S" -o "$work/time" \
    "$renderer" "${invoices[@]}" >"$work/paths" 2>"$work/errors" || status=$?
  written=$(wc -l <"$work/paths")
  read -r wall user system < <(tail -1 "$work/time")
  python3 -c 'import sys; n,w,s,c=int(sys.argv[1]),int(sys.argv[2]),float(sys.argv[3]),float(sys.argv[4])+float(sys.argv[5]); print("%d invoices (%d PDFs) in %.2f s (CPU %.2f s): %.1f invoices per second" % (n,w,s,c,n/s))' \
    "$count" "$written" "$wall" "$user" "$system"
  if [ "$status" -ne 0 ]; then
    echo "exit status $status, $(wc -l <"$work/errors") files reported on stderr, the first:"
    head -1 "$work/errors"
  fi
  exit 0
fi

sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(5 10 100 1000 10000 100000)

# Wall time in milliseconds, mean over the runs.
wall_ms() {
  local invoice="$1" runs="$2"
  if command -v hyperfine >/dev/null; then
    hyperfine --style none --warmup 2 --runs "$runs" --export-json "$work/h.json" \
      "'$renderer' --output-dir '$work/out' '$invoice'" >/dev/null
    python3 -c 'import json,sys; r=json.load(open(sys.argv[1]))["results"][0]; print("%.1f ± %.1f | %.1f" % (r["mean"]*1000, r["stddev"]*1000, (r["user"]+r["system"])*1000))' "$work/h.json"
  else
    local best=""
    for _ in $(seq "$runs"); do
      /usr/bin/time -f %e -o "$work/t" "$renderer" --output-dir "$work/out" "$invoice" >/dev/null
      local ms; ms=$(awk '{printf "%.0f", $1*1000}' "$work/t")
      if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
    done
    echo "$best (best of $runs) | ?"
  fi
}

echo "lumora-render: $renderer"
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
echo
echo "| lines | invoice | wall time (ms) | CPU (ms) | peak RSS (MB) | PDF | pages |"
echo "|------:|--------:|---------------:|---------:|--------------:|----:|------:|"
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
