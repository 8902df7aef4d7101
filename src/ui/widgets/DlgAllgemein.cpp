#include "ui/widgets/DlgAllgemein.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/Document.h"
#include "ui/widgets/PembView.h"

namespace tavo {
namespace {

QLineEdit* addField(QGridLayout* grid, int row, const QString& name, const QString& label, int widthInChars) {
    auto* field = new QLineEdit;
    field->setObjectName(name);
    field->setFixedWidth(field->fontMetrics().averageCharWidth() * widthInChars + 12);
    if (!label.isEmpty()) {
        auto* text = new QLabel(label);
        text->setBuddy(field);
        grid->addWidget(text, row, 0);
    }
    grid->addWidget(field, row, 1, Qt::AlignLeft);
    return field;
}

}  // namespace

DlgAllgemein::DlgAllgemein(Document& document, QWidget* parent)
    : CTabbedDialog(PageId::Components, QStringLiteral("Bauteile"), &document, parent), document_(document) {
    auto* heading = new QGridLayout;
    heading->setColumnStretch(2, 1);
    titleLine1_ = addField(heading, 0, QStringLiteral("titleLine1"), QStringLiteral("Überschrift:"), kMaxTitleLineChars);
    titleLine2_ = addField(heading, 1, QStringLiteral("titleLine2"), {}, kMaxTitleLineChars);
    startPage_ = addField(heading, 2, QStringLiteral("startPage"), QStringLiteral("Startseite:"), 5);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addStretch(1);

    for (QLineEdit* field : {titleLine1_, titleLine2_, startPage_})
        onFieldLeft(field, [this] {
            if (FocusStaysInDialog(this)) UpdateData(true);
        });
    titleLine1_->installEventFilter(this);
}

bool DlgAllgemein::LoadPage(int) {
    document_.pageFillStates().components = 1;
    return UpdateData(false);
}

void DlgAllgemein::DoDataExchange(DataExchange& dx) {
    if (IsPageInactive()) return;
    ProjectData& project = document_.project();
    DDX_TextTracked(dx, titleLine1_, project.titleLines[0], kMaxTitleLineChars);
    DDX_TextTracked(dx, titleLine2_, project.titleLines[1], kMaxTitleLineChars);
    DDX_IntRangeTracked(dx, startPage_, project.startPage, kMinStartPage, kMaxStartPage);
}

bool DlgAllgemein::eventFilter(QObject* watched, QEvent* event) {
    // The first title line is usually extended, not replaced: entering it keeps
    // the text unselected, with the caret at its end.
    if (watched == titleLine1_ && event->type() == QEvent::FocusIn) {
        titleLine1_->event(event);
        titleLine1_->deselect();
        titleLine1_->end(false);
        return true;
    }
    return CTabbedDialog::eventFilter(watched, event);
}

}  // namespace tavo
