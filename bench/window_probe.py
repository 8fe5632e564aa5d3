#!/usr/bin/env python3
"""Starts a program on an X display and prints the milliseconds until a
viewable top-level window whose name matches a pattern appears.

    window_probe.py PATTERN -- PROGRAM [ARGS...]

PATTERN is a Python regular expression matched against the window names of
the root's children and grandchildren (window managers reparent). The
program is killed once the window is seen (or after 60 s: prints "timeout").
Talks to Xlib through ctypes, polling every millisecond."""
import ctypes
import ctypes.util
import re
import subprocess
import sys
import time

xlib = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
xlib.XDefaultRootWindow.restype = ctypes.c_ulong
xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
xlib.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                            ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                            ctypes.POINTER(ctypes.c_uint)]
xlib.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
xlib.XFree.argtypes = [ctypes.c_void_p]


class XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("c_class", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
                ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
                ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


xlib.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(XWindowAttributes)]
IS_VIEWABLE = 2
# Windows come and go while the tree is read: their errors are no failures.
ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda d, e: 0)
xlib.XSetErrorHandler.argtypes = [ERROR_HANDLER.__class__]
xlib.XSetErrorHandler(ERROR_HANDLER)


def children(display, window):
    root, parent = ctypes.c_ulong(), ctypes.c_ulong()
    kids, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
    if not xlib.XQueryTree(display, window, ctypes.byref(root), ctypes.byref(parent), ctypes.byref(kids),
                           ctypes.byref(count)):
        return []
    result = [kids[i] for i in range(count.value)]
    if kids:
        xlib.XFree(kids)
    return result


def viewable_names(display):
    names = []
    for top in children(display, xlib.XDefaultRootWindow(display)):
        for w in [top] + children(display, top):
            attrs = XWindowAttributes()
            if not xlib.XGetWindowAttributes(display, w, ctypes.byref(attrs)) or attrs.map_state != IS_VIEWABLE:
                continue
            name = ctypes.c_char_p()
            if xlib.XFetchName(display, w, ctypes.byref(name)) and name.value is not None:
                names.append(name.value.decode("utf-8", "replace"))
                xlib.XFree(name)
    return names


def main():
    if len(sys.argv) < 4 or sys.argv[2] != "--":
        sys.exit(__doc__)
    pattern = re.compile(sys.argv[1])
    display = xlib.XOpenDisplay(None)
    if not display:
        sys.exit("no X display")
    start = time.perf_counter()
    program = subprocess.Popen(sys.argv[3:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while time.perf_counter() - start < 60:
            if any(pattern.search(n) for n in viewable_names(display)):
                print("%.0f" % ((time.perf_counter() - start) * 1000))
                return
            time.sleep(0.001)
        print("timeout")
    finally:
        program.kill()
        program.wait()


main()
