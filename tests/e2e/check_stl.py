#!/usr/bin/env python3
"""Checks a binary STL solid as a printer's slicer needs it, apart from the
writer's own code: a binary header, a count that matches the length, every
edge shared by two triangles wound opposite ways, stored normals that agree
with the winding, no triangle without area, one shell, a positive volume and
the bounding box of the given size.

Usage: check_stl.py FILE WIDTH_MM DEPTH_MM HEIGHT_MM [TOLERANCE_MM]

Prints a line of what it found and exits 0, or what is wrong and exits 1.
The tolerance on the box is 0.001 mm unless given.
"""

import math
import struct
import sys

USAGE = "usage: check_stl.py FILE WIDTH_MM DEPTH_MM HEIGHT_MM [TOLERANCE_MM]"


def read_triangles(data, faults):
    if len(data) < 84:
        faults.append(f"only {len(data)} bytes")
        return []
    if data[:5] == b"solid":
        faults.append('the header starts with "solid", as a text STL does')
    (count,) = struct.unpack_from("<I", data, 80)
    if len(data) != 84 + 50 * count:
        faults.append(f"{len(data)} bytes for {count} triangles")
    triangles = []
    for at in range(84, min(len(data), 84 + 50 * count) - 49, 50):
        values = struct.unpack_from("<12f", data, at)
        keys = [data[at + 12 + 12 * k : at + 24 + 12 * k] for k in range(3)]
        corners = [values[3 + 3 * k : 6 + 3 * k] for k in range(3)]
        triangles.append((values[:3], corners, keys))
    return triangles


def cross(u, v):
    return (u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0])


def minus(a, b):
    return tuple(x - y for x, y in zip(a, b))


def check_facets(triangles, faults):
    volume = 0.0
    for index, (normal, (a, b, c), _) in enumerate(triangles):
        turned = cross(minus(b, a), minus(c, a))
        length = math.sqrt(sum(x * x for x in turned))
        if length == 0:
            faults.append(f"triangle {index} has no area")
        elif sum(x * y for x, y in zip(normal, turned)) / length < 0.99:
            faults.append(f"triangle {index}'s normal disagrees with its winding")
        volume += sum(x * y for x, y in zip(a, cross(b, c))) / 6
    return volume


def count_shells(triangles, faults):
    edges = {}
    for index, (_, _, keys) in enumerate(triangles):
        for k in range(3):
            edges.setdefault((keys[k], keys[(k + 1) % 3]), []).append(index)
    parent = list(range(len(triangles)))

    def root(at):
        while parent[at] != at:
            parent[at] = parent[parent[at]]
            at = parent[at]
        return at

    for (start, end), users in edges.items():
        back = edges.get((end, start), [])
        if len(users) != 1 or len(back) != 1:
            faults.append(
                f"an edge of triangle {users[0]} is used {len(users)} times one way "
                f"and {len(back)} the other"
            )
        else:
            parent[root(users[0])] = root(back[0])
    return sum(1 for at in range(len(parent)) if root(at) == at)


def main(argv):
    if len(argv) not in (5, 6):
        print(USAGE, file=sys.stderr)
        return 2
    with open(argv[1], "rb") as stl:
        data = stl.read()
    wanted = [float(size) for size in argv[2:5]]
    tolerance = float(argv[5]) if len(argv) == 6 else 1e-3
    faults = []
    triangles = read_triangles(data, faults)
    volume = check_facets(triangles, faults)
    shells = count_shells(triangles, faults)
    if shells != 1:
        faults.append(f"{shells} shells")
    if volume <= 0:
        faults.append(f"a volume of {volume:g} mm^3")
    corners = [corner for _, three, _ in triangles for corner in three] or [(0, 0, 0)]
    size = [max(c[k] for c in corners) - min(c[k] for c in corners) for k in range(3)]
    if any(abs(got - want) > tolerance for got, want in zip(size, wanted)):
        faults.append("a box of %g x %g x %g mm, not %g x %g x %g" % (*size, *wanted))
    if faults:
        print(f"{argv[1]}: " + "; ".join(faults[:5]) + ("; ..." if len(faults) > 5 else ""))
        return 1
    print(
        f"{argv[1]}: {len(triangles)} triangles, {volume:.1f} mm^3, "
        "%g x %g x %g mm" % tuple(size)
    )
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
