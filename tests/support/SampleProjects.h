#pragma once

#include "model/ProjectData.h"

namespace tavo::test {

// A project filled to every limit: 7 components of 7 elements, each with 25
// permanent rows of the units 1 to 4 in turn and 15 imposed rows of the units 1
// to 3, 8 own groups of 7 tables of 25 entries, 5 own imposed tables of 15
// entries, both heading lines and start page 999. Texts are distinct per field,
// include Windows-1252 letters beyond ASCII, and each row holds only the texts
// its unit stores, so a file round trip gives the same project.
ProjectData makeMaximalProject();

// A small project with a row of every unit, own tables with entries and a heading
// with umlauts: the shape of a real project in a few hundred bytes.
ProjectData makeSmallProject();

}  // namespace tavo::test
