"""A machine for one case: the demo's sample drives in a fresh temporary folder, the program's
environment as the demo prints it, and a stand-in for the desktop's opener that notes what the
program asked it to open."""
import os
import shutil
import subprocess
import tempfile
import urllib.parse

from screen import Program

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
PROGRAM = os.environ.get("QUILLFEN_PROGRAM", os.path.join(SOURCE, "build/src/app/quillfen"))


def demo_environment(root):
    """The variables `scripts/demo.sh --prepare` prints for drives made in `root`."""
    script = f'eval "$(bash {SOURCE}/scripts/demo.sh --prepare "$1")" && env -0'
    before = subprocess.run(["env", "-0"], check=True, capture_output=True).stdout
    after = subprocess.run(["bash", "-c", script, "demo", root], check=True,
                           capture_output=True).stdout
    old = dict(item.split("=", 1) for item in before.decode().split("\0") if "=" in item)
    new = dict(item.split("=", 1) for item in after.decode().split("\0") if "=" in item)
    return {k: v for k, v in new.items() if old.get(k) != v and k not in ("SHLVL", "_", "PWD")}


class World:
    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="quillfen-e2e.")
        drives = os.path.join(self.root, "drives")
        os.mkdir(drives)
        demo = demo_environment(drives)
        self.drives = {}
        for entry in demo["QUILLFEN_DRIVES"].split(";"):
            letter, folder = entry.split("=", 1)
            self.drives[letter.upper()] = folder
        bin_dir = os.path.join(self.root, "bin")
        runtime = os.path.join(self.root, "runtime")
        for folder in (bin_dir, runtime):
            os.mkdir(folder, 0o700)
        # The person's home lies apart from the drives, as /home does from /media: Qt's folder
        # dialog behaves otherwise when it has already read the folders above the drives.
        self.home = tempfile.mkdtemp(prefix="quillfen-e2e-home.")
        home = self.home
        self.opened_record = os.path.join(self.root, "opened")
        opener = os.path.join(bin_dir, "xdg-open")
        with open(opener, "w") as f:
            f.write(f'#!/bin/sh\nprintf "%s\\n" "$1" >> "{self.opened_record}"\n')
        os.chmod(opener, 0o755)
        self.env = dict(os.environ)
        self.env.update(demo)
        self.env.update({
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "TZ": "UTC",
            "LC_ALL": "C.UTF-8",
            "HOME": home,
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_RUNTIME_DIR": runtime,
            "PATH": bin_dir + os.pathsep + os.environ.get("PATH", ""),
        })
        self.program = None

    def path(self, letter, *parts):
        """The native path of a place on a drive."""
        return os.path.join(self.drives[letter], *parts)

    def start(self, here="C"):
        """Starts the program with its current folder at the root of drive `here`: the
        folder pickers open there."""
        self.program = Program(PROGRAM, self.env, self.drives[here],
                               os.path.join(self.root, "program.log"))
        return self.program

    def opened(self):
        """The native paths the program asked the desktop to open, in order."""
        if not os.path.exists(self.opened_record):
            return []
        with open(self.opened_record) as f:
            urls = [line.rstrip("\n") for line in f]
        return [urllib.parse.unquote(url.removeprefix("file://")) for url in urls]

    def remove(self):
        if self.program:
            self.program.stop()
        shutil.rmtree(self.root, ignore_errors=True)
        shutil.rmtree(self.home, ignore_errors=True)


def tree(folder):
    """Every file below `folder`, as relative paths, with its bytes."""
    found = {}
    for base, _, files in os.walk(folder):
        for name in files:
            path = os.path.join(base, name)
            with open(path, "rb") as f:
                found[os.path.relpath(path, folder)] = f.read()
    return found
