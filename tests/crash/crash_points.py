#!/usr/bin/env python3
"""Crash consistency of every file the player writes.

Each write the player makes (a saved game with its picture, the automatic save, the library,
the settings) is first run once under strace to list its steps: every call on the main thread
that opens, writes, flushes, renames, links or removes a file in the folders it writes. Then
the write is run again for each step with the player killed (SIGKILL) just before it, and the
folders must hold, file by file, the old content or the new one: never a mix, never nothing.
The same is done with the disk full at each point of the write (a file size limit, and a small
tmpfs in a private mount namespace) and with the game folder mounted read-only; a player that
survives a full disk must say the save failed when it did.

usage: crash_points.py PLAYER SETTINGS_WRITER GAME WORK [--quick] [--only=SCENARIO]
Prints the number of points tried. Exits 1 on a fault. Mount namespaces are used when they are
allowed; without them the tmpfs and read-only parts are skipped (and said so).
"""
import json
import os
import re
import resource
import shutil
import signal
import subprocess
import sys

TRACED = ("openat,open,creat,write,writev,pwrite64,fsync,fdatasync,fchmod,chmod,close,rename,"
          "renameat,renameat2,unlink,unlinkat,link,linkat,ftruncate,fallocate,mkdir")
PAGE = 4096

player, settings_writer, demo, root = (os.path.abspath(a) for a in sys.argv[1:5])
quick = "--quick" in sys.argv[5:]
only = [a.split("=", 1)[1] for a in sys.argv[5:] if a.startswith("--only=")]
work = os.path.join(root, "w")  # the same path in every run: the library stores folders
failures = []
counts = {}


def count(kind):
    counts[kind] = counts.get(kind, 0) + 1


def env():
    e = dict(os.environ, XDG_DATA_HOME=f"{work}/data", XDG_CONFIG_HOME=f"{work}/cfg",
             QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=f"{root}/runtime")
    e.pop("DISPLAY", None)
    return e


def replay(text, out_name):
    path = f"{root}/{out_name}.txt"
    with open(path, "w") as f:
        f.write(text)
    return [player, "--replay", path, "--dump-state", f"{work}/game"]


START = "start\nclick 320 250\nwait 1300\n"
SHELL = "click 252 412\nwait 6000\n"
QUIT = "key Q\nanswer yes\nwait 200\n"


class Scenario:
    def __init__(self, name, prepare, command, watched, reported, read_only=False):
        self.name, self.prepare, self.command = name, prepare, command
        self.watched, self.reported, self.read_only = watched, reported, read_only


def save_reported(result):
    try:
        boxes = json.loads(result.stdout)["boxes"]
    except (ValueError, KeyError):
        return False
    return any("nable to save" in b["text"] or "annot" in b["text"] for b in boxes)


def stderr_reported(result):
    return re.search(r"could not|cannot|can't|failed|No space|too large", result.stderr) is not None


SCENARIOS = [
    # A saved game replaced ("Keeper") and a new one ("Fresh"), each with its picture.
    Scenario("save",
             lambda: [replay(START + "save Keeper\n", "old_save")],
             lambda: replay(START + SHELL + "save Keeper\nanswer yes\nsave Fresh\n", "new_save"),
             lambda: [f"{work}/game"], save_reported),
    # The automatic save at a quit, over the one of an earlier run.
    Scenario("autosave",
             lambda: [replay(START + QUIT, "old_auto")],
             lambda: replay(START + SHELL + QUIT, "new_auto"),
             lambda: [f"{work}/game"], stderr_reported),
    # The same saves into the user's folder when the game folder is read-only.
    Scenario("save_read_only",
             lambda: [replay(START + "save Keeper\n", "old_save")],
             lambda: replay(START + SHELL + "save Keeper\nanswer yes\nsave Fresh\n", "new_save"),
             lambda: [f"{work}/data"], save_reported, read_only=True),
    # A second game added to the library (the list and the game's picture).
    Scenario("library",
             lambda: [[player, "--add", f"{work}/game"]],
             lambda: [player, "--add", f"{work}/game2"],
             lambda: [f"{work}/data"], stderr_reported),
    # A setting changed in the settings file (another section is in it already).
    Scenario("settings",
             lambda: [[settings_writer, f"{work}/cfg/talewick/talewick.ini", s, k, v]
                      for s, k, v in (("Other", "FullScreen", "1"), ("Demo", "Autosave", "1"))],
             lambda: [settings_writer, f"{work}/cfg/talewick/talewick.ini", "Demo", "Autosave", "0"],
             lambda: [f"{work}/cfg"], stderr_reported),
]


