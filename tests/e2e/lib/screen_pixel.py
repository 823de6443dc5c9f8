"""One pixel of the X screen, read through Xlib.

    screen_pixel.py X Y                  prints its colour as "r,g,b"
    screen_pixel.py X Y R,G,B SECONDS    waits until it shows that colour

A wait polls in this one process (ImageMagick cost a program start a poll,
on the cores the programs under test need), and exits 1 when the time is
up, printing the colour it saw last.
"""
import ctypes
import sys
import time

from ctypes import c_int, c_uint, c_ulong, c_void_p


class XImage(ctypes.Structure):
    # Xlib's XImage, up to its colour masks.
    _fields_ = [(n, c_int) for n in ("width", "height", "xoffset", "format")] + [("data", c_void_p)] + \
        [(n, c_int) for n in ("byte_order", "bitmap_unit", "bitmap_bit_order", "bitmap_pad",
                              "depth", "bytes_per_line", "bits_per_pixel")] + \
        [(n, c_ulong) for n in ("red_mask", "green_mask", "blue_mask")]


X11 = ctypes.CDLL("libX11.so.6")
X11.XOpenDisplay.restype = c_void_p
X11.XOpenDisplay.argtypes = [ctypes.c_char_p]
X11.XDefaultRootWindow.restype = c_ulong
X11.XDefaultRootWindow.argtypes = [c_void_p]
X11.XGetImage.restype = ctypes.POINTER(XImage)
X11.XGetImage.argtypes = [c_void_p, c_ulong, c_int, c_int, c_uint, c_uint, c_ulong, c_int]
X11.XGetPixel.restype = c_ulong
X11.XGetPixel.argtypes = [ctypes.POINTER(XImage), c_int, c_int]
X11.XDestroyImage.argtypes = [ctypes.POINTER(XImage)]


def channel(pixel, mask):
    """A colour channel scaled to 0..255, whatever the screen's depth."""
    if not mask:
        sys.exit("screen_pixel: the screen has no colour masks (not a TrueColor screen)")
    shift = (mask & -mask).bit_length() - 1
    return ((pixel & mask) >> shift) * 255 // (mask >> shift)


def read_pixel(display, root, x, y):
    image = X11.XGetImage(display, root, x, y, 1, 1, c_ulong(-1).value, 2)  # AllPlanes, ZPixmap
    if not image:
        sys.exit("screen_pixel: no image of %d,%d" % (x, y))
    value = X11.XGetPixel(image, 0, 0)
    masks = image.contents.red_mask, image.contents.green_mask, image.contents.blue_mask
    X11.XDestroyImage(image)
    return ",".join(str(channel(value, mask)) for mask in masks)


def main(argv):
    if len(argv) not in (3, 5):
        sys.exit(__doc__)
    x, y = int(argv[1]), int(argv[2])
    display = X11.XOpenDisplay(None)
    if not display:
        sys.exit("screen_pixel: cannot open the display")
    root = X11.XDefaultRootWindow(display)
    seen = read_pixel(display, root, x, y)
    deadline = time.monotonic() + float(argv[4]) if len(argv) == 5 else 0
    while len(argv) == 5 and seen != argv[3] and time.monotonic() < deadline:
        time.sleep(0.05)
        seen = read_pixel(display, root, x, y)
    print(seen)
    return 0 if len(argv) == 3 or seen == argv[3] else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
