#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QWidget>

class QHelpEngine;
class QTabWidget;

namespace tavo {

// Shows the pages of a help file from the help engine.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT

public:
    HelpBrowser(QHelpEngine& engine, QWidget* parent);
    QVariant loadResource(int type, const QUrl& name) override;

private:
    QHelpEngine& engine_;
};

// The program's help window: contents, index and full-text search beside the
// page shown. The help file is registered in a collection of its own in a
// temporary folder, so nothing is written beside the program or into the
// installation, and a new help file is always read afresh.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // nullptr when the help file cannot be read.
    static HelpWindow* open(const QString& helpFile, QWidget* parent = nullptr);

    // Shows a page of the help, given by its file name, in front of the user.
    // While a modal dialog is open the window belongs to it, as otherwise the
    // dialog would block it.
    void showTopic(const QString& topic, QWidget* modalDialog);
    void showContents();
    QUrl currentPage() const;

private:
    explicit HelpWindow(QWidget* parent);
    bool load(const QString& helpFile);
    void showInFront(QWidget* modalDialog);

    QWidget* home_;
    QTemporaryDir collectionDir_;
    QHelpEngine* engine_ = nullptr;
    QString namespace_;
    QTabWidget* navigation_ = nullptr;
    HelpBrowser* browser_ = nullptr;
};

}  // namespace tavo
