#pragma once

#include <QFont>

#include "output/FontRecord.h"

namespace tavo {

// The output font as the font dialog shows it: a record's size, in points
// whatever its sign, is the dialog's size; a face the system lacks shows as the
// one the system prints in its place.
QFont dialogFontOf(const FontRecord& record);

// The record of the font chosen in the dialog that showed `previous`. Its size
// becomes a negative height, the convention the default fonts are stored in. The
// face changes only when another one was chosen than the dialog showed, so that
// a face the system lacks is kept for the systems that have it; what a font does
// not tell (the character set, the precisions) stays as it was.
FontRecord recordOfFont(const QFont& chosen, const FontRecord& previous);

}  // namespace tavo
