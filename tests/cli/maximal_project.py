#!/usr/bin/env python3
"""The largest listing a project can give, as JSON for tavo-cli import.

Usage: maximal_project.py [--largest] OUT.json

7 components of 7 elements, each with 25 permanent rows (layers, area, line and
point loads in turn) and 15 imposed rows (area, line and point loads in turn).
The derived numbers follow the program's rules, some descriptions are long enough
to be split in the listing, texts carry letters beyond ASCII, some elements have
no influence widths, and the start page is 997, so that page numbers reach four
digits.

With --largest every text is as long as a project holds it as well: names and
descriptions of 511 bytes, title lines of 80 characters.
"""

import json
import sys

UNIT_WEIGHTS = [25.0, 22.0, 18.0, 14.5, 5.0, 1.5, 20.0, 0.9]
THICKNESSES = [20, 6, 1.5, 2.4, 12.5, 3, 24]
WIDTHS = ["4.25", "1.6", "0.8", "3.8", "2.75", "5.125"]
AREA_LOADS = ["0.65", "0.25", "0.55", "0.11", "2.03", "2.20"]
IMPOSED_AREA_LOADS = ["2.00", "1.50", "3.00", "5.00", "1.00"]
LINE_LOADS = ["0.35", "34.12", "8.50", "1.00"]
POINT_LOADS = ["35.00", "12.00", "2.00", "1.50"]
DESCRIPTIONS = [
    "Zementestrich",
    "Glas - oder Steinwolle, trittfest",
    "Hochofenschlacke, Hüttensplitt",
    "Gipskartonplatten gemäß ÖNORM B 3410, Dicke 12,5 mm, zweilagig auf Metallständerwerk "
    "mit Dämmstoffeinlage und Anschlussprofilen an Decke und Boden",
    "Weichholz europäischer Herkunft",
    "Auflagerlast Decke über Erdgeschoß",
]
IMPOSED_DESCRIPTIONS = [
    "Kat. A1, Wohnflächen, Räume in Wohngebäuden und -häusern; Zimmer in Hotels; Küchen, "
    "Toiletten in bestehenden Gebäuden etc.",
    "Kat. H, Dachkonstruktionen",
    "Zuschlag für Balkone",
]


def trimmed(value, decimals):
    """formatTrimmed for the plain values used here: rounded, trailing zeros cut."""
    text = "%.*f" % (decimals, value)
    return text.rstrip("0").rstrip(".") if "." in text else text


def permanent_row(r, seed, with_width):
    description = f"{DESCRIPTIONS[seed % len(DESCRIPTIONS)]} {seed}"
    row = {"description": description, "rowUnit": 1 + r % 4, "unitWeight": "", "thickness": "",
           "areaLoad": "", "influenceWidth": "", "lineLoad": "", "pointLoad": ""}
    if row["rowUnit"] == 1:
        weight = UNIT_WEIGHTS[seed % len(UNIT_WEIGHTS)]
        thickness = THICKNESSES[seed % len(THICKNESSES)]
        row.update(unitWeight="%.2f" % weight, thickness=trimmed(thickness, 1),
                   areaLoad="%.2f" % (weight * thickness / 100))
    elif row["rowUnit"] == 2:
        row["areaLoad"] = AREA_LOADS[seed % len(AREA_LOADS)]
    elif row["rowUnit"] == 3:
        row["lineLoad"] = LINE_LOADS[seed % len(LINE_LOADS)]
    else:
        row["pointLoad"] = POINT_LOADS[seed % len(POINT_LOADS)]
    if row["areaLoad"] and with_width:
        width = WIDTHS[seed % len(WIDTHS)]
        row.update(influenceWidth=width, lineLoad="%.2f" % (float(row["areaLoad"]) * float(width)))
    return row


def imposed_row(r, seed, with_width):
    row = {"description": f"{IMPOSED_DESCRIPTIONS[seed % len(IMPOSED_DESCRIPTIONS)]} {seed}",
           "rowUnit": 1 + r % 3, "areaLoad": "", "influenceWidth": "", "lineLoad": "", "pointLoad": ""}
    if row["rowUnit"] == 1:
        row["areaLoad"] = IMPOSED_AREA_LOADS[seed % len(IMPOSED_AREA_LOADS)]
        if with_width:
            width = WIDTHS[seed % len(WIDTHS)]
            row.update(influenceWidth=width, lineLoad="%.2f" % (float(row["areaLoad"]) * float(width)))
    elif row["rowUnit"] == 2:
        row["lineLoad"] = LINE_LOADS[seed % len(LINE_LOADS)]
    else:
        row["pointLoad"] = POINT_LOADS[seed % len(POINT_LOADS)]
    return row


def element(c, e):
    with_width = (c + e) % 3 != 2
    seed = (c * 7 + e) * 40
    return {"name": f"Element {c + 1}.{e + 1} Decke über Geschoß {e + 1}",
            "permanent": [permanent_row(r, seed + r, with_width) for r in range(25)],
            "imposed": [imposed_row(r, seed + 25 + r, with_width) for r in range(15)]}


def maximal_project():
    return {"format": "tavo-json", "version": 1,
            "titleLines": ["Bauwaage Wohnanlage Süd – Stiege 1 bis 3",
                           "Zubau Bürotrakt, Lastaufstellung für die Statik (€-Ausgabe ³)"],
            "startPage": 997,
            "components": [{"name": f"Pos. {c + 1}  Geschoßdecke über Ebene {c}",
                            "elements": [element(c, e) for e in range(7)]} for c in range(7)]}


MAX_TEXT_BYTES = 511
MAX_TITLE_CHARS = 80


def at_limit(text, limit):
    """The text repeated up to `limit` characters, one byte each in Windows-1252."""
    return (text + " ") * (limit // (len(text) + 1)) + text[:limit % (len(text) + 1)]


def largest_project():
    project = maximal_project()
    project["titleLines"] = [at_limit(line, MAX_TITLE_CHARS) for line in project["titleLines"]]
    for component in project["components"]:
        component["name"] = at_limit(component["name"], MAX_TEXT_BYTES)
        for element in component["elements"]:
            element["name"] = at_limit(element["name"], MAX_TEXT_BYTES)
            for row in element["permanent"] + element["imposed"]:
                row["description"] = at_limit(row["description"], MAX_TEXT_BYTES)
    return project


if __name__ == "__main__":
    largest = sys.argv[1] == "--largest"
    with open(sys.argv[-1], "w", encoding="utf-8") as out:
        json.dump(largest_project() if largest else maximal_project(), out, ensure_ascii=False, indent=1)
