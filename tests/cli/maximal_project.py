#!/usr/bin/env python3
"""The largest listing a project can give, as JSON for tavo-cli import.

Usage: maximal_project.py [--largest] OUT.json

7 components of 7 elements, each with 25 permanent rows (layers, area, line and
point loads in turn) and 15 imposed rows (area, line and point loads in turn), the
derived numbers by the program's rules; long descriptions, letters beyond ASCII,
elements without influence widths, start page 997 for four-digit page numbers.
With --largest every text is as long as a project holds it as well.
"""

import json
import sys

UNIT_WEIGHTS = [25.0, 22.0, 18.0, 14.5, 5.0, 1.5, 20.0, 0.9]
THICKNESSES = ["20", "6", "1.5", "2.4", "12.5", "3", "24"]
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


def pick(values, seed):
    return values[seed % len(values)]


PERMANENT_TEXTS = ["unitWeight", "thickness", "areaLoad", "influenceWidth", "lineLoad", "pointLoad"]


def row(texts, description, unit, seed, with_width, **values):
    """A row of the unit with its values; an area load takes a width and the line load of both."""
    result = {"description": f"{description} {seed}", "rowUnit": unit, **{key: "" for key in texts}, **values}
    if result["areaLoad"] and with_width:
        width = pick(WIDTHS, seed)
        result.update(influenceWidth=width, lineLoad="%.2f" % (float(result["areaLoad"]) * float(width)))
    return result


def permanent_row(r, seed, with_width):
    weight, thickness = pick(UNIT_WEIGHTS, seed), pick(THICKNESSES, seed)
    values = [{"unitWeight": "%.2f" % weight, "thickness": thickness, "areaLoad": "%.2f" % (weight * float(thickness) / 100)},
              {"areaLoad": pick(AREA_LOADS, seed)}, {"lineLoad": pick(LINE_LOADS, seed)},
              {"pointLoad": pick(POINT_LOADS, seed)}][r % 4]
    return row(PERMANENT_TEXTS, pick(DESCRIPTIONS, seed), 1 + r % 4, seed, with_width, **values)


def imposed_row(r, seed, with_width):
    values = [{"areaLoad": pick(IMPOSED_AREA_LOADS, seed)}, {"lineLoad": pick(LINE_LOADS, seed)},
              {"pointLoad": pick(POINT_LOADS, seed)}][r % 3]
    return row(PERMANENT_TEXTS[2:], pick(IMPOSED_DESCRIPTIONS, seed), 1 + r % 3, seed, with_width, **values)


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
