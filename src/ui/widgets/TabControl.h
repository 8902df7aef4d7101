#pragma once

#include <QTabBar>
#include <QTabWidget>

#include <functional>

namespace tavo {

class CTabbedDialog;

// The row of tabs with the pages. The active tab changes only through
// SetActiveTab, which asks the page being left first; clicks, keys and the
// mouse wheel on the tabs are routed there.
class MyCTabCtrl : public QTabWidget {
    Q_OBJECT

public:
    explicit MyCTabCtrl(QWidget* parent = nullptr);

    // Asked before the active tab changes; false keeps it.
    void setChangeGuard(std::function<bool()> guard) { guard_ = std::move(guard); }

    void addPage(CTabbedDialog* page);
    CTabbedDialog* page(int index) const;
    CTabbedDialog* activePage() const;

    // Makes index the active tab: the page left is deactivated, the new one is
    // loaded and activated. False when the index is out of range, tabs are being
    // added, or the page left refused.
    bool SetActiveTab(int index);

    // While set (the document was replaced), the current page is not asked and
    // is activated again even when it is already the active tab.
    void setDocumentUpdate(bool set) { documentUpdate_ = set; }

protected:
    // QTabWidget would switch on Ctrl+Tab and Ctrl+PgUp/PgDown behind the protocol.
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<bool()> guard_;
    bool tabsChanging_ = false;
    bool documentUpdate_ = false;
    bool pageShown_ = false;
};

// The tab bar of MyCTabCtrl: asks for a change instead of making it.
class GuardedTabBar : public QTabBar {
    Q_OBJECT

public:
    using QTabBar::QTabBar;

Q_SIGNALS:
    void tabRequested(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

}  // namespace tavo
