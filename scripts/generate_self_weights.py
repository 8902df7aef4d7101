#!/usr/bin/env python3
"""Writes src/library/SelfWeightData.cpp, the built-in self-weight library, from the
reference table of self-weights (UTF-8, tab-separated, one header line).

Before anything is written the table is checked against the fixed layout of the
library (group and table names, entries per table) and against the value texts that
the library description fixes; the program relies on both (per-unit entries, ranges,
dry-density records, the lower bound). Every other value has to be one number with a
decimal point. The basis of each value (a table of EN 1991-1-1 Annex A, a conversion,
product data or an estimate) goes into the library as the German text the program shows.

Usage: generate_self_weights.py SELF_WEIGHTS_TSV [OUTPUT_CPP]
"""

import re
import sys
from pathlib import Path

COLUMNS = ["group", "table", "entry", "group_name", "table_name", "category", "description", "value", "basis", "note"]

# Group names, table names and entries per table, in library order.
LAYOUT = [
    ("Baustoffe", [
        ("Unbewehrter Festbeton", 19), ("Mörtel", 5), ("Natürliche Gesteine", 13),
        ("Holz und Holzwerkstoffe", 13), ("Metalle", 5), ("Weitere Baustoffe", 25)]),
    ("Dachdeckungen", [
        ("Beton und Faserzementerzeugnisse", 6), ("Dachdeckungen aus Glas", 3), ("Glasbausteine", 2),
        ("Dachdeckungen aus Metall", 8), ("Dachdeckungen aus Ziegeln", 5), ("Schwarzdeckungen", 5),
        ("Sonstige Deckungen", 6)]),
    ("Decke, Fußboden", [("Deckenkonstruktionen", 22), ("Deckenuntersichten", 1), ("Fußbodenaufbauten", 4)]),
    ("Flachdächer", [("Warmdach", 5)]),
    ("Verkleidungen", [("Verkleidungen", 17)]),
    ("Wände", [("Gasbetonsteine bis Mantelbeton", 17), ("Mauerziegel bis Zwischenwandvollsteine", 13)]),
    ("Lagergüter", [
        ("Zuschläge u. Bindemittel", 15), ("lose Nahrungs-, Genuss- u. Futtermittel", 21),
        ("Brennstoffe und mineral. Rohstoffe", 15), ("Erden und Sande", 8), ("Sonstige Schüttgüter", 11),
        ("Flüssigkeiten", 18)]),
    ("Stapelgüter", [
        ("Nahrungs-, Genuss- u. Futtermittel", 25), ("Brennstoffe", 11),
        ("Textilien, Papier und Faserstoffe", 21)]),
]
TOTAL_ENTRIES = 339

