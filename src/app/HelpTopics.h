#pragma once

#include <filesystem>
#include <string_view>

namespace tavo {

// The compiled help is named after the program file with the extension of Qt's
// help files, so a renamed program looks for a help file of its new name.
std::filesystem::path helpFilePath(const std::filesystem::path& programFile);

// The page of the help a context opens. The four pages of the main view have a
// topic of their own, with their dialog ids as context numbers; every other
// context, a dialog's included, opens the default topic.
std::string_view helpTopic(int context);
inline constexpr std::string_view kDefaultHelpTopic = "index.html";

}  // namespace tavo
