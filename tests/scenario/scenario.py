#!/usr/bin/python3
"""A user's first session with the real program, driven from outside through the accessibility
tree, then a second start that must restore what the first one kept.

Runs inside an X server and a D-Bus session (see run-scenario). Usage:
    scenario.py QUORVEL SHOTS_DIR [BASE]
BASE, made afresh and removed at the end, holds the settings, the working directory and the two
trees (a temporary directory when not given; a fixed one gives the pictures readable paths).
Exits 0 when every step and check passed; 1 with the failed step on standard error.
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import pyatspi

DEADLINE = 20.0  # seconds any one thing may take to appear
TEXTS = {}
TEXTS["Deutsch"] = {
    "id": 4,
    "dirdir": "Verzeichnis mit Verzeichnis vergleichen",
    "start": "Vergleich starten",
    "browse": "Durchsuchen...",
    "filter": "Filter",
    "question": "Vergleich beendet. Moechten Sie den Datei-Report sehen?",
    "save": "Speichern...",
    "font": "Schriftart...",
    "close": "Schließen",
    "choose": "Wählen Sie ein Verzeichnis:",
}
TEXTS["English"] = {
    "id": 1,
    "dirdir": "Compare directory with directory",
    "start": "Start comparison",
    "browse": "Browse...",
    "filter": "filter",
    "question": "Comparison Terminated. Do you want to view the files report?",
    "save": "Save...",
    "font": "Font...",
    "close": "Close",
    "choose": "Choose a directory:",
}
MAIN_TITLE = "Quorvel 2.1"
# The language chosen in the chooser.
LANGUAGE = "Deutsch"
T = TEXTS[LANGUAGE]


# Roles whose items are not searched one by one (a folder can hold thousands).
LONG_LISTS = ("list", "table", "tree table", "list box", "tree")


class Failure(Exception):
    pass


class Scenario:
    def __init__(self, program, shots):
        self.program = program
        self.shots = shots
        self.step = 0
        self.process = None

    # --- Waiting ---------------------------------------------------------------------------------

    def poll(self, what, condition, deadline=DEADLINE):
        """The first true value of condition() before the deadline."""
        end = time.monotonic() + deadline
        while True:
            try:
                value = condition()
            except Exception:  # a node may vanish while it is read
                value = None
            if value:
                return value
            if self.process is not None and self.process.poll() is not None:
                raise Failure(f"{what}: quorvel exited with {self.process.returncode}")
            if time.monotonic() > end:
                raise Failure(f"{what}: not seen within {deadline:.0f} s")
            time.sleep(0.05)  # polling interval, not a wait for the condition

    # --- The accessibility tree ------------------------------------------------------------------

    def application(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == self.process.pid:
                    return app
            except Exception:
                continue
        return None

    def windows(self):
        app = self.application()
        if app is None:
            return []
        return [app.getChildAtIndex(i) for i in range(app.childCount)]

    @staticmethod
    def showing(node):
        return node.getState().contains(pyatspi.STATE_SHOWING)

    def find_all(self, root, role=None, name=None):
        """Showing nodes under root with the role (a role name) and the name (text or regex)."""
        found = []
        stack = [root]
        while stack:
            node = stack.pop()
            if node is None:
                continue
            try:
                if not self.showing(node) and node is not root:
                    continue
                node_role = node.getRoleName()
                node_name = node.name or ""
            except Exception:
                continue
            role_ok = role is None or node_role == role
            if isinstance(name, re.Pattern):
                name_ok = bool(name.fullmatch(node_name))
            else:
                name_ok = name is None or node_name == name
            if role_ok and name_ok and node is not root:
                found.append(node)
            # Long lists are not searched item by item.
            if node is not root and node_role in LONG_LISTS:
                continue
            try:
                stack.extend(node.getChildAtIndex(i) for i in reversed(range(node.childCount)))
            except Exception:
                continue
        return found

    def window(self, name):
        """The showing top-level window called name (text or regex)."""

        def find():
            for w in self.windows():
                n = w.name or ""
                ok = bool(name.fullmatch(n)) if isinstance(name, re.Pattern) else n == name
                if ok and self.showing(w):
                    return w
            return None

        return self.poll(f"window {name!r}", find)

    def dialog(self, what, accept):
        """The showing top-level window other than the main one that accept(window) takes."""
        return self.poll(what, lambda: next(w for w in self.windows() if self.showing(w) and
                                            w.name != MAIN_TITLE and
                                            w.getRoleName() != "filler" and accept(w)))

    def dump(self, out=sys.stderr):
        """The showing windows' trees, for a failure's diagnosis."""

        def walk(node, depth):
            try:
                if depth > 8 or not self.showing(node):
                    return
                print("  " * depth + f"{node.getRoleName()} {node.name!r}", file=out)
                if node.getRoleName() in LONG_LISTS:
                    return
                for i in range(node.childCount):
                    walk(node.getChildAtIndex(i), depth + 1)
            except Exception:
                pass

        for w in self.windows():
            walk(w, 0)

    def control(self, window, role, name, index=0):
        """The index-th showing control of window with the role and the name."""

        def find():
            found = self.find_all(window, role, name)
            return found[index] if len(found) > index else None

        return self.poll(f"{role} {name!r}", find)

    def shows_path(self, window, path):
        """A label of window shows path's last name (a long path is shown shortened)."""
        pattern = re.compile(".*" + re.escape(os.path.basename(path)) + ".*")
        return bool(self.find_all(window, "label", pattern))

    def click(self, window, node):
        """A mouse click at the middle of node, once its window has the input focus. (Buttons are
        clicked rather than triggered through the tree: a button that opens a modal window holds
        the tree's answer back, and a checkable button's accessible toggle sets its state without
        the click its handler listens to.)"""
        self.poll(f"{window.name!r} active", lambda: self.active_title() == window.name)
        x, y, w, h = self.extents(node)
        subprocess.run(["xdotool", "mousemove", "--sync", str(x + w // 2), str(y + h // 2),
                        "click", "1"], check=True)

    @staticmethod
    def focused(node):
        return node.getState().contains(pyatspi.STATE_FOCUSED)

    def focus_at(self, window):
        """Where the focus is in window: the focused control's role, name and place, or None."""
        for n in self.find_all(window):
            if self.focused(n):
                return (n.getRoleName(), n.name, self.extents(n))
        return None

    def close_window(self, window):
        """Closes window from its frame, as the window manager's close key does."""
        xid = self.poll(f"{window.name!r} on the screen",
                        lambda: self.xwindow(self.process.pid, window.name))
        subprocess.run(["xdotool", "windowactivate", "--sync", xid], check=True)
        self.poll(f"{window.name!r} active", lambda: self.active_title() == window.name)
        subprocess.run(["xdotool", "key", "alt+F4"], check=True)

    @staticmethod
    def frame_extents(xid):
        """The window manager's frame edges around an X window: left, right, top, bottom."""
        out = subprocess.run(["xprop", "-id", xid, "_NET_FRAME_EXTENTS"], capture_output=True,
                             text=True).stdout
        numbers = [int(n) for n in re.findall(r"\d+", out.partition("=")[2])]
        return tuple(numbers) if len(numbers) == 4 else None

    @staticmethod
    def active_title():
        return subprocess.run(["xdotool", "getactivewindow", "getwindowname"],
                              capture_output=True, text=True).stdout.rstrip("\n")

    def set_text(self, node, text):
        node.queryEditableText().setTextContents(text)
        self.poll(f"text {text!r} set", lambda: node.queryText().getText(0, -1) == text)

    @staticmethod
    def extents(node):
        e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return (e.x, e.y, e.width, e.height)

    # --- Outside the tree ------------------------------------------------------------------------

    def shot(self, name):
        self.step += 1
        if self.shots:
            subprocess.run(["import", "-window", "root",
                            os.path.join(self.shots, f"scenario-{self.step:02d}-{name}.png")],
                           check=True)

    @staticmethod
    def xwindow(pid, title):
        out = subprocess.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid),
                              "--name", f"^{re.escape(title)}$"],
                             capture_output=True, text=True).stdout.split()
        return out[0] if out else None

    def start(self, work, config, operands=()):
        env = dict(os.environ, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="xcb",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                   LANG="C.UTF-8", LC_ALL="C.UTF-8")
        self.process = subprocess.Popen([self.program, *operands], cwd=work, env=env)

    def wait_exit(self, what):
        end = time.monotonic() + DEADLINE
        while self.process.poll() is None:
            if time.monotonic() > end:
                self.process.kill()
                raise Failure(f"{what}: quorvel did not end")
            time.sleep(0.05)
        if self.process.returncode != 0:
            raise Failure(f"{what}: quorvel exited with {self.process.returncode}")


