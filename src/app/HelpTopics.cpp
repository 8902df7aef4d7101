#include "app/HelpTopics.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

#include "file/ShippedFiles.h"

namespace tavo {

namespace {

constexpr std::pair<int, std::string_view> kPageTopics[] = {
    {101, "bauteile.html"},
    {130, "staendige-lasten.html"},
    {131, "nutzlasten.html"},
    {600, "ergebnis.html"},
};

}  // namespace

std::filesystem::path helpFilePath(const std::filesystem::path& programFile) {
    return findShippedFile(programFile.parent_path(), programFile.stem().string() + ".qch");
}

std::string_view helpTopic(int context) {
    const auto* found = std::ranges::find(kPageTopics, context, &std::pair<int, std::string_view>::first);
    return found != std::end(kPageTopics) ? found->second : kDefaultHelpTopic;
}

}  // namespace tavo
