#include "ui/widgets/TabbedDialog.h"

namespace tavo {

CTabbedDialog::CTabbedDialog(int templateId, const QString& caption, Document* document, QWidget* parent)
    : CEnterDialog(document, parent), templateId_(templateId) {
    setWindowFlags(Qt::Widget);
    setWindowTitle(caption);
    setEnabled(false);
    hide();
}

bool CTabbedDialog::LoadPage(int) { return UpdateData(false); }

bool CTabbedDialog::SavePage(bool validate) { return IsPageInactive() || !validate || UpdateData(true); }

bool CTabbedDialog::focusNextPrevChild(bool next) {
    QWidget* const start = focusWidget();
    if (start == nullptr || !isAncestorOf(start)) return CEnterDialog::focusNextPrevChild(next);
    // The window's focus chain is a ring; the page's own fields are a stretch of it.
    for (QWidget* w = next ? start->nextInFocusChain() : start->previousInFocusChain(); w != start;
         w = next ? w->nextInFocusChain() : w->previousInFocusChain()) {
        if (isAncestorOf(w) && w->isVisibleTo(this) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return true;
}

}  // namespace tavo
