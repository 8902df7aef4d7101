#include "file/AtomicWrite.h"

#include <cerrno>
#include <cstdio>
#include <cstdint>
#include <system_error>

#include "file/NativeFile.h"

namespace tavo {
namespace fs = std::filesystem;

namespace {

// The longest name most Linux and Windows file systems take, in bytes.
constexpr std::size_t kNameLimit = 255;
constexpr std::string_view kTemporaryMark = ".tmp-";

// A library that fails without setting errno must still not report success.
int lastErrorNumber() { return errno != 0 ? errno : EIO; }

// Where the content goes and how; an error number when the save is refused.
struct SavePlan {
    fs::path file;
    bool inPlace = false;
    int refusal = 0;
};

SavePlan planSave(const fs::path& path) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(path, error))) return {path};  // a new file
    const fs::file_status status = fs::status(path, error);           // what a link points to
    if (!fs::exists(status)) return {path, false, error ? error.value() : ENOENT};
    if (fs::is_directory(status)) return {path, false, EISDIR};
    // /dev/stdout names a pipe through a link that has no path to resolve: keep the name.
    if (!fs::is_regular_file(status)) return {path, true};
    const fs::path file = fs::is_symlink(fs::symlink_status(path, error)) ? fs::canonical(path, error) : path;
    if (error) return {path, false, error.value()};
    errno = 0;
    if (!native::mayWrite(file.string())) return {file, false, lastErrorNumber()};
    return {file};
}

std::uint32_t nameHash(std::string_view name) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

// A failure with the reason the C library gave.
SaveFailure failedAt(FileOperation operation, std::int32_t position = 0) {
    return {operation, lastErrorNumber(), position};
}

SaveFailure writeInPlace(const fs::path& file, std::string_view content) {
    errno = 0;
    std::FILE* stream = native::openInPlace(file.string());
    if (stream == nullptr) return failedAt(FileOperation::Open);
    errno = 0;
    const bool written = content.empty() || std::fwrite(content.data(), content.size(), 1, stream) == 1;
    // A pipe or a device has no disk to reach: EINVAL says so.
    const bool synced = written && std::fflush(stream) == 0 && (native::syncFile(stream) || errno == EINVAL);
    const SaveFailure failure = synced ? SaveFailure{} : failedAt(FileOperation::Write);
    if (std::fclose(stream) != 0 && !failure) return failedAt(FileOperation::Write, static_cast<std::int32_t>(content.size()));
    return failure;
}

// Temporary files of earlier saves of the same target that were cut short.
void removeLeftovers(const fs::path& target) {
    const std::string prefix = temporaryPrefix(target).filename().string();
    std::error_code error;
    for (fs::directory_iterator it(target.parent_path().empty() ? "." : target.parent_path(), error), end;
         !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() == prefix.size() + native::kUniqueSuffixLength && name.starts_with(prefix) &&
            it->is_regular_file(error) && !it->is_symlink(error)) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

SaveFailure replaceWhole(const fs::path& target, std::string_view content) {
    removeLeftovers(target);
    errno = 0;
    const std::string temporary = native::createUniqueFile(temporaryPrefix(target).string());
    if (temporary.empty()) {
        const int reason = lastErrorNumber();
        std::error_code error;
        if ((reason == EACCES || reason == EPERM) && fs::exists(target, error)) return writeInPlace(target, content);
        return {FileOperation::Open, reason};
    }
    std::error_code ignored;
    const auto status = fs::status(target, ignored);
    if (fs::is_regular_file(status)) fs::permissions(temporary, status.permissions(), ignored);

    BinFile file(temporary, "wb", false);
    file.setDeleteOnClose(true);  // until it has become the target
    if (!file.isOpen()) return {FileOperation::Open, file.openError};
    errno = 0;
    if (!content.empty() && file.writeRaw(content.data(), content.size()) != 1) return failedAt(FileOperation::Write);
    if (!file.close()) return failedAt(FileOperation::Write, static_cast<std::int32_t>(content.size()));
    errno = 0;
    if (!native::replaceFile(temporary, target.string())) {
        const int reason = lastErrorNumber();
        return {reason == EISDIR ? FileOperation::Open : FileOperation::Write, reason,
                reason == EISDIR ? 0 : static_cast<std::int32_t>(content.size())};
    }
    file.setDeleteOnClose(false);
    return {};
}

}  // namespace

fs::path temporaryPrefix(const fs::path& target) {
    const std::string name = target.filename().string();
    const std::size_t room = kNameLimit - 1 - kTemporaryMark.size() - native::kUniqueSuffixLength;
    std::string hidden = "." + name;
    if (name.size() > room) {
        // Cut names stay apart by a hash of the whole name.
        char hash[10];
        std::snprintf(hash, sizeof hash, "~%08x", static_cast<unsigned>(nameHash(name)));
        hidden = "." + name.substr(0, room - (sizeof hash - 1)) + hash;
    }
    return target.parent_path() / (hidden + std::string(kTemporaryMark));
}

SaveFailure saveFile(const fs::path& path, std::string_view content) {
    const SavePlan plan = planSave(path);
    if (plan.refusal != 0) return {FileOperation::Open, plan.refusal};
    return plan.inPlace ? writeInPlace(plan.file, content) : replaceWhole(plan.file, content);
}

std::string saveFailureMessage(const std::string& path, const SaveFailure& failure) {
    if (failure.operation == FileOperation::Open) return openErrorMessage(path, failure.errorNumber);
    return fileErrorMessage(FileOperation::Write, path, BinFileBase::Error{failure.errorNumber, failure.position, 0});
}

}  // namespace tavo
