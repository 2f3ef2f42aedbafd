"""The user actions of the soak. Each plan_* function draws everything the
action will do from the soak's random generator first and returns it as an
Action; only running it touches the program. What an action draws depends
on the seed and the soak's own model of the window (its size and splitter,
changed by the soak's moves alone), never on what the program did, so the
same seed plans the same actions however fast the program answers."""

import fcntl
import time

from library import DROP_FILES, DROPS_WITH_BOX, SEARCH_MODES, SEARCH_WORDS
from watches import SoakFailure


class Action:
    def __init__(self, description, run, boxes=False, saves=False):
        self.description = description
        self.run = run
        # Whether the action may end with a message box (answered by the soak).
        self.boxes = boxes
        # Whether it may write the preferences file.
        self.saves = saves


# --- Places in the main window, from the soak's model of it -----------------------

TOOL_ROW_Y = 17
SEARCH_FIELD_X = 100
HISTORY_BOX_X = 300
ADMIN_BUTTON_X = 433
EXPAND_TOGGLE = (9, 25)


def copy_button_x(soak):
    return soak.width - 131


def settings_button_x(soak):
    return soak.width - 99


def help_button_x(soak):
    return soak.width - 57


def info_button_x(soak):
    return soak.width - 25


def tree_point(soak, rng):
    return rng.randint(20, max(21, soak.splitter - 30)), rng.randint(42, soak.height - 15)


def code_point(soak, rng):
    return (rng.randint(soak.splitter + 20, soak.width - 20),
            rng.randint(90, soak.height - 15))


# --- The settings window ------------------------------------------------------------

SETTINGS_TITLE = "^Linux OX-ZUR-Erirada-Vuvazo - Settings$"
# The middles of its combo boxes (turned with the wheel), check boxes and buttons.
SETTINGS_BOXES = {"language": (385, 216), "search mode": (385, 278), "hint": (385, 310),
                  "title": (385, 342), "marking": (385, 374)}
SETTINGS_CHECKS = {"news": (26, 409), "dark": (351, 409), "geometry": (26, 439),
                   "save paths": (26, 138)}
APPLY = (536, 146)
CANCEL = (158, 488)
SAVE = (475, 488)
# The "..." buttons and the windows they open.
SETTINGS_DIALOGS = {
    "database chooser": ((601, 55), "^Choose database '.*' \\.\\.\\.$"),
    "library chooser": ((601, 104), "^Choose Library-Main-Path \\.\\.\\.$"),
    "font dialog": ((601, 247), "^Orvex-Linux-API-Viewer$"),
}

# --- Actions ------------------------------------------------------------------------


def plan_click_rows(soak, rng):
    clicks = [(tree_point(soak, rng), rng.choice([1, 1, 1, 2])) for _ in range(rng.randint(1, 3))]

    def run():
        for (x, y), repeat in clicks:
            soak.desktop.click(soak.main, x, y, repeat=repeat)
    return Action("click rows %s" % clicks, run)


NAVIGATION_KEYS = ["Up", "Down", "Down", "Left", "Right", "space", "Home", "End", "Page_Down",
                   "Page_Up", "Return"]


def plan_navigation_keys(soak, rng):
    keys = [rng.choice(NAVIGATION_KEYS) for _ in range(rng.randint(1, 8))]
    return Action("keys %s" % " ".join(keys), lambda: soak.desktop.keys(soak.main, *keys))


def plan_type_search(soak, rng):
    word = rng.choice(SEARCH_WORDS)
    clear = rng.random() < 0.5

    def run():
        soak.desktop.click(soak.main, SEARCH_FIELD_X, TOOL_ROW_Y)
        if clear:
            soak.desktop.keys(soak.main, "ctrl+a", "BackSpace")
        soak.desktop.type(soak.main, word)
    return Action("search %r%s" % (word, " after clearing" if clear else ""), run)


def plan_delete_search(soak, rng):
    way = rng.choice(["BackSpace", "Delete key", "clear icon", "select and delete"])
    count = rng.randint(1, 6)

    def run():
        soak.desktop.click(soak.main, SEARCH_FIELD_X, TOOL_ROW_Y)
        if way == "BackSpace":
            soak.desktop.keys(soak.main, *["BackSpace"] * count)
        elif way == "Delete key":
            soak.desktop.keys(soak.main, "Delete")
        elif way == "clear icon":
            soak.desktop.click(soak.main, 168, TOOL_ROW_Y)
        else:
            soak.desktop.keys(soak.main, "End", *["shift+Left"] * count, "BackSpace")
    return Action("delete in the search field by %s%s" %
                  (way, " x%d" % count if way != "Delete key" else ""), run)


