# SPDX-License-Identifier: MIT
"""Starting, timing and stopping the processes of the benchmarks. Every wait
is bounded, and every process started here is stopped here, by its own id."""
import os
import select
import statistics
import subprocess
import time


def median(values):
    values = [v for v in values if v is not None]
    return statistics.median(values) if values else None


def run_timed(argv, env=None, timeout=600):
    """Runs argv to its end; returns (wall milliseconds, standard output)."""
    start = time.perf_counter()
    done = subprocess.run(argv, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout)
    elapsed = (time.perf_counter() - start) * 1000
    if done.returncode != 0:
        raise RuntimeError("%s ended with %d: %s" % (" ".join(argv), done.returncode,
                                                     done.stderr.decode(errors="replace")[-2000:]))
    return elapsed, done.stdout.decode(errors="replace")


class Child:
    """A process whose output is read line by line, each line with a time
    limit, so that a repaint that takes minutes can be cut off."""

    def __init__(self, argv, env=None):
        self.proc = subprocess.Popen(argv, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.buffer = b""

    def read_line(self, timeout):
        """The next line, or None when it does not come in time or the
        process ended first."""
        deadline = time.monotonic() + timeout
        while b"\n" not in self.buffer:
            left = deadline - time.monotonic()
            if left <= 0:
                return None
            ready, _, _ = select.select([self.proc.stdout], [], [], left)
            if not ready:
                return None
            chunk = os.read(self.proc.stdout.fileno(), 4096)
            if not chunk:
                return None
            self.buffer += chunk
        line, self.buffer = self.buffer.split(b"\n", 1)
        return line.decode(errors="replace")

    def stop(self, terminate=False):
        """Asks the process to end (terminate) or kills it, and reaps it."""
        if self.proc.poll() is None:
            if terminate:
                self.proc.terminate()
                try:
                    self.proc.wait(10)
                except subprocess.TimeoutExpired:
                    self.proc.kill()
            else:
                self.proc.kill()
        self.proc.wait()
        self.proc.stdout.close()


class Xvfb:
    """A virtual X display of 1920 x 1080 for the window benchmarks. It does
    not reset when its last client leaves, so that one program's exit does
    not refuse the next one's connection."""

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.proc = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1920x1080x24",
                                      "-noreset", "-nolisten", "tcp"],
                                     pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 20
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], max(deadline - time.monotonic(), 0))
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                os.close(read_end)
                self.__exit__(None, None, None)
                raise RuntimeError("Xvfb did not start")
            number += chunk
        os.close(read_end)
        return ":" + number.decode().strip()

    def __exit__(self, *exc):
        self.proc.terminate()
        try:
            self.proc.wait(10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
        return False


def xlat(program, args, env):
    """Runs the latency probe's start-up mode; returns (ms to the visible
    window, ms to the first frame with more than one colour, or None)."""
    out = run_timed([program] + args, env=env, timeout=60)[1].split()
    # "window 25.7 ms  first-paint 33.2 ms"
    window = float(out[1])
    painted = None if out[4] == "-" else float(out[4])
    return window, painted


def wait_for_window(title, env, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if found.returncode == 0:
            return True
        time.sleep(0.05)
    return False
