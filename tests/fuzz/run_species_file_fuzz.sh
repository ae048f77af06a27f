#!/bin/sh
# Builds the species file reader's fuzz target (the reader and tree growth)
# with clang and libFuzzer, separately from the main build whatever its
# compiler, and runs it for the given number of seconds on a copy of the
# committed corpus. Fails if the fuzzer reports anything.
set -eu
source_dir=$1
work_dir=$2
seconds=${3:-30}

mkdir -p "$work_dir/corpus"
cp "$source_dir"/tests/fuzz/corpus/species/*.json "$work_dir/corpus/"
clang++ -std=c++20 -g -O1 -ffp-contract=off -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$source_dir/tree" -I"$source_dir/engine" \
  "$source_dir/tests/fuzz/SpeciesFileFuzz.cpp" \
  "$source_dir"/tree/ParameterTable.cpp "$source_dir"/tree/SpeciesFile.cpp "$source_dir"/tree/JsonMembers.cpp \
  "$source_dir"/tree/TreeParameters.cpp "$source_dir"/tree/TreePresets.cpp \
  "$source_dir"/tree/Random.cpp "$source_dir"/tree/Profiles.cpp "$source_dir"/tree/Tree.cpp \
  "$source_dir"/tree/StemStructure.cpp "$source_dir"/tree/StemGrowth.cpp \
  "$source_dir"/tree/BranchPlacement.cpp "$source_dir"/tree/Leaves.cpp \
  "$source_dir"/engine/math/Math.cpp "$source_dir"/engine/math/Vector3.cpp \
  "$source_dir"/engine/math/Quaternion.cpp \
  -o "$work_dir/species_file_fuzz"

cd "$work_dir"
./species_file_fuzz -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 -print_final_stats=1 corpus
