#pragma once

#include <QString>

#include <filesystem>

#include "app/AutoUpdate.h"

namespace tavo {

// The update check's programs started with QProcess and an argument vector,
// never through a shell.
class ProcessUpdateSystem : public UpdateSystem {
public:
    Run run(const std::filesystem::path& program, const std::vector<std::string>& arguments, bool wait) override;
    // The installer is a Debian package; its version is the package's.
    std::optional<FileVersion> installerVersion(const std::filesystem::path& installer) override;
};

// Why a program could not be started: the system's error number for the file,
// or ENOEXEC for one that is there and may be run but did not start.
int startFailure(const QString& program);

}  // namespace tavo