def plan_function_key(soak, rng):
    keys = [rng.choice(["F1", "F3", "F3", "F5", "F6"]) for _ in range(rng.randint(1, 3))]
    return Action("keys %s" % " ".join(keys), lambda: soak.desktop.keys(soak.main, *keys))


def plan_language_key(soak, rng):
    key = rng.choice(["alt+g", "alt+e", "alt+d", "alt+f"])
    return Action("key %s" % key, lambda: soak.desktop.keys(soak.main, key))


def plan_zoom(soak, rng):
    x, y = code_point(soak, rng)
    up = rng.random() < 0.5
    clicks = rng.randint(1, 4)
    return Action("ctrl+wheel %s x%d at %d,%d" % ("up" if up else "down", clicks, x, y),
                  lambda: soak.desktop.wheel(soak.main, x, y, up, clicks, ctrl=True))


def plan_scroll_code(soak, rng):
    x, y = code_point(soak, rng)
    way = rng.choice(["wheel", "ctrl+End", "ctrl+Home", "Page_Down"])
    clicks = rng.randint(1, 10)
    up = rng.random() < 0.4

    def run():
        if way == "wheel":
            soak.desktop.wheel(soak.main, x, y, up, clicks)
        else:
            soak.desktop.click(soak.main, x, y)
            soak.desktop.keys(soak.main, way)
    return Action("code view %s at %d,%d" % (way, x, y), run)


def plan_drag_entry(soak, rng):
    x, y = tree_point(soak, rng)
    tx, ty = code_point(soak, rng)

    def run():
        soak.desktop.click(soak.main, x, y)
        time.sleep(0.2)
        soak.desktop.drag(soak.main, x, y, soak.main, tx, ty)
    return Action("drag the row at %d,%d onto the code view at %d,%d" % (x, y, tx, ty), run,
                  boxes=True)


def plan_drop_file(soak, rng):
    name = rng.choice(DROP_FILES)
    tx, ty = code_point(soak, rng)

    def run():
        soak.library.write_payload(name)
        soak.desktop.activate(soak.source_window)
        soak.desktop.drag(soak.source_window, 80, 60, soak.main, tx, ty)
    return Action("drop %s on the code view at %d,%d" % (name, tx, ty), run,
                  boxes=name in DROPS_WITH_BOX)


def plan_copy(soak, rng):
    return Action("copy button", lambda: soak.desktop.click(soak.main, copy_button_x(soak),
                                                            TOOL_ROW_Y))


def plan_expand_toggle(soak, rng):
    return Action("expand/collapse all",
                  lambda: soak.desktop.click(soak.main, *EXPAND_TOGGLE))


def plan_help_button(soak, rng):
    return Action("help button", lambda: soak.desktop.click(soak.main, help_button_x(soak),
                                                            TOOL_ROW_Y))


def plan_history(soak, rng):
    downs = rng.randint(0, 5)
    choose = rng.random() < 0.7

    def run():
        # Nothing opens while no file has been shown.
        if not soak.open_popup(HISTORY_BOX_X, TOOL_ROW_Y, 2):
            return
        if choose:
            soak.desktop.xdotool("key", "--delay", 40, *(["Down"] * downs + ["Return"]))
        else:
            soak.desktop.click_empty_corner()
    return Action("recent files: %s" % ("item +%d" % downs if choose else "open and leave"),
                  run)


def plan_resize(soak, rng):
    width = rng.randint(800, 1090)
    height = rng.randint(400, 940)
    x = rng.randint(0, 1100 - width)
    y = rng.randint(30, 1000 - height)
    return Action("place the main window %dx%d+%d+%d" % (width, height, x, y),
                  lambda: soak.place_main(x, y, width, height))


