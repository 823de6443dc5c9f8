"""One pixel of the X screen, read through Xlib.

    screen_pixel.py X Y                  prints its colour as "r,g,b"
    screen_pixel.py X Y R,G,B SECONDS    waits until it shows that colour

A wait polls in this one process: an ImageMagick run a poll cost a program
start each time, on cores the programs under test need. The wait exits 1
when the time is up, printing the colour it saw last.
"""
import ctypes
import sys
import time

ALL_PLANES = ctypes.c_ulong(-1).value
Z_PIXMAP = 2


class XImage(ctypes.Structure):
    # The leading fields of Xlib's XImage, up to the colour masks.
    _fields_ = [(name, ctypes.c_int) for name in ("width", "height", "xoffset", "format")] + \
        [("data", ctypes.c_void_p)] + \
        [(name, ctypes.c_int) for name in ("byte_order", "bitmap_unit", "bitmap_bit_order",
                                           "bitmap_pad", "depth", "bytes_per_line",
                                           "bits_per_pixel")] + \
        [(name, ctypes.c_ulong) for name in ("red_mask", "green_mask", "blue_mask")]


def open_xlib():
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XGetImage.restype = ctypes.POINTER(XImage)
    x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                              ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x11.XGetPixel.restype = ctypes.c_ulong
    x11.XGetPixel.argtypes = [ctypes.POINTER(XImage), ctypes.c_int, ctypes.c_int]
    x11.XDestroyImage.argtypes = [ctypes.POINTER(XImage)]
    return x11


def channel(pixel, mask):
    """A colour channel scaled to 0..255, whatever the screen's depth."""
    if not mask:
        sys.exit("screen_pixel: the screen has no colour masks (not a TrueColor screen)")
    shift = (mask & -mask).bit_length() - 1
    return ((pixel & mask) >> shift) * 255 // (mask >> shift)


def read_pixel(x11, display, root, x, y):
    image = x11.XGetImage(display, root, x, y, 1, 1, ALL_PLANES, Z_PIXMAP)
    if not image:
        sys.exit("screen_pixel: no image of %d,%d" % (x, y))
    value = x11.XGetPixel(image, 0, 0)
    masks = image.contents.red_mask, image.contents.green_mask, image.contents.blue_mask
    x11.XDestroyImage(image)
    return ",".join(str(channel(value, mask)) for mask in masks)


def main(argv):
    if len(argv) not in (3, 5):
        sys.exit(__doc__)
    x, y = int(argv[1]), int(argv[2])
    x11 = open_xlib()
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("screen_pixel: cannot open the display")
    root = x11.XDefaultRootWindow(display)
    seen = read_pixel(x11, display, root, x, y)
    if len(argv) == 3:
        print(seen)
        return 0
    want, deadline = argv[3], time.monotonic() + float(argv[4])
    while seen != want and time.monotonic() < deadline:
        time.sleep(0.05)
        seen = read_pixel(x11, display, root, x, y)
    print(seen)
    return 0 if seen == want else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
