#!/usr/bin/env python3
"""Holds the windowed program on a virtual display (Xvfb, 1920x1080) with
silent audio for a given time under a restless user driving it with real input
events (xdotool): double clicks, the list and its rows, effects alone, taps
and drags in the picture, Space, seeks, F2 and drags on its strip, F3, F11,
resizes from 1x1 to the whole screen and F12 captures into a temporary
folder. Every 10 s the user goes back to the list at 1x in a 960x640 window
and there the program's resident size, heap in use, open file descriptors and
threads, the display server's resident size, and the GL objects the program
holds are recorded (the heap and the GL objects by the GLObjectCount library
preloaded into it): the same screen each time, so what the screens before left
behind adds up. At the end the program must be alive, exit with status 0 on
SIGTERM, its figures after the first minute stay flat, its standard error hold
only the expected lines, and every capture be a whole PNG.
Usage: window-soak.py PROGRAM GL_COUNT_LIBRARY SECONDS OUT_DIR [SEED] [PROGRAM_ARGS...]"""
import os
import random
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib

from soakfigures import Figures

SAMPLE_SECONDS = 10
SCREEN = (1920, 1080)
GL_KINDS = ["gl_textures", "gl_buffers", "gl_framebuffers", "gl_renderbuffers", "gl_programs", "gl_shaders",
            "gl_queries"]
NAMES = ["rss_kb", "heap_kb", "fds", "threads", "cache_writers"] + GL_KINDS + ["xvfb_rss_kb", "captures", "screens"]
# Growth allowed from the early to the late median (see Figures.growth), all
# read on the list at 1x in a 960x640 window. The heap in use there holds the
# list and what lives for the whole run, and window-sized buffers of the GL
# driver (2.4 MB each at 960x640) that come and go with the resizes before:
# 8 MB. Resident size also keeps freed memory (the heap keeps up to 64 MB at
# its top for the GL driver's per-frame blocks, and the largest frames, 3x full
# screen, may first come late): 48 MB, against the hundreds of megabytes an
# hour of screens that each left their loads behind would add. Threads: none
# more, counted without the writers of Mesa's shader cache (quenfol:disk$N),
# a pool that starts with one and grows to four while its queue is full (as on
# a busy machine), so 3 more of those. Descriptors and GL objects: exactly what
# the list needs.
BOUNDS = dict({"rss_kb": 48 * 1024, "heap_kb": 8 * 1024, "fds": 0, "threads": 0, "cache_writers": 3,
               "xvfb_rss_kb": 32 * 1024},
              **{k: 0 for k in GL_KINDS})
# The lines the program's log (on standard error) may hold, numbers written N:
# its own and those of the demo and the effects. Any other line (an ERROR, a
# GL error, a failed load, a message of the driver or of SDL) fails the run.
EXPECTED_LOG = [re.compile(p) for p in [
    r"Reading resources from .*", r"content scale Nx: frames of NxN pixels( \(.*\))?", r"presenting .* \(.*\)",
    r"\w+: loaded in N s, first frame N s after (launch|the click|the switch)( and N ms after the music started "
    r"\(music position N ms\))?", r"GLView dealloc", r"\w+", r"saved frame to .*\.png", r"Timeline: the demo shows N s",
    r"Land N", r"Num vertices: N", r"t:N", r"N( N)*", r"GeometryGroup::parse N lines", r"N num particles", r"Vert N",
    r"draw (N|inf)", r"Creating N particles", r"w:N h:N c:N", r"y:N", r"ExampleTexturing[+-]",
    r"ExampleRenderToCubeMap::ExampleRenderToCubeMap framebuffer ok"]]
NUMBER = re.compile(r"-?[0-9]+(\.[0-9]+)?")


def expected(line):
    shape = NUMBER.sub("N", line)
    return any(p.fullmatch(shape) for p in EXPECTED_LOG)


ROW, BAR, ROWS_SHOWN = 36, 32, 8


def tool_missing():
    return [t for t in ("Xvfb", "xdotool") if not shutil.which(t)]


class Display:
    """Xvfb on a free display number, as long as the object is entered."""

    def __enter__(self):
        read, write = os.pipe()
        self.server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0",
                                        f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten", "tcp"],
                                       pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            number = f.readline().strip()
        if not number.isdigit():
            self.server.kill()
            raise RuntimeError("Xvfb did not report a display")
        self.name = ":" + number
        return self

    def __exit__(self, *exc):
        self.server.terminate()
        self.server.wait()


def proc_status(pid, key):
    with open(f"/proc/{pid}/status") as f:
        return next(int(line.split()[1]) for line in f if line.startswith(key + ":"))


