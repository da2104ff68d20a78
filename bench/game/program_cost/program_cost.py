#!/usr/bin/env python3
"""The real program's cost while the player looks at a still screen.

Starts the game under a virtual X display of its own (Xvfb, no GPU acceleration,
1280x1024, openbox as window manager) on a fresh copy of the sample data, clicks
its way with xdotool as a player would, and measures for 20 s the processor time
the program used (user + system, as a share of one core) and, at the end, its peak
resident memory; the X server's share is shown beside it. Three situations:
  title          the title screen in the 800x600 window
  story          a story scene waiting for a click, in the window
  fullscreen     the title in full screen (1280x1024), chosen in the story's
                 settings like a player does and kept by the game's env.dat
Each is measured RUNS times; the figures are medians.

usage: program_cost.py <build-tree> [runs]
"""
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
SECONDS = 20
TICKS = os.sysconf("SC_CLK_TCK")

# Points of the 800x600 window that a player clicks.
START = (600, 320)
FIRST_CHARACTER = (250, 280)
FIRST_STAGE = (260, 280)
SETTINGS = (330, 19)
FULL_SCREEN = (314, 455)


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def peak_rss_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    return 0.0


class Display:
    def __init__(self):
        read, write = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=[write], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            self.name = ":" + f.readline().strip()
        # A runtime folder of its own: the game's single-instance lock lives there,
        # and another copy of the game on the machine must not hold it.
        self.runtime = tempfile.mkdtemp(prefix="vesk_program_cost_run_")
        self.env = dict(os.environ, DISPLAY=self.name, SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE="/dev/null",
                        XDG_RUNTIME_DIR=self.runtime)
        self.manager = subprocess.Popen(["openbox"], env=self.env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        time.sleep(1)

    def close(self):
        for p in (self.manager, self.server):
            p.terminate()
            p.wait()
        shutil.rmtree(self.runtime, ignore_errors=True)


class Game:
    """The program on a working folder; fresh=True copies the sample data first."""

    def __init__(self, display, build, work, fresh):
        self.display = display
        if fresh:
            shutil.rmtree(work, ignore_errors=True)
            os.makedirs(work)
            shutil.copytree(os.path.join(ROOT, "data", "Data"), os.path.join(work, "Data"))
            for compiled in ("scenario.dat", "interlude.obj"):
                source = os.path.join(build, "Data", compiled)
                if os.path.exists(source):
                    shutil.copy(source, work)
        program = os.path.realpath(os.path.join(build, "bin", "vesk"))
        self.process = subprocess.Popen([program], cwd=work, env=display.env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        self.window = None

    def click(self, point):
        if self.window is None:
            for _ in range(50):
                found = subprocess.run(["xdotool", "search", "--pid", str(self.process.pid), "--name", "^Vesk$"],
                                       env=self.display.env, capture_output=True, text=True).stdout.split()
                if found:
                    self.window = found[0]
                    break
                time.sleep(0.2)
        subprocess.run(["xdotool", "mousemove", "--window", self.window, str(point[0]), str(point[1]),
                        "click", "1"], env=self.display.env, check=True)

    def measure(self):
        """CPU share of one core (%), peak RSS (MB) and the X server's share (%)."""
        pid = self.process.pid
        server = self.display.server.pid
        start, server_start, wall = cpu_seconds(pid), cpu_seconds(server), time.monotonic()
        time.sleep(SECONDS)
        wall = time.monotonic() - wall
        used, server_used = cpu_seconds(pid) - start, cpu_seconds(server) - server_start
        return 100 * used / wall, peak_rss_mb(pid), 100 * server_used / wall

    def end(self):
        self.process.send_signal(signal.SIGTERM)  # the game ends normally and saves
        self.process.wait(timeout=30)


def one_round(display, build, work):
    results = {}
    game = Game(display, build, work, fresh=True)
    time.sleep(10)  # the logo, then the title
    results["title"] = game.measure()
    game.end()

    game = Game(display, build, work, fresh=True)
    time.sleep(10)
    for point in (START, FIRST_CHARACTER, FIRST_STAGE):
        game.click(point)
        time.sleep(3)
    time.sleep(5)  # the first line is shown whole and waits for a click
    results["story"] = game.measure()
    game.click(SETTINGS)
    time.sleep(2)
    game.click(FULL_SCREEN)
    time.sleep(2)
    game.end()

    game = Game(display, build, work, fresh=False)  # starts in full screen
    time.sleep(10)
    results["fullscreen"] = game.measure()
    game.end()
    return results


def main():
    build = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    if not os.path.exists(os.path.join(build, "bin", "vesk")):
        print("The game program is not built.")
        return 0
    for tool in ("Xvfb", "openbox", "xdotool"):
        if shutil.which(tool) is None:
            print(f"{tool} is missing: skipped.")
            return 0
    display = Display()
    work = tempfile.mkdtemp(prefix="vesk_program_cost_")
    rounds = []
    try:
        for _ in range(runs):
            rounds.append(one_round(display, build, work))
    finally:
        display.close()
        shutil.rmtree(work, ignore_errors=True)
    print(f"{'situation':<12} {'cpu % of a core':>16} {'peak RSS MB':>12} {'X server cpu %':>15}   (medians of {runs})")
    for situation in ("title", "story", "fullscreen"):
        cpu = statistics.median(r[situation][0] for r in rounds)
        rss = statistics.median(r[situation][1] for r in rounds)
        server = statistics.median(r[situation][2] for r in rounds)
        print(f"{situation:<12} {cpu:>16.1f} {rss:>12.1f} {server:>15.1f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
