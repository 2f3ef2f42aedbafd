"""What the soak watches while it drives the viewer: its standard error, its
memory, its preferences file. Each check raises SoakFailure."""

import re
import threading
import time


class SoakFailure(Exception):
    pass


# Reports of the sanitizers and complaints of GTK, GLib, Pango and the rest.
_COMPLAINT = re.compile(
    r"ERROR: (AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer)"
    r"|runtime error:|SUMMARY: (Address|Leak|UndefinedBehavior)Sanitizer"
    r"|-(CRITICAL|WARNING) \*\*")


class StandardErrorWatch:
    """Reads what the program wrote to its standard error since the last look."""

    def __init__(self, path):
        self.path = path
        self.offset = 0

    def check(self):
        with open(self.path, "rb") as stream:
            stream.seek(self.offset)
            new = stream.read()
        # Only whole lines: a report may be written in pieces.
        end = new.rfind(b"\n") + 1
        self.offset += end
        text = new[:end].decode("utf-8", "replace")
        for line in text.splitlines():
            if _COMPLAINT.search(line):
                raise SoakFailure("the program reported on its standard error:\n" +
                                  self.tail(40))

    def tail(self, lines):
        with open(self.path, "rb") as stream:
            text = stream.read().decode("utf-8", "replace")
        return "\n".join(text.splitlines()[-lines:])


def resident_mb(pid):
    """VmRSS of the process in MB; None when it is gone."""
    try:
        with open("/proc/%d/status" % pid) as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1]) / 1024.0
    except OSError:
        return None
    return None


class _WatchThread:
    """A watch that runs _run in a thread of its own from start to stop;
    _run returns soon after _stop is set."""

    def __init__(self):
        self._stop = threading.Event()
        self._thread = threading.Thread(target=self._run, daemon=True)

    def start(self):
        self._thread.start()

    def stop(self):
        self._stop.set()
        self._thread.join()

    def _run(self):
        raise NotImplementedError


class MemoryWatch(_WatchThread):
    """Samples the program's memory every half second in a thread of its
    own: its resident memory, and the bytes it holds allocated as the
    sanitizer counts them (written by the heap probe into heap_path)."""

    def __init__(self, pid, heap_path):
        super().__init__()
        self.pid = pid
        self.heap_path = heap_path
        self.samples = []  # (time, resident MB, held MB)

    def held_mb(self):
        """The bytes the program holds allocated, in MB; None before the
        probe's first count."""
        try:
            with open(self.heap_path) as count:
                return int(count.read()) / (1024.0 * 1024.0)
        except (OSError, ValueError):
            return None

    def _run(self):
        while not self._stop.is_set():
            resident, held = resident_mb(self.pid), self.held_mb()
            if resident is not None and held is not None:
                self.samples.append((time.monotonic(), resident, held))
            self._stop.wait(0.5)

    def quarters(self, start, end, code_scope):
        """The lowest held memory of the first and of the last quarter of
        the time from start to end. The lowest, not the mean: a long file
        shown or the database reloaded just then lifts single samples for a
        moment, while memory that is never given back lifts the floor.

        The code index is held only while the search's code scope is in
        force (code_scope(t) says whether it was at time t), and its tens of
        megabytes come and go with the scope: samples are compared only with
        samples of the same scope, first those outside it. When no scope
        has samples in both quarters, the halves are compared instead."""
        for part in (4, 2):
            length = (end - start) / part
            for inside in (False, True):
                first = [held for t, _, held in self.samples
                         if start <= t <= start + length and code_scope(t) == inside]
                last = [held for t, _, held in self.samples
                        if end - length <= t <= end and code_scope(t) == inside]
                if first and last:
                    return min(first), min(last)
        return None


# The lines of the preferences file whose values are numbers.
_NUMERIC_KEYS = ("about", "Language", "SearchHint", "SearchMode", "CodeMarks", "FontSize",
                 "SavePaths", "SourceInTitle", "SaveWinSetting", "DyeingNews", "DarkMode",
                 "WinX", "WinY", "WinWidth", "WinHight", "Splitter")


def check_preferences(path):
    """Raises SoakFailure unless the preferences file reads as the viewer
    writes it: UTF-8 (after an optional byte-order mark), every line blank,
    a comment or KEY=VALUE, each key once, the database named, numbers where
    numbers belong."""
    try:
        with open(path, "rb") as stream:
            raw = stream.read()
    except OSError as error:
        raise SoakFailure("the preferences file cannot be read: %s" % error)
    if raw.startswith(b"\xef\xbb\xbf"):
        raw = raw[3:]
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError as error:
        raise SoakFailure("the preferences file is not UTF-8: %s" % error)
    values = {}
    for number, line in enumerate(text.splitlines(), 1):
        line = line.rstrip("\r")
        if not line.strip() or line.startswith(";"):
            continue
        if "=" not in line:
            raise SoakFailure("preferences line %d is no setting: %r" % (number, line))
        key, value = line.split("=", 1)
        if key in values:
            raise SoakFailure("preferences key %s appears twice" % key)
        values[key] = value
    # An empty path stands for the program folder, so only the line itself
    # must be there.
    if "db-path" not in values:
        raise SoakFailure("the preferences file names no database:\n%s" % text)
    for key in _NUMERIC_KEYS:
        if key in values and not re.fullmatch(r"-?[0-9]+", values[key]):
            raise SoakFailure("preferences %s=%r is no number" % (key, values[key]))
    return values


class LivenessWatch(_WatchThread):
    """Pings the main window every second from a thread with a connection of
    its own to the display, also while an action waits for something, and
    notes the first ping that went unanswered for the limit."""

    def __init__(self, server_class, window, limit, on_freeze):
        super().__init__()
        self.server_class = server_class
        self.window = window
        self.limit = limit
        # Called once when a ping went unanswered, while the program may still hang.
        self.on_freeze = on_freeze
        self.failure = None

    def check(self):
        if self.failure:
            raise SoakFailure(self.failure)

    def _run(self):
        server = self.server_class()
        while not self._stop.is_set() and not self.failure:
            sent = time.monotonic()
            if not server.ping(self.window, self.limit) and not self._stop.is_set():
                failure = ("the main window did not answer within %d s (a ping sent "
                           "%.1f s into the action then running)" %
                           (self.limit, sent - self.action_started))
                self.failure = failure + self.on_freeze()
            self._stop.wait(1.0)

    # The time the current action began, set by the soak.
    action_started = 0.0
