#pragma once

#include "ui/widgets/EnterDialog.h"

namespace tavo {

// A page of the main view. It fills itself from the project when it becomes the
// active tab, and stores and checks its entries when the user leaves it, which
// can keep the user on the page. Enter and Escape never close a page.
class CTabbedDialog : public CEnterDialog {
    Q_OBJECT

public:
    // templateId identifies the page; caption is its tab's label.
    CTabbedDialog(int templateId, const QString& caption, Document* document, QWidget* parent = nullptr);

    int templateId() const { return templateId_; }

    virtual bool LoadPage(int);
    virtual bool SavePage(bool validate);
    virtual void OnPageActivated() {}
    virtual void OnPageDeactivated() {}

    // Set while the page is not the active tab; its data exchange may skip work then.
    bool IsPageInactive() const { return inactive_; }
    void SetPageInactive(bool inactive) { inactive_ = inactive; }

    void accept() override {}
    void reject() override {}
    void done(int) override {}

protected:
    // Tab and Enter go round the page's own fields, as in a dialog: leaving the
    // last field runs its check, and the page is left only through its tab.
    bool focusNextPrevChild(bool next) override;

private:
    int templateId_;
    bool inactive_ = true;
};

}  // namespace tavo
