#!/usr/bin/env python3
"""Holds the page in headless Chromium for a given time under a restless user
(the demo, the Fx list, effects alone, full screen, double clicks, taps and
drags on the picture). Every 10 s the user opens the demo again and, once it
runs, the page's JavaScript heap after a collection, the WebAssembly memory,
the GL objects alive in the page's tables, the page's elements and the
browser's resident size are recorded: the same screen each time, so they stay
the same unless something is kept from the screens before. At the end the
figures after the first minute must stay flat and the browser's log hold no
error.
Usage: page-soak.py SITE_DIR SECONDS OUT_DIR [SEED]
(SITE_DIR: build-web/, as scripts/web builds it)"""
import os
import random
import signal
import sys
import time

from soakfigures import Figures
from webdriver import ChromeDriver, Driver, serve

SAMPLE_SECONDS = 10
FLAGS = ["--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
         "--autoplay-policy=no-user-gesture-required", "--window-size=700,600",
         "--enable-precise-memory-info"]
# Growth allowed from the early to the late median (see Figures.growth): the heap
# after the inspector's collection holds the page's live objects only (a plain
# gc() keeps the engine's caches of the scripts the driver sends, which grow by
# tens of kB a minute and go at that collection); WebAssembly
# memory never shrinks, so any growth is a new high; the GL tables hold exactly
# what the page made and did not delete.
BOUNDS = {"js_heap_kb": 1024, "wasm_memory_kb": 0, "gl_textures": 0, "gl_buffers": 0, "gl_programs": 0,
          "gl_shaders": 0, "gl_framebuffers": 0, "gl_renderbuffers": 0, "elements": 0,
          "renderer_rss_kb": 32 * 1024}
NAMES = ["demo_time", "js_heap_kb", "wasm_memory_kb", "gl_textures", "gl_buffers", "gl_programs", "gl_shaders",
         "gl_framebuffers", "gl_renderbuffers", "elements", "renderer_rss_kb", "gpu_rss_kb", "browser_rss_kb"]

SAMPLE = """
const live = a => a ? a.filter(x => x).length : -1;
const kb = n => Math.round(n / 1024);
return {demo_time: Math.round(Module._quenfold_time() * 10) / 10,
        js_heap_kb: kb(performance.memory.usedJSHeapSize),
        wasm_memory_kb: kb(wasmMemory.buffer.byteLength),
        gl_textures: live(GL.textures), gl_buffers: live(GL.buffers), gl_programs: live(GL.programs),
        gl_shaders: live(GL.shaders), gl_framebuffers: live(GL.framebuffers),
        gl_renderbuffers: live(GL.renderbuffers),
        elements: document.getElementsByTagName('*').length};
"""
STATE = "return [document.body.classList.contains('bare'), document.getElementById('fx').classList.contains('hidden')," \
        " document.fullscreenElement !== null, document.querySelectorAll('#fx button').length];"


def descendants(root):
    """Pids of the processes under root."""
    parents = {}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/stat") as f:
                parents[int(pid)] = int(f.read().rsplit(")", 1)[1].split()[1])
        except (OSError, IndexError, ValueError):
            pass
    found, frontier = [], [root]
    while frontier:
        p = frontier.pop()
        children = [c for c, parent in parents.items() if parent == p]
        found += children
        frontier += children
    return found


def resident_kb(pid):
    try:
        with open(f"/proc/{pid}/status") as f:
            return next(int(line.split()[1]) for line in f if line.startswith("VmRSS:"))
    except (OSError, StopIteration):
        return 0


def browser_memory(chromedriver_pid):
    """Resident kB of the page's renderer, of the GPU process and of all the browser's processes."""
    out = {"renderer_rss_kb": 0, "gpu_rss_kb": 0, "browser_rss_kb": 0}
    for pid in descendants(chromedriver_pid):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                cmd = f.read().replace(b"\0", b" ")  # Chromium rewrites its processes' titles
        except OSError:
            continue
        if b"chrom" not in cmd.split(b" ")[0]:
            continue
        rss = resident_kb(pid)
        out["browser_rss_kb"] += rss
        if b"--type=renderer" in cmd and b"--extension-process" not in cmd:
            out["renderer_rss_kb"] = max(out["renderer_rss_kb"], rss)
        if b"--type=gpu-process" in cmd:
            out["gpu_rss_kb"] += rss
    return out


