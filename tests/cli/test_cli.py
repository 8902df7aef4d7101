#!/usr/bin/env python3
"""End-to-end tests of tavo-cli.

Usage: test_cli.py PATH/TO/tavo-cli [TestClass ...]

The project files here are written field by field with struct, independently of
the program's own reader and writer, so that a file made by another
implementation of the format is what the program is checked against.
"""

import collections
import errno
import json
import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest

CLI = None


def run(*args):
    # The C locale keeps the system's error texts comparable with os.strerror.
    env = dict(os.environ, LC_ALL="C")
    return subprocess.run([CLI, *map(str, args)], capture_output=True, env=env)


# ------------------------------------------------------------------ the format

def i16(value):
    return struct.pack("<h", value)


def i32(value):
    return struct.pack("<i", value)


def txt(value):
    data = value.encode("cp1252") if isinstance(value, str) else value
    return i16(len(data)) + data


HEADER = b"TAVODAT_" + i32(1)

# A new project saved at once.
NEW_PROJECT_BYTES = b"".join([
    HEADER,
    txt("Bauwaage"), txt(""),                       # heading lines
    i16(1),                                         # start page
    i16(1), txt("Text Bauteil 1"), i16(1),          # components; name, element count
    txt("Text Element 1"), i16(0), i16(0),          # element name, row counts
    i16(1), txt("Text Gruppe 1"), i16(1),           # own groups; name, table count
    txt("Text Tabelle 1"), i16(1), i16(0),          # table name, unit, entry count
    i16(1), txt("Text Tabelle 1"), i16(0), i16(1),  # own imposed tables; name, entry count, unit
])


def permanent_row(description="", rowUnit=1, unitWeight="", thickness="", areaLoad="",
                  influenceWidth="", lineLoad="", pointLoad=""):
    return {"description": description, "rowUnit": rowUnit, "unitWeight": unitWeight,
            "thickness": thickness, "areaLoad": areaLoad, "influenceWidth": influenceWidth,
            "lineLoad": lineLoad, "pointLoad": pointLoad}


def imposed_row(description="", rowUnit=1, areaLoad="", influenceWidth="", lineLoad="", pointLoad=""):
    return {"description": description, "rowUnit": rowUnit, "areaLoad": areaLoad,
            "influenceWidth": influenceWidth, "lineLoad": lineLoad, "pointLoad": pointLoad}


def own_table(name, unit, entries=()):
    return {"name": name, "unit": unit,
            "entries": [{"description": d, "value": v} for d, v in entries]}


def project(titleLines=("Bauwaage", ""), startPage=1, components=None, groups=None, imposed=None):
    return {
        "format": "tavo-json", "version": 1,
        "titleLines": list(titleLines), "startPage": startPage,
        "components": components if components is not None else [
            {"name": "Text Bauteil 1", "elements": [{"name": "Text Element 1", "permanent": [], "imposed": []}]}],
        "ownPermanentGroups": groups if groups is not None else [
            {"name": "Text Gruppe 1", "tables": [own_table("Text Tabelle 1", 1)]}],
        "ownImposedTables": imposed if imposed is not None else [own_table("Text Tabelle 1", 1)],
    }


# One small project of every kind of content: rows of each unit (with codes no
# page sets), own tables whose head order differs between the two sections,
# characters of the upper half of Windows-1252.
FIXTURE_BYTES = b"".join([
    HEADER,
    txt("Bauwaage Haus Müller"), txt("Stiege 2 – 3. OG"),
    i16(12),
    i16(2),
    txt("Decke über EG"), i16(2),
    txt("Keller"), i16(0),
    txt("Feld 1"), i16(5), i16(4),
    txt("Feld 2"), i16(0), i16(0),
    # Feld 1: permanent rows, then imposed rows
    txt("Stahlbeton"), i16(1), txt("25.00"), txt("20.0"), txt("5.00"), txt("2.50"), txt("12.50"),
    txt("Estrich"), i16(2), txt("1.20"), txt(""), txt(""),
    txt("Wand 25 kN/m³"), i16(3), txt("7.50"),
    txt("Stütze"), i16(4), txt("30.00"),
    txt("Sonderlast €"), i16(-7), txt("4.00"),
    txt("Kat. A1, Wohnflächen"), i16(1), txt("2.00"), txt("3.00"), txt("6.00"),
    txt("Geländer"), i16(2), txt("0.50"),
    txt("Einzellast"), i16(3), txt("2.00"),
    txt("Fremdcode"), i16(0), txt("1.00"),
    # own permanent groups: all table heads (name, unit, count), then all entries
    i16(2),
    txt("Eigene Aufbauten"), i16(2),
    txt("Leer"), i16(0),
    txt("Schichten"), i16(1), i16(2),
    txt("Linienlasten"), i16(3), i16(0),
    txt("Dämmung"), txt("1.5"),
    txt(""), txt("22.0"),
    # own imposed tables: each head (name, count, unit) followed by its entries
    i16(2),
    txt("Geländerlasten"), i16(1), i16(2),
    txt("Brüstung"), txt("1.0"),
    txt("Punkte"), i16(0), i16(3),
])

