#pragma once

#include <QDialog>

class QComboBox;
class QPrinter;
class QRadioButton;

namespace tavo {

// "Drucker einrichten": the printer the program prints on, its paper and the
// orientation. The entry "PDF-Datei" is Qt's PDF output, which every system has.
class PrinterSetupDialog : public QDialog {
    Q_OBJECT

public:
    explicit PrinterSetupDialog(const QPrinter& printer, QWidget* parent = nullptr);

    // Gives the printer the choices made.
    void applyTo(QPrinter& printer) const;

    QComboBox* printerChoice() const { return printers_; }
    QComboBox* paperChoice() const { return papers_; }
    QRadioButton* landscapeChoice() const { return landscape_; }

private:
    void fillPapers(const QString& printerName, const QString& keep);

    QComboBox* printers_;
    QComboBox* papers_;
    QRadioButton* portrait_;
    QRadioButton* landscape_;
};

}  // namespace tavo
