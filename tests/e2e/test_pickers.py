"""What a person types or picks in the folder pickers is what gets scanned and where the save
folder is made, whichever way they choose it. Each case scans a folder of its own, chosen one
way, and saves into a folder of its own, chosen the same way; both pickers open on D:, which
holds both folders. What was scanned and where the save went are read off the disk and the
boxes, not off anything the picker says."""
import os
import unittest

from pickers import SAVE_PROMPT, SCAN_PROMPT, WAYS, Picker
from screen import click, press, type_text, wait_for
from world import SOURCE, World, tree

ASK_FOR_LOCATION = ("You will now be prompted to specify the location where you'd like to save "
                    "your Windows Update files.")
SAVED = "Your files have successfully been saved. Press OK to open the save directory."
NO_DRIVE = ("This folder is on no drive of this computer. Please choose a folder on one of the "
            "drives.")
NO_WINDOWS_NAME = ("This folder's name cannot be written as a Windows path. Please choose "
                   "another folder.")

with open(os.path.join(SOURCE, "resources", "README.TXT"), "rb") as f:
    README = f.read()


def make_file(path, text, year=2001):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(text)
    stamp = __import__("calendar").timegm((year, 6, 1, 12, 0, 0))
    os.utime(path, (stamp, stamp))


def every_save_folder(root):
    return sorted(base for base, dirs, _ in os.walk(root) if os.path.basename(base) == "CVL_SAVE")


class Case(unittest.TestCase):
    def setUp(self):
        self.world = World()
        self.addCleanup(self.world.remove)

    def open_folder_scan(self, here="D"):
        program = self.world.start(here)
        click(wait_for("the home button", lambda: program.window("Quillfen").find(
            "push button", "Scan other hard drives or directories")))
        other = program.window("Scan other hard drives or directories")
        click(wait_for("the folder button", lambda: other.find(
            "push button", "Scan for files in a specific directory")))
        return program

    def expect_box(self, program, title, icon, text):
        box = program.box()
        self.assertEqual((box.title, box.icon, box.text), (title, icon, text))
        box.press()
        return box


class PickerWays(Case):
    """One case for each way of choosing; the file each scan finds names its case."""

    def choose_both(self, way, case, scan_windows=None, save_windows=None):
        scan_name, save_name = f"Stash{case}", f"Keep{case}"
        found = f"found{case}.inv".encode()
        make_file(self.world.path("D", scan_name, f"found{case}.inv"), found)
        os.mkdir(self.world.path("D", save_name))
        program = self.open_folder_scan()

        Picker(program, SCAN_PROMPT).choose(way, self.world.path("D", scan_name), scan_name,
                                            scan_windows or f"D:\\{scan_name}")
        self.expect_box(program, "Quillfen", "information", ASK_FOR_LOCATION)
        Picker(program, SAVE_PROMPT).choose(way, self.world.path("D", save_name), save_name,
                                            save_windows or f"D:\\{save_name}")
        self.expect_box(program, "Quillfen", "information", SAVED)

        saved = self.world.path("D", save_name, "CVL_SAVE")
        self.assertEqual(every_save_folder(self.world.root), [saved])
        self.assertEqual(tree(saved), {f"found{case}.inv": found, "README.TXT": README})
        wait_for("the save folder opened", self.world.opened, 5)
        self.assertEqual(self.world.opened(), [saved])

    def test_drive_letter_path_in_other_case_with_final_backslash(self):
        self.choose_both("drive letter path, enter", 9, "d:\\STASH9\\", "d:\\keep9\\")


def _way_case(way, case):
    def test(self):
        self.choose_both(way, case)
    test.__doc__ = way
    return test


for _number, _way in enumerate(WAYS, 1):
    setattr(PickerWays, "test_" + _way.replace(",", "").replace(" ", "_"), _way_case(_way, _number))


class PickerRefusals(Case):
    """What names no folder, or no folder the program can name, keeps the picker open with a
    reason; cancelling then scans nothing and saves nothing."""

    def test_refusals_keep_the_picker_open(self):
        odd = self.world.path("D", "odd:name")
        os.mkdir(odd)
        outside = os.path.join(self.world.root, "outside")
        os.mkdir(outside)
        program = self.open_folder_scan()
        picker = Picker(program, SCAN_PROMPT)
        not_found = "{}\nDirectory not found.\nPlease verify the correct directory name was given."
        for typed, title, icon, text in [
            ("/nowhere/at/all", SCAN_PROMPT, "warning", not_found.format("all")),
            ("Q:\\nothing", SCAN_PROMPT, "warning", not_found.format("nothing")),
            ("D:\\WINNT\\Windows Update.log", SCAN_PROMPT, "warning",
             not_found.format("Windows Update.log")),
            (outside, "Quillfen", "critical", NO_DRIVE),
            (odd, "Quillfen", "critical", NO_WINDOWS_NAME),
        ]:
            with self.subTest(typed=typed):
                picker.type(typed)
                if program.popup_showing():
                    press("Escape")
                    wait_for("the completion list to close", lambda: not program.popup_showing())
                press("Return")
                box = program.box()
                box.press()
                wait_for("the box to close", program.no_box)
                self.assertEqual((box.title, box.icon, box.text), (title, icon, text))
                self.assertTrue(picker.node.showing)
        picker.cancel()
        self.assertTrue(program.no_box())
        self.assertEqual(every_save_folder(self.world.root), [])


if __name__ == "__main__":
    unittest.main()
