#pragma once

#include <string>

namespace tavo {

// The German text for a system error number that the file messages append: the
// common reasons a file cannot be opened, read or written in the program's own
// words, any other in the C library's.
std::string systemErrorText(int errorNumber);

}  // namespace tavo