def plan_splitter(soak, rng):
    start = soak.splitter
    target = rng.randint(110, soak.width - 110)
    y = rng.randint(100, soak.height - 50)
    soak.splitter = target

    def run():
        step = 20 if target > start else -20
        moves = []
        for _ in range(abs(target - start) // 20):
            moves += ["mousemove_relative", "--", step, 0, "sleep", "0.03"]
        soak.desktop.activate(soak.main)
        soak.desktop.xdotool("mousemove", "--window", soak.main, start, y, "sleep", "0.1",
                             "mousedown", 1, "sleep", "0.1", *moves, "sleep", "0.1", "mouseup", 1)
    return Action("move the splitter from %d to %d" % (start, target), run)


def plan_settings(soak, rng):
    """Opens the settings window, changes a few things at random, then
    closes it by one of its ways; Apply reloads the database."""
    steps = []
    for _ in range(rng.randint(1, 6)):
        kind = rng.choice(["box", "box", "check", "check", "apply", "dialog"])
        if kind == "box":
            steps.append(("box", rng.choice(sorted(SETTINGS_BOXES)), rng.random() < 0.5))
        elif kind == "check":
            steps.append(("check", rng.choice(sorted(SETTINGS_CHECKS))))
        elif kind == "apply":
            steps.append(("apply",))
        else:
            steps.append(("dialog", rng.choice(sorted(SETTINGS_DIALOGS))))
    ending = rng.choice(["save", "save", "cancel", "escape", "close", "apply then save"])

    def run():
        settings = open_settings(soak)
        if not settings:
            return
        # A turn of the wheel on the search mode box chooses the item above or
        # below, up to the first or last. The box keeps what it shows when the
        # window closes, also by Cancel; only Save puts it in force.
        for step in steps:
            if step[0] == "box":
                x, y = SETTINGS_BOXES[step[1]]
                soak.desktop.wheel(settings, x, y, step[2], 1)
                if step[1] == "search mode":
                    shown = soak.settings_search_mode
                    soak.settings_search_mode = (max(0, shown - 1) if step[2] else
                                                 min(SEARCH_MODES - 1, shown + 1))
            elif step[0] == "check":
                soak.desktop.click(settings, *SETTINGS_CHECKS[step[1]])
            elif step[0] == "apply":
                soak.desktop.click(settings, *APPLY)
            else:
                open_and_cancel_dialog(soak, settings, step[1])
        if ending == "apply then save":
            soak.desktop.click(settings, *APPLY)
            soak.desktop.click(settings, *SAVE)
            soak.save_search_mode(soak.settings_search_mode)
        elif ending == "save":
            soak.desktop.click(settings, *SAVE)
            soak.save_search_mode(soak.settings_search_mode)
        elif ending == "cancel":
            soak.desktop.click(settings, *CANCEL)
        elif ending == "escape":
            soak.desktop.keys(settings, "Escape")
        else:
            soak.x.close_window(settings)
        # Save shows a note when the colours change, which hides the window
        # only once answered.
        if "save" in ending:
            soak.wait_for_box(1.0)
        soak.wait_until_hidden(settings)
    described = ", ".join(" ".join(str(part) for part in step) for step in steps)
    return Action("settings: %s; %s" % (described, ending), run,
                  boxes="save" in ending, saves="save" in ending)


def open_settings(soak):
    # Right after a move or resize the tool row may not be laid out at the
    # new size yet, and the click misses the button: it is repeated.
    for _ in range(3):
        soak.desktop.click(soak.main, settings_button_x(soak), TOOL_ROW_Y)
        settings = soak.wait_for(SETTINGS_TITLE, 4)
        if settings:
            return settings
    return 0


def open_and_cancel_dialog(soak, settings, name):
    (x, y), title = SETTINGS_DIALOGS[name]
    soak.desktop.click(settings, x, y)
    dialog = soak.wait_for(title, 10)
    if not dialog:
        return
    time.sleep(0.3)
    soak.desktop.keys(dialog, "Escape")
    if not soak.wait_until_hidden(dialog, 5):
        soak.x.close_window(dialog)


# The update check asks this port; the end-to-end test of the update check
# answers it with a server of its own while it holds this lock.
UPDATE_PORT_LOCK = "/tmp/orvex-test-port-18080.lock"


class update_port_lock:
    """Holds the lock of the update check's port for a moment, so that the
    soak's check does not reach the server of an end-to-end test running at
    the same time; bounded, so that a stuck lock cannot stop the soak."""

    def __enter__(self):
        self.file = open(UPDATE_PORT_LOCK, "a+")
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            try:
                fcntl.flock(self.file, fcntl.LOCK_EX | fcntl.LOCK_NB)
                return self
            except OSError:
                time.sleep(0.1)
        return self

    def __exit__(self, *_):
        self.file.close()


INFO_ITEMS = {
    "about": (1, "^About Orvex-Linux-API-Viewer$"),
    "database information": (2, "^About: Current database & file$"),
    "update check": (3, "^Orvex-Linux-API-Viewer: Update check$"),
}


def plan_info_window(soak, rng):
    name = rng.choice(sorted(INFO_ITEMS))
    close = rng.choice(["escape", "close"])
    pause = rng.choice([0.0, 0.3, 1.0])

    def run():
        downs, title = INFO_ITEMS[name]
        if name == "update check":
            with update_port_lock():
                window = choose_and_wait(soak, downs, title)
        else:
            window = choose_and_wait(soak, downs, title)
        if not window:
            return
        time.sleep(pause)
        if close == "escape":
            soak.desktop.keys(window, "Escape")
        else:
            soak.x.close_window(window)
        soak.wait_until_hidden(window)
    return Action("info menu: %s, closed by %s after %.1f s" % (name, close, pause), run)


def choose_and_wait(soak, downs, title):
    if not soak.choose_menu_item(info_button_x(soak), downs):
        return 0
    return soak.wait_for(title, 15)


def plan_open_with_default_app(soak, rng):
    # Below the separator: the fourth item the keyboard reaches.
    return Action("info menu: open with the default app",
                  lambda: soak.choose_menu_item(info_button_x(soak), 4))


ADMIN_EXPORTS = {1: "web page", 2: "posting of all", 3: "posting of the news",
                 4: "file list", 5: "duplicates protocol"}


def plan_admin(soak, rng):
    item = rng.choice([1, 2, 3, 4, 5, 6, 7])

    def run():
        if not soak.choose_menu_item(ADMIN_BUTTON_X, item):
            return
        if item in ADMIN_EXPORTS and not soak.wait_for_box(60):
            raise SoakFailure("the export of the %s ended without its message" %
                              ADMIN_EXPORTS[item])
    name = ADMIN_EXPORTS.get(item, {6: "edit the help file", 7: "copy the code path"}.get(item))
    return Action("admin menu: %s" % name, run, boxes=True)


# The actions with their weights: the everyday ones more often.
ACTIONS = [
    (plan_click_rows, 10), (plan_navigation_keys, 10), (plan_type_search, 8),
    (plan_delete_search, 5), (plan_function_key, 6), (plan_language_key, 4), (plan_zoom, 5),
    (plan_scroll_code, 4), (plan_drag_entry, 3), (plan_drop_file, 4), (plan_copy, 3),
    (plan_expand_toggle, 2), (plan_help_button, 1), (plan_history, 3), (plan_resize, 2),
    (plan_splitter, 2), (plan_settings, 6), (plan_info_window, 4),
    (plan_open_with_default_app, 1),
]
ADMIN_ACTIONS = [(plan_admin, 3)]


def plan_action(soak):
    table = ACTIONS + (ADMIN_ACTIONS if soak.admin else [])
    plans = [plan for plan, _ in table]
    weights = [weight for _, weight in table]
    plan = soak.rng.choices(plans, weights)[0]
    return plan(soak, soak.rng)


def warm_up(soak):
    """Before memory is measured: the long file shown and copied (which
    colours all of it at once), the database reloaded by Apply (the old and
    the new one are held at once for a moment) and every secondary window
    opened once, so that the first quarter starts with the heap a session
    grows to anyway: memory the allocator got back stays with the process."""
    soak.desktop.click(soak.main, SEARCH_FIELD_X, TOOL_ROW_Y)
    soak.desktop.type(soak.main, "Liste 0")
    time.sleep(2)
    soak.desktop.click(soak.main, copy_button_x(soak), TOOL_ROW_Y)
    time.sleep(1)
    settings = open_settings(soak)
    if settings:
        soak.desktop.click(settings, *APPLY)
        soak.desktop.keys(settings, "Escape")
        soak.wait_until_hidden(settings)
    for name in ("about", "database information"):
        downs, title = INFO_ITEMS[name]
        window = choose_and_wait(soak, downs, title)
        if window:
            soak.x.close_window(window)
            soak.wait_until_hidden(window)
    soak.desktop.keys(soak.main, "Delete")
