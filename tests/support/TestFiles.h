#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tavo::test {

std::vector<std::uint8_t> readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// Whether check() holds for a user without special rights. Access rights do
// not bind root, and the tests may run as root: then check() runs in a child
// process as the user "nobody", whose answer is all the parent learns.
bool holdsForAnOrdinaryUser(const std::function<bool()>& check);

// A new, empty folder under the system's temporary folder, removed with all its
// content when the object goes.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path of a file in the folder, as text.
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace tavo::test
