#!/bin/sh
# run_fuzz.sh BINARY CORPUS_DIR SEEDS_DIR SECONDS: a bounded libFuzzer run; fails on any
# crash, leak or sanitizer report.
set -e
bin=$1 corpus=$2 seeds=$3 seconds=$4
mkdir -p "$corpus"
[ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
cd "$(dirname "$corpus")"
exec "$bin" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 -timeout=10 "$corpus"
