#!/usr/bin/env python3
"""Mutation check: draws random single-line mutants of src/, rebuilds, runs the
native tests and reports every mutant that no test kills.

Usage: scripts/mutate.sh [N] [SEED] [PATH,...]
  N mutants that compile (default 150) drawn with SEED (default 1), of every
  file of src/ or only of the files whose path starts with one of PATHs
  (scripts/mutate.sh 40 1 src/check/span.cpp,src/check/verdict.cpp: the
  mutants of the code a change touched).

A mutant changes one line: a relational or logical operator, + - * /, an
integer constant by one, or deletes a statement. Mutants that do not compile
are drawn again; mutants that compile to the same object code as the
original are equivalent by construction and are drawn again too. A survivor
listed in tests/equivalent-mutants.txt (file | original line | mutated line |
why) is reported as explained; the exit status is 1 when any survivor is not.
"""
import hashlib
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

OPS = [
    (r"<=", "<"), (r">=", ">"), (r"==", "!="), (r"!=", "=="),
    (r"(?<![<-])<(?![<=])", "<="), (r"(?<![->])>(?![>=])", ">="),
    (r"&&", "||"), (r"\|\|", "&&"),
    (r"(?<![+])\+(?![+])", "-"), (r"(?<![-])-(?![->])", "+"),
    (r"(?<![*/])\*(?![*/])", "/"), (r"(?<![*/])/(?![*/])", "*"),
]
INT = re.compile(r"(?<![\w.])(\d+)(?![\w.])")


def masked(line):
    """The line with string and character literals and a trailing comment blanked."""
    out, i, quote = [], 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            if c == quote:
                quote = None
                out.append(c)
            else:
                out.append(" ")
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out).ljust(len(line))


def candidates(prefixes):
    found = []
    for d, _, files in sorted(os.walk(os.path.join(ROOT, "src"))):
        for f in sorted(files):
            rel = os.path.relpath(os.path.join(d, f), ROOT)
            if not f.endswith((".cpp", ".h")):
                continue
            if prefixes and not rel.startswith(tuple(prefixes)):
                continue
            in_block = False
            for n, line in enumerate(open(os.path.join(ROOT, rel), encoding="latin-1").read().split("\n")):
                s = line.strip()
                if in_block:
                    in_block = "*/" not in s
                    continue
                if s.startswith("/*"):
                    in_block = "*/" not in s
                    continue
                if not s or s.startswith(("//", "#")):
                    continue
                m = masked(line)
                for pat, rep in OPS:
                    for hit in re.finditer(pat, m):
                        found.append((rel, n, hit.start(), hit.end(), rep))
                for hit in INT.finditer(m):
                    v = int(hit.group(1))
                    for w in (v + 1, v - 1):
                        if w >= 0:
                            found.append((rel, n, hit.start(), hit.end(), str(w)))
                if s.endswith(";") and not s.startswith(("return", "}", "case", "default")):
                    found.append((rel, n, 0, len(line), ""))
    return found


def run(cmd, cwd, timeout):
    # In a process group of its own, so that a mutant that never ends is
    # stopped with every program the test started, not only the test itself.
    p = subprocess.Popen(cmd, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                         start_new_session=True)
    try:
        return p.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(p.pid, signal.SIGKILL)
        p.wait()
        return -1


