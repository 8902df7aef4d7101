#include "ui/widgets/PembView.h"

#include <QTimer>

#include "ui/widgets/DlgAllgemein.h"
#include "ui/widgets/DlgErgebnis.h"
#include "ui/widgets/DlgLasten_NU.h"
#include "ui/widgets/DlgLasten_ST.h"
#include "ui/widgets/TabControl.h"

namespace tavo {

CPembView::CPembView(Document& document, ScreenListing& listing, QWidget* parent)
    : CTabView(parent),
      document_(document),
      components_(new DlgAllgemein(document)),
      permanentLoads_(new DlgLasten_ST(document)),
      imposedLoads_(new DlgLasten_NU(document)) {
    AddPage(components_);
    AddPage(permanentLoads_);
    AddPage(imposedLoads_);
    AddPage(new DlgErgebnis(listing));
    document_.setView(this);
}

CPembView::~CPembView() { document_.setView(nullptr); }

void CPembView::RefreshResults() {
    CTabbedDialog* page = activeResultsPage();
    if (page == nullptr) return;
    page->OnPageDeactivated();
    page->OnPageActivated();
    page->update();
}

CTabbedDialog* CPembView::activeResultsPage() const {
    CTabbedDialog* page = GetActivePage();
    return page != nullptr && page->templateId() == PageId::Results ? page : nullptr;
}

void CPembView::setEntryDialogRun(const std::function<bool(QDialog&)>& run) {
    components_->setDialogRunner(run);
    permanentLoads_->setDialogRun(run);
    imposedLoads_->setDialogRun(run);
}

void CPembView::showComponentsPage() { tabControl()->SetActiveTab(0); }

// Switching pages while one is being activated would leave the tab control
// half way; the switch waits for the event loop.
void CPembView::showComponentsPageLater() {
    QTimer::singleShot(0, this, [this] { showComponentsPage(); });
}

}  // namespace tavo
