#include "app/gui/ModalAccelerators.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>

#include <utility>

#include "ui/widgets/EnterDialog.h"

namespace tavo {

ModalAccelerators::ModalAccelerators(QList<QAction*> actions, QObject* parent) : QObject(parent), actions_(std::move(actions)) {
    qApp->installEventFilter(this);
}

bool ModalAccelerators::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || running_) return QObject::eventFilter(watched, event);
    if (qobject_cast<CEnterDialog*>(QApplication::activeModalWidget()) == nullptr) return QObject::eventFilter(watched, event);
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (QAction* command : std::as_const(actions_)) {
        if (command->shortcut() != pressed || !command->isEnabled()) continue;
        // The command opens boxes and dialogs of its own: it runs once the key
        // press has been handled, not inside the dialog's key handling.
        running_ = true;
        QMetaObject::invokeMethod(
            this,
            [this, command] {
                command->trigger();
                running_ = false;
            },
            Qt::QueuedConnection);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tavo
