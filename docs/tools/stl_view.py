"""Draws a binary STL solid as a shaded picture seen from above and aside: a
z-buffer over its triangles, lit from one side. Writes a PNG:

    python3 stl_view.py maze.stl view.png [--size 600]

Needs NumPy; enough for the small solids of the README, not for big ones.
"""

import argparse
import struct
import zlib

import numpy


def triangles(path):
    data = open(path, "rb").read()
    (count,) = struct.unpack_from("<I", data, 80)
    records = numpy.frombuffer(data, dtype=numpy.dtype([("normal", "<f4", 3),
                                                          ("corners", "<f4", (3, 3)),
                                                          ("spare", "<u2")]),
                               count=count, offset=84)
    return records["corners"].astype(numpy.float64)


def view(corners, size):
    # Turned a quarter to the side about the upright, then tipped towards the viewer.
    turn, tip = numpy.radians(-30), numpy.radians(-50)
    spin = numpy.array([[numpy.cos(turn), -numpy.sin(turn), 0],
                        [numpy.sin(turn), numpy.cos(turn), 0], [0, 0, 1]])
    lean = numpy.array([[1, 0, 0], [0, numpy.cos(tip), -numpy.sin(tip)],
                        [0, numpy.sin(tip), numpy.cos(tip)]])
    seen = corners @ spin.T @ lean.T
    low = seen.reshape(-1, 3).min(axis=0)
    high = seen.reshape(-1, 3).max(axis=0)
    scale = (size - 20) / max(high[0] - low[0], high[1] - low[1])
    x = (seen[..., 0] - low[0]) * scale + 10
    y = (high[1] - seen[..., 1]) * scale + 10
    depth = seen[..., 2]
    width, height = size, int((high[1] - low[1]) * scale) + 20
    normals = numpy.cross(corners[:, 1] - corners[:, 0], corners[:, 2] - corners[:, 0])
    normals /= numpy.linalg.norm(normals, axis=1, keepdims=True)
    light = numpy.array([-0.4, -0.6, 0.7])
    light /= numpy.linalg.norm(light)
    shade = 0.35 + 0.65 * numpy.clip(normals @ light, 0, 1)
    # The walls' tops pale, the floor warm, the walls' sides blue by the light.
    heights = corners[..., 2]
    flat = heights.max(axis=1) == heights.min(axis=1)
    top = heights.max()
    colours = numpy.where((flat & (heights[:, 0] == top))[:, None], [[225, 232, 245]],
                          numpy.where(flat[:, None], [[235, 215, 170]], [[70, 120, 190]]))
    picture = numpy.full((height, width, 3), 255, numpy.uint8)
    nearest = numpy.full((height, width), -numpy.inf)
    for t in range(len(corners)):
        xs, ys, zs = x[t], y[t], depth[t]
        left, right = int(max(0, xs.min())), int(min(width - 1, xs.max())) + 1
        top, bottom = int(max(0, ys.min())), int(min(height - 1, ys.max())) + 1
        if left >= right or top >= bottom:
            continue
        px, py = numpy.meshgrid(numpy.arange(left, right) + 0.5, numpy.arange(top, bottom) + 0.5)
        area = (xs[1] - xs[0]) * (ys[2] - ys[0]) - (xs[2] - xs[0]) * (ys[1] - ys[0])
        if abs(area) < 1e-12:
            continue
        w0 = ((xs[1] - px) * (ys[2] - py) - (xs[2] - px) * (ys[1] - py)) / area
        w1 = ((xs[2] - px) * (ys[0] - py) - (xs[0] - px) * (ys[2] - py)) / area
        w2 = 1 - w0 - w1
        inside = (w0 >= 0) & (w1 >= 0) & (w2 >= 0)
        z = w0 * zs[0] + w1 * zs[1] + w2 * zs[2]
        window = nearest[top:bottom, left:right]
        closer = inside & (z > window)
        window[closer] = z[closer]
        picture[top:bottom, left:right][closer] = (colours[t] * shade[t]).astype(numpy.uint8)
    return picture


def png(picture):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    height, width, _ = picture.shape
    raw = b"".join(b"\0" + picture[row].tobytes() for row in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("stl")
    parser.add_argument("png")
    parser.add_argument("--size", type=int, default=600)
    arguments = parser.parse_args()
    with open(arguments.png, "wb") as out:
        out.write(png(view(triangles(arguments.stl), arguments.size)))


if __name__ == "__main__":
    main()