def read_settings(path):
    """The values of the program's key: name -> int or str."""
    values = {}
    section = None
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("["):
                section = line.strip("[]").lower()
                continue
            m = re.match(r'"([^"]*)"=(.*)$', line)
            if not m:
                continue
            # Values of a subkey are named "subkey/value".
            subkey = section.rsplit("\\", 1)[-1]
            key = m.group(1) if subkey == "quorvel" else f"{subkey}/{m.group(1)}"
            data = m.group(2)
            if data.startswith("dword:"):
                values[key.lower()] = int(data[6:], 16)
            elif data.startswith('"'):
                values[key.lower()] = data[1:-1].replace('\\\\', '\\').replace('\\"', '"')
            else:
                values[key.lower()] = data
    return values


def make_trees(base):
    left = os.path.join(base, "projects")
    right = os.path.join(base, "backup")
    for top in (left, right):
        os.makedirs(os.path.join(top, "notes"))
        for name, text in (("budget.txt", "budget 2026\n"), ("plan.txt", "plan\n"),
                           ("notes/minutes.txt", "minutes\n"), ("photo.png", "not compared\n")):
            with open(os.path.join(top, name), "w", encoding="utf-8") as f:
                f.write(text)
    with open(os.path.join(right, "plan.txt"), "w", encoding="utf-8") as f:
        f.write("plan, changed\n")
    return left, right