# The value texts fixed by the library description, by (group, table, entry).
GIVEN_VALUES = {
    (0, 0, 8): "Trockenrohdichte;450;850;850;5.0;9.5;9.5",
    (0, 0, 9): "Trockenrohdichte;450;1200;1200;5.6;15.0;15.0",
    (0, 0, 10): "Trockenrohdichte;450;1400;1400;5.0;15.4;15.4",
    (0, 0, 18): ">= 26.0",
    (0, 3, 5): "3.0;10.0;10.0",
    (0, 3, 8): "7.0;8.0;8.0",
    (0, 4, 0): "27.0",
    (0, 4, 1): "72.5",
    (0, 4, 2): "89.0",
    (0, 4, 3): "76.0",
    (0, 4, 4): "78.5",
    (0, 5, 6): "18.0;20.0;20.0",
    (0, 5, 8): "1.5;2.5;2.5",
    (0, 5, 16): "4.0;7.0;7.0",
    (0, 5, 21): "25.0;30.0;30.0",
    (1, 0, 5): "0.10;0.15;0.15",
    (1, 1, 2): "0.03",
    (1, 3, 6): "0.08;0.20;0.20",
    (1, 5, 0): "0.05",
    (1, 5, 1): "0.20",
    (1, 5, 2): "0.18",
    (2, 0, 2): "0.14",
    (3, 0, 4): "0.2",
    (4, 0, 5): "0.05",
    (4, 0, 8): "0.10",
    (4, 0, 9): "0.04;0.07;0.07",
    (4, 0, 10): "0.03",
    (4, 0, 11): "0.03",
    (4, 0, 16): "0.10;0.15;0.15",
    (5, 0, 0): "1.00;1.50;1.50",
    (5, 0, 1): "2.00;3.00;3.00",
    (5, 0, 8): "2.80;3.10;3.10",
    (5, 0, 9): "3.00;3.70;3.70",
    (5, 0, 10): "3.00;3.30;3.30",
    (5, 0, 11): "3.50;4.00;4.00",
    (5, 0, 12): "0.06",
    (5, 0, 14): "0.10",
    (5, 0, 16): "0.25",
    (5, 1, 1): "2.20",
    (5, 1, 3): "2.70",
    (6, 0, 0): "3.0;6.0;6.0",
    (6, 0, 1): "4.0;10.0;10.0",
    (6, 0, 3): "2.0;12.0;12.0",
    (6, 0, 10): "0.7;1.5;1.5",
    (6, 2, 5): "30.0;40.0;40.0",
    (6, 4, 5): "10.0;14.0;14.0",
    (6, 4, 7): "8.0;10.0;10.0",
    (7, 2, 17): "7.0;13.0;13.0",
}

SINGLE_NUMBER = re.compile(r"[0-9]+\.[0-9]+")

# The basis of a value as the program shows it (German), by the table's basis column.
BASIS_TEXTS = [
    (re.compile(r"given"), lambda m: "ÖNORM B 1991-1-1"),
    (re.compile(r"EN 1991-1-1 Table (A\.[0-9]+)"), lambda m: f"EN 1991-1-1, Tabelle {m.group(1)}"),
    (re.compile(r"ÖNORM B 1991-1-1"), lambda m: "Umrechnung eines Werts der ÖNORM B 1991-1-1"),
    (re.compile(r"product data, .+"), lambda m: "Herstellerangabe"),
    (re.compile(r"estimate"), lambda m: "Schätzwert – bitte prüfen"),
]


def basis_text(basis):
    """The German text of a basis, or None for a basis the program does not know."""
    for pattern, text in BASIS_TEXTS:
        match = pattern.fullmatch(basis)
        if match:
            return text(match)
    return None


class TableError(Exception):
    pass


def read_rows(path):
    lines = Path(path).read_text(encoding="utf-8").split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if not lines or lines[0].split("\t") != COLUMNS:
        raise TableError(f"{path}: header is not {' '.join(COLUMNS)}")
    rows = []
    for number, line in enumerate(lines[1:], start=2):
        fields = line.split("\t")
        if len(fields) != len(COLUMNS):
            raise TableError(f"{path}:{number}: {len(fields)} fields, expected {len(COLUMNS)}")
        row = dict(zip(COLUMNS, fields))
        row["key"] = (int(row["group"]), int(row["table"]), int(row["entry"]))
        row["line"] = number
        rows.append(row)
    return rows


def check_row(row):
    """Returns the problems of one row: its text must fit the single-byte code page the
    program keeps, and its value must be the given text or one plain number."""
    problems = []
    for column in ("group_name", "table_name", "category", "description", "value"):
        try:
            row[column].encode("cp1252")
        except UnicodeEncodeError:
            problems.append(f"{column} has a character outside Windows-1252")
    given = GIVEN_VALUES.get(row["key"])
    if given is not None and row["value"] != given:
        problems.append(f"value {row['value']!r}, the library fixes {given!r}")
    if given is None and not SINGLE_NUMBER.fullmatch(row["value"]):
        problems.append(f"value {row['value']!r} is not one number with a decimal point")
    if basis_text(row["basis"]) is None:
        problems.append(f"basis {row['basis']!r} is none of given, EN 1991-1-1 Table A.n, ÖNORM B 1991-1-1, "
                        "product data, estimate")
    return [f"line {row['line']} {row['key']}: {p}" for p in problems]