def run(argv, limit_bytes=None, strace=None):
    def before():
        if limit_bytes is not None:
            resource.setrlimit(resource.RLIMIT_FSIZE, (limit_bytes, limit_bytes))
    if strace is not None:
        argv = ["strace", "-f", "-ff", "-qq", "-y", "-e", f"trace={TRACED}"] + strace + argv
    return subprocess.run(argv, env=env(), cwd=root, capture_output=True, text=True,
                          preexec_fn=before, timeout=120)


def snapshot(folders):
    """Relative path -> bytes of every file in the folders (the game's own data left out)."""
    files = {}
    for folder in folders:
        for dirpath, dirnames, filenames in os.walk(folder):
            if dirpath == f"{work}/game":
                dirnames[:] = []  # the game's data folders are never written
            for name in filenames:
                path = os.path.join(dirpath, name)
                with open(path, "rb") as f:
                    files[os.path.relpath(path, work)] = f.read()
    return files


def comparable(rel, data):
    """What must match: the library's list without the times it was added."""
    if rel.endswith("library.json"):
        try:
            doc = json.loads(data)
            return json.dumps([(g["folder"], g.get("title")) for g in doc["games"]])
        except (ValueError, KeyError, TypeError):
            return ("damaged", data)
    return data


def is_temporary(rel):
    """A file a killed write leaves behind: a temporary companion of a saved file, or the
    transitions' work file (the old frame, written in the game folder and read back), or the
    settings' scratch copy and lock (the next writer finds the lock's process gone)."""
    name = os.path.basename(rel)
    return (name.startswith(".talewick-save-") or name in ("Temp001.dat", "talewick.ini.lock")
            or re.search(r"\.new-\d+(\.lock)?$", name) is not None
            or re.search(r"\.[A-Za-z0-9]{6}$", name) is not None)


def check(scenario, where, old, new, result, may_fail):
    """Every file holds its old or its new content; a temporary file left by a killed
    write is allowed (counted) but is never taken for a saved game."""
    now = snapshot(scenario.watched())
    problems = []
    for rel in sorted(set(old) | set(new) | set(now)):
        got = now.get(rel)
        if got is not None and rel not in old and rel not in new and is_temporary(rel):
            count("temporary files left")
            continue
        choices = [old.get(rel), new.get(rel)]
        # A failed save removes its out-of-date picture rather than keep it beside the new
        # saved game; no picture is then a state of its own.
        if may_fail and rel.endswith(".png") and "/pictures/" not in rel:
            choices.append(None)
        wanted = [comparable(rel, c) if c is not None else None for c in choices]
        if (comparable(rel, got) if got is not None else None) not in wanted:
            state = "missing" if got is None else f"{len(got)} bytes, neither old nor new"
            problems.append(f"{rel}: {state}")
    if may_fail and result is not None and result.returncode == 0:
        # The player lived on: a write that did not happen must have been reported.
        unfinished = [r for r in new if now.get(r) != new[r] and not r.endswith(".png")
                      and comparable(r, now.get(r) or b"") != comparable(r, new[r])]
        if unfinished and not scenario.reported(result):
            problems.append(f"{', '.join(unfinished)} not written and no failure reported")
    if problems:
        failures.append(f"{scenario.name} {where}: " + "; ".join(problems))
        print(f"FAIL {scenario.name} {where}: " + "; ".join(problems), flush=True)


def fresh(template):
    if os.path.isdir(work):
        shutil.rmtree(work)
    shutil.copytree(template, work, symlinks=True)


def mount(*args):
    subprocess.run(["mount", *args], check=True)


