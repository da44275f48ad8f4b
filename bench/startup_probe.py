#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a user feels of Orbisk's start-up, measured from outside the process.

    startup_probe.py ORBISK [--runs N] [--idle SECONDS] [--goes N]

Each run starts the client under its own Xvfb with a fresh HOME and reads
its --trace lines: window mapped, first map loaded, first map stable (the
last repaint before 500 ms without one). At 10 s it sums PSS of the whole
process tree (/proc/PID/smaps_rollup) per kind of process, and CPU seconds
at 10 s and 30 s. The same HOME is then started again (second start). The
first run also measures CPU while idle over --idle seconds, and with
--goes, PSS after that many Go commands (xdotool on the Go button), and
again once the renderer has been idle for 20 s.
Prints medians.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

TICK = os.sysconf("SC_CLK_TCK")
SETTLE = 20


def children_of():
    parents = {}
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        try:
            with open(f"/proc/{name}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        parents.setdefault(int(fields[1]), []).append(int(name))
    return parents


def tree(pid):
    parents, found, todo = children_of(), [], [pid]
    while todo:
        current = todo.pop()
        found.append(current)
        todo.extend(parents.get(current, []))
    return found


def kind(pid, parent_kind):
    """The process's --type; renderers forked by a zygote keep its command line."""
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as cmdline:
            words = cmdline.read().split(b"\0")
    except OSError:
        return "gone"
    for word in words:
        if word.startswith(b"--type="):
            named = word[7:].decode()
            return "renderer" if named == "zygote" and parent_kind == "zygote" else named
    return "client"


def pss_kb(pid):
    try:
        with open(f"/proc/{pid}/smaps_rollup") as rollup:
            for line in rollup:
                if line.startswith("Pss:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def cpu_seconds(pid):
    total = 0.0
    for member in tree(pid):
        try:
            with open(f"/proc/{member}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        total += int(fields[11]) + int(fields[12])
        if member == pid:
            total += int(fields[13]) + int(fields[14])
    return total / TICK


def memory(pid):
    parents = children_of()
    by_kind, todo = {}, [(pid, "")]
    while todo:
        member, parent_kind = todo.pop()
        named = kind(member, parent_kind)
        by_kind[named] = by_kind.get(named, 0) + pss_kb(member)
        todo.extend((child, named) for child in parents.get(member, []))
    return by_kind


class Client:
    """One client under its own X server, with its trace read as it comes."""

    def __init__(self, orbisk, home, display):
        self.xvfb = subprocess.Popen(["Xvfb", f":{display}", "-screen", "0", "1280x800x24",
                                      "-nolisten", "tcp"], stderr=subprocess.DEVNULL)
        while not os.path.exists(f"/tmp/.X11-unix/X{display}"):
            time.sleep(0.02)
        env = dict(os.environ, DISPLAY=f":{display}", HOME=home,
                   XDG_CONFIG_HOME=f"{home}/config", XDG_CACHE_HOME=f"{home}/cache",
                   XDG_DATA_HOME=f"{home}/data", XDG_RUNTIME_DIR=f"{home}/runtime")
        env.pop("QT_QPA_PLATFORM", None)
        self.process = subprocess.Popen([orbisk, "--trace"], env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.PIPE, text=True)
        self.env = env
        self.events = []
        self.reader = threading.Thread(target=self.read, daemon=True)
        self.reader.start()

    def read(self):
        for line in self.process.stderr:
            words = line.split()
            if len(words) >= 4 and words[:2] == ["orbisk:", "trace"] and words[2].isdigit():
                self.events.append((int(words[2]), " ".join(words[3:])))

    def first(self, event):
        return next((ms for ms, name in list(self.events) if name == event), None)

    def stable(self):
        """The last paint before 500 ms without one, after the first map loaded."""
        loaded = self.first("map loaded")
        if loaded is None:
            return None
        paints = [ms for ms, name in list(self.events) if name.startswith("paint") and ms >= loaded]
        last = loaded
        for ms in paints:
            if ms - last >= 500:
                break
            last = ms
        return last

    def stop(self):
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
        self.xvfb.terminate()
        self.xvfb.wait()


def press_go(client, times):
    """Clicks Go until the map has loaded `times` more times; a missed click is repeated."""
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "Orbisk"],
                            env=client.env, capture_output=True, text=True).stdout.split()[-1]
    geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], env=client.env,
                              capture_output=True, text=True).stdout
    width = int(dict(line.split("=") for line in geometry.split())["WIDTH"])
    loads = lambda: sum(1 for _, name in list(client.events) if name == "map loaded")
    goal = loads() + times
    deadline = time.time() + 30 * times
    while loads() < goal and time.time() < deadline:
        before = loads()
        # A click sent to a window is ignored by the toolkit; this one goes
        # through the X server's test extension, as a user's would. The Go
        # button is 88 px from the window's right edge, below the menu bar.
        subprocess.run(["xdotool", "mousemove", "--window", window, str(width - 88), "91"],
                       env=client.env)
        subprocess.run(["xdotool", "click", "1"], env=client.env)
        waited = time.time() + 2
        while loads() == before and time.time() < waited:
            time.sleep(0.02)


