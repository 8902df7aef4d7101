#pragma once

#include <QDialog>

#include <functional>

#include "app/AutoUpdate.h"

class QButtonGroup;
class QLineEdit;

namespace tavo {

// "Nach Updates suchen": how often the program looks for a newer version at
// its start, and a button that looks at once.
class Dlg_AutoUpdate : public QDialog {
    Q_OBJECT

public:
    Dlg_AutoUpdate(int interval, std::function<void()> checkNow, QWidget* parent = nullptr);

    // The interval the user chose, to be stored on OK.
    int interval() const;

private:
    QButtonGroup* choices_;
    QLineEdit* days_;
};

}  // namespace tavo
