#!/usr/bin/python3
"""Drives the staged viewer with random but reproducible user actions for a
given time and fails on the first sign of trouble: the program ending, a
sanitizer report, a GTK critical or warning, a message box no action called
for, the main window not answering within 5 s, the memory the program holds
growing by more than 20 MB from the first to the last quarter, an unreadable
preferences file, the main window drifting from where the soak put it.

Started by scripts/soak, which builds the program and starts the display;
see tests/soak/README.md.
"""

import argparse
import collections
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import random

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from actions import plan_action, warm_up  # noqa: E402
from library import CODE_SCOPE, PROGRAM_TITLE, SoakLibrary  # noqa: E402
from watches import (LivenessWatch, MemoryWatch, SoakFailure,  # noqa: E402
                     StandardErrorWatch, check_preferences, resident_mb)
from xserver import XServer  # noqa: E402

ANSWER_SECONDS = 5
MEMORY_GROWTH_MB = 20
# The preferences file is read after every action that may write it and
# after every this many actions besides.
PREFERENCES_EVERY = 25

MAIN_WINDOW = "^" + PROGRAM_TITLE + "( ~ .*)?$"
# The program's windows other than the main window and message boxes; the
# actions that open them close them again.
SECONDARY_WINDOWS = [
    "^" + PROGRAM_TITLE + " - Settings$",
    "^About Orvex-Linux-API-Viewer$",
    "^About: Current database & file$",
    "^Orvex-Linux-API-Viewer: Update check$",
    "^Orvex-Linux-API-Viewer$",  # the font dialog
    "^Choose database '.*' \\.\\.\\.$",
    "^Choose Library-Main-Path \\.\\.\\.$",
]
# Window types of the toolkit's popups: menus, combo box lists, tooltips.
POPUP_TYPES = ("_NET_WM_WINDOW_TYPE_POPUP_MENU", "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU",
               "_NET_WM_WINDOW_TYPE_COMBO", "_NET_WM_WINDOW_TYPE_MENU")
# A corner of the screen that no window covers: a click there closes an
# open popup menu and does nothing else.
EMPTY_CORNER = (1275, 1019)


