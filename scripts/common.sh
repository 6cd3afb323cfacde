# Shared by the scripts in this folder: where things are and how to configure.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc 2>/dev/null || echo 2)"

# configure_and_build BUILD_DIR [cmake options...]
configure_and_build() {
    local dir="$1"
    shift
    cmake -S "$root" -B "$dir" -G Ninja "$@"
    cmake --build "$dir" -j "$jobs"
}

# The sanitizer builds optimise less and keep line tables only: they compile in about half
# the time of -O2 -g, and a report still names every file and line.
sanitized_build_flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG"
    "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG")
