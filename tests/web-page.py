#!/usr/bin/env python3
"""Builds the page, serves it on 127.0.0.1 and drives headless Chromium through
WebDriver: the demo's picture against the desktop's headless frame at the same
time, the music playing, one gallery effect drawing, and a clean browser log;
then, on a screen of twice the density, the page drawing at twice the pixels.
Usage: web-page.py SOURCE_DIR BUILD_DIR"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from webdriver import ChromeDriver, Driver, serve

SKIP = 77
FLAGS = ["--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
         "--autoplay-policy=no-user-gesture-required", "--window-size=700,600"]
# The canvas in that window is 700 CSS pixels wide and over 320 high: 1x at
# pixel ratio 1, 2x at ratio 2 (3x would need 720 by 480).
GRID = (16, 16)  # blocks compared across the picture

# Mean colour of each block of the canvas, row by row, as [r, g, b] in 0..255,
# read back at its backing store's size.
CANVAS_BLOCKS = """
const [gw, gh] = arguments;
const src = document.getElementById('canvas');
const w = src.width, h = src.height;
const c = document.createElement('canvas');
c.width = w; c.height = h;
const g = c.getContext('2d');
g.drawImage(src, 0, 0);
const d = g.getImageData(0, 0, w, h).data;
const out = [];
for (let by = 0; by < gh; ++by) for (let bx = 0; bx < gw; ++bx) {
  const s = [0, 0, 0]; let n = 0;
  for (let y = by * h / gh; y < (by + 1) * h / gh; ++y)
    for (let x = bx * w / gw; x < (bx + 1) * w / gw; ++x, ++n)
      for (let k = 0; k < 3; ++k) s[k] += d[(y * w + x) * 4 + k];
  out.push(s.map(v => v / n));
}
return {time: Module._quenfold_time(), size: [w, h], blocks: out};
"""


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


def main():
    source, build = sys.argv[1], sys.argv[2]
    missing = [t for t in ("emcc", "chromium", "chromedriver", "ffmpeg") if not shutil.which(t)]
    if missing:
        print(f"SKIP: {', '.join(missing)} not installed (scripts/setup installs them)")
        return SKIP
    subprocess.run([os.path.join(source, "scripts", "web"), "--build-only"], cwd=source, check=True)
    site = os.path.join(source, "build-web")
    print(f"page: {sum(os.path.getsize(os.path.join(dp, f)) for dp, _, fs in os.walk(site) for f in fs if f.endswith(('.html', '.js', '.wasm', '.data', '.mp3')))} bytes")
    for scale in (2, 4):
        package = os.path.join(site, f"quenfold-{scale}x.data")
        print(f"pictures for {scale}x: {os.path.getsize(package)} bytes, fetched only at that scale")

    server, page = serve(site)
    failures = []
    try:
        with ChromeDriver() as chrome:
            for ratio, checks in ((1, check), (2, check_twice_the_density)):
                try:
                    driver = Driver(chrome.port, FLAGS + [f"--force-device-scale-factor={ratio}"])
                except (RuntimeError, OSError) as e:
                    print(f"SKIP: the browser cannot start: {e}")
                    return SKIP
                try:
                    failures += checks(driver, page, build)
                finally:
                    driver.quit()
    finally:
        server.shutdown()
    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


def start_demo(d, page):
    """Opens the page, starts the demo and lets it run 4 s; the content scales it printed."""
    d.s("POST", "/url", {"url": page})
    d.wait_for("return document.getElementById('start').textContent == 'click to start'", 60, "the page")
    d.click("#start")
    d.wait_for("return Module._quenfold_time() > 4", 60, "the demo to run 4 s")
    return [int(m.group(1)) for e in d.log() for m in [re.search(r"content scale (\d+)x", e["message"])] if m]


def scale_packages(d):
    """The packages of scaled pictures the page fetched, and the program's lines about missing ones."""
    fetched = d.run("return performance.getEntriesByType('resource').map(function (e) { return e.name; });")
    names = sorted(os.path.basename(n) for n in fetched if re.search(r"quenfold-\dx\.data$", n))
    missing = [e["message"] for e in d.log() if "is read instead" in e["message"]]
    return names, missing


def against_desktop(shot, build):
    """The mean block difference of a picture of the demo from the desktop's
    headless frame at the same time, and that frame's spread."""
    with tempfile.TemporaryDirectory() as out:
        t = shot["time"]
        subprocess.run([os.path.join(build, "quenfold-render"), "--demo", "--times", f"{t:.2f}", "--out", out],
                       check=True, capture_output=True)
        desktop = png_blocks(os.path.join(out, f"demo-{t:.2f}.png"))
    return difference(shot["blocks"], desktop), spread(desktop)


def check_twice_the_density(d, page, build):
    """At device pixel ratio 2 the page draws the frame at 2x: a 960x640 backing
    store showing the demo as the desktop draws it."""
    scales = start_demo(d, page)
    shot = d.run(CANVAS_BLOCKS, *GRID)
    diff, desktop_spread = against_desktop(shot, build)
    print(f"pixel ratio 2: content scales printed {scales}, canvas {shot['size']}, demo at {shot['time']:.2f} s: "
          f"mean block difference {diff:.1f} of 255")
    failures = []
    if scales != [2]:
        failures.append(f"at pixel ratio 2 the page printed content scales {scales}, not 2 once")
    packages, missing = scale_packages(d)
    if packages != ["quenfold-2x.data"] or missing:
        failures.append(f"at 2x the page fetched {packages} (only quenfold-2x.data wanted), and logged {missing}")
    if shot["size"] != [960, 640]:
        failures.append(f"at pixel ratio 2 the canvas is {shot['size']}, not 960x640")
    if desktop_spread < 8 or diff > 12:
        failures.append(f"at 2x the page's picture differs from the desktop's by {diff:.1f}")
    return failures + log_failures(d)


def check(d, page, build):
    scales = start_demo(d, page)
    shot = d.run(CANVAS_BLOCKS, *GRID)
    playing = d.run("const m = document.getElementById('music');"
                    "return [m.paused, m.currentTime, decodeURIComponent(m.src), Module._quenfold_time()];")
    fps = d.s("POST", "/execute/async", {"script": """
        const done = arguments[0]; let n = 0; const t0 = performance.now();
        function tick() { ++n; if (performance.now() - t0 < 3000) requestAnimationFrame(tick);
                          else done(n * 1000 / (performance.now() - t0)); }
        requestAnimationFrame(tick);""", "args": []})
    print(f"frame rate in headless Chromium: {fps:.1f} fps")

    diff, desktop_spread = against_desktop(shot, build)
    print(f"music at {playing[1]:.2f} s with the demo at {playing[3]:.2f} s")
    print(f"demo at {shot['time']:.2f} s: mean block difference {diff:.1f} of 255, spread {desktop_spread:.1f}")
    failures = []
    if scales != [1] or shot["size"] != [480, 320]:
        failures.append(f"at pixel ratio 1 in a small window the page printed {scales}, canvas {shot['size']}")
    packages, missing = scale_packages(d)
    if packages or missing:
        failures.append(f"at 1x the page fetched {packages} and logged {missing}: no scaled pictures wanted")
    if desktop_spread < 8:
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
    return failures + log_failures(d)


def log_failures(d):
    """Errors in the browser's log since it was last read, and uncaught ones."""
    errors = d.run("return window.quenfoldErrors")
    bad = [e["message"] for e in d.log() if e["level"] == "SEVERE" or
           any(k in e["message"] for k in ("GL error", "OpenGL error", "WebGL:"))] + errors
    return ["browser log: " + " | ".join(bad[:8])] if bad else []


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
