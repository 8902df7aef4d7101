#pragma once

#include <QWidget>

namespace tavo {

class CTabbedDialog;
class MyCTabCtrl;

// A view made of tab pages. It runs the page protocol: the page left stores
// and checks its entries first and can refuse; Ctrl+Tab and Ctrl+Shift+Tab go
// round the pages.
class CTabView : public QWidget {
    Q_OBJECT

public:
    explicit CTabView(QWidget* parent = nullptr);

    // The view takes the page; its caption becomes the tab's label.
    void AddPage(CTabbedDialog* page);
    CTabbedDialog* GetActivePage() const;
    // The active page's template id; 0 when no page is active.
    int GetActivePageId() const;
    MyCTabCtrl* tabControl() const { return tabs_; }

    // Stores and checks the active page's entries; false when a field refused.
    bool UpdateData();

    // After the project was replaced: the first page, filled anew, without
    // asking the page that was active.
    void showFirstPageAfterDocumentChange();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mayLeaveActivePage();
    // The field being edited loses the focus and gets it back, so that what it
    // does on leaving is done before the page is stored.
    CTabbedDialog* activePageWithInputFinished();

    MyCTabCtrl* tabs_;
};

}  // namespace tavo