def main():
    n = int(sys.argv[1]) if len(sys.argv) > 1 else 150
    seed = int(sys.argv[2]) if len(sys.argv) > 2 else 1
    prefixes = sys.argv[3].split(",") if len(sys.argv) > 3 else []
    listed = set()
    eq = os.path.join(ROOT, "tests", "equivalent-mutants.txt")
    if os.path.exists(eq):
        for line in open(eq, encoding="latin-1"):
            parts = [p.strip() for p in line.split(" | ")]
            if len(parts) >= 4 and not line.startswith("#"):
                listed.add(tuple(parts[:3]))

    work = tempfile.mkdtemp(prefix="dimcheck-mutate-")
    # NUL-separated: names in any script (recorded pictures) as they are.
    files = subprocess.run(["git", "ls-files", "-z", "-co", "--exclude-standard"], cwd=ROOT,
                           capture_output=True, text=True, check=True).stdout.split("\0")
    files = [f for f in files if f]
    for f in files:
        if os.path.isfile(os.path.join(ROOT, f)):
            os.makedirs(os.path.dirname(os.path.join(work, f)) or work, exist_ok=True)
            shutil.copy2(os.path.join(ROOT, f), os.path.join(work, f))
    build = os.path.join(work, "build")
    targets = ["--target", "dimcheck", "dimcheck_tests", "dimcheck_cases"]
    subprocess.run(["cmake", "-S", work, "-B", build, "-DCMAKE_BUILD_TYPE=Release",
                    "-DDIMCHECK_TESTS=ON"], stdout=subprocess.DEVNULL, check=True)
    # The native test programs themselves, the recorded cases first, each
    # stopping at its first failure: most mutants die in the first seconds.
    tests = [[os.path.join(build, "tests", p), "--gtest_fail_fast", "--gtest_brief=1"]
             for p in ("dimcheck_cases", "dimcheck_tests")]
    if run(["cmake", "--build", build, "-j2"] + targets, work, 1200):
        sys.exit("the unmutated build fails: nothing to measure")
    started = time.monotonic()
    if any(run(t, work, 1800) for t in tests):
        sys.exit("the unmutated tests fail: nothing to measure")
    # A mutant that makes a loop endless is killed by the time limit.
    limit = max(30.0, 10 * (time.monotonic() - started))

    def obj(rel):
        return os.path.join(build, "CMakeFiles", "dimcheck_core.dir", rel + ".o")

    def digest(path):
        return hashlib.sha256(open(path, "rb").read()).hexdigest() if os.path.exists(path) else None

    originals = {}
    # Drawn by a hash of the seed and the mutant itself, so that the same seed
    # draws the same mutants of the lines that did not change.
    def rank(c):
        rel, line_no, a, b, rep = c
        text = open(os.path.join(ROOT, rel), encoding="latin-1").read().split("\n")[line_no]
        return hashlib.sha256(f"{seed}|{rel}|{text.strip()}|{a}|{rep}".encode("latin-1")).digest()
    pool = sorted(candidates(prefixes), key=rank)
    killed = tested = 0
    unexplained = []
    for rel, line_no, a, b, rep in pool:
        if tested == n:
            break
        path = os.path.join(work, rel)
        text = open(path, encoding="latin-1").read()
        lines = text.split("\n")
        before = lines[line_no]
        after = before[:a] + rep + before[b:]
        base = originals.setdefault(rel, digest(obj(rel)))
        lines[line_no] = after
        open(path, "w", encoding="latin-1").write("\n".join(lines))
        try:
            if run(["cmake", "--build", build, "-j2"] + targets, work, 600) != 0:
                continue
            if rel.endswith(".cpp") and digest(obj(rel)) == base:
                continue
            tested += 1
            if tested % 10 == 0:
                print(f"... {tested} of {n}", file=sys.stderr, flush=True)
            if any(run(t, work, limit) != 0 for t in tests):
                killed += 1
                continue
            key = (rel, before.strip(), after.strip())
            tag = "equivalent (listed)" if key in listed else "SURVIVED"
            if key not in listed:
                unexplained.append(key)
            print(f"{tag}: {rel}:{line_no + 1}: {before.strip()}  -->  {after.strip()}", flush=True)
        finally:
            open(path, "w", encoding="latin-1").write(text)
    run(["cmake", "--build", build, "-j2"] + targets, work, 600)
    shutil.rmtree(work, ignore_errors=True)
    print(f"killed {killed} of {tested}; {len(unexplained)} survivor(s) not listed as equivalent")
    sys.exit(1 if unexplained else 0)


if __name__ == "__main__":
    main()