def group_rows(rows):
    """Nests the rows as groups of tables of entries and checks them against LAYOUT."""
    problems = []
    expected_keys = [(g, t, e) for g, (_, tables) in enumerate(LAYOUT)
                     for t, (_, count) in enumerate(tables) for e in range(count)]
    if [row["key"] for row in rows] != expected_keys:
        problems.append("rows are not the entries of the library layout in order "
                        f"({len(rows)} rows, {len(expected_keys)} expected)")
    if len(expected_keys) != TOTAL_ENTRIES:
        problems.append(f"the layout holds {len(expected_keys)} entries, not {TOTAL_ENTRIES}")
    for row in rows:
        g, t, _ = row["key"]
        if g < len(LAYOUT) and t < len(LAYOUT[g][1]):
            group_name, tables = LAYOUT[g]
            if row["group_name"] != group_name:
                problems.append(f"line {row['line']}: group name {row['group_name']!r}, expected {group_name!r}")
            if row["table_name"] != tables[t][0]:
                problems.append(f"line {row['line']}: table name {row['table_name']!r}, expected {tables[t][0]!r}")
        problems.extend(check_row(row))
    if problems:
        raise TableError("\n".join(problems))

    groups = [(name, [(table, []) for table, _ in tables]) for name, tables in LAYOUT]
    for row in rows:
        g, t, _ = row["key"]
        groups[g][1][t][1].append(row)
    return groups


def literal(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def render(groups):
    out = [
        "// generated by scripts/generate_self_weights.py; do not edit",
        "",
        "// The built-in self-weight library: groups, tables and entries in library order.",
        "// Texts are UTF-8 here; the library converts them to Windows-1252 when it fills.",
        "",
        '#include "library/SelfWeightData.h"',
        "",
        "namespace tavo {",
        "namespace {",
        "",
    ]
    for g, (group_name, tables) in enumerate(groups):
        for t, (table_name, rows) in enumerate(tables):
            out.append(f"// {g}.{t} {group_name}: {table_name}")
            out.append(f"constexpr SelfWeightEntry kEntries{g}_{t}[] = {{")
            for row in rows:
                texts = [row[c] for c in ("category", "description", "value")] + [basis_text(row["basis"])]
                fields = ", ".join(literal(text) for text in texts)
                out.append(f"    {{{fields}}},")
            out.append("};")
            out.append("")
    for g, (_, tables) in enumerate(groups):
        out.append(f"constexpr SelfWeightTable kTables{g}[] = {{")
        for t, (table_name, _) in enumerate(tables):
            out.append(f"    {{{literal(table_name)}, kEntries{g}_{t}}},")
        out.append("};")
        out.append("")
    out.append("constexpr SelfWeightGroup kGroups[] = {")
    for g, (group_name, _) in enumerate(groups):
        out.append(f"    {{{literal(group_name)}, kTables{g}}},")
    out.append("};")
    out += [
        "",
        "static_assert(fitsLibraryShape(kGroups));",
        "",
        "}  // namespace",
        "",
        "std::span<const SelfWeightGroup> selfWeightLibrary() { return kGroups; }",
        "",
        "}  // namespace tavo",
        "",
    ]
    return "\n".join(out)


def main(argv):
    if len(argv) not in (2, 3):
        sys.stderr.write(__doc__)
        return 2
    default_output = Path(__file__).resolve().parent.parent / "src" / "library" / "SelfWeightData.cpp"
    output = Path(argv[2]) if len(argv) == 3 else default_output
    try:
        groups = group_rows(read_rows(argv[1]))
    except TableError as error:
        sys.stderr.write(f"{argv[1]} does not match the library:\n{error}\n")
        return 1
    output.write_text(render(groups), encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