class RestlessUser:
    def __init__(self, d, seed):
        self.d = d
        self.rng = random.Random(seed)
        self.done = {}
        self.refused = []

    def state(self):
        bare, hidden, full, effects = self.d.run(STATE)
        return bare, hidden, full, effects

    def bar(self):
        """Shows the bar (a double click) if the picture is alone."""
        if self.state()[0]:
            self.d.taps("#canvas", 0.05)

    def step(self):
        actions = [("effect", 5), ("demo", 2), ("list", 2), ("full", 2), ("double", 2), ("tap", 2), ("drag", 3),
                   ("wait", 2)]
        what = self.rng.choices([a for a, _ in actions], [w for _, w in actions])[0]
        try:
            getattr(self, what)()
            self.done[what] = self.done.get(what, 0) + 1
        except (RuntimeError, OSError, StopIteration) as e:
            self.refused.append(f"{what}: {str(e)[:200]}")
            print(f"refused: {self.refused[-1]}", flush=True)

    def effect(self):
        self.bar()
        if self.state()[1]:
            self.d.click("#gallery")
        count = self.state()[3]
        self.d.click(f"#fx li:nth-child({self.rng.randrange(count) + 1}) button")

    def demo(self):
        self.bar()
        self.d.click("#demo")

    def list(self):
        self.bar()
        self.d.click("#gallery")

    def full(self):
        self.d.key("f")

    def double(self):
        self.d.taps("#canvas", 0.05)

    def tap(self):
        self.d.taps("#canvas")

    def drag(self):
        x, y = self.rng.randrange(-150, 150), self.rng.randrange(-100, 100)
        moves = [{"type": "pointerMove", "duration": 100, "x": x + k * 20, "y": y + k * 10,
                  "origin": self.d.origin("#canvas")} for k in range(6)]
        self.d.pointer(moves[:1] + [{"type": "pointerDown", "button": 0}] + moves[1:] +
                       [{"type": "pointerUp", "button": 0}])

    def wait(self):
        time.sleep(self.rng.uniform(1, 4))


def sample(d, chromedriver_pid):
    """Opens the demo again and records the figures once it runs; the browser's
    console messages are dropped first (the inspector keeps the last thousand)."""
    d.run("document.body.classList.remove('bare'); document.getElementById('demo').click();")
    d.wait_for("return Module._quenfold_time() > 0.2 && Module._quenfold_time() < 30", 120, "the demo again")
    d.s("POST", "/goog/cdp/execute", {"cmd": "Runtime.discardConsoleEntries", "params": {}})
    d.s("POST", "/goog/cdp/execute", {"cmd": "HeapProfiler.collectGarbage", "params": {}})
    values = d.run(SAMPLE)
    values.update(browser_memory(chromedriver_pid))
    return values


def errors_in(entries):
    return [e["message"] for e in entries if e["level"] == "SEVERE" or
            any(k in e["message"] for k in ("GL error", "OpenGL error", "WebGL:"))]


def main():
    site, seconds, out = sys.argv[1], float(sys.argv[2]), sys.argv[3]
    seed = int(sys.argv[4]) if len(sys.argv) > 4 else 1
    os.makedirs(out, exist_ok=True)
    server, page = serve(site)
    failures = []
    figures = Figures(NAMES, os.path.join(out, "page.csv"))
    try:
        with ChromeDriver() as chrome:
            d = Driver(chrome.port, FLAGS)
            try:
                d.s("POST", "/url", {"url": page})
                d.wait_for("return document.getElementById('start').textContent == 'click to start'", 120, "the page")
                d.click("#start")
                d.wait_for("return Module._quenfold_time() > 1", 120, "the demo to run")
                user = RestlessUser(d, seed)
                bad = []
                start = time.monotonic()
                next_sample = start
                while True:
                    now = time.monotonic()
                    if now >= next_sample:
                        bad += errors_in(d.s("POST", "/se/log", {"type": "browser"}))
                        values = sample(d, chrome.process.pid)
                        figures.add(now - start, values)
                        print(f"{now - start:7.1f} s  {values}", flush=True)
                        next_sample += SAMPLE_SECONDS
                        if now - start >= seconds:
                            break
                    user.step()
                bad += errors_in(d.s("POST", "/se/log", {"type": "browser"})) + d.run("return window.quenfoldErrors")
                if bad:
                    failures.append(f"browser log: {len(bad)} errors, first: " + " | ".join(bad[:5]))
                print(f"actions: {user.done}")
                print(f"actions refused: {len(user.refused)}" + "".join(f"\n  {r}" for r in user.refused[:10]))
            finally:
                d.quit()
    finally:
        server.shutdown()
        figures.close()
    return figures.report(os.path.join(out, "page-summary.txt"), failures, BOUNDS)


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))  # stops as Ctrl-C does, cleaning up
    sys.exit(main())