def whole_png(path):
    """None if the file is a whole PNG (every chunk's CRC right, IEND last, the
    pixels inflating to exactly the rows the header names); else what is wrong."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return "no PNG signature"
    at, idat, header = 8, b"", None
    while at + 12 <= len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if len(body) != length or at + 12 + length > len(data):
            return f"chunk {kind!r} cut short"
        if struct.unpack(">I", data[at + 8 + length:at + 12 + length])[0] != zlib.crc32(kind + body):
            return f"chunk {kind!r} has a wrong CRC"
        at += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            if at != len(data):
                return "bytes after IEND"
            if not header:
                return "no IHDR"
            w, h, depth, colour = header[:4]
            channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}.get(colour, 0)
            try:
                pixels = zlib.decompress(idat)
            except zlib.error as e:
                return f"pixels do not inflate: {e}"
            if len(pixels) != h * (1 + (w * channels * depth + 7) // 8):
                return f"{len(pixels)} bytes of pixels for {w}x{h}"
            return None
    return "no IEND"


class Window:
    """The program's window, driven through xdotool in points of the 480x320 frame."""

    def __init__(self, display, wid):
        self.env = dict(os.environ, DISPLAY=display)
        self.wid = wid

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=30)

    def size(self):
        out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", self.wid], env=self.env,
                             capture_output=True, text=True, timeout=30).stdout
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values.get("WIDTH", 1)), int(values.get("HEIGHT", 1))

    def at(self, x, y):
        """Window pixels of frame point (x, y): the frame is scaled to fit, centred."""
        w, h = self.size()
        s = min(w / 480, h / 320)
        return int((w - 480 * s) / 2 + x * s), int((h - 320 * s) / 2 + y * s)

    def click(self, x, y, repeat=1):
        px, py = self.at(x, y)
        self.xdotool("mousemove", "--window", self.wid, px, py, "click", "--repeat", repeat, "--delay", 60, 1)

    def drag(self, points):
        px, py = self.at(*points[0])
        self.xdotool("mousemove", "--window", self.wid, px, py, "mousedown", 1)
        for x, y in points[1:]:
            px, py = self.at(x, y)
            self.xdotool("mousemove", "--window", self.wid, px, py)
            time.sleep(0.05)
        self.xdotool("mouseup", 1)

    def key(self, name):
        self.xdotool("key", "--window", self.wid, name)

    def wheel(self, down, times):
        self.xdotool("click", "--repeat", times, "--delay", 30, 5 if down else 4)


