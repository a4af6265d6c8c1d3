"""Colours each stroke of a plotter SVG's walls a colour of its own, so that a
reader sees where the pen goes down and comes up. Reads the SVG of
`nitka-maze render --plotter` on standard input, writes the coloured one on
standard output:

    nitka-maze render maze.txt --plotter --quiet | python3 stroke_colours.py > strokes.svg
"""

import colorsys
import re
import sys


def coloured(svg):
    walls_end = svg.index("</g>")
    count = svg[:walls_end].count("<path ")
    index = 0

    def paint(match):
        nonlocal index
        # Hues spread by the golden angle, so neighbours in the order differ.
        hue = (index * 0.618034) % 1.0
        index += 1
        red, green, blue = (round(255 * part) for part in colorsys.hsv_to_rgb(hue, 0.85, 0.8))
        return f'<path stroke="#{red:02x}{green:02x}{blue:02x}" '

    walls = re.sub(r"<path ", paint, svg[:walls_end], count=count)
    return walls + svg[walls_end:]


if __name__ == "__main__":
    sys.stdout.write(coloured(sys.stdin.read()))
