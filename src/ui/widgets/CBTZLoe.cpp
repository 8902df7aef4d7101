#include "ui/widgets/CBTZLoe.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include "model/Windows1252.h"
#include "ui/RowCorrection.h"
#include "ui/widgets/Messages.h"

namespace tavo {
namespace {

constexpr int kMaxRowNumber = 99;

}  // namespace

CBTZLoe::CBTZLoe(const ComponentList& list, RowKind kind, QWidget* parent)
    : CEnterDialog(nullptr, parent),
      list_(list),
      kind_(kind),
      row_(list.rowCount(kind)),
      rowField_(new QLineEdit),
      description_(new QLineEdit) {
    setWindowTitle(QStringLiteral("Zeile löschen"));
    rowField_->setObjectName(QStringLiteral("rowNumber"));
    rowField_->setAccessibleName(QStringLiteral("Zeilennummer"));
    rowField_->setMaximumWidth(rowField_->fontMetrics().averageCharWidth() * 6 + 12);
    description_->setObjectName(QStringLiteral("description"));
    description_->setAccessibleName(QStringLiteral("Bezeichnung"));
    description_->setReadOnly(true);
    description_->setMinimumWidth(description_->fontMetrics().averageCharWidth() * 40);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Zeilennummer :"), rowField_);
    form->addRow(QStringLiteral("&Bezeichnung :"), description_);
    form->addRow(acceptCancelButtons(QStringLiteral("&Löschen")));

    UpdateData(false);
    connect(rowField_, &QLineEdit::textEdited, this, [this] {
        if (FocusStaysInDialog(this)) rowChanged();
    });
}

void CBTZLoe::DoDataExchange(DataExchange& dx) {
    DDX_IntRangeTracked(dx, rowField_, row_, 1, kMaxRowNumber);
    if (!dx.isSaving()) showDescription();
}

void CBTZLoe::showDescription() {
    description_->setText(QString::fromStdString(windows1252ToUtf8(list_.rowDescription(kind_, row_))));
}

bool CBTZLoe::rowChanged() {
    if (!UpdateData(true)) return false;
    if (row_ > list_.rowCount(kind_)) {
        description_->clear();
        MsgWarning("%s", kRowMissingMessage);
        rowField_->setFocus(Qt::OtherFocusReason);
        rowField_->selectAll();
        return false;
    }
    showDescription();
    return true;
}

void CBTZLoe::accept() {
    if (rowChanged()) CEnterDialog::accept();
}

}  // namespace tavo
