#include "ui/widgets/CLastKorrDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include "model/Numbers.h"
#include "ui/RowCorrection.h"
#include "ui/widgets/Messages.h"

namespace tavo {
namespace {

constexpr int kMaxRowNumber = 99;

QLineEdit* numberField(const char* name, const QString& accessibleName, bool readOnly) {
    auto* field = new QLineEdit;
    field->setObjectName(QString::fromLatin1(name));
    field->setAccessibleName(accessibleName);
    field->setReadOnly(readOnly);
    field->setAlignment(Qt::AlignRight);
    field->setMaximumWidth(field->fontMetrics().averageCharWidth() * 14 + 12);
    return field;
}

}  // namespace

CLastKorrDlg::CLastKorrDlg(const ComponentList& list, RowKind kind, QWidget* parent)
    : CEnterDialog(nullptr, parent),
      list_(list),
      kind_(kind),
      rowField_(numberField("rowNumber", QStringLiteral("Zeilennummer"), false)),
      unitWeight_(numberField("unitWeight", QStringLiteral("Wichte"), true)),
      thickness_(numberField("thickness", QStringLiteral("Schichtdicke"), false)),
      areaLoad_(numberField("areaLoad", QStringLiteral("Flächenlast"), true)),
      width_(numberField("influenceWidth", QStringLiteral("Einflussbreite"), false)),
      lineLoad_(numberField("lineLoad", QStringLiteral("Linienlast"), true)) {
    setWindowTitle(QStringLiteral("Manuelle Korrektur"));
    for (QLineEdit* shown : {unitWeight_, areaLoad_, lineLoad_}) shown->setFocusPolicy(Qt::NoFocus);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Zeilennummer :"), rowField_);
    form->addRow(QStringLiteral("Wichte [kN/m³] :"), unitWeight_);
    form->addRow(QStringLiteral("&Schichtdicke [cm] :"), thickness_);
    form->addRow(QStringLiteral("Flächenlast [kN/m²] :"), areaLoad_);
    form->addRow(QStringLiteral("&Einflussbreite [m] :"), width_);
    form->addRow(QStringLiteral("Linienlast [kN/m] :"), lineLoad_);
    form->addRow(acceptCancelButtons(QStringLiteral("&Okay")));

    loadRow();
    onFieldLeft(rowField_, [this] {
        if (FocusStaysInDialog(this)) rowLeft();
    });
    onFieldLeft(thickness_, [this] {
        if (FocusStaysInDialog(this)) thicknessLeft();
    });
    onFieldLeft(width_, [this] {
        if (FocusStaysInDialog(this)) widthLeft();
    });
}

PermanentRow* CLastKorrDlg::permanentRow() const { return kind_ == RowKind::Permanent ? list_.permanentRow(row_) : nullptr; }

ImposedRow* CLastKorrDlg::imposedRow() const { return kind_ == RowKind::Imposed ? list_.imposedRow(row_) : nullptr; }

void CLastKorrDlg::DoDataExchange(DataExchange& dx) {
    DDX_IntRangeTracked(dx, rowField_, row_, 1, kMaxRowNumber);
    DDX_NumberTracked(dx, unitWeight_, values_.unitWeight);
    DDX_NumberMinTracked(dx, thickness_, values_.thickness, false);
    DDX_NumberTracked(dx, areaLoad_, values_.areaLoad);
    DDX_NumberMinTracked(dx, width_, values_.influenceWidth, false);
    DDX_NumberTracked(dx, lineLoad_, values_.lineLoad);
}

void CLastKorrDlg::loadRow() {
    values_ = {};
    if (const PermanentRow* row = permanentRow()) values_ = correctionValues(*row);
    if (const ImposedRow* row = imposedRow()) values_ = correctionValues(*row);
    const PermanentRow* layer = permanentRow();
    thickness_->setEnabled(layer != nullptr && takesThickness(*layer));
    UpdateData(false);
}

void CLastKorrDlg::focusField(QLineEdit* field) {
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

void CLastKorrDlg::rowLeft() {
    if (!UpdateData(true)) return;
    if (row_ > list_.rowCount(kind_)) {
        MsgWarning("%s", kRowMissingMessage);
        return focusField(rowField_);
    }
    if (const ImposedRow* row = imposedRow(); row != nullptr && !takesCorrection(*row)) {
        MsgWarning("%s", kRowNotCorrectableMessage);
        return;
    }
    loadRow();
    focusField(thickness_->isEnabled() ? thickness_ : width_);
}

void CLastKorrDlg::thicknessLeft() {
    if (!UpdateData(true)) return;
    if (valuesEqual(values_.thickness, 0.0)) {
        MsgWarning("%s", kThicknessZeroMessage);
        return focusField(thickness_);
    }
    followThickness(values_);
    UpdateData(false);
}

void CLastKorrDlg::widthLeft() {
    if (!UpdateData(true)) return;
    followWidth(values_);
    UpdateData(false);
}

void CLastKorrDlg::accept() {
    if (!UpdateData(true)) return;
    if (row_ > list_.rowCount(kind_)) {
        MsgWarning("%s", kRowMissingMessage);
        return focusField(rowField_);
    }
    if (PermanentRow* row = permanentRow()) changed_ = applyManualCorrection(*row, values_);
    if (ImposedRow* row = imposedRow()) changed_ = applyManualCorrection(*row, values_);
    CEnterDialog::accept();
}

}  // namespace tavo
