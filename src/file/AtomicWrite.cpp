#include "file/AtomicWrite.h"

#include <cerrno>

#include "file/BinFile.h"
#include "file/NativeFile.h"

namespace tavo {

std::filesystem::path fileBehind(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) return path;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? std::filesystem::path(path) : resolved;
}

void copyPermissions(const std::filesystem::path& from, const std::string& to) {
    std::error_code ignored;
    const auto status = std::filesystem::status(from, ignored);
    if (std::filesystem::is_regular_file(status)) std::filesystem::permissions(to, status.permissions(), ignored);
}

std::error_code writeFileAtomically(const std::filesystem::path& path, std::string_view content) {
    // A library that fails without setting errno must still not report success.
    const auto lastError = [] { return std::error_code(errno != 0 ? errno : EIO, std::generic_category()); };
    const std::filesystem::path target = fileBehind(path.string());
    errno = 0;
    const std::string temporary = native::createUniqueFile(target.string() + ".tmp-");
    if (temporary.empty()) return lastError();
    copyPermissions(target, temporary);

    BinFile file(temporary, "w+b", false);
    file.setDeleteOnClose(true);  // until it has become the target
    if (!file.isOpen()) return {file.openError, std::generic_category()};
    errno = 0;
    if ((!content.empty() && file.writeRaw(content.data(), content.size()) != 1) || !file.close() ||
        !native::replaceFile(temporary, target.string())) {
        return lastError();
    }
    file.setDeleteOnClose(false);
    return {};
}

}  // namespace tavo
