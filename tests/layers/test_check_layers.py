#!/usr/bin/env python3
"""The layer check finds an include that reaches up, and only such includes."""

import pathlib
import subprocess
import sys
import tempfile
import unittest

CHECK = pathlib.Path(__file__).with_name("check_layers.py")


def check(src_dir):
    return subprocess.run([sys.executable, str(CHECK), str(src_dir)], capture_output=True, text=True)


class PlantedTree(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.src = pathlib.Path(folder.name)

    def plant(self, path, text):
        file = self.src / path
        file.parent.mkdir(parents=True, exist_ok=True)
        file.write_text(text)

    def test_only_an_upward_include_fails_and_is_named(self):
        self.plant("app/gui/Main.cpp", '#include "ui/widgets/Page.h"\n#include "model/ProjectData.h"\n')
        self.plant("library/Tables.cpp", '#include "file/BinFile.h"\n#include <QString>\n')
        self.plant("file/BinFile.cpp", '#include "library/Tables.h"\n')
        self.assertEqual(check(self.src).returncode, 0)
        self.plant("model/Document.h", '#pragma once\n#  include "ui/UserPrompts.h"\n')
        result = check(self.src)
        self.assertEqual((result.returncode, result.stdout.count("\n")), (1, 1))
        self.assertIn("model/Document.h:2: includes ui/UserPrompts.h", result.stdout)


if __name__ == "__main__":
    unittest.main()