def kill_points(log):
    """The steps of the write: (syscall, ordinal on the main thread, line) of every call
    that touches a file in a written folder, from the first that creates one on."""
    points, ordinal, started, written = [], {}, False, set()
    watched = re.compile(
        rf"{re.escape(work)}/(game|data|cfg)(/[^/>\"]*)?[>\"]|{re.escape(work)}/(data|cfg)/")
    for line in open(log):
        m = re.match(r"(\w+)\(", line)
        if not m:
            continue
        name = m.group(1)
        ordinal[name] = ordinal.get(name, 0) + 1
        if not started and watched.search(line) and re.search(
                r"O_CREAT|O_TMPFILE|^rename|^link|^unlink|^mkdir", line):
            started = True
        if name in ("openat", "open") and re.search(r"O_WRONLY|O_RDWR|O_CREAT|O_TMPFILE", line):
            opened = re.search(r"= \d+<([^>]*)>", line)
            if opened:
                written.add(opened.group(1))
        if not started or not watched.search(line) or re.search(
                r"/game/(Areas|Frames|Config|Icons|Inventory|Schemes)", line):
            continue
        # Reads (a listing, a file read back) change nothing: only the steps of a write count.
        if name in ("openat", "open") and not re.search(r"O_WRONLY|O_RDWR|O_CREAT|O_TMPFILE", line):
            continue
        if name == "close" and not any(f"<{path}>" in line for path in written):
            continue
        points.append((name, ordinal[name], line.strip()))
    return points


def main_log(prefix, pid_hint=None):
    logs = sorted((f for f in os.listdir(root) if f.startswith(prefix + ".")),
                  key=lambda f: int(f.rsplit(".", 1)[1]))
    return os.path.join(root, logs[0])  # the first process is the player's main thread


def clear_logs(prefix):
    for f in os.listdir(root):
        if f.startswith(prefix + "."):
            os.remove(os.path.join(root, f))