class Desktop:
    """Real input through xdotool, and the windows of the display."""

    def __init__(self, x):
        self.x = x

    def xdotool(self, *arguments, timeout=30):
        subprocess.run(["xdotool"] + [str(a) for a in arguments], timeout=timeout,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def activate(self, window):
        """Makes the window active, as a click on it would; bounded, as the
        window manager may activate it on its own in between."""
        if self.x.active_window() == window:
            return True
        subprocess.run(["timeout", "5", "xdotool", "windowactivate", "--sync", str(window)],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self.x.active_window() == window

    def click(self, window, x, y, button=1, repeat=1):
        self.activate(window)
        self.xdotool("mousemove", "--window", window, x, y, "sleep", "0.05", "click",
                     "--repeat", repeat, "--delay", 80, button)

    def keys(self, window, *keys):
        """Keys to the window, only once it is active: a key meant for another
        window must never reach the main window (Escape there ends it)."""
        if not self.activate(window):
            return False
        self.xdotool("key", "--clearmodifiers", "--delay", 30, *keys)
        return True

    def type(self, window, text):
        if not self.activate(window):
            return False
        self.xdotool("type", "--clearmodifiers", "--delay", 20, text)
        return True

    def wheel(self, window, x, y, up, clicks, ctrl=False):
        self.activate(window)
        steps = ["mousemove", "--window", window, x, y, "sleep", "0.05"]
        if ctrl:
            steps += ["keydown", "ctrl"]
        steps += ["click", "--repeat", clicks, "--delay", 60, 4 if up else 5]
        if ctrl:
            steps += ["keyup", "ctrl"]
        self.xdotool(*steps)

    def drag(self, source, sx, sy, target, tx, ty):
        """Presses the button at a point of one window, moves past the drag
        threshold in small steps, then over the target in a few steps so
        that both see the pointer arrive, and lets go there."""
        self.xdotool(
            "mousemove", "--window", source, sx, sy, "sleep", "0.15", "mousedown", 1,
            "sleep", "0.15", "mousemove_relative", 6, 0, "sleep", "0.1",
            "mousemove_relative", 10, 0, "sleep", "0.1", "mousemove_relative", 16, 0,
            "sleep", "0.15", "mousemove", "--window", target, tx - 20, ty - 20, "sleep", "0.2",
            "mousemove", "--window", target, tx - 8, ty - 6, "sleep", "0.2",
            "mousemove", "--window", target, tx, ty, "sleep", "0.3", "mouseup", 1)

    def click_empty_corner(self):
        self.xdotool("mousemove", *EMPTY_CORNER, "sleep", "0.05", "click", 1)

    def place(self, window, x, y, width, height):
        """Moves and resizes the window and waits until the window manager
        has done so; the geometry it then has, steady for a moment."""
        self.xdotool("windowsize", window, width, height, "windowmove", window, x, y)
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            now = self.x.geometry(window)
            if (now and now[2:] == (width, height) and abs(now[0] - x) < 40
                    and abs(now[1] - y) < 60):
                break
            time.sleep(0.05)
        return self.steady_geometry(window)

    def steady_geometry(self, window, seconds=0.3):
        """The window's geometry once it has not changed for the time given
        (at most 10 s)."""
        last = self.x.geometry(window)
        since = time.monotonic()
        deadline = since + 10
        while time.monotonic() < deadline:
            time.sleep(0.05)
            now = self.x.geometry(window)
            if now != last:
                last, since = now, time.monotonic()
            elif time.monotonic() - since >= seconds:
                break
        return last


class Soak:
    def __init__(self, options, work):
        self.options = options
        self.seed = options.seed
        self.admin = options.admin
        self.rng = random.Random(self.seed)
        self.work = work
        self.library = SoakLibrary(work, options.stage, options.generators)
        self.x = XServer()
        self.desktop = Desktop(self.x)
        self.log = collections.deque(maxlen=50)
        self.actions = 0
        self.program = None
        self.main = 0
        self.expected_geometry = None
        # The soak's model of the main window, from its own moves alone, so
        # that the plans of actions do not depend on what the program did.
        self.width, self.height = 800, 600
        self.splitter = 351
        self.source = None
        self.source_window = 0
        self.ending = False
        # The search modes in force, with the moments they were saved, and
        # the one the settings window's box shows.
        self.search_modes = [(0.0, self.stored_search_mode())]
        self.settings_search_mode = self.search_mode()

    # --- The program --------------------------------------------------------------

    def environment(self):
        env = dict(os.environ)
        env.update({
            "TZ": "UTC", "LANG": "C.UTF-8", "LC_ALL": "C.UTF-8", "NO_AT_BRIDGE": "1",
            "GTK_THEME": "Adwaita", "GSETTINGS_BACKEND": "memory", "HOME": self.library.home,
            "PATH": self.library.stand_ins + os.pathsep + env.get("PATH", ""),
            # A small quarantine: AddressSanitizer keeps freed memory back for
            # a while to catch late uses; at its default of 256 MB that
            # memory would fill up during the run and swell the resident
            # memory the journal records.
            "ASAN_OPTIONS": "detect_leaks=1:abort_on_error=0:quarantine_size_mb=8:"
                            "thread_local_quarantine_size_kb=256",
            "LSAN_OPTIONS": "suppressions=%s:print_suppressions=0" % self.options.suppressions,
            "UBSAN_OPTIONS": "print_stacktrace=1:halt_on_error=1",
        })
        env.pop("G_DEBUG", None)
        return env

    def probed_environment(self, heap_path):
        """The environment of the program: with the heap probe loaded after
        the sanitizer's runtime, which must come first."""
        runtime = sanitizer_runtime(self.library.program)
        if not runtime:
            raise SoakFailure("the program is not linked with AddressSanitizer")
        env = self.environment()
        env.update({"LD_PRELOAD": "%s %s" % (runtime, os.path.abspath(self.options.heap_probe)),
                    "HEAP_PROBE_FILE": heap_path})
        return env

    def start(self):
        self.stderr_path = os.path.join(self.work, "stderr.txt")
        heap_path = os.path.join(self.work, "heap.txt")
        with open(self.stderr_path, "wb") as stderr:
            self.program = subprocess.Popen(
                [self.library.program], cwd=self.library.program_folder, stderr=stderr,
                stdout=subprocess.DEVNULL, env=self.probed_environment(heap_path),
                start_new_session=True)
        self.stderr = StandardErrorWatch(self.stderr_path)
        self.main = self.x.wait_for_window(self.program.pid, "^" + PROGRAM_TITLE + "$", 120)
        if not self.main:
            self.check_alive()
            raise SoakFailure("the main window did not appear")
        self.memory = MemoryWatch(self.program.pid, heap_path)
        deadline = time.monotonic() + 10
        while self.memory.held_mb() is None:
            if time.monotonic() > deadline:
                raise SoakFailure("the heap probe wrote no count (see stderr.txt)")
            time.sleep(0.1)
        self.memory.start()
        self.liveness = LivenessWatch(XServer, self.main, ANSWER_SECONDS, self.record_stacks)
        self.liveness.start()
        self.start_drag_source()
        self.place_main(40, 40, 800, 600)

    def start_drag_source(self):
        """The window files are dragged from: a helper that offers the URI
        list in the payload file, at the screen's right edge, where the main
        window never goes."""
        self.library.write_payload("Small.ox")
        self.source = subprocess.Popen([self.options.drag_source, self.library.payload],
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                       env=self.environment())
        self.source_window = self.x.wait_for_window(self.source.pid, "^Hostile drag source$", 30)
        if not self.source_window:
            raise SoakFailure("the drag source did not open")
        self.desktop.place(self.source_window, 1110, 80, 160, 120)

    def place_main(self, x, y, width, height):
        self.width, self.height = width, height
        self.splitter = min(self.splitter, width - 110)
        self.expected_geometry = self.desktop.place(self.main, x, y, width, height)

    def record_stacks(self):
        """The stacks of the program's threads, taken with gdb when there is
        one, into the work folder; says where, for the failure's text."""
        if not shutil.which("gdb"):
            return ""
        path = os.path.join(self.work, "stacks.txt")
        with open(path, "w") as out:
            subprocess.run(["gdb", "-p", str(self.program.pid), "-batch", "-ex",
                            "thread apply all bt"], stdout=out, stderr=subprocess.STDOUT,
                           timeout=120)
        return "; the program's stacks then are in " + path

    def check_alive(self):
        status = self.program.poll()
        if status is not None:
            raise SoakFailure("the program ended with status %d\n%s" %
                              (status, self.stderr.tail(60)))

    def end(self):
        """Escape in the main window, which must end the program with status
        0 and no report of the leak check at its end."""
        self.close_secondary_windows()
        self.ending = True
        self.liveness.stop()
        if not self.desktop.keys(self.main, "Escape"):
            raise SoakFailure("the main window could not be activated for the final Escape")
        try:
            status = self.program.wait(120)
        except subprocess.TimeoutExpired:
            raise SoakFailure("the program did not end after Escape")
        self.memory.stop()
        self.stderr.check()
        if status != 0:
            raise SoakFailure("the program ended with status %d after Escape\n%s" %
                              (status, self.stderr.tail(60)))

    def stop(self):
        """Ends whatever is still running, at the end or on a failure."""
        for process in (self.program, self.source):
            if process and process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGKILL) if process is self.program \
                        else process.kill()
                except OSError:
                    pass
                process.wait()

    # --- Windows ----------------------------------------------------------------------

    def program_windows(self):
        """The program's viewable windows managed by the window manager,
        with their titles, besides the main window."""
        found = []
        for window in self.x.visible_windows(self.program.pid):
            attributes = self.x.attributes(window)
            if window == self.main or attributes is None or attributes.override_redirect:
                continue
            found.append((window, self.x.title(window)))
        return found

    def message_boxes(self):
        import re
        return [(w, t) for w, t in self.program_windows()
                if not any(re.search(p, t) for p in SECONDARY_WINDOWS)]

    def secondary_windows(self):
        import re
        return [(w, t) for w, t in self.program_windows()
                if any(re.search(p, t) for p in SECONDARY_WINDOWS)]

    def open_popups(self):
        types = {self.x.atom(name) for name in POPUP_TYPES}
        return [w for w in self.x.visible_windows(self.program.pid)
                if types.intersection(self.x.window_types(w))]

    def wait_for(self, pattern, seconds=10):
        return self.x.wait_for_window(self.program.pid, pattern, seconds, besides=(self.main,))

    def wait_until_hidden(self, window, seconds=5):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if not self.x.viewable(window):
                return True
            time.sleep(0.03)
        return False

    def answer_box(self, window, title):
        """Return in a message box; it must close."""
        self.desktop.keys(window, "Return")
        if not self.wait_until_hidden(window):
            self.x.close_window(window)
            if not self.wait_until_hidden(window):
                raise SoakFailure("the message box %r did not close" % title)

    def wait_for_box(self, seconds):
        """Waits for a message box and answers it; False when none came."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            self.check_alive()
            boxes = self.message_boxes()
            if boxes:
                for window, title in boxes:
                    self.answer_box(window, title)
                return True
            time.sleep(0.05)
        return False

    def close_secondary_windows(self):
        """Closes what an action left open: popups by a click into the empty
        corner, windows as their close button does."""
        for _ in range(3):
            if not self.open_popups():
                break
            self.desktop.click_empty_corner()
            time.sleep(0.2)
        # The topmost first: a chooser or font dialog opened late over the
        # settings window is modal, and the settings window closes only after it.
        for window, title in reversed(self.secondary_windows()):
            self.x.close_window(window)
            if not self.wait_until_hidden(window, 10):
                raise SoakFailure("the window %r did not close" % title)

    def open_popup(self, x, y, seconds=5):
        """Clicks a tool-row button of the main window and waits for the popup
        menu it opens; the menu then holds the keyboard."""
        before = len(self.open_popups())
        self.desktop.click(self.main, x, y)
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if len(self.open_popups()) > before:
                return True
            time.sleep(0.03)
        return False

    def choose_menu_item(self, x, downs):
        """The item that many Down presses below the top of the tool-row
        button's menu."""
        if not self.open_popup(x, 17):
            return False
        self.desktop.xdotool("key", "--clearmodifiers", "--delay", 40,
                             *(["Down"] * downs + ["Return"]))
        return True

    # --- The checks after every action ------------------------------------------------

    def settle(self, action):
        self.check_alive()
        self.liveness.check()
        if not self.x.ping(self.main, ANSWER_SECONDS):
            self.check_alive()
            raise SoakFailure("the main window did not answer within %d s%s" %
                              (ANSWER_SECONDS, self.record_stacks()))
        if action.boxes:
            self.wait_for_box(0.5)
        boxes = self.message_boxes()
        if boxes:
            titles = ", ".join(repr(t) for _, t in boxes)
            raise SoakFailure("a message box the action did not call for: %s" % titles)
        self.close_secondary_windows()
        self.stderr.check()
        self.check_geometry()
        if action.saves or self.actions % PREFERENCES_EVERY == 0:
            check_preferences(self.library.preferences)

    def check_geometry(self):
        """The main window stays where the soak put it. Searches that found
        nothing shake the window as a hint, so it may move for a while after
        the typing ended: a window away from its place is compared again
        once it has stood still for a second."""
        if self.x.geometry(self.main) == self.expected_geometry:
            return
        deadline = time.monotonic() + 30
        while True:
            now = self.desktop.steady_geometry(self.main, 1.0)
            if now == self.expected_geometry:
                return
            if time.monotonic() >= deadline:
                raise SoakFailure("the main window drifted: put at %s, now at %s" %
                                  (self.expected_geometry, now))

    def stored_search_mode(self):
        try:
            return int(check_preferences(self.library.preferences).get("SearchMode", "0"))
        except (SoakFailure, ValueError):
            return 0

    def search_mode(self):
        return self.search_modes[-1][1]

    def save_search_mode(self, mode):
        self.search_modes.append((time.monotonic(), mode))

    def code_scope_at(self, moment):
        """Whether the search's code scope was in force at the moment, by
        the soak's own record of the saved settings."""
        inside = False
        for changed, scope in self.search_modes:
            if changed > moment:
                break
            inside = scope == CODE_SCOPE
        return inside

    def check_memory(self, start, end):
        quarters = self.memory.quarters(start, end, self.code_scope_at)
        if quarters is None:
            return None
        first, last = quarters
        if last - first > MEMORY_GROWTH_MB:
            raise SoakFailure("the memory the program holds grew from %.1f MB (first quarter) "
                              "to %.1f MB (last quarter)" % (first, last))
        return quarters

    # --- The run ----------------------------------------------------------------------

    def run(self, seconds):
        self.start()
        warm_up(self)
        self.settle(type("WarmUp", (), {"boxes": False, "saves": False})())
        start = time.monotonic()
        start_rss = resident_mb(self.program.pid)
        # Every action with the memory after it, for the search of what
        # lifted the memory in a failed run.
        with open(os.path.join(self.work, "actions.txt"), "w", buffering=1) as journal:
            while time.monotonic() - start < seconds:
                action = plan_action(self)
                self.actions += 1
                began = time.monotonic()
                line = "%5d %7.1fs %s" % (self.actions, began - start, action.description)
                self.log.append(line)
                self.liveness.action_started = began
                action.run()
                self.settle(action)
                journal.write("%s  [%.1f MB resident, %.1f MB held, search mode %d]\n" %
                              (line, resident_mb(self.program.pid) or 0,
                               self.memory.held_mb() or 0, self.search_mode()))
                if self.options.verbose:
                    print("%s (%.1f s)" % (line, time.monotonic() - began), flush=True)
            end = time.monotonic()
        end_rss = resident_mb(self.program.pid)
        quarters = self.check_memory(start, end)
        check_preferences(self.library.preferences)
        self.end()
        elapsed = end - start
        print("soak: passed: seed %d, %s build, %d actions in %.0f s (%.2f per second)" %
              (self.seed, "admin" if self.admin else "default", self.actions, elapsed,
               self.actions / elapsed))
        print("soak: resident memory %.1f MB at the start, %.1f MB at the end; memory held, "
              "lowest in the first quarter %.1f MB, in the last %.1f MB" %
              (start_rss or 0, end_rss or 0, quarters[0] if quarters else 0,
               quarters[1] if quarters else 0))

    def report_failure(self, failure):
        print("soak: FAILED with seed %d (%s build) after %d actions: %s" %
              (self.seed, "admin" if self.admin else "default", self.actions, failure),
              file=sys.stderr)
        print("soak: the last %d actions:" % len(self.log), file=sys.stderr)
        for line in self.log:
            print("  " + line, file=sys.stderr)
        print("soak: replay with: scripts/soak %s%d %d" %
              ("--admin " if self.admin else "", self.options.seconds, self.seed),
              file=sys.stderr)


def sanitizer_runtime(program):
    """The path of the AddressSanitizer runtime the program loads, by ldd."""
    listing = subprocess.run(["ldd", program], capture_output=True, text=True).stdout
    for line in listing.splitlines():
        parts = line.split()
        if parts and parts[0].startswith("libasan.so") and len(parts) >= 3:
            return parts[2]
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("seconds", type=int)
    parser.add_argument("seed", type=int, nargs="?")
    parser.add_argument("--admin", action="store_true", help="the stage is the admin build")
    parser.add_argument("--stage", required=True)
    parser.add_argument("--generators", required=True, help="folder of generate-library/-code")
    parser.add_argument("--drag-source", required=True)
    parser.add_argument("--heap-probe", required=True, help="heap-probe.so")
    parser.add_argument("--suppressions", required=True)
    parser.add_argument("--keep", action="store_true", help="keep the work folder")
    parser.add_argument("--verbose", action="store_true", help="print each action as it ends")
    options = parser.parse_args()
    if options.seed is None:
        options.seed = random.SystemRandom().randrange(1, 1 << 31)
    print("soak: seed %d, %d s, %s build" %
          (options.seed, options.seconds, "admin" if options.admin else "default"), flush=True)
    work = tempfile.mkdtemp(prefix="orvex-soak-")
    soak = None
    status = 1
    try:
        soak = Soak(options, work)
        soak.run(options.seconds)
        status = 0
    except SoakFailure as failure:
        if soak:
            soak.report_failure(failure)
        else:
            print("soak: FAILED before the start: %s" % failure, file=sys.stderr)
    except Exception:
        if soak:
            soak.report_failure("the soak itself failed (below)")
        raise
    finally:
        if soak:
            soak.stop()
        if status == 0 and not options.keep:
            shutil.rmtree(work, ignore_errors=True)
        else:
            print("soak: the work folder (program output in stderr.txt) is kept: " + work,
                  file=sys.stderr)
    return status


if __name__ == "__main__":
    sys.exit(main())
