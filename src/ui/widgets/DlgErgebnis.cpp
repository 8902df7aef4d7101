#include "ui/widgets/DlgErgebnis.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/widgets/PembView.h"

namespace tavo {

DlgErgebnis::DlgErgebnis(ScreenListing& listing, QWidget* parent)
    : CTabbedDialog(PageId::Results, QStringLiteral("Ergebnis"), nullptr, parent),
      listing_(listing),
      sizes_(new QButtonGroup(this)),
      window_(new CErgebnisFenster) {
    auto* group = new QGroupBox(QStringLiteral("Darstellung"));
    auto* buttons = new QHBoxLayout(group);
    const QString labels[] = {QStringLiteral("&Normal"), QStringLiteral("&Mittel"), QStringLiteral("&Groß")};
    const QString names[] = {QStringLiteral("normal"), QStringLiteral("medium"), QStringLiteral("large")};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QRadioButton(labels[i]);
        button->setObjectName(names[i]);
        sizes_->addButton(button, i);
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(group, 0, Qt::AlignLeft);
    layout->addWidget(window_, 1);

    // A display size applies at once, and the keys go on scrolling the listing.
    connect(sizes_, &QButtonGroup::idClicked, this, [this] {
        UpdateData(true);
        window_->setFocus(Qt::OtherFocusReason);
    });
}

void DlgErgebnis::OnPageActivated() {
    window_->SetDocument(listing_.composeForScreen().value_or(ScreenDocument{}));
    window_->viewport()->update();
}

void DlgErgebnis::OnPageDeactivated() { window_->SetDocument({}); }

void DlgErgebnis::DoDataExchange(DataExchange& dx) {
    if (IsPageInactive()) return;
    if (dx.isSaving()) {
        if (sizes_->checkedId() >= 0) displaySize_ = static_cast<DisplaySize>(sizes_->checkedId());
    } else {
        sizes_->button(static_cast<int>(displaySize_))->setChecked(true);
    }
    window_->SetZoomFactor(zoomFactorOf(displaySize_));
}

}  // namespace tavo
