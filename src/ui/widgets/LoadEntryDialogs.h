#pragma once

#include <functional>
#include <string>
#include <utility>

#include "library/LoadEntry.h"
#include "ui/widgets/EnterDialog.h"

class QGridLayout;
class QLineEdit;

namespace tavo {

// The three small dialogs that ask for the number a library entry leaves open.
// Each checks its fields against the entry's limits on leaving a field and on
// "Okay", and holds the accepted numbers afterwards.
class CLoadEntryDialog : public CEnterDialog {
    Q_OBJECT

public:
    void accept() override;

protected:
    CLoadEntryDialog(const QString& title, QWidget* parent);

    // A label and its field in the next row; a disabled field cannot be changed.
    QLineEdit* addField(const QString& objectName, const std::string& label, bool enabled = true);
    // The range of the field above, under it.
    void addRangeLabel(const std::string& text, bool enabled = true);
    // Leaving the field checks all fields, runs afterCheck when they pass, shows
    // the numbers formatted and selects the text of the field left. Leaving for
    // "Abbrechen" or for another window does nothing.
    void checkOnLeaving(QLineEdit* field, std::function<void()> afterCheck = {});

private:
    QGridLayout* grid_;
};

// A dry density, from which the unit weight follows, or the unit weight directly.
class CLastWichDlg : public CLoadEntryDialog {
    Q_OBJECT

public:
    explicit CLastWichDlg(const DryDensityEntry& entry, QWidget* parent = nullptr);
    double unitWeight() const { return entry_.unitWeight; }

    QLineEdit* densityField() const { return density_; }
    QLineEdit* unitWeightField() const { return unitWeight_; }

protected:
    void DoDataExchange(DataExchange& dx) override;

private:
    DryDensityEntry entry_;
    QLineEdit* density_;
    QLineEdit* unitWeight_;
};

// A thickness or count and the value per unit.
class CLastWich2Dlg : public CLoadEntryDialog {
    Q_OBJECT

public:
    explicit CLastWich2Dlg(const CountValueEntry& entry, QWidget* parent = nullptr);
    CountAndValue entered() const { return {entry_.count, entry_.value}; }

    QLineEdit* countField() const { return count_; }
    QLineEdit* valueField() const { return value_; }

protected:
    void DoDataExchange(DataExchange& dx) override;

private:
    CountValueEntry entry_;
    QLineEdit* count_;
    QLineEdit* value_;
};

// An imposed load above its lower bound.
class CLastWich3Dlg : public CLoadEntryDialog {
    Q_OBJECT

public:
    explicit CLastWich3Dlg(const ImposedLoadEntry& entry, QWidget* parent = nullptr);
    double load() const { return entry_.load; }

    QLineEdit* loadField() const { return load_; }

protected:
    void DoDataExchange(DataExchange& dx) override;

private:
    ImposedLoadEntry entry_;
    QLineEdit* load_;
};

// The take-over's dialogs as modal windows over a page. run shows a dialog modally
// and tells whether it was accepted: the program's dialog runner, so that tests answer.
class ModalEntryDialogs : public EntryDialogs {
public:
    using Run = std::function<bool(QDialog&)>;
    ModalEntryDialogs(QWidget* parent, Run run) : parent_(parent), run_(std::move(run)) {}

    std::optional<double> enterDryDensity(const DryDensityEntry& entry) override;
    std::optional<CountAndValue> enterCountAndValue(const CountValueEntry& entry) override;
    std::optional<double> enterImposedLoad(const ImposedLoadEntry& entry) override;

private:
    QWidget* parent_;
    Run run_;
};

}  // namespace tavo
