#!/usr/bin/env python3
"""Compares a dump of the window (xwd) with the frame (PNG, of the size
given) it should show letterboxed: the picture in the largest centred 3:2 rect, black bars
around it. Both are averaged over a 48x32 grid of blocks (the window scales
the frame with its own filter); prints the mean and largest block difference
and exits 1 when the picture or the bars do not match."""
import subprocess
import sys

GRID_W, GRID_H = 48, 32


def raw(path):
    """RGB bytes, width, height of an image ffmpeg reads."""
    probe = subprocess.run(["ffprobe", "-v", "error", "-select_streams", "v:0", "-show_entries",
                            "stream=width,height", "-of", "csv=p=0", path],
                           capture_output=True, text=True, check=True).stdout.strip()
    w, h = (int(v) for v in probe.split(",")[:2])
    data = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-f", "rawvideo", "-pix_fmt", "rgb24", "-"],
                          capture_output=True, check=True).stdout
    return data, w, h


def blocks(data, stride, x0, y0, w, h):
    """Mean RGB of each grid block of the w x h region at (x0, y0)."""
    out = []
    for by in range(GRID_H):
        ya, yb = y0 + by * h // GRID_H, y0 + (by + 1) * h // GRID_H
        for bx in range(GRID_W):
            xa, xb = x0 + bx * w // GRID_W, x0 + (bx + 1) * w // GRID_W
            n = (xb - xa) * (yb - ya)
            sums = [0, 0, 0]
            for y in range(ya, yb):
                row = data[(y * stride + xa) * 3:(y * stride + xb) * 3]
                for c in range(3):
                    sums[c] += sum(row[c::3])
            out.append([s / n for s in sums])
    return out


def fit(w, h):
    if w * 320 > h * 480:
        rw, rh = h * 480 // 320, h
    else:
        rw, rh = w, w * 320 // 480
    return (w - rw) // 2, (h - rh) // 2, rw, rh


def main():
    window, frame, size = sys.argv[1], sys.argv[2], sys.argv[3]
    wdata, ww, wh = raw(window)
    fdata, fw, fh = raw(frame)
    if f"{fw}x{fh}" != size:
        print(f"the frame is {fw}x{fh}, not {size}")
        sys.exit(1)
    x, y, rw, rh = fit(ww, wh)
    # The bars: every pixel outside the picture black.
    lit = 0
    for py in range(wh):
        row = wdata[py * ww * 3:(py + 1) * ww * 3]
        inside = y <= py < y + rh
        spans = [(0, x), (x + rw, ww)] if inside else [(0, ww)]
        for a, b in spans:
            lit += sum(1 for v in row[a * 3:b * 3] if v > 8)
    shown = blocks(wdata, ww, x, y, rw, rh)
    wanted = blocks(fdata, fw, 0, 0, fw, fh)
    diffs = [max(abs(a - b) for a, b in zip(s, t)) for s, t in zip(shown, wanted)]
    mean = sum(diffs) / len(diffs)
    spread = max(max(t) for t in wanted) - min(min(t) for t in wanted)
    print(f"window {ww}x{wh}, picture {rw}x{rh} at {x},{y}, frame {fw}x{fh}: "
          f"block difference mean {mean:.2f} largest {max(diffs):.1f}; bar values lit {lit}; frame spread {spread:.0f}")
    ok = lit == 0 and mean <= 1.5 and max(diffs) <= 12 and spread >= 60
    sys.exit(0 if ok else 1)


main()
