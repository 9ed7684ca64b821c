#!/usr/bin/env python3
"""Times the built-in player as Quaverly uses it: one fresh process per call.

Reports, for the demo library and for a generated large library:
  - the first call on a fresh data folder, which builds the library cache;
  - the median (and 90th percentile) of one "itunes show x x itunes" call while playing,
    with the cache built.
A process that does nothing (/bin/true) is timed the same way for comparison.

    bench/sim/bench_player.py --build build [--tracks 100000] [--runs 300]
"""
import argparse
import os
import statistics
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(SOURCE, "tools"))
import genlibrary  # noqa: E402


def call(argv, env):
    """Runs one process, reads its whole output; returns (wall seconds, CPU seconds, output)."""
    read_end, write_end = os.pipe()
    actions = [(os.POSIX_SPAWN_DUP2, write_end, 1), (os.POSIX_SPAWN_CLOSE, read_end)]
    start = time.perf_counter()
    pid = os.posix_spawn(argv[0], argv, env, file_actions=actions)
    os.close(write_end)
    chunks = []
    while True:
        chunk = os.read(read_end, 65536)
        if not chunk:
            break
        chunks.append(chunk)
    _, _, usage = os.wait4(pid, 0)
    elapsed = time.perf_counter() - start
    os.close(read_end)
    return elapsed, usage.ru_utime + usage.ru_stime, b"".join(chunks).decode("utf-8", "replace")


def timings(argv, env, runs):
    """Wall and CPU milliseconds of each run, each list sorted."""
    results = [call(argv, env) for _ in range(runs)]
    return sorted(r[0] * 1000 for r in results), sorted(r[1] * 1000 for r in results)


def summary(label, walls_and_cpus):
    wall, cpu = walls_and_cpus
    p90 = wall[int(len(wall) * 0.9) - 1]
    print("%-44s median %6.2f ms  p90 %6.2f ms  CPU median %5.2f ms  (%d runs)"
          % (label, statistics.median(wall), p90, statistics.median(cpu), len(wall)))


def bench_library(name, library, scripts, runs):
    with tempfile.TemporaryDirectory(prefix="qv-bench-") as work:
        env = dict(os.environ, QUAVERLY_LIBRARY=library, QUAVERLY_DATA=os.path.join(work, "data"),
                   QUAVERLY_TEMP=os.path.join(work, "temp"))
        itunes = os.path.join(scripts, "itunes")
        seconds, cpu, reply = call([itunes, "playpause", "x", "x", "itunes"], env)
        if "%@" not in reply:
            sys.exit("%s: the player did not start playing: %s" % (name, reply.strip()))
        print("%-44s %6.3f s  CPU %6.3f s" % (name + ": first call, building the cache", seconds, cpu))
        summary(name + ": show, cache built", timings([itunes, "show", "x", "x", "itunes"], env, runs))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", required=True, help="build folder holding scripts/itunes")
    parser.add_argument("--tracks", type=int, default=100_000, help="tracks of the generated library")
    parser.add_argument("--seed", type=int, default=7)
    parser.add_argument("--runs", type=int, default=300, help="show calls per library")
    parser.add_argument("--library", help="use this large library instead of generating one")
    args = parser.parse_args()
    scripts = os.path.join(os.path.abspath(args.build), "scripts")

    summary("baseline: /bin/true", timings(["/bin/true"], dict(os.environ), args.runs))
    bench_library("demo", os.path.join(SOURCE, "resources", "demo", "iTunes Music Library.xml"), scripts, args.runs)

    with tempfile.TemporaryDirectory(prefix="qv-bench-lib-") as folder:
        library = args.library
        if not library:
            library = os.path.join(folder, "iTunes Music Library.xml")
            tracks, playlists = genlibrary.generate(args.tracks, 40, args.seed)
            with open(library, "w", encoding="utf-8", newline="\n") as out:
                genlibrary.write_library(out, tracks, playlists)
        size = os.path.getsize(library) / 1e6
        bench_library("%d tracks (%.0f MB)" % (args.tracks, size) if not args.library else "given library",
                      library, scripts, args.runs)


if __name__ == "__main__":
    main()