class RestlessUser:
    """Picks an action at random (seeded) and does it; knows from the program's
    log whether the list or a GL screen shows."""

    ACTIONS = [("double", 3), ("back", 3), ("row", 2), ("effect", 4), ("tap", 2), ("drag", 3), ("space", 2),
               ("seek", 2), ("strip", 1), ("strip_drag", 3), ("f3", 2), ("f11", 1), ("resize", 3), ("f12", 2),
               ("help", 1), ("wheel", 1), ("rest", 1)]

    def __init__(self, window, log_path, seed):
        self.w = window
        self.log_path = log_path
        self.rng = random.Random(seed)
        self.log_at = 0
        self.on_list = False
        self.scale = 1
        self.done = {}
        self.screens = 0
        self.captures_asked = 0

    def until(self, done, seconds=30, pause=0.3):
        """Follows the log until done() holds, for up to so many seconds."""
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            self.follow_log()
            if done():
                return True
            time.sleep(pause)
        return False

    def tour(self):
        """The largest frames and window once at the start, so that buffers sized
        by the largest frame seen are so before the warm-up ends: full screen at
        the largest scale, the demo with its strip and a capture, the list, an
        effect alone and a capture."""
        self.until(lambda: self.screens > 0, 60)
        self.w.key("F11")
        time.sleep(1)
        if self.w.size() != SCREEN:
            self.w.xdotool("windowsize", self.w.wid, *SCREEN)
        self.w.key("F3")
        self.until(lambda: self.scale > 1)
        self.w.key("F2")
        self.strip_drag()
        self.f12()
        self.w.key("F2")
        self.until(lambda: self.back() or self.on_list, 60, 2)
        screens = self.screens
        self.until(lambda: self.effect() or self.screens > screens, 60, 2)
        self.f12()
        time.sleep(2)

    def home(self):
        """The list at 1x in a 960x640 window, as at the start: true once the
        log says the list and the scale show, within two minutes."""
        end = time.monotonic() + 120
        while time.monotonic() < end:
            size = self.w.size()
            if size == SCREEN:  # full screen, or a window as large
                self.w.key("F11")
                time.sleep(1)
                size = self.w.size()
            if size != (960, 640):
                self.w.xdotool("windowsize", self.w.wid, 960, 640)
            self.follow_log()
            if not self.on_list:
                self.back()
            elif self.scale != 1:
                self.w.key("F3")
            else:
                # A screen asked for just before may still be loading: the list
                # counts once the log has stayed so for 3 s.
                screens = self.screens
                time.sleep(3)
                self.follow_log()
                if self.on_list and self.screens == screens:
                    return True
            time.sleep(1)
        return False

    def follow_log(self):
        with open(self.log_path, "rb") as f:
            f.seek(self.log_at)
            text = f.read()
        end = text.rfind(b"\n") + 1
        self.log_at += end
        for line in text[:end].decode(errors="replace").splitlines():
            if line == "GLView dealloc":
                self.on_list = True
            elif re.match(r"^\S+: loaded in ", line):
                self.on_list = False
                self.screens += 1
            elif line.startswith("content scale "):
                self.scale = int(line.split()[2].rstrip("x:"))

    def step(self):
        self.follow_log()
        names = [a for a, _ in self.ACTIONS]
        what = self.rng.choices(names, [w for _, w in self.ACTIONS])[0]
        getattr(self, what)()
        self.done[what] = self.done.get(what, 0) + 1
        time.sleep(self.rng.uniform(0.1, 1.2))

    def double(self):
        self.w.click(self.rng.randrange(40, 440), self.rng.randrange(60, 280), repeat=2)

    def back(self):
        """To the list: a double click shows the bar, its back button leaves."""
        if self.on_list:
            return
        self.double()
        time.sleep(0.4)
        self.w.click(30, 16)

    def list_row(self):
        """Scrolls the list somewhere and picks a row shown."""
        self.w.wheel(self.rng.random() < 0.5, self.rng.randrange(0, 6))
        time.sleep(0.2)
        return BAR + ROW // 2 + ROW * self.rng.randrange(ROWS_SHOWN)

    def row(self):
        if self.on_list:
            self.w.click(150, self.list_row())

    def effect(self):
        if self.on_list:
            self.w.click(447, self.list_row())
        else:
            self.back()

    def tap(self):
        self.w.click(self.rng.randrange(480), self.rng.randrange(40, 320))

    def drag(self):
        x, y = self.rng.randrange(40, 440), self.rng.randrange(60, 260)
        dx, dy = self.rng.randrange(-30, 30), self.rng.randrange(-20, 20)
        self.w.drag([(x + k * dx, y + k * dy) for k in range(5)])

    def space(self):
        self.w.key("space")

    def seek(self):
        self.w.key(self.rng.choice(["Left", "Right"]))

    def strip(self):
        self.w.key("F2")

    def strip_drag(self):
        xs = [self.rng.randrange(0, 480) for _ in range(4)]
        self.w.drag([(x, 305) for x in xs])

    def f3(self):
        self.w.key("F3")

    def f11(self):
        self.w.key("F11")

    def resize(self):
        pick = self.rng.random()
        if pick < 0.15:
            w, h = 1, 1
        elif pick < 0.3:
            w, h = SCREEN
        else:
            w, h = int(SCREEN[0] ** self.rng.random()), int(SCREEN[1] ** self.rng.random())
        self.w.xdotool("windowsize", self.w.wid, max(w, 1), max(h, 1))

    def f12(self):
        if not self.on_list:
            self.captures_asked += 1
        self.w.key("F12")

    def help(self):
        self.w.key("F1")

    def wheel(self):
        self.w.wheel(self.rng.random() < 0.5, self.rng.randrange(1, 4))

    def rest(self):
        time.sleep(self.rng.uniform(1, 5))


CACHE_WRITER = re.compile(r"disk\$\d+$")


def thread_names(pid):
    names = []
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/comm") as f:
                names.append(f.read().strip())
        except OSError:
            pass
    return sorted(names)


def gl_counts(path):
    """The fewest objects of each kind over ten readings 20 ms apart: an object
    made and deleted within a frame (a framebuffer to read the frame through)
    is not one the program holds."""
    fewest = {}
    for _ in range(10):
        with open(path, "rb") as f:
            counts = struct.unpack(f"<{len(GL_KINDS) + 1}i", f.read(4 * (len(GL_KINDS) + 1)))
        for kind, n in zip(GL_KINDS, counts):
            fewest[kind] = min(n, fewest.get(kind, n))
        time.sleep(0.02)
    fewest["heap_kb"] = counts[-1]
    return fewest


