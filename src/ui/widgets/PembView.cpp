#include "ui/widgets/PembView.h"

#include "ui/widgets/DlgAllgemein.h"
#include "ui/widgets/TabControl.h"

namespace tavo {

CPembView::CPembView(Document& document, QWidget* parent) : CTabView(parent), document_(document) {
    AddPage(new DlgAllgemein(document));
    // The load pages and the results page fill these places with their own classes.
    AddPage(new CTabbedDialog(PageId::PermanentLoads, QStringLiteral("Ständige Lasten"), &document));
    AddPage(new CTabbedDialog(PageId::ImposedLoads, QStringLiteral("Nutzlasten"), &document));
    AddPage(new CTabbedDialog(PageId::Results, QStringLiteral("Ergebnis"), &document));
    document_.setView(this);
}

CPembView::~CPembView() { document_.setView(nullptr); }

void CPembView::RefreshResults() {
    CTabbedDialog* page = GetActivePage();
    if (page == nullptr || page->templateId() != PageId::Results) return;
    page->OnPageDeactivated();
    page->OnPageActivated();
    page->update();
}

}  // namespace tavo
