"""The soak's own connection to the X server, through libX11 with ctypes.

Looking windows up in-process costs a round trip instead of a helper program
per look, and the liveness check needs an X client of its own anyway: it
sends the main window the window manager's ping (_NET_WM_PING) and waits for
the answer, which the toolkit gives from its main loop only, so an answer
proves that the program still takes events.
"""

import ctypes
import ctypes.util
import re
import time

_lib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")

Window = ctypes.c_ulong
Atom = ctypes.c_ulong
_display_p = ctypes.c_void_p

CLIENT_MESSAGE = 33
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
IS_VIEWABLE = 2
ANY_PROPERTY_TYPE = 0


class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", _display_p),
                ("window", Window), ("message_type", Atom), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xclient", _ClientMessage),
                ("pad", ctypes.c_long * 24)]


class _Attributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("border_width", ctypes.c_int),
                ("depth", ctypes.c_int), ("visual", ctypes.c_void_p), ("root", Window),
                ("class_", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
                ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
                ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
                ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int),
                ("all_event_masks", ctypes.c_long), ("your_event_mask", ctypes.c_long),
                ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


def _declare(name, result, *arguments):
    function = getattr(_lib, name)
    function.restype = result
    function.argtypes = list(arguments)
    return function


_open = _declare("XOpenDisplay", _display_p, ctypes.c_char_p)
_root = _declare("XDefaultRootWindow", Window, _display_p)
_intern = _declare("XInternAtom", Atom, _display_p, ctypes.c_char_p, ctypes.c_int)
_query_tree = _declare("XQueryTree", ctypes.c_int, _display_p, Window, ctypes.POINTER(Window),
                       ctypes.POINTER(Window), ctypes.POINTER(ctypes.POINTER(Window)),
                       ctypes.POINTER(ctypes.c_uint))
_free = _declare("XFree", ctypes.c_int, ctypes.c_void_p)
_get_property = _declare(
    "XGetWindowProperty", ctypes.c_int, _display_p, Window, Atom, ctypes.c_long, ctypes.c_long,
    ctypes.c_int, Atom, ctypes.POINTER(Atom), ctypes.POINTER(ctypes.c_int),
    ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_ulong),
    ctypes.POINTER(ctypes.POINTER(ctypes.c_ubyte)))
_get_attributes = _declare("XGetWindowAttributes", ctypes.c_int, _display_p, Window,
                           ctypes.POINTER(_Attributes))
_translate = _declare("XTranslateCoordinates", ctypes.c_int, _display_p, Window, Window,
                      ctypes.c_int, ctypes.c_int, ctypes.POINTER(ctypes.c_int),
                      ctypes.POINTER(ctypes.c_int), ctypes.POINTER(Window))
_send_event = _declare("XSendEvent", ctypes.c_int, _display_p, Window, ctypes.c_int,
                       ctypes.c_long, ctypes.POINTER(_Event))
_select_input = _declare("XSelectInput", ctypes.c_int, _display_p, Window, ctypes.c_long)
_pending = _declare("XPending", ctypes.c_int, _display_p)
_next_event = _declare("XNextEvent", ctypes.c_int, _display_p, ctypes.POINTER(_Event))
_sync = _declare("XSync", ctypes.c_int, _display_p, ctypes.c_int)
_ErrorHandler = ctypes.CFUNCTYPE(ctypes.c_int, _display_p, ctypes.c_void_p)
_set_error_handler = _declare("XSetErrorHandler", ctypes.c_void_p, _ErrorHandler)


# Windows come and go while they are asked about: errors about vanished
# windows are answered with "no such window", not with the end of the soak.
@_ErrorHandler
def _ignore_errors(_display, _event):
    return 0


