#include "app/gui/RecentFileList.h"

#include <utility>

#include "app/ProgramSettings.h"

namespace tavo {

RecentFileList::RecentFileList(std::vector<std::string> paths) : paths_(std::move(paths)) {
    if (paths_.size() > kRecentFileCount) paths_.resize(kRecentFileCount);
}

void RecentFileList::add(const std::string& path) {
    remove(path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kRecentFileCount) paths_.pop_back();
}

void RecentFileList::remove(const std::string& path) { std::erase(paths_, path); }

}  // namespace tavo
