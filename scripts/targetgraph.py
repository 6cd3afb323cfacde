"""CMake's graph of the project's own targets, shared by scripts/library-graph and
scripts/include-direction so that the diagram and the include rule never disagree."""

import os
import re
import subprocess
import sys

GRAPH_FOLDER = "library-graph"
GRAPH_FILE = "targets.dot"

NODE = re.compile(r'^\s*"(node\d+)" \[ label = "([^"]*)", shape = (\w+) \];')
EDGE = re.compile(r'^\s*"(node\d+)" -> "(node\d+)"')

# Targets that exist only to test or measure the game link one of these, or are test
# programs by name (a smoke test drives a host without a test framework).
HARNESS_LIBRARIES = ("GTest::", "benchmark::", "vandor_bench_main")
TEST_PROGRAM = re.compile(r"_\w*tests?$")


def fail(message):
    print(f"{os.path.basename(sys.argv[0])}: {message}", file=sys.stderr)
    sys.exit(2)


def cmake_lists(source):
    """The project's CMakeLists.txt files, build folders left out."""
    for folder, subfolders, files in os.walk(source):
        subfolders[:] = [name for name in subfolders if not name.startswith((".", "build"))]
        if "CMakeLists.txt" in files:
            yield os.path.join(folder, "CMakeLists.txt")


def graph_file(build_folder):
    """The graph of the project's targets, written when there is none yet or
    BUILD_FOLDER was configured since. CMake writes it while it configures, so it
    configures a scratch folder of its own inside BUILD_FOLDER rather than the build
    folder itself, which tests may be running from. The scratch build has every program
    (the demo generator too) whatever BUILD_FOLDER leaves out."""
    cache = os.path.join(build_folder, "CMakeCache.txt")
    if not os.path.isfile(cache):
        fail(f"{build_folder} is no configured build folder (no CMakeCache.txt)")
    path = os.path.join(build_folder, GRAPH_FOLDER, GRAPH_FILE)
    source = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    # A changed CMakeLists.txt need not rewrite the cache, so it counts on its own.
    newest = max([os.path.getmtime(cache)] + [os.path.getmtime(list_file) for list_file in cmake_lists(source)])
    if not os.path.isfile(path) or os.path.getmtime(path) < newest:
        scratch = os.path.join(build_folder, GRAPH_FOLDER, "configure")
        run = subprocess.run(["cmake", "-S", source, "-B", scratch, "-G", "Ninja", "-DVANDOR_DEMO=ON",
                              "-DVANDOR_BENCH=OFF", f"--graphviz={path}"], capture_output=True, text=True)
        if run.returncode != 0 or not os.path.isfile(path):
            fail(f"cmake --graphviz failed in {scratch}:\n{run.stdout}{run.stderr}")
    return path


def read_graph(path):
    """{target: (shape, set of targets it links directly)} for every node in the file."""
    names, links = {}, {}
    with open(path, encoding="utf-8") as dot:
        for line in dot:
            node = NODE.match(line)
            if node:
                names[node.group(1)] = (node.group(2), node.group(3))
                continue
            edge = EDGE.match(line)
            if edge:
                links.setdefault(edge.group(1), set()).add(edge.group(2))
    return {name: (shape, {names[n][0] for n in links.get(node, ()) if n in names})
            for node, (name, shape) in names.items()}


def is_external(name):
    return "::" in name or name.startswith("/")


def project_targets(graph):
    """{target: (is_executable, set of project targets it links)} for the game's own
    libraries and programs: no system libraries, and none of the test and benchmark
    programs nor the libraries only they use."""
    own = {name: (shape == "egg", {d for d in deps if not is_external(d)})
           for name, (shape, deps) in graph.items() if not is_external(name)}
    harness = {name for name, (_, deps) in graph.items()
               if any(d.startswith(HARNESS_LIBRARIES) for d in deps)}
    harness |= {name for name in own if name.startswith(HARNESS_LIBRARIES) or TEST_PROGRAM.search(name)}
    while True:
        users = {name: {u for u, (_, deps) in own.items() if name in deps} for name in own}
        only_harness = {name for name, (exe, _) in own.items()
                        if not exe and name not in harness and users[name] and users[name] <= harness}
        if not only_harness:
            break
        harness |= only_harness
    return {name: (exe, deps - harness) for name, (exe, deps) in own.items() if name not in harness}


def reachable(targets, start):
    """START and every project target it links, directly or through others."""
    seen, todo = set(), [start]
    while todo:
        name = todo.pop()
        if name not in seen:
            seen.add(name)
            todo.extend(targets.get(name, (False, set()))[1])
    return seen
