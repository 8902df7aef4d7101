#pragma once

#include <string>
#include <vector>

namespace tavo {

// The recently used project files, newest first, each once.
class RecentFileList {
public:
    explicit RecentFileList(std::vector<std::string> paths = {});

    void add(const std::string& path);
    void remove(const std::string& path);
    const std::vector<std::string>& paths() const { return paths_; }

private:
    std::vector<std::string> paths_;
};

}  // namespace tavo