FIXTURE_JSON = project(
    titleLines=("Bauwaage Haus Müller", "Stiege 2 – 3. OG"),
    startPage=12,
    components=[
        {"name": "Decke über EG", "elements": [
            {"name": "Feld 1",
             "permanent": [
                 permanent_row("Stahlbeton", 1, unitWeight="25.00", thickness="20.0", areaLoad="5.00",
                               influenceWidth="2.50", lineLoad="12.50"),
                 permanent_row("Estrich", 2, areaLoad="1.20"),
                 permanent_row("Wand 25 kN/m³", 3, lineLoad="7.50"),
                 permanent_row("Stütze", 4, pointLoad="30.00"),
                 permanent_row("Sonderlast €", -7, pointLoad="4.00")],
             "imposed": [
                 imposed_row("Kat. A1, Wohnflächen", 1, areaLoad="2.00", influenceWidth="3.00", lineLoad="6.00"),
                 imposed_row("Geländer", 2, lineLoad="0.50"),
                 imposed_row("Einzellast", 3, pointLoad="2.00"),
                 imposed_row("Fremdcode", 0, pointLoad="1.00")]},
            {"name": "Feld 2", "permanent": [], "imposed": []}]},
        {"name": "Keller", "elements": []}],
    groups=[
        {"name": "Eigene Aufbauten", "tables": [
            own_table("Schichten", 1, [("Dämmung", "1.5"), ("", "22.0")]),
            own_table("Linienlasten", 3)]},
        {"name": "Leer", "tables": []}],
    imposed=[own_table("Geländerlasten", 2, [("Brüstung", "1.0")]), own_table("Punkte", 3)])


def in_order(document):
    """The document as text, so that comparing two also compares the order of their keys."""
    return json.dumps(document, ensure_ascii=False, indent=1)


