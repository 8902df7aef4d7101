#include "app/gui/MenuCommit.h"

#include <QMenu>
#include <QMenuBar>

#include <utility>
#include <vector>

#include "ui/Document.h"
#include "ui/widgets/MessageSink.h"

namespace tavo {

MenuCommit::MenuCommit(QMenuBar* bar, Document& document) : QObject(bar), bar_(bar), document_(document) {}

void MenuCommit::watch(QMenu* menu) { connect(menu, &QMenu::aboutToShow, this, &MenuCommit::menuOpening); }

void MenuCommit::menuOpening() {
    // A menu opened while the refusal waits (the user moved along the bar) is
    // closed with the first one; the page is not asked again.
    if (refusalPending_) return;
    bool committed = true;
    std::vector<MessageSink::HeldBox> refusal = MessageSink::hold([this, &committed] { committed = document_.commitActiveView(); });
    if (committed) return;
    refusalPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this, refusal = std::move(refusal)] {
            for (QMenu* menu : bar_->findChildren<QMenu*>())
                if (menu->isVisible()) menu->hide();
            refusalPending_ = false;
            MessageSink::showHeld(refusal);
        },
        Qt::QueuedConnection);
}

}  // namespace tavo
