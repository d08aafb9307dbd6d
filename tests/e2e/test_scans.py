"""The three scans on the demo's drives, run from the real program by keys and clicks only, every
folder typed into the pickers. Each case compares what a person sees (the console, the boxes)
and what lands on disk (the save folder, what was opened) with what the scan should give."""
import os
import re
import unittest

from pickers import SAVE_PROMPT, SCAN_PROMPT, WINDOWS_PROMPT, Picker
from screen import click, press, type_text, wait_for
from test_pickers import ASK_FOR_LOCATION, README, SAVED, Case, every_save_folder
from world import tree

STAMP = re.compile(r"^\d\d/\d\d/\d\d \d\d:\d\d:\d\d - ")


def console_lines(console):
    """The console's lines without their time stamps; each line must carry one."""
    lines = console.text.splitlines()
    for line in lines:
        assert STAMP.match(line), f"no time stamp: {line!r}"
    return [STAMP.sub("", line) for line in lines]


def copied(source_root, *relatives, into=""):
    """What the save folder should hold for these source files: their bytes, under `into`."""
    out = {}
    for relative in relatives:
        with open(os.path.join(source_root, relative), "rb") as f:
            out[os.path.join(into, os.path.basename(relative))] = f.read()
    return out


def copied_tree(source_folder, into):
    return {os.path.join(into, k): v for k, v in tree(source_folder).items()}


class Scans(Case):
    def test_scan_this_computer(self):
        program = self.world.start("C")
        click(wait_for("the home button", lambda: program.window("Quillfen").find(
            "push button", "Scan this computer")))
        window = program.window("Corvalen Quillfen")
        self.assertIsNotNone(window.find("label", "Microsoft Windows XP"))
        self.assertFalse(window.find("push button", "Open saved directory"))
        click(window.find("push button", "Scan my computer"))
        opener = wait_for("Open saved directory",
                          lambda: window.find("push button", "Open saved directory"), 60)

        lines = console_lines(window.find("text"))
        # Within a phase the lines follow the listing's order, which no one promises.
        phases = [
            ["A new scan has been started."],
            {"File found: 5.w98", "File found: catalog.gng", "File found: x.inv",
             "File found: redir.bm", "File found but too new: 2023.w98"},
            {"File found: iuhist.xml", "File found: iuhist_catalogAdmin.xml"},
            ["A Windows Update V4 log has been found.",
             "Found a non-empty OfficeUpdate directory.",
             "Scan ended. Saved files can be found in C:\\CVL_SAVE."],
        ]
        at = 0
        for phase in phases:
            part = lines[at:at + len(phase)]
            self.assertEqual(part if isinstance(phase, list) else set(part), phase, lines)
            at += len(phase)
        self.assertEqual(at, len(lines), lines)

        c = self.world.path("C")
        wu = "Program Files/WindowsUpdate"
        expected = {"README.TXT": README}
        expected.update(copied(c, f"{wu}/5.w98", f"{wu}/catalog.gng", f"{wu}/x.inv",
                               f"{wu}/redir.bm"))
        expected.update(copied(c, f"{wu}/V4/iuhist.xml", f"{wu}/V4/iuhist_catalogAdmin.xml",
                               "WINDOWS/Windows Update.log", into="V4"))
        expected.update(copied_tree(os.path.join(c, "Program Files/OfficeUpdate"), "OfficeUpdate"))
        expected.update(copied_tree(os.path.join(c, "WUTemp"), "WUTemp"))
        saved = os.path.join(c, "CVL_SAVE")
        self.assertEqual(tree(saved), expected)
        self.assertEqual(every_save_folder(self.world.root), [saved])

        click(opener)
        wait_for("the save folder opened", self.world.opened, 5)
        self.assertEqual(self.world.opened(), [saved])
        self.assertTrue(program.no_box())

    def test_scan_a_folder_typed_with_its_drive_letter(self):
        program = self.open_folder_scan(here="C")
        Picker(program, SCAN_PROMPT).choose("drive letter path, enter", None, None, "e:\\")
        self.expect_box(program, "Quillfen", "information", ASK_FOR_LOCATION)
        save_here = self.world.path("C", "Saved here")
        os.mkdir(save_here)
        Picker(program, SAVE_PROMPT).choose("enter with the completion list", save_here, None)
        self.expect_box(program, "Quillfen", "information", SAVED)

        e = self.world.path("E")
        expected = {"README.TXT": README}
        expected.update(copied(e, "win95.w95", "updates.inv"))
        expected.update(copied(e, "iuhist.xml", into="V4"))
        saved = os.path.join(save_here, "CVL_SAVE")
        self.assertEqual(tree(saved), expected)
        self.assertEqual(every_save_folder(self.world.root), [saved])
        wait_for("the save folder opened", self.world.opened, 5)
        self.assertEqual(self.world.opened(), [saved])

    def pick_drive(self, other, letter):
        drives = other.find("combo box")
        click(drives)
        entry = wait_for(f"drive {letter} in the list", lambda: next(
            (item for item in drives.all("list item")
             if item.name.lower().startswith(letter.lower() + ":") and item.extents[2] > 0),
            None))
        click(entry)
        wait_for(f"drive {letter} chosen",
                 lambda: drives.name.lower().startswith(letter.lower() + ":"))

    def open_drive_scan(self, letter):
        program = self.world.start("C")
        click(wait_for("the home button", lambda: program.window("Quillfen").find(
            "push button", "Scan other hard drives or directories")))
        other = program.window("Scan other hard drives or directories")
        self.pick_drive(other, letter)
        click(other.find("push button", "Scan the above drive"))
        return program

    def test_scan_another_drive(self):
        program = self.open_drive_scan("D")
        self.expect_box(program, "Quillfen", "information", ASK_FOR_LOCATION)
        Picker(program, SAVE_PROMPT).choose("drive letter path, enter", None, None, "E:")
        self.expect_box(program, "Quillfen", "information", SAVED)

        d = self.world.path("D")
        wu = "Programme/WindowsUpdate"
        expected = {"README.TXT": README}
        expected.update(copied(d, f"{wu}/a.n5x", f"{wu}/b.w32", f"{wu}/inventory.des"))
        expected.update(copied(d, f"{wu}/V4/iuhist.xml", "WINNT/Windows Update.log", into="V4"))
        saved = self.world.path("E", "CVL_SAVE")
        self.assertEqual(tree(saved), expected)
        self.assertEqual(every_save_folder(self.world.root), [saved])
        wait_for("the save folder opened", self.world.opened, 5)
        self.assertEqual(self.world.opened(), [saved])

    def test_drive_without_a_windows_folder_asks_for_it(self):
        program = self.open_drive_scan("E")
        box = program.box()
        self.assertEqual((box.title, box.icon, box.text), (
            "Quillfen", "warning", "The program could not determine your Windows directory. "
            "Click OK to select it manually."))
        box.press("OK")
        Picker(program, WINDOWS_PROMPT).choose("drive letter path, enter", None, None,
                                               "c:\\windows")
        self.expect_box(program, "Quillfen", "information", ASK_FOR_LOCATION)
        Picker(program, SAVE_PROMPT).choose("click on Choose", self.world.path("D"), None)
        self.expect_box(program, "Quillfen", "information", SAVED)

        saved = self.world.path("D", "CVL_SAVE")
        expected = {"README.TXT": README}
        expected.update(copied(self.world.path("C"), "WINDOWS/Windows Update.log", into="V4"))
        self.assertEqual(tree(saved), expected)
        self.assertEqual(every_save_folder(self.world.root), [saved])


if __name__ == "__main__":
    unittest.main()
