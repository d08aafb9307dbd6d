"""The program's windows as a person meets them.

What the windows show is read through the accessibility bus (AT-SPI): window titles, labels,
message boxes, the console's text, where each control sits. Everything done to the windows is
done as a person does it: real key presses and mouse clicks that go through the X server
(xdotool, over XTEST), never an accessibility action and never a call into the program.
"""
import os
import subprocess
import time

import pyatspi


class Timeout(AssertionError):
    pass


def wait_for(what, probe, timeout=20.0):
    """Polls `probe` until it gives something true, and returns that. When it never does,
    the screen as it stood is kept beside the other failure pictures."""
    end = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > end:
            picture = keep_screen("timeout")
            raise Timeout(f"waited {timeout:g} s for {what} (screen: {picture})")
        time.sleep(0.05)


def keep_screen(reason):
    """Saves a picture of the whole screen into $QUILLFEN_E2E_SCREENS (by default the current
    folder) and returns its path."""
    folder = os.environ.get("QUILLFEN_E2E_SCREENS", os.getcwd())
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, f"{reason}-{time.strftime('%H%M%S')}-{os.getpid()}.png")
    subprocess.run(["import", "-silent", "-window", "root", path], check=False)
    return path


class Node:
    """One accessible object: a window or a control."""

    def __init__(self, acc):
        self.acc = acc

    @property
    def role(self):
        return self.acc.getRoleName()

    @property
    def name(self):
        return self.acc.name or ""

    @property
    def text(self):
        try:
            return self.acc.queryText().getText(0, -1)
        except NotImplementedError:
            return ""

    def _state(self, state):
        try:
            return self.acc.getState().contains(state)
        except Exception:  # gone while being asked
            return False

    @property
    def showing(self):
        return self._state(pyatspi.STATE_SHOWING)

    @property
    def enabled(self):
        return self._state(pyatspi.STATE_ENABLED)

    @property
    def focused(self):
        return self._state(pyatspi.STATE_FOCUSED)

    @property
    def extents(self):
        box = self.acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return box.x, box.y, box.width, box.height

    @property
    def centre(self):
        x, y, w, h = self.extents
        return x + w // 2, y + h // 2

    def children(self):
        out = []
        for i in range(self.acc.childCount):
            child = self.acc.getChildAtIndex(i)
            if child is not None:
                out.append(Node(child))
        return out

    def all(self, role=None, name=None, showing=True):
        """Every descendant with that role and name (None: any), depth first."""
        found = []
        stack = list(reversed(self.children()))
        while stack:
            node = stack.pop()
            try:
                matches = ((role is None or node.role == role) and
                           (name is None or node.name == name) and
                           (not showing or node.showing))
                kids = node.children()
            except Exception:  # a control that went away while it was read
                continue
            if matches:
                found.append(node)
            stack.extend(reversed(kids))
        return found

    def find(self, role=None, name=None):
        nodes = self.all(role, name)
        return nodes[0] if nodes else None


# Real input, through the X server.

def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def type_text(text):
    xdotool("type", "--delay", "40", "--", text)


def press(*keys):
    xdotool("key", "--delay", "80", *keys)


def click(node, count=1):
    x, y = node.centre
    xdotool("mousemove", "--sync", str(x), str(y))
    xdotool("click", "--repeat", str(count), "--delay", "120", "1")


class Box:
    """A message box as it stands on the screen."""

    def __init__(self, node, icon):
        self.node = node
        self.title = node.name
        labels = [label.name for label in node.all("label") if label.name]
        self.text = "\n".join(labels)
        self.icon = icon

    def __repr__(self):
        return f"Box({self.title!r}, {self.icon}, {self.text!r})"

    def press(self, button="OK"):
        click(wait_for(f"the {button} button of {self!r}",
                       lambda: self.node.find("push button", button)))


def icon_of(node):
    """The kind of a box's icon, told by its colours on the screen: "critical" (red),
    "information" (blue), "warning" (yellow), or None."""
    image = node.find("image")
    if image is None:
        return None
    x, y, w, h = image.extents
    pixels = subprocess.run(
        ["import", "-silent", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "txt:-"],
        check=True, capture_output=True, text=True).stdout
    counts = {"critical": 0, "information": 0, "warning": 0}
    for line in pixels.splitlines()[1:]:
        try:
            rgb = line.split("(", 1)[1].split(")", 1)[0].split(",")[:3]
            r, g, b = (int(float(v)) for v in rgb)
        except (IndexError, ValueError):
            continue
        if r > 150 and g < 90 and b < 90:
            counts["critical"] += 1
        elif b > 140 and r < 110:
            counts["information"] += 1
        elif r > 170 and g > 140 and b < 90:
            counts["warning"] += 1
    kind = max(counts, key=counts.get)
    return kind if counts[kind] >= 20 else None


class Program:
    """The real program, started as a person starts it, with the given environment."""

    def __init__(self, executable, env, cwd, log):
        self.log = open(log, "ab")
        self.process = subprocess.Popen([executable], env=env, cwd=cwd,
                                        stdout=self.log, stderr=subprocess.STDOUT)
        self._app = None

    def app(self):
        if self._app is None:
            def probe():
                desktop = pyatspi.Registry.getDesktop(0)
                for i in range(desktop.childCount):
                    app = desktop.getChildAtIndex(i)
                    try:
                        if app is not None and app.get_process_id() == self.process.pid:
                            return Node(app)
                    except Exception:
                        continue
                return None
            self._app = wait_for("the program on the accessibility bus", probe)
        return self._app

    def windows(self):
        return [w for w in self.app().children() if w.showing]

    def window(self, title, timeout=20.0):
        return wait_for(f"a window titled {title!r}",
                        lambda: next((w for w in self.windows() if w.name == title and
                                      w.role != "alert"), None), timeout)

    def gone(self, window, timeout=20.0):
        wait_for(f"{window.name!r} to close", lambda: not window.showing, timeout)

    def box(self, timeout=30.0):
        """The message box on the screen, once it has painted."""
        node = wait_for("a message box",
                        lambda: next((w for w in self.windows() if w.role == "alert"), None),
                        timeout)
        time.sleep(0.3)  # painted: its icon is read off the screen
        return Box(node, icon_of(node))

    def no_box(self):
        return not any(w.role == "alert" for w in self.windows())

    def popup_showing(self):
        """Whether a pop-up window of the program (a completion list, an open drop-down) is
        on the screen: an override-redirect X window, which no accessibility object names."""
        ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid",
                              str(self.process.pid)], capture_output=True, text=True).stdout
        for wid in ids.split():
            info = subprocess.run(["xwininfo", "-id", wid], capture_output=True, text=True).stdout
            if "Override Redirect State: yes" in info:
                return True
        return False

    def ended(self):
        return self.process.poll() is not None

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()
