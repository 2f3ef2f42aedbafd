"""The soak's private copy of the staged program: the sample library with a
large generated part added to its database, code files for every generated
entry (some of them long), stand-ins for the outside programs the viewer
starts, and the files the soak drops onto the code view."""

import os
import random
import re
import shutil
import subprocess

# Generated entries beside the sample's: more than the 8,192 elements from
# which the index is filled on two threads, in categories of 500.
GENERATED_ENTRIES = 12000
# Every entry whose number is a multiple of this gets the long code file.
LONG_FILE_EVERY = 1000
LONG_FILE_LINES = 20000
SMALL_FILE_LINES = 60

# Words the search field is typed with: titles of the sample and of the
# generated entries, a term that finds nothing, letters outside ASCII.
SEARCH_WORDS = [
    "Hallo Welt", "Fenster", "Liste 0", "Liste 1000", "window", "button", "Menü", "Größe",
    "Ereignis", "Baum", "Zwischenablage", "xyzzy nothing", "fenêtre", "é", "Example",
    "Schaltfläche", "drawing area", "Übersicht", "1", "Kategorie 7", "Hilfe",
]

PROGRAM_TITLE = "Linux OX-ZUR-Erirada-Vuvazo"
# The number of search modes the settings window offers, and the stored mode
# whose scope searches the code too.
SEARCH_MODES = 4
CODE_SCOPE = 3


def _run(command):
    subprocess.run(command, check=True)


def _unique_descriptions(text):
    """The generated entries with their number added to each description:
    the generator repeats eight descriptions, which no real library does, and
    the admin build's duplicates protocol would list every pair of them
    (millions of lines)."""
    def numbered(match):
        number = match.group(2)
        return re.sub(r'(descript_[a-z]{2}="[^"]*)"', r'\1 %s"' % number, match.group(1)) + \
            match.group(2) + match.group(3)
    return re.sub(r'(<entry [^>]*File="Kategorie[0-9]+/Example)([0-9]+)(\.ox"/>)', numbered, text)


def _merge_databases(sample_path, generated_path):
    """The sample database with the generated categories added at its end."""
    with open(sample_path, encoding="utf-8") as sample_file:
        sample = sample_file.read()
    with open(generated_path, encoding="utf-8") as generated_file:
        generated = generated_file.read()
    # The generated text: declaration, <library ...> line, categories, </library>.
    start = generated.index("\n", generated.index("<library")) + 1
    end = generated.rindex("</library>")
    close = sample.rindex("</library>")
    return sample[:close] + _unique_descriptions(generated[start:end]) + sample[close:]


def _write_code_files(library, small, long):
    """A code file for each generated entry: hard links of one small file,
    and of the long one for every LONG_FILE_EVERY-th entry."""
    for i in range(GENERATED_ENTRIES):
        folder = os.path.join(library, "Kategorie%d" % (i // 500))
        if i % 500 == 0:
            os.makedirs(folder, exist_ok=True)
        os.link(long if i % LONG_FILE_EVERY == 0 else small,
                os.path.join(folder, "Example%d.ox" % i))


def _write_stand_ins(folder, log):
    """Programs of the same names as those the viewer starts (the desktop's
    opener, the beeper): they only note their call, so that no editor or
    browser opens during the soak."""
    os.makedirs(folder)
    for name in ("xdg-open", "gnome-open", "beep"):
        path = os.path.join(folder, name)
        with open(path, "w") as script:
            script.write('#!/bin/sh\necho "%s $*" >> "%s"\n' % (name, log))
        os.chmod(path, 0o755)


def _write_drop_files(folder, small, long):
    """Files that are dropped onto the code view, by name: kinds the viewer
    shows, one it refuses, one that is not there, and odd contents."""
    os.makedirs(folder)
    shutil.copy(small, os.path.join(folder, "Small.ox"))
    os.link(long, os.path.join(folder, "Long.ox"))
    shutil.copy(small, os.path.join(folder, "Grüße & Co 100%.oxi"))
    with open(os.path.join(folder, "Notes.txt"), "w") as notes:
        notes.write("not a code file\n")
    with open(os.path.join(folder, "Latin1.ox"), "wb") as latin:
        latin.write(b"; Gr\xf6\xdfe des Fensters\nProcedure A()\nEndProcedure\n")
    open(os.path.join(folder, "Empty.ox"), "wb").close()
    with open(os.path.join(folder, "Binary.ox"), "wb") as binary:
        binary.write(bytes(random.Random(7).randrange(256) for _ in range(20000)))
    with open(os.path.join(folder, "OneLine.ox"), "w") as one_line:
        one_line.write("Debug " + "x" * 300000 + "\n")


# The names the drop action chooses from; "Missing.ox" is never written.
DROP_FILES = ["Small.ox", "Long.ox", "Grüße & Co 100%.oxi", "Notes.txt", "Latin1.ox",
              "Empty.ox", "Binary.ox", "OneLine.ox", "Missing.ox"]
# Dropping these shows a message box: the type is refused, or the file is
# missing (reported by a box once, by a banner afterwards).
DROPS_WITH_BOX = {"Notes.txt", "Missing.ox"}


class SoakLibrary:
    """Lays out the soak's tree in the work folder from the staged tree."""

    def __init__(self, work, stage, generators):
        self.work = work
        self.root = os.path.join(work, "stage")
        self.library = os.path.join(self.root, "Library")
        self.program_folder = os.path.join(self.library, "Viewer")
        self.program = os.path.join(self.program_folder, "orvex-api-viewer")
        self.preferences = os.path.join(self.program_folder, "LinuxOX VIZ-AduDozuzo.ini")
        self.export = os.path.join(self.root, "Export")
        self.stand_ins = os.path.join(work, "bin")
        self.started_log = os.path.join(work, "started.log")
        self.drops = os.path.join(work, "drops")
        self.home = os.path.join(work, "home")
        self.payload = os.path.join(work, "payload.txt")
        self._build(stage, generators)

    def _build(self, stage, generators):
        shutil.copytree(stage, self.root, symlinks=True)
        inputs = os.path.join(self.work, "inputs")
        os.makedirs(inputs)
        generated = os.path.join(inputs, "Generated-Toc.xml")
        small = os.path.join(inputs, "Small.ox")
        long = os.path.join(inputs, "Long.ox")
        _run([os.path.join(generators, "generate-library"), str(GENERATED_ENTRIES), generated])
        _run([os.path.join(generators, "generate-code"), str(SMALL_FILE_LINES), small])
        _run([os.path.join(generators, "generate-code"), str(LONG_FILE_LINES), long])
        database = os.path.join(self.library, "OX-LinuxAPI-Toc.xml")
        merged = _merge_databases(database, generated)
        with open(database, "w", encoding="utf-8") as out:
            out.write(merged)
        _write_code_files(self.library, small, long)
        _write_stand_ins(self.stand_ins, self.started_log)
        _write_drop_files(self.drops, small, long)
        os.makedirs(self.home)

    def write_payload(self, name):
        """The URI list the drag source offers next: the file of the name in
        the drop folder."""
        from urllib.parse import quote
        path = os.path.join(os.path.realpath(self.drops), name)
        with open(self.payload, "w") as payload:
            payload.write("file://" + quote(path) + "\r\n")