class CliTestCase(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.dir = folder.name

    def path(self, name):
        return os.path.join(self.dir, name)

    def write(self, name, data):
        path = self.path(name)
        with open(path, "wb") as f:
            f.write(data if isinstance(data, bytes) else data.encode("utf-8"))
        return path

    def read(self, path):
        with open(path, "rb") as f:
            return f.read()

    def succeed(self, *args):
        result = run(*args)
        self.assertEqual(result.returncode, 0, result.stderr.decode("utf-8", "replace"))
        self.assertEqual(result.stderr, b"")
        return result.stdout.decode("utf-8")

    def fail_with(self, message, *args):
        """message: the exact text on stderr, or a pattern it must match whole."""
        result = run(*args)
        self.assertEqual((result.returncode, result.stdout), (1, b""))
        stderr = result.stderr.decode("utf-8")
        if isinstance(message, re.Pattern):
            self.assertIsNotNone(message.fullmatch(stderr), stderr)
        else:
            self.assertEqual(stderr, message)

    def import_json(self, document):
        source = self.write("in.json", json.dumps(document, ensure_ascii=False))
        self.succeed("import", source, self.path("out.tavo"))
        return self.read(self.path("out.tavo"))

    def reimported(self, document):
        self.import_json(document)
        return json.loads(self.succeed("json", self.path("out.tavo")))


class Json(CliTestCase):
    def test_new_replaces_a_file_with_the_reset_project(self):
        target = self.write("old.tavo", b"old content that is longer than a new project " * 10)
        self.succeed("new", target)
        self.assertEqual(self.read(target), NEW_PROJECT_BYTES)
        self.assertEqual(in_order(json.loads(self.succeed("json", target))), in_order(project()))

    def test_json_decodes_every_field_in_documented_order(self):
        path = self.write("in.tavo", FIXTURE_BYTES)
        self.assertEqual(in_order(json.loads(self.succeed("json", path))), in_order(FIXTURE_JSON))

    def test_every_byte_of_a_text_survives_json_and_import(self):
        data = NEW_PROJECT_BYTES.replace(txt("Text Bauteil 1"), txt(bytes(range(1, 256))), 1)
        self.write("exported.json", self.succeed("json", self.write("in.tavo", data)))
        self.succeed("import", self.path("exported.json"), self.path("out.tavo"))
        self.assertEqual(self.read(self.path("out.tavo")), data)


class Import(CliTestCase):
    def test_fixture_json_reproduces_the_fixture_file(self):
        self.assertEqual(self.import_json(FIXTURE_JSON), FIXTURE_BYTES)

    def test_missing_keys_take_the_values_of_a_new_project(self):
        # The source is the target as well: it is read whole before it is replaced.
        source = self.write("both", json.dumps({"format": "tavo-json", "version": 1}))
        self.succeed("import", source, source)
        self.assertEqual(self.read(source), NEW_PROJECT_BYTES)

    def test_counts_and_unit_codes_at_their_limits_round_trip(self):
        rows = [permanent_row(f"Zeile {r} ³", 1, "1", "2", "3", "4", "5") for r in range(24)]
        rows.append(permanent_row("Fremdcode", -32768, pointLoad="6"))
        element = {"name": "E ½", "permanent": rows, "imposed": [imposed_row(f"N {r}", 3, pointLoad="1") for r in range(15)]}
        entries = [(f"Eintrag {i} ß", f"{i}.5") for i in range(25)]
        document = project(
            startPage=999,
            components=[{"name": f"Bauteil {c}", "elements": [element] * 7} for c in range(7)],
            groups=[{"name": f"G {g}", "tables": [own_table(f"T {t}", 32767, entries) for t in range(7)]}
                    for g in range(8)],
            imposed=[own_table(f"N {t}", -32768, entries[:15]) for t in range(5)])
        self.assertEqual(self.reimported(document), document)

    def test_empty_entries_are_dropped_before_they_are_counted(self):
        used = [("a", ""), ("", "2.0")] + [(f"x{i}", "1") for i in range(23)]
        entries = [("", ""), used[0], ("", ""), used[1]] + [("", "")] * 30 + used[2:]
        exported = self.reimported(project(groups=[{"name": "G", "tables": [own_table("T", 2, entries)]}]))
        self.assertEqual(exported["ownPermanentGroups"][0]["tables"][0], own_table("T", 2, used))

    def test_texts_are_windows_1252_and_written_whole(self):
        data = self.import_json(project(titleLines=("Träger 中 ≥ 2 😀", "ü" * 32767)))
        self.assertIn(txt("ü" * 32767), data)
        # The reader keeps the first 511 bytes of a text.
        exported = json.loads(self.succeed("json", self.path("out.tavo")))
        self.assertEqual(exported["titleLines"], ["Träger ? ? 2 ?", "ü" * 511])


class Failures(CliTestCase):
    def assert_no_output_left(self, message, *args):
        """Fails as told, creates no target (the last argument) and leaves an existing one alone."""
        target = args[-1]
        before = set(os.listdir(self.dir))
        self.fail_with(message, *args)
        self.assertEqual(set(os.listdir(self.dir)), before)
        self.write(os.path.basename(target), b"previous project")
        self.fail_with(message, *args)
        self.assertEqual(self.read(target), b"previous project")
        self.assertEqual(set(os.listdir(self.dir)), before | {os.path.basename(target)})
        os.remove(target)

    def test_unreadable_project_files(self):
        cases = [
            (None, "Fehler beim Öffnen von {} [0]!\n" + os.strerror(errno.ENOENT)),
            (b"TAVODAT-" + NEW_PROJECT_BYTES[8:], "Datei {} ist fehlerhaft!"),
            (b"TAVODAT_" + i32(2) + NEW_PROJECT_BYTES[12:], "Datei {} hat falsche Version [2]!"),
            # The last unit code is cut; the end of the file leaves no system error number.
            (NEW_PROJECT_BYTES[:-1], f"Unbekannter Fehler [1,0,{len(NEW_PROJECT_BYTES) - 2},0]!"),
        ]
        for data, message in cases:
            with self.subTest(message):
                path = self.path("input.tavo") if data is None else self.write("input.tavo", data)
                self.fail_with(message.format(path) + "\n", "json", path)

    def test_files_that_cannot_be_opened(self):
        source, target = self.path("fehlt.json"), self.path("out.tavo")
        message = "Fehler beim Öffnen von {} [0]!\n" + os.strerror(errno.ENOENT) + "\n"
        self.assert_no_output_left(message.format(source), "import", source, target)
        source = self.write("in.json", json.dumps({"format": "tavo-json", "version": 1}))
        target = self.path("nicht da/neu.tavo")
        self.fail_with(message.format(target), "new", target)
        self.fail_with(message.format(target), "import", source, target)
        self.assertEqual(os.listdir(self.dir), ["in.json"])

    def test_refused_json(self):
        base = {"format": "tavo-json", "version": 1}
        entries = lambda n: [{"description": f"e{i}", "value": ""} for i in range(n)]

        def with_element(**rows):
            return dict(base, components=[{"name": "B", "elements": [dict({"name": "E"}, **rows)]}])

        cases = [
            ([base], "Objekt erwartet."),
            ({"version": 1}, "format: Schlüssel fehlt."),
            ({"format": "tävo", "version": 1}, 'format: Unbekanntes Format "tävo" (erwartet "tavo-json").'),
            ({"format": "tavo-json"}, "version: Schlüssel fehlt."),
            (dict(base, version=2), "version: Version 2 wird nicht unterstützt (nur Version 1)."),
            (dict(base, startPage=0), "startPage: Die Zahl 0 liegt nicht zwischen 1 und 999."),
            (dict(base, startPage=1000), "startPage: Die Zahl 1000 liegt nicht zwischen 1 und 999."),
            (dict(base, startPage=1.5), "startPage: Ganze Zahl erwartet."),
            (dict(base, startpage=2), "startpage: Unbekannter Schlüssel."),
            (dict(base, titleLines=["a", "b", "c"]), "titleLines: Zu viele Überschriftszeilen (höchstens 2)."),
            (dict(base, titleLines=["a"]), "titleLines: Zu wenige Überschriftszeilen (mindestens 2)."),
            (dict(base, titleLines=[1, ""]), "titleLines[0]: Text erwartet."),
            (dict(base, titleLines=["x" * 32768, ""]), "titleLines[0]: Text zu lang (höchstens 32767 Zeichen)."),
            (dict(base, components=[]), "components: Zu wenige Bauteile (mindestens 1)."),
            (dict(base, components=[{}] * 8), "components: Zu viele Bauteile (höchstens 7)."),
            (dict(base, components={}), "components: Liste erwartet."),
            (dict(base, components=[{"elements": [{}] * 8}]), "components[0].elements: Zu viele Elemente (höchstens 7)."),
            (with_element(permanent=[{}] * 26), "components[0].elements[0].permanent: Zu viele Zeilen (höchstens 25)."),
            (with_element(imposed=[{}] * 16), "components[0].elements[0].imposed: Zu viele Zeilen (höchstens 15)."),
            (with_element(permanent=[{}, {"rowUnit": 32768}]),
             "components[0].elements[0].permanent[1].rowUnit: Die Zahl 32768 liegt nicht zwischen -32768 und 32767."),
            (with_element(imposed=[{"lineload": "1"}]),
             "components[0].elements[0].imposed[0].lineload: Unbekannter Schlüssel."),
            (dict(base, ownPermanentGroups=[]), "ownPermanentGroups: Zu wenige Gruppen (mindestens 1)."),
            (dict(base, ownPermanentGroups=[{}] * 9), "ownPermanentGroups: Zu viele Gruppen (höchstens 8)."),
            (dict(base, ownPermanentGroups=[{"tables": [{}] * 8}]),
             "ownPermanentGroups[0].tables: Zu viele Tabellen (höchstens 7)."),
            (dict(base, ownPermanentGroups=[{"tables": [{"entries": entries(26)}]}]),
             "ownPermanentGroups[0].tables[0].entries: Zu viele Einträge (höchstens 25)."),
            (dict(base, ownImposedTables=[]), "ownImposedTables: Zu wenige Tabellen (mindestens 1)."),
            (dict(base, ownImposedTables=[{}] * 6), "ownImposedTables: Zu viele Tabellen (höchstens 5)."),
            (dict(base, ownImposedTables=[{"entries": entries(16)}]),
             "ownImposedTables[0].entries: Zu viele Einträge (höchstens 15)."),
        ]
        source = self.path("in.json")
        for document, problem in cases:
            with self.subTest(problem):
                self.write("in.json", json.dumps(document, ensure_ascii=False))
                self.assert_no_output_left(f"{source}: {problem}\n", "import", source, self.path("out.tavo"))

    def test_invalid_json_names_the_line(self):
        source = self.path("in.json")
        # The column is the parser's and may sit one character past the fault.
        for text, line in [("", 1), ('{"format": "tavo-json",\n "version": 1,,\n}', 2)]:
            with self.subTest(text):
                self.write("in.json", text)
                pattern = re.compile(re.escape(f"{source}: Kein gültiges JSON (Zeile {line}, Spalte ") + r"\d+\)\.\n")
                self.assert_no_output_left(pattern, "import", source, self.path("out.tavo"))


class Calls(CliTestCase):
    def test_wrong_calls_help_and_version(self):
        for args in [(), ("neu", "x.tavo"), ("new",), ("json", "a", "b"), ("import", "a.json"), ("library", "--text")]:
            with self.subTest(args):
                result = run(*args)
                self.assertEqual((result.returncode, result.stdout), (2, b""))
                self.assertTrue(result.stderr.endswith(b"\nHilfe: tavo-cli --help\n"))
        self.assertEqual(os.listdir(self.dir), [])
        self.assertEqual(self.succeed("--version"), f"tavo-cli {os.environ['TAVO_VERSION']}\n")
        for args in (["--help"], ["-h"], ["import", "--help"]):
            self.assertTrue(self.succeed(*args).startswith("Aufruf: tavo-cli BEFEHL"), args)


class Library(CliTestCase):
    def test_json_holds_both_built_in_libraries_in_documented_shape(self):
        library = json.loads(self.succeed("library", "--json"))
        self.assertEqual(list(library), ["permanent", "imposed"])
        groups = library["permanent"]["groups"]
        self.assertEqual([g["unit"] for g in groups], [1, 2, 2, 2, 2, 2, 1, 1])
        self.assertEqual([len(g["tables"]) for g in groups], [6, 7, 3, 1, 1, 2, 6, 3])
        self.assertEqual(sum(len(t["entries"]) for g in groups for t in g["tables"]), 339)
        concrete = groups[0]["tables"][0]
        self.assertEqual((list(groups[0]), list(concrete)), (["name", "unit", "tables"], ["name", "entries"]))
        self.assertEqual(concrete["entries"][-1],
                         {"category": "", "description": "Schwerbeton", "value": ">= 26.0", "basis": "ÖNORM B 1991-1-1"})
        # Every self-weight says where it comes from; imposed loads are the standard's own.
        bases = collections.Counter(e["basis"] for g in groups for t in g["tables"] for e in t["entries"])
        self.assertEqual(bases["Schätzwert – bitte prüfen"], 148)
        self.assertEqual(bases["EN 1991-1-1, Tabelle A.1"], 13)
        self.assertEqual(bases["Herstellerangabe"], 3)
        self.assertEqual(sum(bases.values()), 339)

        tables = library["imposed"]["tables"]
        self.assertEqual([len(t["entries"]) for t in tables], [15, 9, 3, 12, 9])
        self.assertEqual([t["unit"] for t in tables], [1, 1, 2, 3, 3])
        self.assertEqual(list(tables[0]), ["name", "unit", "entries"])
        self.assertNotIn("basis", tables[0]["entries"][0])

    def test_text_lists_every_entry_under_its_table(self):
        library = json.loads(self.succeed("library", "--json"))
        text = self.succeed("library")
        units = {1: "kN/m²", 2: "kN/m", 3: "kN"}
        tables = [(f"\n    {t['name']}\n", t) for g in library["permanent"]["groups"] for t in g["tables"]]
        tables += [(f"\n  {t['name']} [{units[t['unit']]}]\n", t) for t in library["imposed"]["tables"]]
        position = 0
        for heading, table in tables:
            position = text.index(heading, position)
            for entry in table["entries"]:
                position = text.index(f"{entry['category']}", position)
                position = text.index(f"{entry['description']}: {entry['value']}\n", position)
        self.assertIn("\n  Baustoffe [kN/m³]\n", text)


if __name__ == "__main__":
    CLI = sys.argv[1]
    unittest.main(argv=[sys.argv[0], *sys.argv[2:]], verbosity=2)
