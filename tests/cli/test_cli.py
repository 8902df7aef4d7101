#!/usr/bin/env python3
"""End-to-end tests of tavo-cli.

Usage: test_cli.py PATH/TO/tavo-cli [TestClass ...]

The project files here are written field by field with struct, independently of
the program's own reader and writer, so that a file made by another
implementation of the format is what the program is checked against.
"""

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


RESET_STATE = project()

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


def ordered(value):
    """A JSON value with every object as a list of (key, value) pairs, so that
    comparing two values also compares the order of their keys."""
    if isinstance(value, dict):
        return [(k, ordered(v)) for k, v in value.items()]
    if isinstance(value, list):
        return [ordered(v) for v in value]
    return value


def parse_ordered(text):
    return json.loads(text, object_pairs_hook=lambda pairs: [(k, ordered(v)) for k, v in pairs])


class CliTestCase(unittest.TestCase):
    def setUp(self):
        self._dir = tempfile.TemporaryDirectory()
        self.dir = self._dir.name

    def tearDown(self):
        self._dir.cleanup()

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

    def fail_with(self, message, *args, status=1):
        """message: the exact text on stderr, or a pattern it must match whole."""
        result = run(*args)
        self.assertEqual(result.returncode, status)
        self.assertEqual(result.stdout, b"")
        if isinstance(message, re.Pattern):
            self.assertIsNotNone(message.fullmatch(result.stderr.decode("utf-8")), result.stderr.decode("utf-8"))
        else:
            self.assertEqual(result.stderr.decode("utf-8"), message)

    def json_of(self, data):
        return parse_ordered(self.succeed("json", self.write("in.tavo", data)))

    def import_json(self, document, name="out.tavo"):
        source = self.write("in.json", json.dumps(document, ensure_ascii=False))
        self.succeed("import", source, self.path(name))
        return self.read(self.path(name))


class NewAndJson(CliTestCase):
    def test_new_writes_the_reset_project(self):
        target = self.path("new.tavo")
        self.succeed("new", target)
        self.assertEqual(self.read(target), NEW_PROJECT_BYTES)
        self.assertEqual(parse_ordered(self.succeed("json", target)), ordered(RESET_STATE))

    def test_new_replaces_an_existing_file(self):
        target = self.write("old.tavo", b"old content that is longer than a new project " * 10)
        self.succeed("new", target)
        self.assertEqual(self.read(target), NEW_PROJECT_BYTES)

    def test_json_decodes_every_field_in_documented_order(self):
        self.assertEqual(self.json_of(FIXTURE_BYTES), ordered(FIXTURE_JSON))

    def test_bytes_after_the_body_are_not_read(self):
        self.assertEqual(self.json_of(FIXTURE_BYTES + b"\x01\x02trailing"), ordered(FIXTURE_JSON))

    def test_utf16_text_is_converted_to_the_program_code_page(self):
        title = "€ 5 kN/m³"
        data = NEW_PROJECT_BYTES.replace(txt("Bauwaage"), i16(-2 * len(title)) + title.encode("utf-16-le"), 1)
        self.assertEqual(self.json_of(data)[2], ("titleLines", [title, ""]))

    def test_stored_text_is_read_as_its_first_511_bytes(self):
        data = NEW_PROJECT_BYTES.replace(txt("Bauwaage"), txt("ä" * 600), 1)
        self.assertEqual(self.json_of(data)[2], ("titleLines", ["ä" * 511, ""]))


