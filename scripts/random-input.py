#!/usr/bin/env python3
"""A run of random but reproducible mouse and keys on the program, under a
virtual display of its own: clicks, drags, wheel turns and keys over the
main window's plots, combo boxes, button and switch, and visits to a plot's
property editor (opened through the plot's right-click menu "Edit...",
clicked around, then closed). Menus and lists that pop up are used or
dismissed; any other window that opens (a message, a file dialog) is
closed, so nothing waits on an answer.

The keys include the clipboard and undo keys (Ctrl+C, Ctrl+X, Ctrl+V,
Ctrl+Z, Shift+Insert), and before keys go to a text field the run sets the
clipboard: data of no format at all (as a fresh session's clipboard
answers), no owner, a text, an image alone, or what the program copied.

The run fails on a sanitizer report, on a crash (the program gone before
the end, or ending badly once asked to close) and on a freeze (a window
that does not answer the display's ping within --freeze seconds). The seed
is printed; --seed gives the same sequence of actions again.

    scripts/random-input.py --program build-sanitize/app/correlation
"""

import argparse
import ctypes
import ctypes.util
import glob
import os
import random
import shutil
import subprocess
import sys
import tempfile
import threading
import time

# The main window's client area, and its controls in it (left, top, width,
# height), as its form lays them out.
CLIENT_WIDTH, CLIENT_HEIGHT = 1064, 542
PLOTS = [(11, 14, 739, 162), (11, 182, 739, 146), (11, 334, 739, 169)]
COMBOS = [(785, 65, 190, 21), (785, 100, 191, 21)]
BUTTON = (785, 439, 105, 57)
SWITCH = (918, 447, 105, 41)
EDITS = [(39, 514, 369, 21), (414, 514, 354, 21)]
# In the plot's property editor, from its top-left corner: the tab of the
# Labels page (while the tab row is not scrolled) and the label caption's
# memo on it, the editor's one multi-line field.
LABELS_TAB = (137, 11)
CAPTION_MEMO = (183, 103, 168, 44)

# Keys that stay inside the program: no Alt and no F10, which would reach
# the menu bar and its Exit.
KEYS = (["Left", "Right", "Up", "Down", "Tab", "shift+Tab", "Return", "space", "Escape", "Home", "End",
         "Prior", "Next", "Delete", "BackSpace", "plus", "minus", "period", "comma", "shift+Left",
         "shift+Right", "ctrl+a"] + list("abcdefxyz0123456789"))
# Pressed in text fields more often than the others.
CLIPBOARD_KEYS = ["ctrl+c", "ctrl+x", "ctrl+v", "ctrl+z", "shift+Insert"]

# What the run may put on the clipboard: targets and their bytes. No target
# at all is data of no format.
CLIPBOARD_TEXTS = ["pasted", "two\nlines", "tab\tand  blanks ", "\u00e9t\u00e9 \u20ac", "9" * 400, ""]
PNG_1X1 = bytes.fromhex("89504e470d0a1a0a0000000d4948445200000001000000010802000000907753de"
                        "0000000c4944415478da63f8cfc000000301010018dd8db00000000049454e44ae426082")

# ---------------------------------------------------------------------------
# The display, through Xlib: the windows of a process, the ping a window
# manager sends to find windows that stopped answering, and the request to
# close a window.
# ---------------------------------------------------------------------------

IS_VIEWABLE = 2
SELECTION_CLEAR = 29
SELECTION_REQUEST = 30
SELECTION_NOTIFY = 31
CLIENT_MESSAGE = 33
STRUCTURE_NOTIFY_MASK = 1 << 17
XA_ATOM = 4
PROP_MODE_REPLACE = 0


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class XSelectionRequestEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("owner", ctypes.c_ulong), ("requestor", ctypes.c_ulong),
                ("selection", ctypes.c_ulong), ("target", ctypes.c_ulong), ("property", ctypes.c_ulong),
                ("time", ctypes.c_ulong)]


class XSelectionEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("requestor", ctypes.c_ulong), ("selection", ctypes.c_ulong),
                ("target", ctypes.c_ulong), ("property", ctypes.c_ulong), ("time", ctypes.c_ulong)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xclient", XClientMessageEvent),
                ("xselectionrequest", XSelectionRequestEvent), ("xselection", XSelectionEvent),
                ("pad", ctypes.c_long * 24)]


class XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("class", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
                ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
                ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


class Window:
    def __init__(self, wid, x, y, width, height, popup, title):
        self.id, self.x, self.y, self.width, self.height = wid, x, y, width, height
        self.popup, self.title = popup, title

    def point(self, rng, margin=3):
        """A random point inside, away from the border."""
        return (self.x + rng.randint(margin, max(margin, self.width - margin)),
                self.y + rng.randint(margin, max(margin, self.height - margin)))


def load_xlib():
    """Xlib through ctypes, its calls typed."""
    x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XCreateSimpleWindow.restype = ctypes.c_ulong
    x.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                      ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
    x.XSetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong]
    x.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int,
                                  ctypes.c_int, ctypes.c_void_p, ctypes.c_int]
    return x


class Clipboard:
    """The CLIPBOARD selection, owned by a window of the run's own on a
    connection of its own, answered from a thread of its own: the program
    asks for the data while the run waits on xdotool. The program takes the
    selection over when it copies."""

    def __init__(self, name):
        x = load_xlib()
        x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                 ctypes.POINTER(XEvent)]
        x.XPending.argtypes = [ctypes.c_void_p]
        x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
        x.XFlush.argtypes = [ctypes.c_void_p]
        x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.x = x
        self.d = x.XOpenDisplay(name.encode())
        if not self.d:
            raise RuntimeError("cannot open display " + name)
        self.window = x.XCreateSimpleWindow(self.d, x.XDefaultRootWindow(self.d), 0, 0, 1, 1, 0, 0, 0)
        self.atom = lambda n: x.XInternAtom(self.d, n.encode(), 0)
        self.clipboard, self.targets = self.atom("CLIPBOARD"), self.atom("TARGETS")
        self.offer = {}
        self.pending = []
        self.lock = threading.Lock()
        self.stopping = threading.Event()
        self.thread = threading.Thread(target=self.serve, daemon=True)
        self.thread.start()

    def close(self):
        """Before the display goes: Xlib ends the process when a connection
        it still uses breaks."""
        self.stopping.set()
        self.thread.join()
        self.x.XCloseDisplay(self.d)

    def set(self, offer):
        """Offers {target name: bytes} ({} offers no format at all); None
        leaves the clipboard with no owner."""
        with self.lock:
            self.pending.append(offer)

    def serve(self):
        event = XEvent()
        while not self.stopping.is_set():
            with self.lock:
                pending, self.pending = self.pending, []
            for offer in pending:
                self.offer = {self.atom(t): data for t, data in offer.items()} if offer is not None else {}
                self.x.XSetSelectionOwner(self.d, self.clipboard, self.window if offer is not None else 0, 0)
                self.x.XFlush(self.d)
            while self.x.XPending(self.d):
                self.x.XNextEvent(self.d, ctypes.byref(event))
                if event.type == SELECTION_REQUEST:
                    self.answer(event.xselectionrequest)
            time.sleep(0.005)

    def answer(self, request):
        prop = request.property or request.target
        if request.target == self.targets:
            atoms = [self.targets] + list(self.offer)
            self.x.XChangeProperty(self.d, request.requestor, prop, XA_ATOM, 32, PROP_MODE_REPLACE,
                                   (ctypes.c_ulong * len(atoms))(*atoms), len(atoms))
        elif request.target in self.offer:
            data = self.offer[request.target]
            self.x.XChangeProperty(self.d, request.requestor, prop, request.target, 8, PROP_MODE_REPLACE,
                                   ctypes.c_char_p(data), len(data))
        else:
            prop = 0
        reply = XEvent()
        reply.xselection.type = SELECTION_NOTIFY
        reply.xselection.requestor = request.requestor
        reply.xselection.selection = request.selection
        reply.xselection.target = request.target
        reply.xselection.property = prop
        reply.xselection.time = request.time
        self.x.XSendEvent(self.d, request.requestor, 0, 0, ctypes.byref(reply))
        self.x.XFlush(self.d)


