#pragma once

#include <QList>
#include <QObject>

class QAction;

namespace tavo {

// The main window's accelerators (new, open, save, print) also work while one
// of the program's own dialogs is open, where Qt would keep them from the main
// window. Message boxes and file dialogs do not take them, and a command
// started this way does not start another.
class ModalAccelerators : public QObject {
    Q_OBJECT

public:
    ModalAccelerators(QList<QAction*> actions, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QAction*> actions_;
    bool running_ = false;
};

}  // namespace tavo
