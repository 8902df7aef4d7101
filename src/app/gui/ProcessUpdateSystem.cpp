#include "app/gui/ProcessUpdateSystem.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QStringList>

#include <unistd.h>

#include <cerrno>

namespace tavo {

namespace {

QStringList toQt(const std::vector<std::string>& arguments) {
    QStringList list;
    for (const std::string& argument : arguments) list.append(QString::fromStdString(argument));
    return list;
}

}  // namespace

int startFailure(const QString& program) {
    return ::access(QFile::encodeName(program).constData(), X_OK) == 0 ? ENOEXEC : errno;
}

UpdateSystem::Run ProcessUpdateSystem::run(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                                           bool wait) {
    const QString path = QString::fromStdString(program.string());
    if (!wait) {
        if (QProcess::startDetached(path, toQt(arguments))) return {true, 0, 0};
        return {false, 0, startFailure(path)};
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(path, toQt(arguments));
    if (!process.waitForStarted()) return {false, 0, startFailure(path)};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    process.waitForFinished(-1);
    QApplication::restoreOverrideCursor();
    return {true, process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, 0};
}

std::optional<FileVersion> ProcessUpdateSystem::installerVersion(const std::filesystem::path& installer) {
    QProcess dpkg;
    dpkg.start(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), QString::fromStdString(installer.string()), QStringLiteral("Version")});
    if (!dpkg.waitForFinished() || dpkg.exitStatus() != QProcess::NormalExit || dpkg.exitCode() != 0) return std::nullopt;
    return parseFileVersion(QString::fromUtf8(dpkg.readAllStandardOutput()).trimmed().toStdString());
}

}  // namespace tavo