class Display:
    def __init__(self, name):
        x = load_xlib()
        x.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                 ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                 ctypes.POINTER(ctypes.c_uint)]
        x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(XWindowAttributes)]
        x.XGetWindowProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long,
                                         ctypes.c_long, ctypes.c_int, ctypes.c_ulong,
                                         ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_int),
                                         ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_ulong),
                                         ctypes.POINTER(ctypes.c_void_p)]
        x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
        x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                 ctypes.POINTER(XEvent)]
        x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        x.XPending.argtypes = [ctypes.c_void_p]
        x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XFlush.argtypes = [ctypes.c_void_p]
        x.XFree.argtypes = [ctypes.c_void_p]
        # A window may go between being listed and being asked about.
        handler_type = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
        self._ignore_errors = handler_type(lambda display, error: 0)
        x.XSetErrorHandler.argtypes = [handler_type]
        x.XSetErrorHandler(self._ignore_errors)
        self.x = x
        self.d = x.XOpenDisplay(name.encode())
        if not self.d:
            raise RuntimeError("cannot open display " + name)
        self.root = x.XDefaultRootWindow(self.d)
        self.atom = {n: x.XInternAtom(self.d, n.encode(), 0)
                     for n in ("WM_PROTOCOLS", "WM_DELETE_WINDOW", "_NET_WM_PING", "_NET_WM_PID")}
        # Ping answers are sent to the root window as structure events.
        x.XSelectInput(self.d, self.root, STRUCTURE_NOTIFY_MASK)
        self.stamp = 0

    def _pid_of(self, wid):
        kind, fmt = ctypes.c_ulong(), ctypes.c_int()
        count, after, data = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_void_p()
        if self.x.XGetWindowProperty(self.d, wid, self.atom["_NET_WM_PID"], 0, 1, 0, 0, ctypes.byref(kind),
                                     ctypes.byref(fmt), ctypes.byref(count), ctypes.byref(after),
                                     ctypes.byref(data)) != 0 or not data.value:
            return None
        pid = ctypes.cast(data, ctypes.POINTER(ctypes.c_long))[0] if count.value else None
        self.x.XFree(data)
        return pid

    def _title_of(self, wid):
        name = ctypes.c_char_p()
        if not self.x.XFetchName(self.d, wid, ctypes.byref(name)) or not name.value:
            return ""
        title = name.value.decode("latin-1")
        self.x.XFree(name)
        return title

    def windows(self, pid):
        """The viewable top-level windows of the process, bottom first."""
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        self.x.XSync(self.d, 0)
        if not self.x.XQueryTree(self.d, self.root, ctypes.byref(root), ctypes.byref(parent),
                                 ctypes.byref(children), ctypes.byref(count)):
            return []
        ids = [children[i] for i in range(count.value)]
        if children:
            self.x.XFree(children)
        found = []
        for wid in ids:
            a = XWindowAttributes()
            if not self.x.XGetWindowAttributes(self.d, wid, ctypes.byref(a)) or a.map_state != IS_VIEWABLE:
                continue
            if a.width < 4 or a.height < 4 or self._pid_of(wid) != pid:
                continue
            found.append(Window(wid, a.x, a.y, a.width, a.height, bool(a.override_redirect), self._title_of(wid)))
        return found

    def _send_protocol(self, wid, protocol, stamp=0):
        event = XEvent()
        event.xclient.type = CLIENT_MESSAGE
        event.xclient.window = wid
        event.xclient.message_type = self.atom["WM_PROTOCOLS"]
        event.xclient.format = 32
        event.xclient.data[0] = self.atom[protocol]
        event.xclient.data[1] = stamp
        event.xclient.data[2] = wid
        self.x.XSendEvent(self.d, wid, 0, 0, ctypes.byref(event))
        self.x.XFlush(self.d)

    def close(self, wid):
        """What a window manager sends when the user closes a window."""
        self._send_protocol(wid, "WM_DELETE_WINDOW")

    def ping(self, wid, timeout):
        """True when the window's program answered within timeout seconds."""
        self.stamp += 1
        self._send_protocol(wid, "_NET_WM_PING", self.stamp)
        deadline = time.monotonic() + timeout
        event = XEvent()
        while time.monotonic() < deadline:
            while self.x.XPending(self.d):
                self.x.XNextEvent(self.d, ctypes.byref(event))
                c = event.xclient
                if (event.type == CLIENT_MESSAGE and c.data[0] == self.atom["_NET_WM_PING"]
                        and c.data[1] == self.stamp and c.data[2] == wid):
                    return True
            time.sleep(0.01)
        return False


# ---------------------------------------------------------------------------
# The run
# ---------------------------------------------------------------------------


class Failure(Exception):
    pass


