#pragma once

#include <QDialog>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "app/gui/DialogRunner.h"
#include "app/gui/MainWindow.h"
#include "app/gui/PembDoc.h"
#include "app/gui/TavoApplication.h"
#include "file/ProjectFile.h"
#include "ui/widgets/MessageSink.h"
#include "ui/widgets/PembView.h"

namespace tavo::test {

// A program folder and a settings file of the test's own.
class Sandbox {
public:
    QString programDir() const { return dir_.path(); }
    std::filesystem::path settingsFile() const { return (dir_.path() + QStringLiteral("/Tavo.ini")).toStdString(); }
    QString path(const QString& name) const { return dir_.filePath(name); }

    // A project file whose first component is named componentName.
    QString projectFile(const QString& name, const std::string& componentName) const {
        ProjectData project;
        project.componentNames[0] = componentName;
        return projectFile(name, project);
    }

    QString projectFile(const QString& name, const ProjectData& project) const {
        const QString file = path(name);
        if (!saveProjectFile(file.toStdString(), project).ok) qFatal("cannot write %s", qPrintable(file));
        return file;
    }

    QString file(const QString& name, const QByteArray& content) const {
        QFile out(path(name));
        if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size()) qFatal("cannot write %s", qPrintable(name));
        return out.fileName();
    }

    QByteArray bytes(const QString& file) const {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

private:
    QTemporaryDir dir_;
};

// Plays the user of the output commands' dialogs: each dialog goes to the next
// answer queued, which sets its fields and tells whether it was accepted; with
// none left, the dialog is cancelled. Nothing waits for a user.
class ScriptedDialogs : public DialogRunner {
public:
    using Answer = std::function<bool(QDialog&)>;

    void answer(Answer next) { answers_.push_back(std::move(next)); }
    QStringList shownTitles() const { return titles_; }

    bool run(QDialog& dialog) override {
        titles_.append(dialog.windowTitle());
        if (answers_.empty()) return false;
        const Answer next = std::move(answers_.front());
        answers_.pop_front();
        return next(dialog);
    }

private:
    std::deque<Answer> answers_;
    QStringList titles_;
};

// The whole program on a sandbox of its own, with message boxes answered by the
// test, and the parts the tests reach for.
struct Session {
    Sandbox sandbox;
    CPembApp app{sandbox.settingsFile(), sandbox.programDir()};

    Session() { MessageSink::startScript(); }
    ~Session() { MessageSink::endScript(); }

    // Started on a project file, or on none (the sample is offered then).
    bool start(const QString& projectFile = {}) {
        QStringList arguments{QStringLiteral("tavo")};
        if (!projectFile.isEmpty()) arguments.append(projectFile);
        return app.start(arguments);
    }
    CPembFrame& frame() { return app.frame(); }
    CPembView& view() { return *frame().view(); }
    Document& document() { return app.doc().document(); }
    ProjectData& project() { return document().project(); }
};

}  // namespace tavo::test
