#include "ui/widgets/LoadEntryDialogs.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>


namespace tavo {
namespace {

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CLoadEntryDialog::CLoadEntryDialog(const QString& title, QWidget* parent)
    : CEnterDialog(nullptr, parent), grid_(new QGridLayout) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid_);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("&Okay"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CLoadEntryDialog::accept() {
    if (UpdateData(true)) QDialog::accept();
}

QLineEdit* CLoadEntryDialog::addField(const QString& objectName, const std::string& label, bool enabled) {
    auto* field = new QLineEdit;
    field->setObjectName(objectName);
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 14);
    field->setAlignment(Qt::AlignRight);
    auto* text = new QLabel(fromUtf8(label));
    text->setBuddy(field);
    field->setAccessibleName(text->text().remove(QLatin1Char(':')).trimmed());
    field->setEnabled(enabled);
    text->setEnabled(enabled);
    const int row = grid_->rowCount();
    grid_->addWidget(text, row, 0);
    grid_->addWidget(field, row, 1);
    return field;
}

void CLoadEntryDialog::addRangeLabel(const std::string& text, bool enabled) {
    auto* label = new QLabel(fromUtf8(text));
    label->setEnabled(enabled);
    grid_->addWidget(label, grid_->rowCount(), 1);
}

void CLoadEntryDialog::checkOnLeaving(QLineEdit* field, std::function<void()> afterCheck) {
    onFieldLeft(field, [this, field, afterCheck = std::move(afterCheck)] {
        if (!FocusStaysInDialog(this) || !UpdateData(true)) return;
        if (afterCheck) afterCheck();
        UpdateData(false);
        // The field deselects its text once it has lost the focus; select it after that.
        QMetaObject::invokeMethod(field, &QLineEdit::selectAll, Qt::QueuedConnection);
    });
}

CLastWichDlg::CLastWichDlg(const DryDensityEntry& entry, QWidget* parent)
    : CLoadEntryDialog(QStringLiteral("Wichte berechnen lassen oder direkt eingeben"), parent), entry_(entry) {
    density_ = addField(QStringLiteral("density"), "Trockenrohdichte :");
    addRangeLabel(entry_.densityRangeLabel);
    unitWeight_ = addField(QStringLiteral("unitWeight"), "Wichte :");
    addRangeLabel(entry_.unitWeightRangeLabel);
    checkOnLeaving(density_, [this] { entry_.unitWeight = entry_.unitWeightFor(entry_.density); });
    checkOnLeaving(unitWeight_);
    UpdateData(false);
}

void CLastWichDlg::DoDataExchange(DataExchange& dx) {
    DDX_NumberRangeTracked(dx, density_, entry_.density, entry_.densityMin, entry_.densityMax);
    DDX_NumberRangeTracked(dx, unitWeight_, entry_.unitWeight, entry_.unitWeightMin, entry_.unitWeightMax);
}

CLastWich2Dlg::CLastWich2Dlg(const CountValueEntry& entry, QWidget* parent)
    : CLoadEntryDialog(QStringLiteral("Dicke und Wichte/Last eingeben"), parent), entry_(entry) {
    count_ = addField(QStringLiteral("count"), entry_.countLabel, !entry_.countFixed);
    value_ = addField(QStringLiteral("value"), entry_.valueLabel, !entry_.valueFixed);
    addRangeLabel(entry_.rangeLabel, !entry_.valueFixed);
    checkOnLeaving(count_);
    checkOnLeaving(value_);
    UpdateData(false);
}

void CLastWich2Dlg::DoDataExchange(DataExchange& dx) {
    DDX_IntRangeTracked(dx, count_, entry_.count, CountValueEntry::kCountMin, CountValueEntry::kCountMax);
    DDX_NumberRangeTracked(dx, value_, entry_.value, entry_.valueMin, entry_.valueMax);
}

CLastWich3Dlg::CLastWich3Dlg(const ImposedLoadEntry& entry, QWidget* parent)
    : CLoadEntryDialog(QStringLiteral("Last eingeben"), parent), entry_(entry) {
    load_ = addField(QStringLiteral("load"), "Last :");
    addRangeLabel(entry_.rangeLabel);
    checkOnLeaving(load_);
    UpdateData(false);
}

void CLastWich3Dlg::DoDataExchange(DataExchange& dx) {
    DDX_NumberRangeTracked(dx, load_, entry_.load, entry_.loadMin, entry_.loadMax);
}

std::optional<double> ModalEntryDialogs::enterDryDensity(const DryDensityEntry& entry) {
    CLastWichDlg dialog(entry, parent_);
    if (!run_(dialog)) return std::nullopt;
    return dialog.unitWeight();
}

std::optional<CountAndValue> ModalEntryDialogs::enterCountAndValue(const CountValueEntry& entry) {
    CLastWich2Dlg dialog(entry, parent_);
    if (!run_(dialog)) return std::nullopt;
    return dialog.entered();
}

std::optional<double> ModalEntryDialogs::enterImposedLoad(const ImposedLoadEntry& entry) {
    CLastWich3Dlg dialog(entry, parent_);
    if (!run_(dialog)) return std::nullopt;
    return dialog.load();
}

}  // namespace tavo
