#!/bin/sh
# Runs one libFuzzer target for a number of seconds, starting from the
# corpus kept in the repository. New inputs go to a corpus in the work
# folder, never into the repository; a finding is left in the work folder
# (crash-*, leak-*, timeout-*, oom-*) and fails the run.
#
#   run_fuzz.sh FUZZER SEED_CORPUS WORK_DIR [SECONDS]
set -eu
fuzzer=$1
seeds=$2
work_dir=$3
seconds=${4:-30}

rm -rf "$work_dir"
mkdir -p "$work_dir/corpus"
cd "$work_dir"
# -timeout: one input taking longer is a hang; -rss_limit_mb: one growing
# without bound is a finding too, not a machine brought down.
if "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
     corpus "$seeds"; then
  exit 0
fi
echo "run_fuzz: $(basename "$fuzzer") found a fault; the input is in $work_dir:" >&2
ls "$work_dir" | grep -E '^(crash|leak|timeout|oom|slow-unit)-' >&2 || true
exit 1
