#pragma once

#include <QMainWindow>

#include <map>

class QAction;
class QMenu;

namespace tavo {

class CPembDoc;
class CPembView;
class RecentFileList;

// The main window: menus, tool bar and status bar around the main view.
class CPembFrame : public QMainWindow {
    Q_OBJECT

public:
    CPembFrame(CPembDoc& doc, RecentFileList& recentFiles);

    CPembView* view() const { return view_; }
    // The action of a command id; nullptr for an unknown id.
    QAction* action(int commandId) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void connectCommands();
    QMenu* addMenu(const QString& title);
    void fillRecentFiles();
    void updateTitle();

    CPembDoc& doc_;
    RecentFileList& recentFiles_;
    CPembView* view_;
    std::map<int, QAction*> actions_;
    QMenu* fileMenu_ = nullptr;
    QAction* recentFilesEnd_ = nullptr;
    QList<QAction*> recentFileActions_;
};

}  // namespace tavo