class Import(CliTestCase):
    def test_fixture_json_reproduces_the_fixture_file(self):
        self.assertEqual(self.import_json(FIXTURE_JSON), FIXTURE_BYTES)

    def test_only_format_and_version_give_a_new_project(self):
        self.assertEqual(self.import_json({"format": "tavo-json", "version": 1}), NEW_PROJECT_BYTES)

    def test_round_trip_is_byte_identical(self):
        document = project(
            titleLines=("Statik Zubau – Dachgeschoß", "Lasten in kN/m², kN/m³ und € für Ü-Fälle"),
            startPage=999,
            components=[{"name": f"Bauteil {c} «ÄÖÜ»", "elements": [
                {"name": f"Element {e} ½", "permanent": [permanent_row(f"Zeile {r} ³", r % 6, "1", "2", "3", "4", "5", "6")
                                                       for r in range(25)],
                 "imposed": [imposed_row(f"Nutz {r} µ", r % 5, "1", "2", "3", "4") for r in range(15)]}
                for e in range(7)]} for c in range(7)],
            groups=[{"name": f"Gruppe {g}", "tables": [
                own_table(f"Tabelle {g}.{t}", t + 1, [(f"Eintrag {i} ß", f"{i}.5") for i in range(25)])
                for t in range(7)]} for g in range(8)],
            imposed=[own_table(f"Nutzlasten {t}", t, [(f"N {i}", "") for i in range(15)]) for t in range(5)])
        first = self.import_json(document, "first.tavo")
        exported = self.succeed("json", self.path("first.tavo"))
        self.write("exported.json", exported)
        self.succeed("import", self.path("exported.json"), self.path("second.tavo"))
        self.assertEqual(self.read(self.path("second.tavo")), first)
        self.assertEqual(json.loads(exported)["titleLines"], list(document["titleLines"]))

    def test_texts_a_row_unit_does_not_use_are_not_kept(self):
        full = {"unitWeight": "a", "thickness": "b", "areaLoad": "c", "influenceWidth": "d", "lineLoad": "e",
                "pointLoad": "f"}
        rows = [permanent_row("p", unit, **full) for unit in (1, 2, 3, 4, 0)]
        imposed_full = {k: full[k] for k in ("areaLoad", "influenceWidth", "lineLoad", "pointLoad")}
        imposed = [imposed_row("n", unit, **imposed_full) for unit in (1, 2, 3, -1)]
        document = project(components=[{"name": "B", "elements": [{"name": "E", "permanent": rows, "imposed": imposed}]}])
        self.import_json(document)
        element = json.loads(self.succeed("json", self.path("out.tavo")))["components"][0]["elements"][0]
        self.assertEqual(element["permanent"], [
            permanent_row("p", 1, "a", "b", "c", "d", "e"),
            permanent_row("p", 2, areaLoad="c", influenceWidth="d", lineLoad="e"),
            permanent_row("p", 3, lineLoad="e"),
            permanent_row("p", 4, pointLoad="f"),
            permanent_row("p", 0, pointLoad="f")])
        self.assertEqual(element["imposed"], [
            imposed_row("n", 1, "c", "d", "e"),
            imposed_row("n", 2, lineLoad="e"),
            imposed_row("n", 3, pointLoad="f"),
            imposed_row("n", -1, pointLoad="f")])

    def test_empty_entries_are_dropped_and_the_rest_packed(self):
        entries = [("", ""), ("a", ""), ("", ""), ("", "2.0")] + [("", "")] * 30 + [(f"x{i}", "1") for i in range(23)]
        document = project(groups=[{"name": "G", "tables": [own_table("T", 2, entries)]}],
                           imposed=[own_table("N", 1, [("", ""), ("b", "3.0")])])
        self.import_json(document)
        exported = json.loads(self.succeed("json", self.path("out.tavo")))
        self.assertEqual(exported["ownPermanentGroups"][0]["tables"][0]["entries"],
                         [{"description": "a", "value": ""}, {"description": "", "value": "2.0"}] +
                         [{"description": f"x{i}", "value": "1"} for i in range(23)])
        self.assertEqual(exported["ownImposedTables"][0]["entries"], [{"description": "b", "value": "3.0"}])

    def test_unit_codes_span_the_stored_16_bits(self):
        rows = [permanent_row(str(u), u, pointLoad="1") for u in (-32768, 32767)]
        document = project(components=[{"name": "B", "elements": [{"name": "E", "permanent": rows, "imposed": []}]}],
                           groups=[{"name": "G", "tables": [own_table("T", -32768), own_table("U", 32767)]}],
                           imposed=[own_table("N", -1)])
        self.import_json(document)
        self.assertEqual(json.loads(self.succeed("json", self.path("out.tavo"))), document)

    def test_missing_keys_of_listed_items_are_empty(self):
        document = {"format": "tavo-json", "version": 1,
                    "components": [{"elements": [{"permanent": [{}], "imposed": [{}]}]}],
                    "ownPermanentGroups": [{"tables": [{}]}], "ownImposedTables": [{}]}
        self.import_json(document)
        self.assertEqual(json.loads(self.succeed("json", self.path("out.tavo"))), project(
            components=[{"name": "", "elements": [{"name": "", "permanent": [permanent_row()],
                                                    "imposed": [imposed_row()]}]}],
            groups=[{"name": "", "tables": [own_table("", 1)]}], imposed=[own_table("", 1)]))

    def test_characters_outside_windows_1252_become_question_marks(self):
        self.import_json(project(titleLines=("Träger 中 ≥ 2 😀", "")))
        self.assertEqual(json.loads(self.succeed("json", self.path("out.tavo")))["titleLines"][0], "Träger ? ? 2 ?")

    def test_texts_are_written_whole(self):
        data = self.import_json(project(titleLines=("x" * 32767, "ü" * 600)))
        self.assertEqual(data[len(HEADER):len(HEADER) + 2], i16(32767))
        self.assertIn(txt("ü" * 600), data)
        exported = json.loads(self.succeed("json", self.path("out.tavo")))
        self.assertEqual(exported["titleLines"], ["x" * 511, "ü" * 511])

    def test_import_may_replace_its_own_source(self):
        source = self.write("both", json.dumps({"format": "tavo-json", "version": 1}))
        self.succeed("import", source, source)
        self.assertEqual(self.read(source), NEW_PROJECT_BYTES)


