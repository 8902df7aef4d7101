#pragma once

#include <QMainWindow>

#include <map>

class QAction;
class QMenu;

namespace tavo {

class CPembDoc;
class CPembView;
class IniProfile;
class MenuCommit;
class OutputCommands;
class Printout;
class RecentFileList;
class ShellCommands;
struct PrintSettings;

// The main window: menus, tool bar and status bar around the main view.
class CPembFrame : public QMainWindow {
    Q_OBJECT

public:
    // The printout and the settings are the application's; they outlive the window.
    CPembFrame(CPembDoc& doc, RecentFileList& recentFiles, Printout& printout, PrintSettings& printSettings,
               IniProfile& profile);

    CPembView* view() const { return view_; }
    OutputCommands& output() const { return *output_; }
    ShellCommands& shell() const { return *shell_; }
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
    OutputCommands* output_;
    ShellCommands* shell_;
    std::map<int, QAction*> actions_;
    MenuCommit* menuCommit_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentFilesEnd_ = nullptr;
    QList<QAction*> recentFileActions_;
};

}  // namespace tavo
