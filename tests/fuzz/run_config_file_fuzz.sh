#!/bin/sh
# Builds the configuration parser's fuzz target with clang and libFuzzer
# (separately from the main build, whatever its compiler) and runs it for
# the given number of seconds. Fails if the fuzzer reports anything.
set -eu
source_dir=$1
work_dir=$2
seconds=${3:-30}

mkdir -p "$work_dir/corpus"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$source_dir/engine" \
  "$source_dir/tests/fuzz/ConfigFileFuzz.cpp" \
  "$source_dir/engine/core/ConfigFile.cpp" \
  "$source_dir/engine/core/Exception.cpp" \
  "$source_dir/engine/core/Log.cpp" \
  -o "$work_dir/config_file_fuzz"

# Seeds: a resource list, a settings file, and a malformed line.
printf '\001FileSystem=media\nFileSystem:../textures\n# comment\nZip\tpack.zip\n' > "$work_dir/corpus/seed-resources"
printf '\004Video Mode=1024 x 768\r\nFull Screen=No\n' > "$work_dir/corpus/seed-settings"
printf '\000A=1\nno separator\n' > "$work_dir/corpus/seed-malformed"

cd "$work_dir"
./config_file_fuzz -max_total_time="$seconds" -rss_limit_mb=1024 -print_final_stats=1 corpus