class CodePage(CliTestCase):
    def test_every_byte_of_a_text_survives_json_and_import(self):
        name = bytes(range(1, 256))
        data = NEW_PROJECT_BYTES.replace(txt("Text Bauteil 1"), txt(name), 1)
        self.write("in.tavo", data)
        self.write("exported.json", self.succeed("json", self.path("in.tavo")))
        self.succeed("import", self.path("exported.json"), self.path("out.tavo"))
        self.assertEqual(self.read(self.path("out.tavo")), data)


class Failures(CliTestCase):
    def assert_no_output_left(self, *args, message, target):
        """Fails as told, creates no target and leaves an existing one alone."""
        self.fail_with(message, *args)
        self.assertFalse(os.path.exists(target))
        before = b"previous project"
        self.write(os.path.basename(target), before)
        self.fail_with(message, *args)
        self.assertEqual(self.read(target), before)
        self.assertEqual(sorted(os.listdir(self.dir)), sorted({os.path.basename(target), *self.inputs}))

    def setUp(self):
        super().setUp()
        self.inputs = set()

    def write_input(self, name, data):
        self.inputs.add(name)
        return self.write(name, data)

    def test_unreadable_project_files(self):
        cases = [
            ("missing", None, "Fehler beim Öffnen von {} [0]!\n" + os.strerror(errno.ENOENT)),
            ("wrong magic", b"TAVODAT-" + NEW_PROJECT_BYTES[8:], "Datei {} ist fehlerhaft!"),
            ("version 2", b"TAVODAT_" + i32(2) + NEW_PROJECT_BYTES[12:], "Datei {} hat falsche Version [2]!"),
            ("version 0", b"TAVODAT_" + i32(0) + NEW_PROJECT_BYTES[12:], "Datei {} hat falsche Version [0]!"),
            ("8 components", NEW_PROJECT_BYTES.replace(i16(1) + txt("Text Bauteil 1"), i16(8) + txt("Text Bauteil 1")),
             "Datei {} ist fehlerhaft!"),
        ]
        for name, data, message in cases:
            with self.subTest(name):
                path = self.path("input.tavo") if data is None else self.write("input.tavo", data)
                self.fail_with(message.format(path) + "\n", "json", path)
                if data is not None:
                    os.remove(path)

    def test_file_shorter_than_its_counts(self):
        # The last unit code is cut; the end of the file leaves no system error number.
        path = self.write("short.tavo", NEW_PROJECT_BYTES[:-1])
        self.fail_with(f"Unbekannter Fehler [1,0,{len(NEW_PROJECT_BYTES) - 2},0]!\n", "json", path)

    def test_project_in_a_missing_folder(self):
        target = self.path("nicht da/neu.tavo")
        message = f"Fehler beim Öffnen von {target} [0]!\n{os.strerror(errno.ENOENT)}\n"
        self.fail_with(message, "new", target)
        source = self.write_input("in.json", json.dumps({"format": "tavo-json", "version": 1}))
        self.fail_with(message, "import", source, target)
        self.assertEqual(os.listdir(self.dir), ["in.json"])

    def test_folder_as_target_is_left_alone(self):
        target = self.path("folder")
        os.mkdir(target)
        result = run("new", target)
        self.assertEqual(result.returncode, 1)
        self.assertTrue(os.path.isdir(target))
        self.assertEqual(os.listdir(self.dir), ["folder"])

    def test_missing_json_source(self):
        source, target = self.path("fehlt.json"), self.path("out.tavo")
        self.assert_no_output_left("import", source, target,
                                   message=f"Fehler beim Öffnen von {source} [0]!\n{os.strerror(errno.ENOENT)}\n",
                                   target=target)

    def test_refused_json(self):
        base = {"format": "tavo-json", "version": 1}
        component = {"name": "B", "elements": []}
        element = {"name": "E", "permanent": [], "imposed": []}
        entries = lambda n: [{"description": f"e{i}", "value": ""} for i in range(n)]

        def with_element(**changes):
            return dict(base, components=[{"name": "B", "elements": [dict(element, **changes)]}])

        cases = [
            ([base], "Objekt erwartet."),
            ({"version": 1}, "format: Schlüssel fehlt."),
            ({"format": "tävo", "version": 1}, 'format: Unbekanntes Format "tävo" (erwartet "tavo-json").'),
            ({"format": "tavo-json"}, "version: Schlüssel fehlt."),
            (dict(base, version=2), "version: Version 2 wird nicht unterstützt (nur Version 1)."),
            (dict(base, version="1"), "version: Ganze Zahl erwartet."),
            (dict(base, startPage=0), "startPage: Die Zahl 0 liegt nicht zwischen 1 und 999."),
            (dict(base, startPage=1000), "startPage: Die Zahl 1000 liegt nicht zwischen 1 und 999."),
            (dict(base, startPage=1.5), "startPage: Ganze Zahl erwartet."),
            (dict(base, titleLines=["a", "b", "c"]), "titleLines: Zu viele Überschriftszeilen (höchstens 2)."),
            (dict(base, titleLines=["a"]), "titleLines: Zu wenige Überschriftszeilen (mindestens 2)."),
            (dict(base, titleLines=[1, ""]), "titleLines[0]: Text erwartet."),
            (dict(base, titleLines=["x" * 32768, ""]), "titleLines[0]: Text zu lang (höchstens 32767 Zeichen)."),
            (dict(base, components=[]), "components: Zu wenige Bauteile (mindestens 1)."),
            (dict(base, components=[component] * 8), "components: Zu viele Bauteile (höchstens 7)."),
            (dict(base, components={}), "components: Liste erwartet."),
            (dict(base, components=[component, 5]), "components[1]: Objekt erwartet."),
            (dict(base, components=[{"name": None}]), "components[0].name: Text erwartet."),
            (dict(base, components=[{"name": "B", "elements": [element] * 8}]),
             "components[0].elements: Zu viele Elemente (höchstens 7)."),
            (with_element(permanent=[{}] * 26), "components[0].elements[0].permanent: Zu viele Zeilen (höchstens 25)."),
            (with_element(imposed=[{}] * 16), "components[0].elements[0].imposed: Zu viele Zeilen (höchstens 15)."),
            (with_element(permanent=[{}, {"rowUnit": 32768}]),
             "components[0].elements[0].permanent[1].rowUnit: Die Zahl 32768 liegt nicht zwischen -32768 und 32767."),
            (with_element(imposed=[{"lineload": "1"}]), "components[0].elements[0].imposed[0].lineload: Unbekannter Schlüssel."),
            (dict(base, ownPermanentGroups=[]), "ownPermanentGroups: Zu wenige Gruppen (mindestens 1)."),
            (dict(base, ownPermanentGroups=[{}] * 9), "ownPermanentGroups: Zu viele Gruppen (höchstens 8)."),
            (dict(base, ownPermanentGroups=[{"tables": [{}] * 8}]),
             "ownPermanentGroups[0].tables: Zu viele Tabellen (höchstens 7)."),
            (dict(base, ownPermanentGroups=[{"tables": [{"entries": entries(26)}]}]),
             "ownPermanentGroups[0].tables[0].entries: Zu viele Einträge (höchstens 25)."),
            (dict(base, ownPermanentGroups=[{"tables": [{"unit": -32769}]}]),
             "ownPermanentGroups[0].tables[0].unit: Die Zahl -32769 liegt nicht zwischen -32768 und 32767."),
            (dict(base, ownImposedTables=[]), "ownImposedTables: Zu wenige Tabellen (mindestens 1)."),
            (dict(base, ownImposedTables=[{}] * 6), "ownImposedTables: Zu viele Tabellen (höchstens 5)."),
            (dict(base, ownImposedTables=[{"entries": entries(16)}]),
             "ownImposedTables[0].entries: Zu viele Einträge (höchstens 15)."),
            (dict(base, ownImposedTables=[{"entries": [{"description": "a", "wert": "1"}]}]),
             "ownImposedTables[0].entries[0].wert: Unbekannter Schlüssel."),
            (dict(base, startpage=2), "startpage: Unbekannter Schlüssel."),
        ]
        for document, problem in cases:
            with self.subTest(problem):
                text = document if isinstance(document, str) else json.dumps(document, ensure_ascii=False)
                source = self.write_input("in.json", text)
                target = self.path("out.tavo")
                self.assert_no_output_left("import", source, target, message=f"{source}: {problem}\n", target=target)
                os.remove(target)

    def test_invalid_json_names_the_line(self):
        # The column is the parser's and may sit one character past the fault.
        for text, line in [('{"format": "tavo-json",\n "version": 1,,\n}', 2), ("", 1), ('{"format": "tävo"', 1)]:
            with self.subTest(text):
                source = self.write_input("in.json", text)
                target = self.path("out.tavo")
                pattern = re.compile(re.escape(f"{source}: Kein gültiges JSON (Zeile {line}, Spalte ") + r"\d+\)\.\n")
                self.assert_no_output_left("import", source, target, message=pattern, target=target)
                os.remove(target)

    def test_wrong_calls(self):
        for args in [(), ("neu", "x.tavo"), ("new",), ("json", "a", "b"), ("import", "a.json"), ("library", "--text")]:
            with self.subTest(args):
                result = run(*args)
                self.assertEqual(result.returncode, 2)
                self.assertEqual(result.stdout, b"")
                self.assertTrue(result.stderr.endswith(b"\nHilfe: tavo-cli --help\n"))
        self.assertEqual(os.listdir(self.dir), [])


