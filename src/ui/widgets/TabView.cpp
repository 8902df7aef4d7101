#include "ui/widgets/TabView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "ui/widgets/TabControl.h"
#include "ui/widgets/TabbedDialog.h"

namespace tavo {

CTabView::CTabView(QWidget* parent) : QWidget(parent), tabs_(new MyCTabCtrl(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs_);
    setFocusProxy(tabs_);
    tabs_->setChangeGuard([this] { return mayLeaveActivePage(); });
    // Ctrl+Tab must reach the view before any control on a page can take it.
    qApp->installEventFilter(this);
}

void CTabView::AddPage(CTabbedDialog* page) { tabs_->addPage(page); }

CTabbedDialog* CTabView::GetActivePage() const { return tabs_->activePage(); }

int CTabView::GetActivePageId() const {
    const CTabbedDialog* page = GetActivePage();
    return page != nullptr ? page->templateId() : 0;
}

bool CTabView::UpdateData() {
    CTabbedDialog* page = activePageWithInputFinished();
    return page == nullptr || page->UpdateData(true);
}

void CTabView::showFirstPageAfterDocumentChange() {
    tabs_->setDocumentUpdate(true);
    tabs_->SetActiveTab(0);
    tabs_->setDocumentUpdate(false);
}

bool CTabView::mayLeaveActivePage() {
    CTabbedDialog* page = activePageWithInputFinished();
    return page == nullptr || page->SavePage(true);
}

CTabbedDialog* CTabView::activePageWithInputFinished() {
    CTabbedDialog* page = GetActivePage();
    QWidget* focused = QApplication::focusWidget();
    if (page != nullptr && focused != nullptr && page->isAncestorOf(focused)) {
        tabs_->tabBar()->setFocus(Qt::OtherFocusReason);
        focused->setFocus(Qt::OtherFocusReason);
    }
    return page;
}

bool CTabView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!(key->modifiers() & Qt::ControlModifier) || (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab)) return false;
    const auto* target = qobject_cast<const QWidget*>(watched);
    if (target == nullptr || target->window() != window() || QApplication::activeModalWidget() != nullptr ||
        QApplication::activePopupWidget() != nullptr)
        return false;
    const int count = tabs_->count();
    if (count == 0) return false;
    const bool backwards = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
    tabs_->SetActiveTab((tabs_->currentIndex() + (backwards ? count - 1 : 1)) % count);
    return true;
}

}  // namespace tavo