def sweep(scenario, namespace):
    """All kill points and file-size limits of one scenario."""
    template = f"{root}/template-{scenario.name}"
    if os.path.isdir(work):
        shutil.rmtree(work)
    os.makedirs(f"{work}/data")
    os.makedirs(f"{work}/cfg")
    shutil.copytree(demo, f"{work}/game")
    if scenario.name == "library":
        shutil.copytree(demo, f"{work}/game2")
    if scenario.read_only:
        mount("--bind", "-o", "ro", f"{work}/game", f"{work}/game")
    try:
        for argv in scenario.prepare():
            r = run(argv)
            if r.returncode != 0:
                sys.exit(f"{scenario.name}: preparing failed: {r.stderr}")
        old = snapshot(scenario.watched())
        if scenario.read_only:
            subprocess.run(["umount", f"{work}/game"], check=True)
        if os.path.isdir(template):
            shutil.rmtree(template)
        shutil.copytree(work, template, symlinks=True)

        # The write done whole, listing its steps.
        clear_logs("trace")
        if scenario.read_only:
            mount("--bind", "-o", "ro", f"{work}/game", f"{work}/game")
        r = run(scenario.command(), strace=["-o", f"{root}/trace"])
        if r.returncode != 0:
            sys.exit(f"{scenario.name}: the write failed: {r.stdout}{r.stderr}")
        new = snapshot(scenario.watched())
        changed = [k for k in set(old) | set(new) if comparable(k, old.get(k) or b"")
                   != comparable(k, new.get(k) or b"")]
        if not changed:
            sys.exit(f"{scenario.name}: the write changed nothing")
        points = kill_points(main_log("trace"))
        if not points:
            sys.exit(f"{scenario.name}: no step of the write was found in the trace")
        if quick:
            points = points[::max(1, len(points) // 12)]

        for name, ordinal, line in points:
            if scenario.read_only:
                subprocess.run(["umount", f"{work}/game"], check=True)
            fresh(template)
            if scenario.read_only:
                mount("--bind", "-o", "ro", f"{work}/game", f"{work}/game")
            clear_logs("kill")
            r = run(scenario.command(), strace=["-o", f"{root}/kill", "-e",
                                                f"inject={name}:signal=KILL:when={ordinal}"])
            if r.returncode != -signal.SIGKILL and r.returncode != 128 + signal.SIGKILL:
                # strace passes the player's death on as its own
                failures.append(f"{scenario.name} kill before {line}: the player was not killed"
                                f" (exit {r.returncode})")
                continue
            last = [l for l in open(main_log("kill")) if re.match(r"\w+\(", l)]
            if not last or not last[-1].startswith(name + "("):
                failures.append(f"{scenario.name}: the kill missed {line}")
                continue
            count(f"kill points ({scenario.name})")
            check(scenario, f"killed before {line[:100]}", old, new, None, False)
            if scenario.name == "settings":
                # What a killed write leaves (its lock) must not stop the next one.
                r = run(scenario.command())
                rel = "cfg/talewick/talewick.ini"
                if r.returncode != 0 or snapshot(scenario.watched()).get(rel) != new[rel]:
                    failures.append(f"settings: no write after a kill before {line[:80]}")

        # The disk full: a file size limit at points through each file written.
        sizes = sorted({len(v) for k, v in new.items() if old.get(k) != v})
        limits = {0, 1}
        for size in sizes:
            steps = 4 if quick else 16
            limits |= {max(0, size * i // steps - 1) for i in range(1, steps + 1)}
        for limit in sorted(limits):
            if scenario.read_only:
                subprocess.run(["umount", f"{work}/game"], check=True)
            fresh(template)
            if scenario.read_only:
                mount("--bind", "-o", "ro", f"{work}/game", f"{work}/game")
            r = run(scenario.command(), limit_bytes=limit)
            count(f"file size limits ({scenario.name})")
            if r.returncode < 0 or r.returncode > 128:
                failures.append(f"{scenario.name} file size limit {limit}: the player died "
                                f"(exit {r.returncode}) instead of reporting a failed write")
                print(f"FAIL {scenario.name}: died at file size limit {limit}", flush=True)
            check(scenario, f"file size limit {limit}", old, new, r, True)

        if namespace:
            tmpfs_sweep(scenario, template, old, new, sizes)
    finally:
        if scenario.read_only:
            subprocess.run(["umount", f"{work}/game"], stderr=subprocess.DEVNULL)


def tmpfs_sweep(scenario, template, old, new, sizes):
    """A small tmpfs for the written folder, filled up to leave 0, 1, 2 ... pages free."""
    folder = scenario.watched()[0]
    pages = sum((s + PAGE - 1) // PAGE for s in sizes) + 4
    for free in range(0, pages + 1, 3 if quick and pages > 12 else 1):
        if scenario.read_only:
            subprocess.run(["umount", f"{work}/game"], stderr=subprocess.DEVNULL)
        fresh(template)
        keep = f"{root}/keep"
        if os.path.isdir(keep):
            shutil.rmtree(keep)
        shutil.move(folder, keep)
        os.makedirs(folder)
        mount("-t", "tmpfs", "-o", "size=4m", "tmpfs", folder)
        try:
            for entry in os.listdir(keep):
                src = os.path.join(keep, entry)
                (shutil.copytree if os.path.isdir(src) else shutil.copy2)(src, os.path.join(folder, entry))
            st = os.statvfs(folder)
            spare = st.f_bavail - free
            if spare > 0:
                with open(f"{folder}/.filler", "wb") as f:
                    f.write(b"\0" * spare * st.f_frsize)
            if scenario.read_only:
                mount("--bind", "-o", "ro", f"{work}/game", f"{work}/game")
            r = run(scenario.command())
            os.remove(f"{folder}/.filler") if os.path.exists(f"{folder}/.filler") else None
            count(f"full tmpfs points ({scenario.name})")
            check(scenario, f"tmpfs with {free} pages free", old, new, r, True)
        finally:
            if scenario.read_only:
                subprocess.run(["umount", f"{work}/game"], stderr=subprocess.DEVNULL)
            subprocess.run(["umount", folder], check=True)


def main():
    os.makedirs(f"{root}/runtime", mode=0o700, exist_ok=True)
    namespace = os.environ.get("CRASH_POINTS_NAMESPACE") == "1"
    for scenario in SCENARIOS:
        if only and scenario.name not in only:
            continue
        if scenario.read_only and not namespace:
            print(f"{scenario.name}: skipped (no private mount namespace here)")
            continue
        sweep(scenario, namespace)
    for kind in sorted(counts):
        print(f"{kind}: {counts[kind]}")
    if failures:
        print(f"{len(failures)} faults", file=sys.stderr)
        for f in failures[:40]:
            print("  " + f, file=sys.stderr)
        sys.exit(1)
    print("crash_points: nothing lost")


if __name__ == "__main__":
    if os.environ.get("CRASH_POINTS_NAMESPACE") is None and shutil.which("unshare"):
        os.makedirs(root, exist_ok=True)
        for userns in ([], ["-Ur"]):
            if subprocess.run(["unshare", *userns, "-m", "true"], stderr=subprocess.DEVNULL).returncode == 0:
                os.environ["CRASH_POINTS_NAMESPACE"] = "1"
                os.execvp("unshare", ["unshare", *userns, "-m", "--propagation", "private",
                                      sys.executable, *sys.argv])
    os.environ.setdefault("CRASH_POINTS_NAMESPACE", "0")
    main()
