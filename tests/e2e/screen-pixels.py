#!/usr/bin/env python3
"""Reads a screenshot (binary PPM on stdin) and prints what the clock e2e test checks.

  screen-pixels.py level     the columns (first last) holding the level number's dark grey, in the
                             top-right fifth of the screen
  screen-pixels.py title     the columns (first last) holding the title's light grey (224,224,224)
                             in the top fifth of the screen between the logo and the level panel, and
                             the screen's width
  screen-pixels.py blinds    for the band of the blinds panel in the middle of the screen, the number
                             of rows where black text lies outside the panel's light fill, and the rows
                             looked at
  screen-pixels.py size      the screenshot's WIDTHxHEIGHT
  screen-pixels.py span      the first and last columns of the panels' light fill in the band where
                             the payout list and the totals stand (56 to 64 % of the height)
"""
import sys


def read_ppm(data):
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    pos += 1
    assert fields[0] == b"P6" and fields[3] == b"255", "not an 8-bit binary PPM"
    return int(fields[1]), int(fields[2]), data[pos:]


def main():
    width, height, pixels = read_ppm(sys.stdin.buffer.read())

    def rgb(x, y):
        i = 3 * (y * width + x)
        return tuple(pixels[i:i + 3])

    if sys.argv[1] == "level":
        columns = [x for x in range(width * 4 // 5, width)
                   if any(rgb(x, y) == (64, 64, 64) for y in range(height // 5))]
        print(f"{columns[0]} {columns[-1]}" if columns else "none")
    elif sys.argv[1] == "title":
        columns = [x for x in range(width * 17 // 100, width * 83 // 100)
                   if any(rgb(x, y) == (224, 224, 224) for y in range(height // 5))]
        print(f"{columns[0]} {columns[-1]} {width}" if columns else f"none none {width}")
    elif sys.argv[1] == "blinds":
        outside = rows = 0
        for y in range(int(height * 0.67), int(height * 0.76)):
            fill = [x for x in range(width // 4, width * 3 // 4) if min(rgb(x, y)) >= 240]
            ink = [x for x in range(width // 4, width * 3 // 4) if max(rgb(x, y)) <= 40]
            if not fill:
                continue
            rows += 1
            if ink and (ink[0] < fill[0] or ink[-1] > fill[-1]):
                outside += 1
        print(f"{outside} {rows}")
    elif sys.argv[1] == "size":
        print(f"{width}x{height}")
    elif sys.argv[1] == "span":
        columns = [x for y in range(int(height * 0.56), int(height * 0.64), 8)
                   for x in range(width) if min(rgb(x, y)) >= 240]
        print(f"{min(columns)} {max(columns)}" if columns else "none")


main()
