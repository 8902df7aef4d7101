#pragma once

#include "model/Document.h"
#include "ui/widgets/TabView.h"

namespace tavo {

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
    explicit CPembView(Document& document, QWidget* parent = nullptr);
    ~CPembView() override;

    // DocumentView
    bool commit() override { return UpdateData(); }
    void documentReplaced() override { showFirstPageAfterDocumentChange(); }

    // When the results page is shown, it composes and lays out the listing again.
    void RefreshResults();

private:
    Document& document_;
};

}  // namespace tavo
