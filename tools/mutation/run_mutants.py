#!/usr/bin/env python3
"""Plants one-line faults in a copy of the tree and reports which the tests miss.

Each fault in mutants.txt is planted alone in a copy of the working tree,
the copy is rebuilt (incrementally, in one build directory) and the whole
test suite is run. A fault is caught when some test fails; it survives when
every test passes. Faults that do not compile are reported apart.

    tools/mutation/run_mutants.py [--work DIR] [--only 3,7] [--jobs N]
                                  [--targets test_dialog,test_generator] [--labels REGEX]

--targets builds only those targets for each fault and --labels runs only
the tests whose label matches, which keeps a run short on a shared machine.
"""
import argparse
import os
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))


def read_mutants(path):
    mutants = []
    with open(path, encoding="utf-8") as listing:
        for number, line in enumerate(listing, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            parts = line.split(" | ")
            if len(parts) != 3:
                sys.exit(f"{path}:{number}: expected 'file | text | fault'")
            file, before, after = parts
            mutants.append((number, file.strip(), before.replace("\\n", "\n"),
                            after.replace("\\n", "\n")))
    return mutants


def copy_tree(source, target):
    files = subprocess.run(["git", "-C", source, "ls-files", "-co", "--exclude-standard"],
                           check=True, capture_output=True, text=True).stdout.split("\n")
    for name in filter(None, files):
        if name.startswith("build"):
            continue
        origin = os.path.join(source, name)
        if not os.path.isfile(origin):
            continue
        destination = os.path.join(target, name)
        os.makedirs(os.path.dirname(destination), exist_ok=True)
        if not os.path.exists(destination) or open(origin, "rb").read() != open(destination, "rb").read():
            # A fresh modification time, so that the build sees the change even
            # when the source is older than the objects of an earlier run.
            shutil.copy(origin, destination)


def run(command, log, timeout=None):
    with open(log, "a", encoding="utf-8") as out:
        out.write("$ " + " ".join(command) + "\n")
        out.flush()
        try:
            return subprocess.run(command, stdout=out, stderr=subprocess.STDOUT,
                                  timeout=timeout).returncode
        except subprocess.TimeoutExpired:
            out.write("timed out\n")
            return 124


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--work", default="/tmp/heart-mutants")
    parser.add_argument("--only", default="", help="line numbers of mutants.txt, comma-separated")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--list", default=os.path.join(HERE, "mutants.txt"))
    parser.add_argument("--targets", default="", help="build targets, comma-separated (default: all)")
    parser.add_argument("--labels", default="", help="run only tests whose label matches (ctest -L)")
    args = parser.parse_args()

    mutants = read_mutants(args.list)
    if args.only:
        wanted = {int(n) for n in args.only.split(",")}
        mutants = [m for m in mutants if m[0] in wanted]
    source = os.path.join(args.work, "src")
    # The build directory sits inside the copy as build/ does in a checkout,
    # so that ccache, told to ignore where the trees lie, reuses the objects
    # of an earlier build of the same sources.
    build = os.path.join(source, "build")
    os.environ.setdefault("CCACHE_BASEDIR", "/")
    os.environ.setdefault("CCACHE_NOHASHDIR", "1")
    log = os.path.join(args.work, "log.txt")
    os.makedirs(source, exist_ok=True)
    copy_tree(ROOT, source)
    open(log, "w").close()

    build_command = ["cmake", "--build", build, f"-j{args.jobs}"]
    for target in filter(None, args.targets.split(",")):
        build_command += ["--target", target]
    test_command = ["ctest", "--test-dir", build, f"-j{args.jobs}", "--stop-on-failure",
                    "--timeout", "300"]
    if args.labels:
        test_command += ["-L", args.labels]
    configure = ["cmake", "-S", source, "-B", build, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                 "-DHEART_BUILD_BENCHMARKS=OFF"]
    if shutil.which("ccache"):
        configure += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
    if run(configure, log) or run(build_command, log):
        sys.exit(f"the unchanged tree does not build; see {log}")
    if run(test_command, log):
        sys.exit(f"the unchanged tree fails its tests; see {log}")

    results = []
    for number, file, before, after in mutants:
        path = os.path.join(source, file)
        with open(path, encoding="utf-8") as f:
            original = f.read()
        if original.count(before) != 1:
            results.append((number, file, "not planted: text not found exactly once"))
            print(f"{number:4} {file}: not planted", flush=True)
            continue
        started = time.time()
        try:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original.replace(before, after))
            if run(build_command, log):
                verdict = "does not build"
            elif run(test_command, log):
                verdict = "caught"
            else:
                verdict = "SURVIVED"
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        results.append((number, file, verdict))
        print(f"{number:4} {file}: {verdict} ({time.time() - started:.0f} s)", flush=True)

    planted = [r for r in results if r[2] in ("caught", "SURVIVED")]
    caught = [r for r in planted if r[2] == "caught"]
    print(f"\n{len(caught)} of {len(planted)} planted faults caught", end="")
    print(f" ({100.0 * len(caught) / len(planted):.0f}%)" if planted else "")
    for number, file, verdict in results:
        if verdict != "caught":
            print(f"  line {number}: {file}: {verdict}")
    # Leave the copy's build matching the unchanged sources.
    run(build_command, log)
    return 0 if len(caught) == len(planted) else 1


if __name__ == "__main__":
    sys.exit(main())
