#include "ui/widgets/DataExchange.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>

#include <optional>
#include <utility>

#include "model/Numbers.h"
#include "model/Windows1252.h"
#include "ui/FieldEntry.h"
#include "ui/widgets/MessageSink.h"

namespace tavo {

DataExchange::DataExchange(Direction direction, std::function<void()> markModified)
    : direction_(direction), markModified_(std::move(markModified)) {}

void DataExchange::fail(QWidget* field, const std::string& message) {
    failed_ = true;
    MessageSinkPrompts().warning(message);
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

void DataExchange::markModified() {
    if (markModified_) markModified_();
}

namespace {

void showNumber(QLineEdit* field, double value) { field->setText(QString::fromStdString(formatFieldNumber(value))); }

// The number in the field, or nullopt after the field has been refused.
std::optional<double> readNumber(DataExchange& dx, QLineEdit* field) {
    const std::optional<double> value = readFieldNumber(field->text().toStdString());
    if (!value) dx.fail(field, kRealNumberPrompt);
    return value;
}

void checkMin(DataExchange& dx, QLineEdit* field, double value, double min, bool exclusive) {
    if (isBelowMinimum(value, min, exclusive)) dx.fail(field, numberRangeMessage(RangeBound::Lower, min, exclusive));
}

void checkMax(DataExchange& dx, QLineEdit* field, double value, double max, bool exclusive) {
    if (isAboveMaximum(value, max, exclusive)) dx.fail(field, numberRangeMessage(RangeBound::Upper, max, exclusive));
}

// Reads the field, runs the checks on the number read, and stores it when they pass.
template <typename Check>
void exchangeTrackedNumber(DataExchange& dx, QLineEdit* field, double& value, Check check) {
    if (!dx.isRunning()) return;
    if (!dx.isSaving()) return showNumber(field, value);
    const std::optional<double> typed = readNumber(dx, field);
    if (!typed) return;
    check(*typed);
    if (!dx.isRunning()) return;
    if (!valuesEqual(*typed, value)) dx.markModified();
    value = *typed;
}

// Stores a choice read from a control; true when it changed.
bool storeChoice(DataExchange& dx, int chosen, int& value, bool mark) {
    if (chosen == value) return false;
    value = chosen;
    if (mark) dx.markModified();
    return true;
}

}  // namespace

void DDX_Number(DataExchange& dx, QLineEdit* field, double& value) {
    if (!dx.isRunning()) return;
    if (!dx.isSaving()) return showNumber(field, value);
    if (const std::optional<double> typed = readNumber(dx, field)) value = *typed;
}

void DDV_NumberMin(DataExchange& dx, QLineEdit* field, double value, double min, bool exclusive) {
    if (dx.isRunning() && dx.isSaving()) checkMin(dx, field, value, min, exclusive);
}

void DDV_NumberMax(DataExchange& dx, QLineEdit* field, double value, double max, bool exclusive) {
    if (dx.isRunning() && dx.isSaving()) checkMax(dx, field, value, max, exclusive);
}

void DDX_NumberTracked(DataExchange& dx, QLineEdit* field, double& value) {
    exchangeTrackedNumber(dx, field, value, [](double) {});
}

void DDX_NumberMinTracked(DataExchange& dx, QLineEdit* field, double& value, bool exclusive) {
    exchangeTrackedNumber(dx, field, value, [&](double typed) { checkMin(dx, field, typed, 0.0, exclusive); });
}

void DDX_NumberRangeTracked(DataExchange& dx, QLineEdit* field, double& value, double min, double max) {
    exchangeTrackedNumber(dx, field, value, [&](double typed) {
        checkMin(dx, field, typed, min, false);
        if (dx.isRunning()) checkMax(dx, field, typed, max, false);
    });
}

void DDX_IntRangeTracked(DataExchange& dx, QLineEdit* field, int& value, int min, int max) {
    if (!dx.isRunning()) return;
    if (!dx.isSaving()) {
        field->setText(QString::number(value));
        return;
    }
    const std::optional<int> typed = readFieldInteger(field->text().toStdString());
    if (!typed) return dx.fail(field, kIntegerPrompt);
    if (*typed < min || *typed > max) return dx.fail(field, integerRangeMessage(min, max));
    if (*typed != value) dx.markModified();
    value = *typed;
}

bool DDX_ComboIndexTracked(DataExchange& dx, QComboBox* field, int& value, bool mark) {
    if (!dx.isRunning()) return false;
    if (!dx.isSaving()) {
        field->setCurrentIndex(value - 1);
        return false;
    }
    return storeChoice(dx, field->currentIndex() + 1, value, mark);
}

bool DDX_RadioTracked(DataExchange& dx, QButtonGroup* group, int& value) {
    if (!dx.isRunning()) return false;
    if (!dx.isSaving()) {
        // An exclusive group cannot uncheck its last button; a value that names
        // none must show none.
        const bool exclusive = group->exclusive();
        group->setExclusive(false);
        for (QAbstractButton* button : group->buttons()) button->setChecked(group->id(button) == value - 1);
        group->setExclusive(exclusive);
        return false;
    }
    return storeChoice(dx, group->checkedId() < 0 ? 0 : group->checkedId() + 1, value, true);
}

void DDX_TextTracked(DataExchange& dx, QLineEdit* field, std::string& value, int maxChars) {
    if (!dx.isRunning()) return;
    if (!dx.isSaving()) {
        if (maxChars > 0) field->setMaxLength(maxChars);
        field->setText(QString::fromStdString(windows1252ToUtf8(value)));
        return;
    }
    const std::u16string text = field->text().toStdU16String();
    if (const std::optional<char32_t> refused = firstUnencodable(text)) return dx.fail(field, unencodableCharacterMessage(*refused));
    std::string typed = utf16ToWindows1252(text);
    if (maxChars > 0 && typed.size() > static_cast<std::size_t>(maxChars)) return dx.fail(field, textLengthMessage(maxChars));
    if (typed != value) {
        dx.markModified();
        value = std::move(typed);
    }
}

}  // namespace tavo
