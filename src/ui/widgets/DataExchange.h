#pragma once

#include <functional>
#include <string>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QWidget;

namespace tavo {

// One run of a dialog's data exchange: the controls filled from the data
// (load), or the data taken from the controls with their checks (save). The
// first field that refuses its entry ends the run: the user has been told, the
// field has the focus with its text selected, and the exchanges after it in
// the same run do nothing.
class DataExchange {
public:
    enum class Direction { Load, Save };

    // markModified runs when a tracked exchange stores a value that differs.
    DataExchange(Direction direction, std::function<void()> markModified);

    bool isSaving() const { return direction_ == Direction::Save; }
    // Still going: no field has refused its entry yet.
    bool isRunning() const { return !failed_; }
    bool failed() const { return failed_; }

    // Shows message (UTF-8) and puts the focus back into field.
    void fail(QWidget* field, const std::string& message);
    void markModified();

private:
    Direction direction_;
    std::function<void()> markModified_;
    bool failed_ = false;
};

// A number field: written with up to 15 significant digits, read by the strict
// field rule (a decimal comma allowed).
void DDX_Number(DataExchange& dx, QLineEdit* field, double& value);
// The bound checks; they refuse only when saving.
void DDV_NumberMin(DataExchange& dx, QLineEdit* field, double value, double min, bool exclusive);
void DDV_NumberMax(DataExchange& dx, QLineEdit* field, double value, double max, bool exclusive);

// The tracked exchanges mark the document modified, when saving, exactly when
// the value read differs from the stored one. Numbers differ from 1e-6 on; the
// number read is stored even when it does not differ.
void DDX_NumberTracked(DataExchange& dx, QLineEdit* field, double& value);
void DDX_NumberMinTracked(DataExchange& dx, QLineEdit* field, double& value, bool exclusive);
void DDX_NumberRangeTracked(DataExchange& dx, QLineEdit* field, double& value, double min, double max);
void DDX_IntRangeTracked(DataExchange& dx, QLineEdit* field, int& value, int min, int max);
// Choices are stored 1-based; the controls count from 0 (a button group by the
// buttons' ids). Both return whether the value changed. The combo box marks the
// document only when mark is set.
bool DDX_ComboIndexTracked(DataExchange& dx, QComboBox* field, int& value, bool mark);
bool DDX_RadioTracked(DataExchange& dx, QButtonGroup* group, int& value);
// A project text (Windows-1252); maxChars > 0 limits its length.
void DDX_TextTracked(DataExchange& dx, QLineEdit* field, std::string& value, int maxChars);

}  // namespace tavo
