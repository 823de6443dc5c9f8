#!/usr/bin/env python3
"""The simulated touch panel and driver of the e2e tests.

The panel reports raw values with an offset, a gain other than nominal and a
mirrored x axis. The driver maps a raw value r to the absolute pointer value
p = (r - Offset) x Scale on 0..65535 across the screen, mirrored when the
axis flag is set, and the pointer lands on pixel p x size / 65535.

    panel.py pointer FX FY W H LEFT TOP XSCALE YSCALE SWAP
        the pixel where a finger at (FX, FY) puts the pointer under that set
    panel.py bound SCALE SIZE
        the pixel error the integer arithmetic allows on an axis (see below)
"""
import sys

# x: raw 1250 at the left edge falling to 150 at the right (mirrored, gain
# 1100 per screen instead of 1310); y: raw 80 at the top, gain 1050.
X_AT_LEFT, X_GAIN = 1250, -1100
Y_AT_TOP, Y_GAIN = 80, 1050


def raw(finger, size, at_edge, gain):
    return at_edge + gain * finger / size


def pointer_pixel(r, size, offset, scale, mirrored):
    p = (r - offset) * scale
    p = max(0, min(65535, p))
    if mirrored:
        p = 65535 - p
    return int(p * size / 65535)


def main(argv):
    if argv[0] == 'pointer':
        fx, fy, w, h, left, top, xs, ys, swap = (int(a) for a in argv[1:10])
        x = pointer_pixel(int(raw(fx, w, X_AT_LEFT, X_GAIN)), w, left, xs, swap & 1)
        y = pointer_pixel(int(raw(fy, h, Y_AT_TOP, Y_GAIN)), h, top, ys, swap & 2)
        print(x, y)
    elif argv[0] == 'bound':
        # The calibrator measures each touch through pixels and two truncating
        # divisions: up to 2 raw units off, 2 x scale pointer units. The
        # offset truncates 6553 / scale: up to 1 raw unit more at the first
        # target. The scale truncates 52429 / span: up to span pointer units
        # short over the distance between the targets, and the span is at
        # most 52429 / scale. So a target is off by at most span + 5 x scale
        # pointer units, plus a pixel of rounding.
        scale, size = (int(a) for a in argv[1:3])
        span = 52429 // scale
        print(-(-(span + 5 * scale) * size // 65535) + 1)


if __name__ == '__main__':
    main(sys.argv[1:])
