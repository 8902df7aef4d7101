#!/usr/bin/env python3
"""Checks that no folder of src/ includes a header of a folder above it.

Usage: check_layers.py SRC_DIR

The folders form layers, lowest first:

    model  ->  file, library  ->  output  ->  ui  ->  app

A source file may include headers of its own layer and of the layers below it.
Sub-folders belong to the layer of their top folder (ui/widgets is ui, app/gui
is app). Prints every offending include and exits 1 when there is one.
"""

import pathlib
import re
import sys

LAYERS = {"model": 0, "file": 1, "library": 1, "output": 2, "ui": 3, "app": 4}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc"}


def layer_of(relative_path):
    top = pathlib.PurePosixPath(relative_path).parts[0]
    return LAYERS.get(top)


def upward_includes(src_dir):
    """Yields (file, line number, included header) for each include that reaches up."""
    src_dir = pathlib.Path(src_dir)
    for path in sorted(src_dir.rglob("*")):
        if path.suffix not in SOURCE_SUFFIXES or not path.is_file():
            continue
        own = layer_of(path.relative_to(src_dir).as_posix())
        if own is None:
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            included = layer_of(match.group(1))
            if included is not None and included > own:
                yield path.relative_to(src_dir).as_posix(), number, match.group(1)


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    offences = list(upward_includes(argv[1]))
    for file, number, header in offences:
        print(f"{file}:{number}: includes {header}, which lies in a layer above")
    return 1 if offences else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
