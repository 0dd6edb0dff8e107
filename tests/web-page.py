#!/usr/bin/env python3
"""Builds the page, serves it on 127.0.0.1 and drives headless Chromium through
WebDriver: the demo's picture against the desktop's headless frame at the same
time, the music playing, one gallery effect drawing, and a clean browser log.
Usage: web-page.py SOURCE_DIR BUILD_DIR"""
import functools
import http.server
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time
import urllib.request

SKIP = 77
FLAGS = ["--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
         "--autoplay-policy=no-user-gesture-required", "--window-size=1000,760"]
GRID = (16, 16)  # blocks compared across the 480x320 picture

# Mean colour of each block of the canvas, row by row, as [r, g, b] in 0..255.
CANVAS_BLOCKS = """
const [gw, gh] = arguments;
const src = document.getElementById('canvas');
const c = document.createElement('canvas');
c.width = 480; c.height = 320;
const g = c.getContext('2d');
g.drawImage(src, 0, 0, 480, 320);
const d = g.getImageData(0, 0, 480, 320).data;
const out = [];
for (let by = 0; by < gh; ++by) for (let bx = 0; bx < gw; ++bx) {
  const s = [0, 0, 0]; let n = 0;
  for (let y = by * 320 / gh; y < (by + 1) * 320 / gh; ++y)
    for (let x = bx * 480 / gw; x < (bx + 1) * 480 / gw; ++x, ++n)
      for (let k = 0; k < 3; ++k) s[k] += d[(y * 480 + x) * 4 + k];
  out.push(s.map(v => v / n));
}
return {time: Module._quenfold_time(), blocks: out};
"""


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def png_blocks(path):
    raw = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-f", "rawvideo", "-pix_fmt", "rgb24", "-"],
                         check=True, capture_output=True).stdout
    gw, gh = GRID
    out = []
    for by in range(gh):
        for bx in range(gw):
            s = [0, 0, 0]
            n = 0
            for y in range(by * 320 // gh, (by + 1) * 320 // gh):
                row = raw[(y * 480 + bx * 480 // gw) * 3:(y * 480 + (bx + 1) * 480 // gw) * 3]
                for k in range(3):
                    s[k] += sum(row[k::3])
                n += len(row) // 3
            out.append([v / n for v in s])
    return out


def difference(a, b):
    return sum(abs(x - y) for pa, pb in zip(a, b) for x, y in zip(pa, pb)) / (3 * len(a))


def spread(blocks):
    lum = [sum(p) / 3 for p in blocks]
    mean = sum(lum) / len(lum)
    return (sum((v - mean) ** 2 for v in lum) / len(lum)) ** 0.5


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class Driver:
    def __init__(self, port):
        self.base = f"http://127.0.0.1:{port}"
        caps = {"capabilities": {"alwaysMatch": {
            "browserName": "chrome",
            "goog:chromeOptions": {"binary": shutil.which("chromium"), "args": FLAGS},
            "goog:loggingPrefs": {"browser": "ALL"}}}}
        self.session = self.call("POST", "/session", caps)["sessionId"]

    def call(self, method, path, body=None):
        data = json.dumps(body if body is not None else {}).encode() if method == "POST" else None
        req = urllib.request.Request(self.base + path, data=data, method=method,
                                     headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(req, timeout=120) as r:
                return json.loads(r.read())["value"]
        except urllib.error.HTTPError as e:
            raise RuntimeError(f"WebDriver {path}: {e.read().decode()[:400]}") from None

    def s(self, method, path, body=None):
        return self.call(method, f"/session/{self.session}{path}", body)

    def run(self, script, *args):
        return self.s("POST", "/execute/sync", {"script": script, "args": list(args)})

    def click(self, css):
        found = self.s("POST", "/element", {"using": "css selector", "value": css})
        self.s("POST", f"/element/{next(iter(found.values()))}/click")

    def wait_for(self, script, seconds, what):
        end = time.time() + seconds
        while time.time() < end:
            if self.run(script):
                return
            time.sleep(0.2)
        raise AssertionError(f"timed out waiting for {what}")

    def taps(self, css, *gaps):
        """Clicks the middle of an element, once more after each gap (seconds)."""
        found = self.s("POST", "/element", {"using": "css selector", "value": css})
        origin = {"element-6066-11e4-a52e-4f735466cecf": next(iter(found.values()))}
        actions = [{"type": "pointerMove", "x": 0, "y": 0, "origin": origin},
                   {"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0}]
        for gap in gaps:
            actions += [{"type": "pause", "duration": int(gap * 1000)},
                        {"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0}]
        self.s("POST", "/actions", {"actions": [{"type": "pointer", "id": "mouse",
                                                 "parameters": {"pointerType": "mouse"}, "actions": actions}]})
        self.s("DELETE", "/actions")

    def log(self):
        return self.s("POST", "/se/log", {"type": "browser"})

    def quit(self):
        self.call("DELETE", f"/session/{self.session}")


def main():
    source, build = sys.argv[1], sys.argv[2]
    missing = [t for t in ("emcc", "chromium", "chromedriver", "ffmpeg") if not shutil.which(t)]
    if missing:
        print(f"SKIP: {', '.join(missing)} not installed (scripts/setup installs them)")
        return SKIP
    subprocess.run([os.path.join(source, "scripts", "web"), "--build-only"], cwd=source, check=True)
    site = os.path.join(source, "build-web")
    print(f"page: {sum(os.path.getsize(os.path.join(dp, f)) for dp, _, fs in os.walk(site) for f in fs if f.endswith(('.html', '.js', '.wasm', '.data', '.mp3')))} bytes")

    handler = functools.partial(QuietHandler, directory=site)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    page = f"http://127.0.0.1:{server.server_address[1]}/"

    port = free_port()
    driver_proc = subprocess.Popen(["chromedriver", f"--port={port}"], stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
    driver = None
    try:
        for _ in range(50):
            try:
                urllib.request.urlopen(f"http://127.0.0.1:{port}/status", timeout=1)
                break
            except OSError:
                time.sleep(0.1)
        try:
            driver = Driver(port)
        except (RuntimeError, OSError) as e:
            print(f"SKIP: the browser cannot start: {e}")
            return SKIP
        return check(driver, page, build)
    finally:
        if driver:
            driver.quit()
        driver_proc.terminate()
        driver_proc.wait()
        server.shutdown()


def check(d, page, build):
    d.s("POST", "/url", {"url": page})
    d.wait_for("return document.getElementById('start').textContent == 'click to start'", 60, "the page")
    d.click("#start")
    d.wait_for("return Module._quenfold_time() > 4", 60, "the demo to run 4 s")
    shot = d.run(CANVAS_BLOCKS, *GRID)
    playing = d.run("const m = document.getElementById('music');"
                    "return [m.paused, m.currentTime, decodeURIComponent(m.src), Module._quenfold_time()];")
    fps = d.s("POST", "/execute/async", {"script": """
        const done = arguments[0]; let n = 0; const t0 = performance.now();
        function tick() { ++n; if (performance.now() - t0 < 3000) requestAnimationFrame(tick);
                          else done(n * 1000 / (performance.now() - t0)); }
        requestAnimationFrame(tick);""", "args": []})
    print(f"frame rate in headless Chromium: {fps:.1f} fps")

    with tempfile.TemporaryDirectory() as out:
        t = shot["time"]
        subprocess.run([os.path.join(build, "quenfold-render"), "--demo", "--times", f"{t:.2f}", "--out", out],
                       check=True, capture_output=True)
        desktop = png_blocks(os.path.join(out, f"demo-{t:.2f}.png"))
    diff = difference(shot["blocks"], desktop)
    print(f"music at {playing[1]:.2f} s with the demo at {playing[3]:.2f} s")
    print(f"demo at {t:.2f} s: mean block difference {diff:.1f} of 255, spread {spread(desktop):.1f}")
    failures = []
    if spread(desktop) < 8:
        failures.append("the desktop frame is too plain to compare")
    if diff > 12:
        failures.append(f"the page's picture differs from the desktop's by {diff:.1f}")
    if playing[0] or playing[1] < 1 or not playing[2].endswith(".mp3"):
        failures.append(f"the music is not playing: {playing}")
    elif abs(playing[1] - playing[3]) > 0.5:
        failures.append(f"music at {playing[1]:.2f} s, demo at {playing[3]:.2f} s")

    failures += check_full_screen(d)

    d.run("document.getElementById('gallery').click();")
    name = d.run("return document.querySelector('#fx button[data-effect=\"QuadLand2\"]') ? 'QuadLand2'"
                 " : document.querySelector('#fx button').dataset.effect;")
    d.click(f'#fx button[data-effect="{name}"]')
    time.sleep(2)
    first = d.run(CANVAS_BLOCKS, *GRID)
    time.sleep(1)
    second = d.run(CANVAS_BLOCKS, *GRID)
    print(f"effect {name}: spread {spread(second['blocks']):.1f}, change over 1 s {difference(first['blocks'], second['blocks']):.1f}")
    if d.run("return document.getElementById('title').textContent") != f"Quenfold: {name}":
        failures.append(f"{name} did not open")
    if spread(second["blocks"]) < 4 or second["time"] <= first["time"] or second["time"] > 30:
        failures.append(f"{name} does not draw on its own clock")
    if d.run("return document.getElementById('music').paused") is not True:
        failures.append("the music goes on under an effect alone")

    log = d.log()
    errors = d.run("return window.quenfoldErrors")
    bad = [e["message"] for e in log if e["level"] == "SEVERE" or
           any(k in e["message"] for k in ("GL error", "OpenGL error", "WebGL:"))] + errors
    if bad:
        failures.append("browser log: " + " | ".join(bad[:8]))
    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


def check_full_screen(d):
    """The button fills the screen with the picture alone; a double click (two presses
    under 0.3 s apart, not two 0.5 s apart) brings the bar back, whose button leaves."""
    state = "const r = document.getElementById('canvas').getBoundingClientRect();" \
            "return [document.fullscreenElement !== null, document.body.classList.contains('bare')," \
            " Math.round(r.width) == innerWidth && Math.round(r.height) == innerHeight];"
    failures = []
    d.click("#full")
    d.wait_for("return document.fullscreenElement !== null", 10, "full screen")
    if d.run(state) != [True, True, True]:
        failures.append(f"full screen shows more than the picture: {d.run(state)}")
    d.taps("#canvas", 0.5)
    if d.run(state)[1] is not True:
        failures.append("two clicks 0.5 s apart toggled the bar")
    time.sleep(0.5)  # the next click must not pair with the last one
    d.taps("#canvas", 0.05)
    if d.run(state)[1] is not False:
        failures.append("a double click did not bring the bar back")
        return failures
    d.click("#full")
    d.wait_for("return document.fullscreenElement === null", 10, "leaving full screen")
    if d.run(state)[:2] != [False, False]:
        failures.append(f"leaving full screen did not show the page again: {d.run(state)}")
    print("full screen: entered, double click shows the bar, left")
    return failures


if __name__ == "__main__":
    sys.exit(main())
