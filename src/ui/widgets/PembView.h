#pragma once

#include <functional>

#include "ui/Document.h"
#include "ui/widgets/TabView.h"

namespace tavo {

class ScreenListing;
class CLoadPage;
class DlgAllgemein;

// The page ids, after the dialog templates the pages were first drawn on.
namespace PageId {
inline constexpr int Components = 101;
inline constexpr int PermanentLoads = 130;
inline constexpr int ImposedLoads = 131;
inline constexpr int Results = 600;
}  // namespace PageId

// The main view: the four pages of the project, in the order the user works
// through them.
class CPembView : public CTabView, public DocumentView {
    Q_OBJECT

public:
    // The results page composes its listing through `listing`.
    CPembView(Document& document, ScreenListing& listing, QWidget* parent = nullptr);
    ~CPembView() override;

    // DocumentView
    bool commit() override { return UpdateData(); }
    void documentReplaced() override { showFirstPageAfterDocumentChange(); }

    // When the results page is shown, it composes and lays out the listing again.
    void RefreshResults();
    // The results page when it is the active one.
    CTabbedDialog* activeResultsPage() const;

    // The listing could not be composed for want of an entry on the components
    // page: that page is shown, at once or, while a page is being activated,
    // once that is done.
    void showComponentsPage();
    // How the editing pages show their dialogs (row deletion, correction, entry dialogs).
    void setEntryDialogRun(const std::function<bool(QDialog&)>& run);
    void showComponentsPageLater();

private:
    Document& document_;
    DlgAllgemein* components_;
    CLoadPage* permanentLoads_;
    CLoadPage* imposedLoads_;
};

}  // namespace tavo