class Library(CliTestCase):
    def test_json_holds_both_built_in_libraries(self):
        library = json.loads(self.succeed("library", "--json"))
        groups = library["permanent"]["groups"]
        self.assertEqual([g["unit"] for g in groups], [1, 2, 2, 2, 2, 2, 1, 1])
        self.assertEqual([len(g["tables"]) for g in groups], [6, 7, 3, 1, 1, 2, 6, 3])
        self.assertEqual(sum(len(t["entries"]) for g in groups for t in g["tables"]), 339)
        concrete = groups[0]["tables"][0]
        self.assertEqual((groups[0]["name"], concrete["name"]), ("Baustoffe", "Unbewehrter Festbeton"))
        self.assertEqual(concrete["entries"][-1], {"category": "", "description": "Schwerbeton", "value": ">= 26.0"})

        tables = library["imposed"]["tables"]
        self.assertEqual([len(t["entries"]) for t in tables], [15, 9, 3, 12, 9])
        self.assertEqual([t["unit"] for t in tables], [1, 1, 2, 3, 3])
        self.assertEqual(tables[0]["name"], "Flächenlasten auf Decken, Balkone u. Treppen")
        self.assertEqual(tables[0]["entries"][0]["category"], "A1")
        self.assertEqual(tables[0]["entries"][0]["value"], "2.0")
        self.assertEqual(tables[0]["entries"][11]["description"], "Verkaufsflächen,  Flächen in Kaufhäusern")

    def test_json_keys_in_documented_order(self):
        library = parse_ordered(self.succeed("library", "--json"))
        self.assertEqual([k for k, _ in library], ["permanent", "imposed"])
        group = library[0][1][0][1][0]
        self.assertEqual([k for k, _ in group], ["name", "unit", "tables"])
        self.assertEqual([k for k, _ in group[2][1][0]], ["name", "entries"])
        self.assertEqual([k for k, _ in group[2][1][0][1][1][0]], ["category", "description", "value"])
        self.assertEqual([k for k, _ in library[1][1][0][1][0]], ["name", "unit", "entries"])

    def test_text_lists_every_entry_under_its_table(self):
        library = json.loads(self.succeed("library", "--json"))
        lines = self.succeed("library").splitlines()
        units = {1: "kN/m²", 2: "kN/m", 3: "kN"}
        headings = [f"    {t['name']}" for g in library["permanent"]["groups"] for t in g["tables"]]
        headings += [f"  {t['name']} [{units[t['unit']]}]" for t in library["imposed"]["tables"]]
        tables = [t for g in library["permanent"]["groups"] for t in g["tables"]] + library["imposed"]["tables"]
        position = 0
        for heading, table in zip(headings, tables):
            position = lines.index(heading, position) + 1
            for entry, line in zip(table["entries"], lines[position:]):
                self.assertTrue(line.endswith(f"{entry['description']}: {entry['value']}"), line)
                self.assertIn(entry["category"], line)
        self.assertIn("  Baustoffe [kN/m³]", lines)
        self.assertIn("  Dachdeckungen [kN/m²]", lines)


class HelpAndVersion(CliTestCase):
    def test_help_and_version(self):
        self.assertEqual(self.succeed("--version"), f"tavo-cli {os.environ['TAVO_VERSION']}\n")
        for flag in ("--help", "-h"):
            self.assertTrue(self.succeed(flag).startswith("Aufruf: tavo-cli BEFEHL"))
        self.assertIn("import EINGABE.json ZIEL.tavo", self.succeed("import", "--help"))


if __name__ == "__main__":
    CLI = sys.argv[1]
    unittest.main(argv=[sys.argv[0], *sys.argv[2:]], verbosity=2)