def main():
    program, shots = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    os.makedirs(shots, exist_ok=True)
    if len(sys.argv) > 3 and sys.argv[3]:
        base = os.path.abspath(sys.argv[3])
        shutil.rmtree(base, ignore_errors=True)
        os.makedirs(base)
    else:
        base = tempfile.mkdtemp(prefix="quorvel-scenario.")
    config = os.path.join(base, "config")
    work = os.path.join(base, "work")
    os.makedirs(config)
    os.makedirs(work)
    left, right = make_trees(base)
    page = os.path.join(base, "report.html")
    s = Scenario(program, shots)
    try:
        # First start: the chooser over the main window.
        s.start(work, config)
        chooser = s.window("Language")
        s.shot("chooser")
        s.click(chooser, s.control(chooser, "radio button", LANGUAGE))
        s.click(chooser, s.control(chooser, "push button", "Ok"))
        main_window = s.window(MAIN_TITLE)
        s.control(main_window, "push button", T["start"])
        # A screen reader is told a window with a status bar.
        if main_window.getRoleName() != "frame":
            raise Failure(f"the main window speaks as a {main_window.getRoleName()!r}")
        s.poll("the main window's status bar for a screen reader",
               lambda: s.find_all(main_window, "status bar"))
        # The first start opens the help beside the main window; the user closes it.
        help_window = s.poll("the help window",
                             lambda: next(w for w in s.windows() if s.showing(w) and
                                          w.getRoleName() == "filler" and w.name != MAIN_TITLE))
        s.shot("language-chosen")
        # The main window may take the focus back between the activation and the key, as its
        # first activation ends; the close key is then sent again to the help window.
        for attempt in (1, 2, 3):
            s.close_window(help_window)
            try:
                s.poll("the help window closed", lambda: not s.showing(help_window),
                       DEADLINE if attempt == 3 else 3)
                break
            except Failure:
                if attempt == 3:
                    raise
        s.poll("the main window active",
               lambda: main_window.getState().contains(pyatspi.STATE_ACTIVE))

        # The two sides through the folder chooser, the directory mode, a filter.
        for side, path in ((0, left), (1, right)):
            s.click(main_window, s.control(main_window, "push button", T["browse"], side))
            dialog = s.dialog("the folder chooser", lambda w: w.name == T["choose"])
            entry = s.control(dialog, "text", re.compile(r"Directory:?|Verzeichnis:?"))
            s.set_text(entry, path)
            s.shot(f"folder-chooser-{side + 1}")
            choose = re.compile(r"(&)?(Choose|Open|OK|Auswählen|Öffnen)")
            s.click(dialog, s.control(dialog, "push button", choose))
            s.poll("the folder chooser closed", lambda: not s.showing(dialog))
            s.poll(f"{path} shown", lambda: s.shows_path(main_window, path))
        s.click(main_window, s.control(main_window, "check box", T["dirdir"]))
        s.set_text(s.control(main_window, "text", T["filter"]), "*.txt")
        s.shot("directories")

        # The run and its closing question.
        s.click(main_window, s.control(main_window, "push button", T["start"]))
        question = s.poll("the closing question",
                          lambda: [w for w in s.windows() if s.showing(w) and
                                   s.find_all(w, "label", T["question"])][0])
        s.shot("question")
        s.click(question, s.control(question, "push button", re.compile(r"(&)?(Yes|Ja)")))

        # The report window: save as HTML, a bigger font, close.
        report = s.poll("the report window",
                        lambda: [w for w in s.windows() if s.showing(w) and
                                 s.find_all(w, "push button", T["save"])][0])
        s.shot("report")
        s.click(report, s.control(report, "push button", T["save"]))
        # The main window has a combo box of its own: the dialog's lists the file types.
        dialog = s.poll("the save dialog",
                        lambda: [w for w in s.windows() if s.showing(w) and
                                 s.find_all(w, "combo box", re.compile(r".*\(\*\.txt\)"))][0])
        # The file type by keyboard, as the list's entries are not in the tree until it opens:
        # from the name field, Tab to the list, then its second entry.
        combo = s.control(dialog, "combo box", re.compile(r".*\(\*\.txt\)"))
        entry = s.control(dialog, "text", re.compile(r"File name:?|Dateiname:?"))
        s.click(dialog, entry)
        s.poll("the name field focused", lambda: s.focused(entry))
        for _ in range(12):
            if s.focused(combo):
                break
            was = s.focus_at(dialog)
            subprocess.run(["xdotool", "key", "Tab"], check=True)
            s.poll("the focus moved", lambda: s.focus_at(dialog) not in (None, was))
        subprocess.run(["xdotool", "key", "Home", "Down"], check=True)
        s.poll("HTML chosen", lambda: "HTML" in (combo.name or ""))
        s.set_text(entry, page)
        s.shot("save-dialog")
        s.click(dialog, s.control(dialog, "push button", re.compile(r"(&)?Save|Speichern")))
        s.poll("the page written", lambda: os.path.exists(page) and os.path.getsize(page) > 0)

        s.click(report, s.control(report, "push button", T["font"]))
        dialog = s.poll("the font dialog",
                        lambda: [w for w in s.windows() if s.showing(w) and
                                 s.find_all(w, "text", re.compile(r"(&)?Size|Größe"))][0])
        size = s.find_all(dialog, "text", re.compile(r"(&)?Size|Größe"))[0]
        s.set_text(size, "16")
        s.shot("font-dialog")
        s.click(dialog, s.control(dialog, "push button", re.compile(r"(&)?OK|Ok")))
        s.poll("the font dialog closed", lambda: not s.showing(dialog))
        s.shot("report-font")
        s.click(report, s.control(report, "push button", T["close"]))
        s.poll("the report window closed", lambda: not s.showing(report))

        # The main window moved and resized by the user, then closed from its frame.
        xid = s.poll("the main window's X window",
                     lambda: s.xwindow(s.process.pid, main_window.name))
        subprocess.run(["xdotool", "windowmove", xid, "120", "80"], check=True)
        subprocess.run(["xdotool", "windowsize", xid, "600", "480"], check=True)
        closed_at = (120, 80, 600, 480)
        s.poll(f"the main window at {closed_at}", lambda: s.extents(main_window) == closed_at)
        frame = s.poll("the main window's frame", lambda: s.frame_extents(xid))
        s.shot("before-close")
        s.close_window(main_window)
        s.wait_exit("closing the main window")

        # The page and the settings.
        with open(page, encoding="utf-8", errors="replace") as f:
            html = f.read()
        for needle in ("<html", "plan.txt", left, right):
            if needle not in html.lower() and needle not in html:
                raise Failure(f"the saved page lacks {needle!r}")
        if "photo.png" in html:
            raise Failure("the saved page lists a file the filter leaves out")
        settings = read_settings(os.path.join(config, "Quorvel", "settings.reg"))
        expect = {"language": T["id"], "compdir1": left, "compdir2": right}
        for key, value in expect.items():
            if settings.get(key) != value:
                raise Failure(f"settings: {key} is {settings.get(key)!r}, {value!r} expected")
        # The bounds are kept with the window manager's frame around the inside.
        left_edge, right_edge, top_edge, bottom_edge = frame
        expect = {"form1left": closed_at[0] - left_edge, "form1top": closed_at[1] - top_edge,
                  "form1width": closed_at[2] + left_edge + right_edge,
                  "form1height": closed_at[3] + top_edge + bottom_edge, "form1maximized": 0}
        for key, value in expect.items():
            if settings.get(key) != value:
                raise Failure(f"settings: {key} is {settings.get(key)!r}, {value!r} expected "
                              f"(inside {closed_at}, frame {frame})")
        font_values = {k: v for k, v in settings.items() if k.startswith("reportfont/")}
        if font_values.get("reportfont/size") != 16:
            raise Failure(f"settings: the report font is {font_values}, size 16 expected")

        # The second start restores them.
        s.start(work, config)
        main_window = s.window(MAIN_TITLE)
        s.control(main_window, "push button", T["start"])
        s.poll("the directories restored",
               lambda: s.shows_path(main_window, left) and s.shows_path(main_window, right))
        try:
            s.poll(f"the main window at {closed_at}", lambda: s.extents(main_window) == closed_at)
        except Failure as failure:
            raise Failure(f"{failure}; it is at {s.extents(main_window)}; stored: "
                          f"{ {k: v for k, v in settings.items() if k.startswith('form1')} }")
        s.shot("second-start")
        if any(w.name == "Language" and s.showing(w) for w in s.windows()):
            raise Failure("the chooser showed again on the second start")

        # Closed at its design size, it opens at that size again: the stored outer width is below
        # the lower bound and ignored, and the design size takes no frame off.
        design = (491, 425)
        xid = s.poll("the main window's X window",
                     lambda: s.xwindow(s.process.pid, main_window.name))
        subprocess.run(["xdotool", "windowsize", xid, str(design[0]), str(design[1])], check=True)
        s.poll(f"the main window at {design}", lambda: s.extents(main_window)[2:] == design)
        s.close_window(main_window)
        s.wait_exit("closing the second start")
        s.start(work, config)
        main_window = s.window(MAIN_TITLE)
        s.control(main_window, "push button", T["start"])
        try:
            s.poll(f"the third start at {design}", lambda: s.extents(main_window)[2:] == design)
        except Failure as failure:
            raise Failure(f"{failure}; it is at {s.extents(main_window)}")
        # Moved, then ended as a logout ends it: SIGTERM closes it as its frame's close box does.
        xid = s.poll("the main window's X window",
                     lambda: s.xwindow(s.process.pid, main_window.name))
        subprocess.run(["xdotool", "windowmove", xid, "200", "150"], check=True)
        s.poll("the main window at (200, 150)", lambda: s.extents(main_window)[:2] == (200, 150))
        s.process.send_signal(signal.SIGTERM)
        s.wait_exit("ending the third start with SIGTERM")
        settings = read_settings(os.path.join(config, "Quorvel", "settings.reg"))
        if settings.get("form1left") != 200 - left_edge or settings.get("form1top") != 150 - top_edge:
            raise Failure(f"settings after SIGTERM: {settings.get('form1left')}, "
                          f"{settings.get('form1top')}; the place (200, 150) was not kept")

        # Started on two directories named on the command line: the panels show them, in the
        # directory mode, and they are kept at close.
        mine, theirs = os.path.join(base, "mine"), os.path.join(base, "theirs")
        os.makedirs(mine)
        os.makedirs(theirs)
        s.start(work, config, ["../mine", theirs])
        main_window = s.window(MAIN_TITLE)
        s.poll("the operands shown",
               lambda: s.shows_path(main_window, mine) and s.shows_path(main_window, theirs))
        dirdir = s.control(main_window, "check box", T["dirdir"])
        s.poll("the directory mode down",
               lambda: dirdir.getState().contains(pyatspi.STATE_CHECKED))
        s.shot("operands")
        s.close_window(main_window)
        s.wait_exit("closing the start on operands")
        settings = read_settings(os.path.join(config, "Quorvel", "settings.reg"))
        if (settings.get("compdir1"), settings.get("compdir2")) != (mine, theirs):
            raise Failure(f"settings: the operands are not kept: {settings.get('compdir1')!r}, "
                          f"{settings.get('compdir2')!r}")
    except Failure as failure:
        print(f"scenario: step {s.step}: {failure}", file=sys.stderr)
        s.shot("failed")
        s.dump()
        if s.process is not None and s.process.poll() is None:
            s.process.kill()
        return 1
    finally:
        shutil.rmtree(base, ignore_errors=True)
    print(f"scenario: passed, {s.step} screenshots in {shots}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
