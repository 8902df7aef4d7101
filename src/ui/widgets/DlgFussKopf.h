#pragma once

#include <filesystem>

#include "ui/widgets/EnterDialog.h"

class QButtonGroup;
class QCheckBox;
class QPlainTextEdit;

namespace tavo {

class HeaderLines;

struct PrintSettings;

// "Einstellungen für Druckausgabe": what the footer shows, the page numbering
// and the header lines of the printed pages. "Okay" stores the settings and
// writes the header lines to their file; the printout takes them from the next
// program start on.
class DlgFussKopf : public CEnterDialog {
    Q_OBJECT

public:
    // Shows the banner in effect; "Okay" writes the lines to headerLinesFile.
    DlgFussKopf(PrintSettings& settings, const HeaderLines& inEffect, std::filesystem::path headerLinesFile,
                QWidget* parent = nullptr);

    void accept() override;

    QPlainTextEdit* headerLinesField() const { return headerLines_; }

private:
    void saveHeaderLines();

    PrintSettings& settings_;
    std::filesystem::path headerLinesFile_;
    QCheckBox* fileName_;
    QCheckBox* date_;
    QCheckBox* time_;
    QButtonGroup* numbering_;
    QPlainTextEdit* headerLines_;
};

}  // namespace tavo
