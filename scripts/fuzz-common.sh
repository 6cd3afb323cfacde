# Shared by scripts/fuzz and scripts/fuzz-long: building the libFuzzer targets with
# clang into build-fuzz/ and running one of them.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
fuzz_build="$root/build-fuzz"

# build_fuzz_targets: the missing packages, then every fuzz target (and only what they need).
build_fuzz_targets() {
    "$root/scripts/install-deps"
    CC=clang CXX=clang++ cmake -S "$root" -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -gline-tables-only -DNDEBUG" -DVANDOR_FUZZ=ON -DVANDOR_DEMO=OFF
    cmake --build "$fuzz_build" -j "$jobs" --target fuzz_targets
}

# fuzz_targets: the names of the built targets, one a line.
fuzz_targets() {
    local target
    for target in "$fuzz_build"/fuzz/fuzz_*; do
        if [[ -x "$target" ]]; then basename "$target"; fi
    done
}

# run_fuzz_target NAME [libFuzzer options...]: fuzzes NAME on its grown corpus,
# build-fuzz/corpus/NAME (which keeps what the run adds), and its seeds in
# fuzz/corpus/NAME. The output goes to build-fuzz/NAME.log; what the run finds (crash-,
# leak-, timeout- files) to build-fuzz/findings/NAME/, which is emptied first so that
# it holds this run's findings only. Options a target always wants stand on one line in
# fuzz/NAME.options. Returns libFuzzer's status.
run_fuzz_target() {
    local name="$1"
    shift
    local work="$fuzz_build/corpus/$name"
    local findings="$fuzz_build/findings/$name"
    rm -rf "$findings"
    mkdir -p "$work" "$findings"
    local seeds=()
    if [[ -d "$root/fuzz/corpus/$name" ]]; then seeds=("$root/fuzz/corpus/$name"); fi
    local options=()
    if [[ -f "$root/fuzz/$name.options" ]]; then read -ra options <"$root/fuzz/$name.options"; fi
    LSAN_OPTIONS=suppressions="$root/scripts/lsan.supp" "$fuzz_build/fuzz/$name" -rss_limit_mb=4096 -timeout=60 \
        -artifact_prefix="$findings/" "${options[@]}" "$@" "$work" "${seeds[@]}" >"$fuzz_build/$name.log" 2>&1
}
