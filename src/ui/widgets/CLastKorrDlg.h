#pragma once

#include "model/RowEdits.h"
#include "ui/ComponentList.h"
#include "ui/widgets/EnterDialog.h"

class QLineEdit;

namespace tavo {

// "Manuelle Korrektur": thickness and influence width of one row of the chosen
// element typed as numbers, with the loads following at once; "Okay" writes
// the row.
class CLastKorrDlg : public CEnterDialog {
    Q_OBJECT

public:
    CLastKorrDlg(const ComponentList& list, RowKind kind, QWidget* parent = nullptr);

    void accept() override;
    // After "Okay": whether a text of the row changed.
    bool changedRow() const { return changed_; }

    QLineEdit* rowField() const { return rowField_; }
    QLineEdit* thicknessField() const { return thickness_; }
    QLineEdit* widthField() const { return width_; }
    QLineEdit* areaLoadField() const { return areaLoad_; }
    QLineEdit* lineLoadField() const { return lineLoad_; }

protected:
    void DoDataExchange(DataExchange& dx) override;

private:
    // Null beyond the element's rows and for the other kind.
    PermanentRow* permanentRow() const;
    ImposedRow* imposedRow() const;
    void loadRow();
    void rowLeft();
    void thicknessLeft();
    void widthLeft();
    void focusField(QLineEdit* field);

    const ComponentList& list_;
    RowKind kind_;
    int row_ = 1;
    CorrectedValues values_;
    bool changed_ = false;
    QLineEdit* rowField_;
    QLineEdit* unitWeight_;
    QLineEdit* thickness_;
    QLineEdit* areaLoad_;
    QLineEdit* width_;
    QLineEdit* lineLoad_;
};

}  // namespace tavo
