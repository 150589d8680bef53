#!/usr/bin/env python3
"""Desktop pacing benchmark: starts vorna under Xvfb 1280x1024x24 with openbox as a player would.

Prints the frame cadence (median, p95, p99), the tick's own cost, CPU % of one core at the title and in a
busy mission, the time from process start to the first presented frame, and the cadence again with a slow
present injected (VORNA_SLOW_PRESENT_MS=10). Figures come from VORNA_PACING_LOG, whose lines are
"MICROSECONDS [TICK_COST_MICROSECONDS]" on SDL's performance clock (CLOCK_MONOTONIC_RAW on Linux).

Usage: desktop_bench.py VORNA
"""
import os
import signal
import subprocess
import sys
import tempfile
import time

SCREEN = "1280x1024x24"
CADENCE_FROM_S, CADENCE_TO_S = 1.0, 11.0  # the logo and the title
TITLE_CPU_FROM_S, TITLE_CPU_TO_S = 7.0, 12.0
MISSION_CPU_SECONDS = 5.0
GOALS = "goals: median <= 13.6 ms, p99 <= 15 ms, CPU <= 5 %, first frame <= 150 ms"


def now_us():
    return time.clock_gettime(time.CLOCK_MONOTONIC_RAW) * 1e6


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    ticks = os.sysconf("SC_CLK_TCK")
    # utime and stime, and the threads' time is included in them
    return (int(fields[11]) + int(fields[12])) / ticks


def percentile(values, p):
    if not values:
        return float("nan")
    s = sorted(values)
    return s[min(len(s) - 1, int(round(p / 100.0 * (len(s) - 1))))]


class Display:
    def __enter__(self):
        r, w = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0", SCREEN, "-nolisten", "tcp"],
                                     pass_fds=(w,), stderr=subprocess.DEVNULL, start_new_session=True)
        os.close(w)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(r, 16)
            if not chunk:
                raise SystemExit("Xvfb did not start")
            number += chunk
        os.close(r)
        self.name = ":" + number.decode().strip()
        env = dict(os.environ, DISPLAY=self.name)
        self.wm = subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   start_new_session=True)
        time.sleep(0.5)
        return self

    def __exit__(self, *exc):
        for p in (self.wm, self.xvfb):
            p.kill()
            p.wait()


class Run:
    """One start of vorna with a pacing log; stopped with SIGTERM as a session end would."""

    def __init__(self, vorna, display, work, name, extra_env=None):
        self.log = os.path.join(work, name + ".pacing")
        env = dict(os.environ, DISPLAY=display.name, VORNA_PACING_LOG=self.log, VORNA_INSTANCE="bench-" + name)
        for k in ("SDL_FRAMEBUFFER_ACCELERATION", "SDL_RENDER_DRIVER", "SDL_VIDEODRIVER", "VORNA_SLOW_PRESENT_MS"):
            env.pop(k, None)
        env.update(extra_env or {})
        self.env = env
        self.start_us = now_us()
        self.proc = subprocess.Popen([vorna], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def at(self, seconds):
        delay = self.start_us / 1e6 + seconds - now_us() / 1e6
        if delay > 0:
            time.sleep(delay)

    def cpu_percent(self, seconds):
        c0, t0 = cpu_seconds(self.proc.pid), time.monotonic()
        time.sleep(seconds)
        c1, t1 = cpu_seconds(self.proc.pid), time.monotonic()
        return 100.0 * (c1 - c0) / (t1 - t0)

    def key(self, name, hold_s=0.1):
        window = ""
        for _ in range(50):
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--classname", "^vorna$"], env=self.env,
                                   stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, timeout=5)
            window = found.stdout.split()[0] if found.stdout.split() else ""
            if window:
                break
            time.sleep(0.1)
        for action in ("keydown", "keyup"):
            subprocess.run(["xdotool", action, "--window", window, name], env=self.env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=5)
            if action == "keydown":
                time.sleep(hold_s)

    def stop(self):
        self.proc.send_signal(signal.SIGTERM)
        try:
            self.proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
        frames, costs = [], []
        with open(self.log) as f:
            for line in f:
                parts = line.split()
                if not parts:
                    continue
                frames.append(int(parts[0]))
                if len(parts) > 1:
                    costs.append(int(parts[1]) / 1000.0)
        return frames, costs


def cadence(frames, start_us):
    lo, hi = start_us + CADENCE_FROM_S * 1e6, start_us + CADENCE_TO_S * 1e6
    return [(b - a) / 1000.0 for a, b in zip(frames, frames[1:]) if lo <= a and b <= hi]


def show_cadence(label, gaps):
    print(f"{label}: cadence median {percentile(gaps, 50):.2f} ms, p95 {percentile(gaps, 95):.2f} ms, "
          f"p99 {percentile(gaps, 99):.2f} ms over {len(gaps)} frames")


def main():
    if len(sys.argv) != 2:
        raise SystemExit(__doc__)
    vorna = os.path.abspath(sys.argv[1])
    for tool in ("Xvfb", "openbox", "xdotool"):
        if subprocess.run(["sh", "-c", "command -v " + tool], stdout=subprocess.DEVNULL).returncode != 0:
            print(f"bench-desktop skipped: {tool} is not installed")
            return 0
    with tempfile.TemporaryDirectory() as work, Display() as display:
        run = Run(vorna, display, work, "title")
        run.at(TITLE_CPU_FROM_S)
        title_cpu = run.cpu_percent(TITLE_CPU_TO_S - TITLE_CPU_FROM_S)
        frames, costs = run.stop()
        gaps = cadence(frames, run.start_us)
        show_cadence("title", gaps)
        if costs:
            print(f"tick's own cost: median {percentile(costs, 50):.2f} ms, p99 {percentile(costs, 99):.2f} ms")
        else:
            print("tick's own cost: not logged by this build")
        first = (frames[0] - run.start_us) / 1000.0 if frames else float("nan")
        print(f"start to first presented frame: {first:.1f} ms")
        print(f"CPU at the title: {title_cpu:.1f} % of one core")

        run = Run(vorna, display, work, "mission")
        run.at(1.0)
        # Past the logo, the title and the mission intro: one button each.
        for _ in range(3):
            run.key("z")
            time.sleep(0.2)
        run.at(3.0)
        mission_cpu = run.cpu_percent(MISSION_CPU_SECONDS)
        run.stop()
        print(f"CPU in a mission: {mission_cpu:.1f} % of one core")

        run = Run(vorna, display, work, "slow", {"VORNA_SLOW_PRESENT_MS": "10"})
        run.at(CADENCE_TO_S + 0.5)
        frames, _ = run.stop()
        show_cadence("slow present (10 ms)", cadence(frames, run.start_us))
        print(GOALS)
    return 0


if __name__ == "__main__":
    sys.exit(main())
