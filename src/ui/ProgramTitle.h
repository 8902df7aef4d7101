#pragma once

namespace tavo {

// The application's title: the caption of every message box (two blanks).
inline constexpr const char* kApplicationTitle = "KOVA  Bauwaage";

}  // namespace tavo
