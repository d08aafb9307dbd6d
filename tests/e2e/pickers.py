"""The folder picker as a person works it: every way of choosing a folder, by keys and clicks."""
import time

from screen import click, press, type_text, wait_for

SCAN_PROMPT = "Pick a folder to scan for Windows Update and Office Update files."
SAVE_PROMPT = "Where would you like to save your Windows Update files?"
WINDOWS_PROMPT = "Select the Windows directory on the drive you'd like to scan."


class Picker:
    def __init__(self, program, title):
        self.program = program
        self.node = program.window(title)
        self.field = wait_for("the picker's Directory field",
                              lambda: self.node.find("text", "Directory:"))
        wait_for("the field to take the keys", lambda: self.field.focused)

    def button(self, name):
        return wait_for(f"the {name} button", lambda: self.node.find("push button", name))

    def type(self, text):
        """Replaces what the field holds with `text`, typed key by key, once the field has the
        keys (after a box over the picker closes, a person waits for the caret, or clicks into
        the field)."""
        end = time.monotonic() + 3
        while not self.field.focused and time.monotonic() < end:
            time.sleep(0.05)
        if not self.field.focused:
            click(self.field)
            wait_for("the field to take the keys", lambda: self.field.focused)
        press("ctrl+a")
        type_text(text)
        wait_for(f"{text!r} in the field", lambda: self.field.text == text)

    def choose(self, way, full, name, windows=None):
        """Chooses a folder the way a person would: `full` is its native path, `name` its name
        in the folder the picker shows, `windows` how a person writes it with a drive letter."""
        if way == "enter with the completion list":
            self.type(full)
            wait_for("the completion list", self.program.popup_showing, 5)
            press("Return")
        elif way == "escape, then enter":
            self.type(full)
            wait_for("the completion list", self.program.popup_showing, 5)
            press("Escape")
            wait_for("the completion list to close", lambda: not self.program.popup_showing(), 5)
            press("Return")
        elif way == "click on Choose":
            self.type(full)
            wait_for("the completion list", self.program.popup_showing, 5)
            click(self.button("Choose"))
            # A click beside an open completion list only closes the list; a person then
            # clicks again.
            time.sleep(0.5)
            if self.node.showing and self.program.no_box():
                click(self.button("Choose"))
        elif way == "final slash, enter":
            self.type(full + "/")
            time.sleep(0.5)  # the picker goes into the folder as the slash is typed
            press("Return")
        elif way == "relative name, enter":
            self.type(name)
            time.sleep(0.5)  # the completion list, if any, has come
            press("Return")
        elif way == "double-click, then Choose":
            cell = wait_for(f"{name!r} in the folder list",
                            lambda: self.node.find("table cell", name))
            click(cell, count=2)
            wait_for(f"the picker inside {name!r}",
                     lambda: self.node.find("combo box") and
                     self.node.find("combo box").name.rstrip("/").endswith("/" + name))
            click(self.button("Choose"))
        elif way == "drive letter path, enter":
            self.type(windows)
            press("Return")
        else:
            raise ValueError(way)

    def cancel(self):
        press("Escape")
        self.program.gone(self.node)


WAYS = [
    "enter with the completion list",
    "escape, then enter",
    "click on Choose",
    "final slash, enter",
    "relative name, enter",
    "double-click, then Choose",
    "drive letter path, enter",
]
