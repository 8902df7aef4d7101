#pragma once

#include "ui/ComponentList.h"
#include "ui/widgets/EnterDialog.h"

class QLineEdit;

namespace tavo {

// "Zeile löschen": asks which row of the chosen element to delete, showing the
// row's description as the number is typed. Starts at the last row.
class CBTZLoe : public CEnterDialog {
    Q_OBJECT

public:
    CBTZLoe(const ComponentList& list, RowKind kind, QWidget* parent = nullptr);

    // The row to delete, 1-based.
    int row() const { return row_; }

    void accept() override;

    QLineEdit* rowField() const { return rowField_; }
    QLineEdit* descriptionField() const { return description_; }

protected:
    void DoDataExchange(DataExchange& dx) override;

private:
    // The row number was changed: the description follows, or the user hears
    // that there is no such row.
    bool rowChanged();
    void showDescription();

    const ComponentList& list_;
    RowKind kind_;
    int row_;
    QLineEdit* rowField_;
    QLineEdit* description_;
};

}  // namespace tavo
