#include "app/gui/AutoUpdateDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

namespace tavo {

Dlg_AutoUpdate::Dlg_AutoUpdate(int interval, std::function<void()> checkNow, QWidget* parent)
    : QDialog(parent), choices_(new QButtonGroup(this)), days_(new QLineEdit) {
    setWindowTitle(QStringLiteral("Nach Updates suchen"));
    setObjectName(QStringLiteral("autoUpdate"));

    auto* group = new QGroupBox(QStringLiteral("Im Internet nach Updates suchen"));
    auto* rows = new QVBoxLayout(group);
    const std::pair<IntervalChoice, const char*> buttons[] = {
        {IntervalChoice::Never, "&Nie"},
        {IntervalChoice::EveryStart, "bei &jedem Programmaufruf"},
        {IntervalChoice::Daily, "&täglich"},
        {IntervalChoice::EveryNDays, "J&eden"},
    };
    auto* everyNDays = new QHBoxLayout;
    for (const auto& [choice, text] : buttons) {
        auto* button = new QRadioButton(QString::fromUtf8(text));
        choices_->addButton(button, static_cast<int>(choice));
        if (choice == IntervalChoice::EveryNDays) everyNDays->addWidget(button);
        else rows->addWidget(button);
    }
    days_->setAccessibleName(QStringLiteral("Tage zwischen den Suchen"));
    days_->setValidator(new QIntValidator(1, 9999, days_));
    days_->setMaximumWidth(60);
    everyNDays->addWidget(days_);
    everyNDays->addWidget(new QLabel(QStringLiteral(". Tag")));
    everyNDays->addStretch(1);
    rows->addLayout(everyNDays);

    const IntervalSelection selection = selectionForInterval(interval);
    days_->setText(QString::number(selection.days));
    if (QAbstractButton* chosen = choices_->button(static_cast<int>(selection.choice))) chosen->setChecked(true);

    auto* checkButton = new QPushButton(QStringLiteral("Jetzt nach neuer &Version suchen ..."));
    connect(checkButton, &QPushButton::clicked, this, [checkNow = std::move(checkNow)] { checkNow(); });

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    box->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    box->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(checkButton, 0, Qt::AlignLeft);
    layout->addWidget(box);
}

int Dlg_AutoUpdate::interval() const {
    const int checked = choices_->checkedId();
    const auto choice = checked < 0 ? IntervalChoice::None : static_cast<IntervalChoice>(checked);
    return intervalForSelection(choice, days_->text().toStdString());
}

}  // namespace tavo
