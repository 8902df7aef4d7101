#pragma once

#include <QObject>

class QMenu;
class QMenuBar;

namespace tavo {

class Document;

// Menu commands such as printing must see what the user has just typed, so the
// active page's entries are committed whenever a menu of the bar opens. The
// menu is then in the middle of opening: a message box with its modal loop
// there would let the bar change under the opening menu. So a refusal's message
// is held back; once the opening is done, the menus are closed and the message
// is shown, once, however many menus were opened in the meantime.
class MenuCommit : public QObject {
    Q_OBJECT

public:
    MenuCommit(QMenuBar* bar, Document& document);

    void watch(QMenu* menu);

private:
    void menuOpening();

    QMenuBar* bar_;
    Document& document_;
    bool refusalPending_ = false;
};

}  // namespace tavo