class XServer:
    def __init__(self):
        self.display = _open(None)
        if not self.display:
            raise RuntimeError("cannot open the X display")
        _set_error_handler(_ignore_errors)
        self.root = _root(self.display)
        self._atoms = {}
        self._ping_serial = 0
        # The answers to pings arrive at the root window.
        _select_input(self.display, self.root, SUBSTRUCTURE_NOTIFY_MASK)
        _sync(self.display, 0)

    def atom(self, name):
        if name not in self._atoms:
            self._atoms[name] = _intern(self.display, name.encode(), 0)
        return self._atoms[name]

    def property(self, window, name, kind=ANY_PROPERTY_TYPE):
        """A property of the window as (format, bytes); None when it has none."""
        actual = Atom()
        form = ctypes.c_int()
        items = ctypes.c_ulong()
        remaining = ctypes.c_ulong()
        data = ctypes.POINTER(ctypes.c_ubyte)()
        status = _get_property(self.display, window, self.atom(name), 0, 1 << 20, 0, kind,
                               ctypes.byref(actual), ctypes.byref(form), ctypes.byref(items),
                               ctypes.byref(remaining), ctypes.byref(data))
        if status != 0 or actual.value == 0:
            if data:
                _free(data)
            return None
        unit = ctypes.sizeof(ctypes.c_long) if form.value == 32 else form.value // 8
        value = ctypes.string_at(data, items.value * unit)
        _free(data)
        return form.value, value

    def _longs(self, window, name):
        found = self.property(window, name)
        if not found or found[0] != 32:
            return []
        size = ctypes.sizeof(ctypes.c_long)
        raw = found[1]
        return [int.from_bytes(raw[i:i + size], "little") for i in range(0, len(raw), size)]

    def title(self, window):
        found = self.property(window, "_NET_WM_NAME", self.atom("UTF8_STRING"))
        if not found:
            found = self.property(window, "WM_NAME")
        return found[1].decode("utf-8", "replace") if found else ""

    def pid(self, window):
        values = self._longs(window, "_NET_WM_PID")
        return values[0] if values else 0

    def window_types(self, window):
        return self._longs(window, "_NET_WM_WINDOW_TYPE")

    def active_window(self):
        values = self._longs(self.root, "_NET_ACTIVE_WINDOW")
        return values[0] if values else 0

    def attributes(self, window):
        attributes = _Attributes()
        if not _get_attributes(self.display, window, ctypes.byref(attributes)):
            return None
        return attributes

    def viewable(self, window):
        attributes = self.attributes(window)
        return attributes is not None and attributes.map_state == IS_VIEWABLE

    def geometry(self, window):
        """(x, y, width, height) of the window on the screen; None when it is gone."""
        attributes = self.attributes(window)
        if attributes is None:
            return None
        x = ctypes.c_int()
        y = ctypes.c_int()
        child = Window()
        _translate(self.display, window, self.root, 0, 0, ctypes.byref(x), ctypes.byref(y),
                   ctypes.byref(child))
        return x.value, y.value, attributes.width, attributes.height

    def children(self, window):
        root = Window()
        parent = Window()
        children = ctypes.POINTER(Window)()
        count = ctypes.c_uint()
        if not _query_tree(self.display, window, ctypes.byref(root), ctypes.byref(parent),
                           ctypes.byref(children), ctypes.byref(count)):
            return []
        found = [children[i] for i in range(count.value)]
        if children:
            _free(children)
        return found

    def visible_windows(self, pid=0, pattern=""):
        """The viewable windows (of the process when pid is given) whose title
        matches the regular expression, in the server's tree order."""
        expression = re.compile(pattern, re.IGNORECASE)
        found = []
        pending = list(reversed(self.children(self.root)))
        while pending:
            window = pending.pop()
            if (self.viewable(window) and (pid == 0 or self.pid(window) == pid)
                    and expression.search(self.title(window))):
                found.append(window)
            pending.extend(reversed(self.children(window)))
        return found

    def wait_for_window(self, pid, pattern, timeout, besides=()):
        deadline = time.monotonic() + timeout
        while True:
            for window in self.visible_windows(pid, pattern):
                if window not in besides:
                    return window
            if time.monotonic() >= deadline:
                return 0
            time.sleep(0.03)

    def ping(self, window, timeout):
        """Sends the window the window manager's ping; True when the answer
        comes within the time-out."""
        self._drain()
        self._ping_serial += 1
        serial = self._ping_serial
        event = _Event()
        event.xclient.type = CLIENT_MESSAGE
        event.xclient.window = window
        event.xclient.message_type = self.atom("WM_PROTOCOLS")
        event.xclient.format = 32
        event.xclient.data[0] = self.atom("_NET_WM_PING")
        event.xclient.data[1] = serial
        event.xclient.data[2] = window
        _send_event(self.display, window, 0, 0, ctypes.byref(event))
        _sync(self.display, 0)
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self._drain(lambda e: e.xclient.data[1] == serial
                           and e.xclient.data[0] == self.atom("_NET_WM_PING")):
                return True
            time.sleep(0.01)
        return False

    def _drain(self, wanted=None):
        """Reads every queued event; True when one is a client message wanted accepts."""
        matched = False
        event = _Event()
        while _pending(self.display) > 0:
            _next_event(self.display, ctypes.byref(event))
            if event.type == CLIENT_MESSAGE and wanted is not None and wanted(event):
                matched = True
        return matched

    def close_window(self, window):
        """Asks the window manager to close the window, as its title bar's
        close button does: the program gets WM_DELETE_WINDOW for that window
        only, so no key can reach another window by mistake."""
        event = _Event()
        event.xclient.type = CLIENT_MESSAGE
        event.xclient.window = window
        event.xclient.message_type = self.atom("_NET_CLOSE_WINDOW")
        event.xclient.format = 32
        event.xclient.data[0] = 0
        event.xclient.data[1] = 2  # from a pager or similar tool, not an application
        _send_event(self.display, self.root, 0, SUBSTRUCTURE_NOTIFY_MASK | (1 << 20),
                    ctypes.byref(event))
        _sync(self.display, 0)
