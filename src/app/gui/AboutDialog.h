#pragma once

#include <QDialog>

namespace tavo {

// "Kova Bauwaage": the program's icon, name and the file version it was built as.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace tavo