class Run:
    def __init__(self, args, display_name, sanitizer_dir):
        self.args = args
        self.rng = random.Random(args.seed)
        self.sanitizer_dir = sanitizer_dir
        self.env = dict(os.environ, DISPLAY=display_name, QT_QPA_PLATFORM="xcb")
        self.env["ASAN_OPTIONS"] = "detect_leaks=0:log_path=" + os.path.join(sanitizer_dir, "asan")
        self.env["UBSAN_OPTIONS"] = ("print_stacktrace=1:halt_on_error=1:log_path="
                                     + os.path.join(sanitizer_dir, "ubsan"))
        self.output = tempfile.TemporaryFile(mode="w+")
        self.program = subprocess.Popen([os.path.abspath(args.program)], env=self.env, stdout=self.output,
                                        stderr=subprocess.STDOUT, cwd=sanitizer_dir)
        self.display = Display(display_name)
        self.clipboard = Clipboard(display_name)
        self.actions = []
        self.main = None
        self.editor = None

    # --- input ---------------------------------------------------------------

    def xdotool(self, *words):
        try:
            subprocess.run(["xdotool"] + [str(w) for w in words], env=self.env, timeout=20, check=False,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except subprocess.TimeoutExpired:
            raise Failure("xdotool did not return within 20 s")

    def log(self, text):
        self.actions.append(text)
        if self.args.verbose:
            print("  " + text, flush=True)

    def click(self, x, y, button=1, repeat=1):
        self.log("click %d x%d at %d,%d" % (button, repeat, x, y))
        self.xdotool("mousemove", x, y, "click", "--repeat", repeat, "--delay", 40, button)

    def drag(self, start, end, button=1):
        self.log("drag %d from %d,%d to %d,%d" % (button, start[0], start[1], end[0], end[1]))
        words = ["mousemove", start[0], start[1], "mousedown", button]
        for i in range(1, 5):
            words += ["mousemove", start[0] + (end[0] - start[0]) * i // 4, start[1] + (end[1] - start[1]) * i // 4]
        self.xdotool(*(words + ["mouseup", button]))

    def keys(self, count):
        chosen = [self.rng.choice(KEYS) for _ in range(count)]
        self.log("keys " + " ".join(chosen))
        self.xdotool("key", "--delay", 30, *chosen)

    def set_clipboard(self):
        r = self.rng.random()
        if r < 0.3:
            offer, what = {}, "data of no format"
        elif r < 0.4:
            offer, what = None, "no owner"
        elif r < 0.75:
            text = self.rng.choice(CLIPBOARD_TEXTS)
            offer = {"UTF8_STRING": text.encode(), "text/plain;charset=utf-8": text.encode(),
                     "STRING": text.encode("latin-1", "replace")}
            what = "text %r" % text[:20]
        elif r < 0.85:
            offer, what = {"image/png": PNG_1X1}, "an image alone"
        else:
            return  # what the program copied, if anything
        self.log("clipboard: " + what)
        self.clipboard.set(offer)

    def text_keys(self, count):
        """Keys for a text field, the clipboard and undo keys among them."""
        self.set_clipboard()
        chosen = [self.rng.choice(CLIPBOARD_KEYS if self.rng.random() < 0.4 else KEYS) for _ in range(count)]
        self.log("keys " + " ".join(chosen))
        self.xdotool("key", "--delay", 30, *chosen)

    def in_area(self, area):
        left, top, width, height = area
        return (self.main.x + left + self.rng.randint(2, width - 3),
                self.main.y + self.client_top + top + self.rng.randint(2, height - 3))

    # --- watching ------------------------------------------------------------

    def check_alive(self):
        if self.program.poll() is None and self.display.ping(self.main.id, self.args.freeze):
            return
        # A sanitizer may still be writing its report while the window is
        # silent: that is a crash, not a freeze.
        if self.program.poll() is not None or sanitizer_reports(self.sanitizer_dir):
            raise Failure("the program crashed or ended before the end of the run")
        raise Failure("the main window did not answer for %d s" % self.args.freeze)

    def windows(self):
        return self.display.windows(self.program.pid)

    def dialogs(self):
        return [w for w in self.windows() if not w.popup and w.id != self.main.id]

    def popups(self):
        return [w for w in self.windows() if w.popup]

    def wait_for(self, condition, seconds):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            found = condition()
            if found:
                return found
            if self.program.poll() is not None:
                return None
            time.sleep(0.1)
        return None

    def close_window(self, window):
        """Closes a window as its user would: the close box, then Escape,
        then Return, answering whatever opens over it meanwhile; fails when
        it stays."""
        for how in ("close", "Escape", "Return"):
            self.log("close %s %r" % (how, window.title))
            if how == "close":
                self.display.close(window.id)
            else:
                self.xdotool("mousemove", window.x + window.width // 2, window.y + 2, "key", how)
            if self.wait_for(lambda: window.id not in [w.id for w in self.windows()], 5):
                return
            self.check_alive()
            for other in self.dialogs()[::-1]:
                if other.id not in (window.id, self.editor.id if self.editor else None):
                    self.close_window(other)
        raise Failure("the window %r would not close" % window.title)

    def close_strays(self):
        """Closes every window the run did not mean to open."""
        for window in reversed(self.dialogs()):
            if self.editor is None or window.id != self.editor.id:
                self.close_window(window)

    # --- actions ---------------------------------------------------------------

    def use_popup(self, popup):
        if self.rng.random() < 0.6:
            self.click(*popup.point(self.rng))
        else:
            self.log("key Escape on popup")
            self.xdotool("key", "Escape")

    def main_action(self):
        r = self.rng.random()
        plot = self.rng.choice(PLOTS)
        if r < 0.22:
            self.click(*self.in_area(plot), button=self.rng.choice([1, 1, 3]), repeat=self.rng.choice([1, 1, 2]))
        elif r < 0.36:
            self.drag(self.in_area(plot), self.in_area(plot), button=self.rng.choice([1, 3]))
        elif r < 0.46:
            x, y = self.in_area(plot)
            self.log("wheel at %d,%d" % (x, y))
            self.xdotool("mousemove", x, y, "click", "--repeat", self.rng.randint(1, 4), self.rng.choice([4, 5]))
        elif r < 0.56:
            self.click(*self.in_area(plot))
            self.keys(self.rng.randint(1, 6))
        elif r < 0.74:
            self.click(*self.in_area(self.rng.choice(COMBOS)))
            if self.rng.random() < 0.3:
                self.text_keys(self.rng.randint(1, 3))
        elif r < 0.82:
            self.click(*self.in_area(BUTTON))
        elif r < 0.92:
            self.click(*self.in_area(SWITCH))
        else:
            self.click(*self.in_area(self.rng.choice(EDITS)))
            self.text_keys(self.rng.randint(1, 4))

    def editor_action(self):
        r = self.rng.random()
        e = self.editor
        if r < 0.1:
            self.click(e.x + LABELS_TAB[0], e.y + LABELS_TAB[1])
            left, top, width, height = CAPTION_MEMO
            self.click(e.x + left + self.rng.randint(2, width - 3), e.y + top + self.rng.randint(2, height - 3))
            self.text_keys(self.rng.randint(2, 6))
        elif r < 0.3:
            # The tab rows along the top.
            self.click(e.x + self.rng.randint(5, e.width - 5), e.y + self.rng.randint(3, 48))
        elif r < 0.7:
            self.click(*e.point(self.rng, 5), repeat=self.rng.choice([1, 1, 1, 2]))
        elif r < 0.8:
            self.drag(e.point(self.rng, 5), e.point(self.rng, 5))
        elif r < 0.85:
            self.click(*e.point(self.rng, 5), button=3)
        else:
            self.text_keys(self.rng.randint(1, 5))

    def open_editor(self):
        """A plot's right-click menu, then its last item, "Edit..."."""
        self.click(*self.in_area(self.rng.choice(PLOTS)), button=3)
        menu = self.wait_for(self.popups, 10)
        if not menu:
            return
        menu = menu[-1]
        self.click(menu.x + menu.width // 2, menu.y + menu.height - 8)
        opened = self.wait_for(self.dialogs, 30)
        if opened:
            self.editor = opened[-1]
            self.log("editor %r opened" % self.editor.title)

    def visit_editor(self):
        self.open_editor()
        if not self.editor:
            return
        for _ in range(self.rng.randint(20, 50)):
            if self.out_of_time():
                break
            self.step(self.editor_action)
            if self.editor.id not in [w.id for w in self.dialogs()]:
                self.log("editor closed by the input")
                self.editor = None
                return
        self.close_strays()
        editor, self.editor = self.editor, None
        if editor.id in [w.id for w in self.dialogs()]:
            self.close_window(editor)

    def step(self, action):
        popups = self.popups()
        if popups:
            self.use_popup(popups[-1])
        else:
            action()
        time.sleep(self.rng.uniform(0.02, 0.15))
        self.check_alive()
        self.close_strays()

    def out_of_time(self):
        return time.monotonic() > self.deadline

    # --- the whole run -------------------------------------------------------------

    def start(self):
        def main_window():
            found = [w for w in self.windows() if not w.popup and w.width >= CLIENT_WIDTH]
            return found[0] if found else None
        self.main = self.wait_for(main_window, self.args.start)
        if not self.main:
            raise Failure("no main window within %d s" % self.args.start)
        self.client_top = self.main.height - CLIENT_HEIGHT
        self.log("main window %r of process %d at %d,%d"
                 % (self.main.title, self.program.pid, self.main.x, self.main.y))

    def run(self):
        self.start()
        self.deadline = time.monotonic() + self.args.seconds
        next_visit = self.rng.uniform(3, 8)
        started = time.monotonic()
        while not self.out_of_time():
            if time.monotonic() - started > next_visit:
                self.visit_editor()
                next_visit = time.monotonic() - started + self.rng.uniform(5, 12)
            else:
                self.step(self.main_action)
        self.finish()

    def finish(self):
        """Closes what is open, then the main window; the program must end
        well and soon."""
        for popup in self.popups():
            self.xdotool("key", "Escape")
        self.close_strays()
        self.log("close the main window")
        self.display.close(self.main.id)
        try:
            status = self.program.wait(self.args.freeze * 2)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end within %d s of closing its window" % (self.args.freeze * 2))
        if status != 0:
            raise Failure("the program ended with status %d" % status)

    def stop(self):
        if self.program.poll() is None:
            self.program.kill()
            self.program.wait()
        self.clipboard.close()

    def output_tail(self, lines=40):
        self.output.seek(0)
        return "".join(self.output.readlines()[-lines:])


def start_display():
    """Xvfb on a display number it picks itself."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten",
                               "tcp"], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    with os.fdopen(read_end, "rb") as pipe:
        while not number.endswith(b"\n"):
            chunk = pipe.read(1)
            if not chunk:
                break
            number += chunk
    if not number.strip():
        server.kill()
        raise Failure("Xvfb did not start")
    return server, ":" + number.decode().strip()


def sanitizer_reports(folder):
    return sorted(glob.glob(os.path.join(folder, "asan*")) + glob.glob(os.path.join(folder, "ubsan*")))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--program", required=True)
    parser.add_argument("--seconds", type=float, default=60)
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--freeze", type=int, default=30, help="seconds a window may take to answer")
    parser.add_argument("--start", type=int, default=60, help="seconds the main window may take to appear")
    parser.add_argument("--verbose", action="store_true", help="print each action")
    args = parser.parse_args()
    if args.seed is None:
        args.seed = random.SystemRandom().randrange(1 << 32)
    print("random-input: seed %d (again: --seed %d)" % (args.seed, args.seed), flush=True)

    sanitizer_dir = tempfile.mkdtemp(prefix="random-input-")
    server, display_name = start_display()
    run = None
    failure = None
    try:
        run = Run(args, display_name, sanitizer_dir)
        run.run()
    except Failure as e:
        failure = str(e)
    finally:
        if run:
            run.stop()
        server.kill()
        server.wait()
    reports = sanitizer_reports(sanitizer_dir)
    if reports and not failure:
        failure = "sanitizer report"
    if failure:
        print("random-input: FAILED: %s (seed %d)" % (failure, args.seed))
        if run:
            print("last actions:\n  " + "\n  ".join(run.actions[-25:]))
            print("program output (end):\n" + run.output_tail())
        for report in reports:
            with open(report, errors="replace") as f:
                print("== %s\n%s" % (report, f.read()))
        shutil.rmtree(sanitizer_dir, ignore_errors=True)
        return 1
    visits = sum(1 for a in run.actions if a.startswith("editor "))
    print("random-input: %d actions, %d editor visits, no crash, freeze or sanitizer report"
          % (len(run.actions), visits))
    shutil.rmtree(sanitizer_dir, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
