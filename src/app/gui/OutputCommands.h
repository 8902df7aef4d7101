#pragma once

#include <QObject>

#include <memory>

class QPrinter;
class QString;
class QWidget;

namespace tavo {

class CPembView;
class DialogRunner;
class Document;
class Printout;
struct PrintSettings;

// The menu's commands of the printed output: printing and the page preview,
// page and printer set-up, header and footer, the two output fonts and the PDF
// export. Each one that changes the layout has the results page lay its listing
// out again.
class OutputCommands : public QObject {
    Q_OBJECT

public:
    OutputCommands(Printout& printout, PrintSettings& settings, Document& document, CPembView& view, QWidget* window);
    ~OutputCommands() override;

    void setDialogRunner(std::unique_ptr<DialogRunner> runner);

    void print();
    void preview();
    void pageSetup();
    void printerSetup();
    void editHeaderFooter();
    void chooseOutputFont();
    void chooseTitleFont();
    void exportPdf();

private:
    bool chooseFont(bool titleFont);
    void printPages(QPrinter& printer, int first, int last, int copies);
    void showStatus(const QString& text);

    Printout& printout_;
    PrintSettings& settings_;
    Document& document_;
    CPembView& view_;
    QWidget* window_;
    std::unique_ptr<DialogRunner> dialogs_;
};

}  // namespace tavo