def main():
    program, library, seconds, out = sys.argv[1], sys.argv[2], float(sys.argv[3]), sys.argv[4]
    seed = int(sys.argv[5]) if len(sys.argv) > 5 else 1
    extra = sys.argv[6:]
    missing = tool_missing()
    if missing:
        print(f"FAIL: {', '.join(missing)} not installed (scripts/setup installs them)")
        return 1
    os.makedirs(out, exist_ok=True)
    label = "window" + "".join("-" + a.lstrip("-") for a in extra)
    failures = []
    work = tempfile.mkdtemp(prefix="quenfold-soak-")
    pictures = os.path.join(work, "pictures")
    log_path, err_path = os.path.join(out, f"{label}-stdout.txt"), os.path.join(out, f"{label}-stderr.txt")
    counts_path = os.path.join(work, "gl-counts")
    figures = Figures(NAMES, os.path.join(out, f"{label}.csv"))
    try:
        with Display() as display:
            env = dict(os.environ, DISPLAY=display.name, SDL_AUDIODRIVER="dummy", XDG_PICTURES_DIR=pictures,
                       LD_PRELOAD=os.path.abspath(library), QUENFOLD_GL_COUNT_FILE=counts_path)
            with open(log_path, "w") as log, open(err_path, "w") as err:
                proc = subprocess.Popen([program, "--dev", *extra], env=env, stdout=log, stderr=err)
            try:
                wid = subprocess.run(["timeout", "60", "xdotool", "search", "--sync", "--name", "^Quenfold$"],
                                     env=env, capture_output=True, text=True).stdout.split()
                if not wid:
                    raise RuntimeError("no window within 60 s")
                user = RestlessUser(Window(display.name, wid[0]), err_path, seed)
                start = time.monotonic()
                user.tour()
                threads = []
                next_sample = start
                while proc.poll() is None:
                    now = time.monotonic()
                    if now >= next_sample:
                        if not user.home():
                            raise RuntimeError(f"the list did not show within two minutes at {now - start:.0f} s")
                        now = time.monotonic()
                        values = {"rss_kb": proc_status(proc.pid, "VmRSS"),
                                  "fds": len(os.listdir(f"/proc/{proc.pid}/fd")),
                                  "xvfb_rss_kb": proc_status(display.server.pid, "VmRSS"),
                                  "captures": len(os.listdir(os.path.join(pictures, "Quenfold")))
                                  if os.path.isdir(os.path.join(pictures, "Quenfold")) else 0,
                                  "screens": user.screens}
                        names = thread_names(proc.pid)
                        writers = sum(1 for n in names if CACHE_WRITER.search(n))
                        values.update(threads=len(names) - writers, cache_writers=writers)
                        values.update(gl_counts(counts_path))
                        figures.add(now - start, values)
                        print(f"{now - start:7.1f} s  " + "  ".join(f"{k} {v}" for k, v in values.items()),
                              flush=True)
                        if names != threads:
                            print(f"threads: {' '.join(names)}", flush=True)
                            threads = names
                        next_sample += SAMPLE_SECONDS
                        if now - start >= seconds:
                            break
                    user.step()
                print(f"actions: {user.done}")
            finally:
                alive = proc.poll() is None
                if alive:
                    proc.send_signal(signal.SIGTERM)
                try:
                    status = proc.wait(timeout=60)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    status = "none: killed after 60 s"
            if not alive:
                failures.append(f"the program ended on its own with status {status}")
            elif status != 0:
                failures.append(f"SIGTERM ended the program with status {status}")
    except RuntimeError as e:
        failures.append(str(e))
    finally:
        figures.close()

    with open(err_path, errors="replace") as f:
        unexpected = [line.rstrip("\n") for line in f if not expected(line.rstrip("\n"))]
    if unexpected:
        failures.append(f"{len(unexpected)} unexpected lines on stderr, first: " + " | ".join(unexpected[:5]))
    if os.path.getsize(log_path):
        failures.append(f"the window wrote to stdout: {open(log_path, errors='replace').readline().strip()}")
    shots = sorted(os.listdir(os.path.join(pictures, "Quenfold"))) if os.path.isdir(
        os.path.join(pictures, "Quenfold")) else []
    with open(err_path, errors="replace") as f:
        saved = [line.split("saved frame to ", 1)[1].rstrip("\n") for line in f if line.startswith("saved frame to ")]
    broken = [f"{s}: {why}" for s in shots for why in [whole_png(os.path.join(pictures, "Quenfold", s))] if why]
    if broken:
        failures.append(f"{len(broken)} of {len(shots)} captures are not whole PNGs: " + "; ".join(broken[:3]))
    if len(saved) != len(shots):
        failures.append(f"{len(saved)} captures logged, {len(shots)} in the folder")
    print(f"captures: {len(shots)} whole PNGs checked ({len(saved)} logged)")
    shutil.rmtree(work, ignore_errors=True)
    return figures.report(os.path.join(out, f"{label}-summary.txt"), failures, BOUNDS)


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))  # stops as Ctrl-C does, cleaning up
    sys.exit(main())
