#pragma once

#include <optional>

#include "ui/widgets/ErgebnisFenster.h"
#include "ui/widgets/TabbedDialog.h"

class QButtonGroup;

namespace tavo {

// Composes the listing for the results page, laid out for the printer the
// program prints on.
class ScreenListing {
public:
    virtual ~ScreenListing() = default;
    // None when the composer could not start (the user has been told).
    virtual std::optional<ScreenDocument> composeForScreen() = 0;
};

// The results page: the listing as the printer lays it out, in a scrolling
// window at the display size chosen under "Darstellung". It composes the
// listing anew each time it becomes the active tab, so it always shows the
// current project; the display size stays for the run.
class DlgErgebnis : public CTabbedDialog {
    Q_OBJECT

public:
    explicit DlgErgebnis(ScreenListing& listing, QWidget* parent = nullptr);

    void OnPageActivated() override;
    void OnPageDeactivated() override;

    CErgebnisFenster* resultsWindow() const { return window_; }

protected:
    void DoDataExchange(DataExchange& dx) override;

private:
    ScreenListing& listing_;
    QButtonGroup* sizes_;
    CErgebnisFenster* window_;
    DisplaySize displaySize_ = DisplaySize::Normal;
};

}  // namespace tavo