def run(orbisk, home, display, idle, goes):
    figures = {}
    client = Client(orbisk, home, display)
    client.launched = time.time()
    time.sleep(10)
    figures["mapped"] = client.first("window mapped")
    figures["loaded"] = client.first("map loaded")
    figures["stable"] = client.stable()
    figures["memory"] = memory(client.process.pid)
    figures["cpu10"] = cpu_seconds(client.process.pid)
    time.sleep(20)
    figures["cpu30"] = cpu_seconds(client.process.pid)
    if idle:
        before = cpu_seconds(client.process.pid)
        paints = len(client.events)
        time.sleep(idle)
        figures["idle"] = (cpu_seconds(client.process.pid) - before) / idle
        figures["idle paints"] = len(client.events) - paints
        figures["memory after idle"] = memory(client.process.pid)
    if goes:
        press_go(client, goes)
        time.sleep(3)
        figures["memory after goes"] = memory(client.process.pid)
        # The script engine collects the old pages' garbage once the renderer
        # has been idle for some seconds; what stays after that is kept.
        time.sleep(SETTLE)
        figures["memory settled"] = memory(client.process.pid)
    client.stop()
    second = Client(orbisk, home, display)
    second.launched = time.time()
    time.sleep(4)
    figures["second stable"] = second.stable()
    second.stop()
    return figures


def by_kind(memory):
    split = ", ".join(f"{k} {v / 1024:.0f}" for k, v in sorted(memory.items()))
    return f"{sum(memory.values()) / 1024:.0f} MB ({split})"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("orbisk")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--idle", type=int, default=60)
    parser.add_argument("--goes", type=int, default=0)
    options = parser.parse_args()
    for tool in ("Xvfb", "xdotool"):
        if not shutil.which(tool):
            sys.exit(f"startup_probe: {tool} is needed")
    scratch = tempfile.mkdtemp(prefix="orbisk-start-")
    results = []
    try:
        for number in range(options.runs):
            home = f"{scratch}/home{number}"
            os.makedirs(f"{home}/runtime", mode=0o700)
            figures = run(options.orbisk, home, 90 + number,
                          options.idle if number == 0 else 0, options.goes if number == 0 else 0)
            results.append(figures)
            print(f"run {number + 1}: " + ", ".join(
                f"{key} {value}" for key, value in figures.items() if not isinstance(value, dict)),
                flush=True)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    median = lambda key: statistics.median(r[key] for r in results if r[key] is not None)
    print(f"window mapped {median('mapped')} ms, first map loaded {median('loaded')} ms, "
          f"first map stable {median('stable')} ms, second start stable {median('second stable')} ms")
    print(f"CPU seconds at 10 s {median('cpu10'):.2f}, at 30 s {median('cpu30'):.2f}")
    kinds = sorted({k for r in results for k in r["memory"]})
    split = ", ".join(f"{k} {statistics.median(r['memory'].get(k, 0) for r in results) / 1024:.0f}"
                      for k in kinds)
    total = statistics.median(sum(r["memory"].values()) for r in results) / 1024
    print(f"PSS at 10 s {total:.0f} MB ({split})")
    if "idle" in results[0]:
        print(f"idle CPU {results[0]['idle']:.4f} core over {options.idle} s, "
              f"{results[0]['idle paints']} repaints")
    if "memory after idle" in results[0]:
        print(f"PSS after the idle time {sum(results[0]['memory after idle'].values()) / 1024:.0f} MB")
    if "memory after goes" in results[0]:
        print(f"PSS after {options.goes} Go commands {by_kind(results[0]['memory after goes'])}")
        print(f"PSS {SETTLE} s later {by_kind(results[0]['memory settled'])}")
        if "memory after idle" in results[0]:
            grown = sum(results[0]["memory settled"].values()) - sum(
                results[0]["memory after idle"].values())
            print(f"growth over {options.goes} Go commands {grown / 1024:.1f} MB "
                  f"(settled, against the idle window; target under 10 MB)")


if __name__ == "__main__":
    main()
