#include "ui/widgets/TabControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <utility>

#include "ui/widgets/TabbedDialog.h"

namespace tavo {
namespace {

// The page's first field, or the one it had last, gets the keyboard focus.
void focusPage(CTabbedDialog* page) {
    if (QWidget* last = page->focusWidget()) {
        last->setFocus(Qt::TabFocusReason);
        return;
    }
    for (QWidget* w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain()) {
        if (page->isAncestorOf(w) && w->isEnabled() && w->isVisibleTo(page) && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    page->setFocus(Qt::TabFocusReason);
}

}  // namespace

MyCTabCtrl::MyCTabCtrl(QWidget* parent) : QTabWidget(parent) {
    auto* bar = new GuardedTabBar(this);
    setTabBar(bar);
    connect(bar, &GuardedTabBar::tabRequested, this, &MyCTabCtrl::SetActiveTab);
    setTabPosition(QTabWidget::North);
    setTabsClosable(false);
    setDocumentMode(false);
}

void MyCTabCtrl::addPage(CTabbedDialog* page) {
    tabsChanging_ = true;
    addTab(page, page->windowTitle());
    tabsChanging_ = false;
}

CTabbedDialog* MyCTabCtrl::page(int index) const { return qobject_cast<CTabbedDialog*>(widget(index)); }

CTabbedDialog* MyCTabCtrl::activePage() const { return pageShown_ ? page(currentIndex()) : nullptr; }

bool MyCTabCtrl::SetActiveTab(int index) {
    if (tabsChanging_ || index < 0 || index >= count()) return false;
    CTabbedDialog* old = activePage();
    if (!documentUpdate_ && old != nullptr) {
        if (index == currentIndex()) return true;
        if (guard_ && !guard_()) return false;
    }
    if (old != nullptr) {
        old->SetPageInactive(true);
        old->setEnabled(false);
        old->OnPageDeactivated();
    }
    CTabbedDialog* next = page(index);
    next->SetPageInactive(false);
    next->LoadPage(0);
    next->setEnabled(true);
    setCurrentIndex(index);
    pageShown_ = true;
    next->OnPageActivated();
    focusPage(next);
    return true;
}

void MyCTabCtrl::keyPressEvent(QKeyEvent* event) { event->ignore(); }

void GuardedTabBar::mousePressEvent(QMouseEvent* event) {
    const int index = tabAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index >= 0 && index != currentIndex()) {
        Q_EMIT tabRequested(index);
        event->accept();
        return;
    }
    QTabBar::mousePressEvent(event);
}

void GuardedTabBar::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            if (currentIndex() > 0) Q_EMIT tabRequested(currentIndex() - 1);
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            if (currentIndex() + 1 < count()) Q_EMIT tabRequested(currentIndex() + 1);
            break;
        case Qt::Key_Home:
            Q_EMIT tabRequested(0);
            break;
        case Qt::Key_End:
            Q_EMIT tabRequested(count() - 1);
            break;
        default:
            QTabBar::keyPressEvent(event);
            return;
    }
    event->accept();
}

void GuardedTabBar::wheelEvent(QWheelEvent* event) { event->accept(); }

}  // namespace tavo
