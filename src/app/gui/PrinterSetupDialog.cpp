#include "app/gui/PrinterSetupDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/gui/Printout.h"

namespace tavo {
namespace {

// The PDF output has no printer name.
const QString kPdfOutput;

QList<QPageSize> papersOf(const QString& printerName) {
    if (!printerName.isEmpty()) {
        const QList<QPageSize> sizes = QPrinterInfo::printerInfo(printerName).supportedPageSizes();
        if (!sizes.isEmpty()) return sizes;
    }
    return {QPageSize(QPageSize::A3), QPageSize(QPageSize::A4), QPageSize(QPageSize::A5), QPageSize(QPageSize::B5),
            QPageSize(QPageSize::Letter), QPageSize(QPageSize::Legal)};
}

QString printerNameOf(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat ? kPdfOutput : printer.printerName();
}

}  // namespace

PrinterSetupDialog::PrinterSetupDialog(const QPrinter& printer, QWidget* parent)
    : QDialog(parent),
      printers_(new QComboBox),
      papers_(new QComboBox),
      portrait_(new QRadioButton(QStringLiteral("&Hochformat"))),
      landscape_(new QRadioButton(QStringLiteral("&Querformat"))) {
    setWindowTitle(QStringLiteral("Drucker einrichten"));
    for (const QString& name : QPrinterInfo::availablePrinterNames()) printers_->addItem(name, name);
    printers_->addItem(QStringLiteral("PDF-Datei"), kPdfOutput);
    printers_->setCurrentIndex(std::max(printers_->findData(printerNameOf(printer)), 0));
    fillPapers(printers_->currentData().toString(), printer.pageLayout().pageSize().key());
    connect(printers_, &QComboBox::currentIndexChanged, this,
            [this] { fillPapers(printers_->currentData().toString(), papers_->currentData().toString()); });
    (printer.pageLayout().orientation() == QPageLayout::Landscape ? landscape_ : portrait_)->setChecked(true);

    auto* printerGroup = new QGroupBox(QStringLiteral("Drucker"));
    auto* printerForm = new QFormLayout(printerGroup);
    printerForm->addRow(QStringLiteral("&Name:"), printers_);
    auto* paperGroup = new QGroupBox(QStringLiteral("Papier"));
    auto* paperForm = new QFormLayout(paperGroup);
    paperForm->addRow(QStringLiteral("&Größe:"), papers_);
    auto* orientationGroup = new QGroupBox(QStringLiteral("Orientierung"));
    auto* orientation = new QVBoxLayout(orientationGroup);
    orientation->addWidget(portrait_);
    orientation->addWidget(landscape_);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(printerGroup);
    auto* paperRow = new QHBoxLayout;
    paperRow->addWidget(paperGroup, 1);
    paperRow->addWidget(orientationGroup);
    layout->addLayout(paperRow);
    layout->addWidget(buttons);
    printers_->setMinimumContentsLength(32);
}

void PrinterSetupDialog::fillPapers(const QString& printerName, const QString& keep) {
    papers_->clear();
    for (const QPageSize& size : papersOf(printerName)) papers_->addItem(size.name(), size.key());
    const int kept = papers_->findData(keep);
    papers_->setCurrentIndex(kept >= 0 ? kept : std::max(papers_->findData(QPageSize(QPageSize::A4).key()), 0));
}

void PrinterSetupDialog::applyTo(QPrinter& printer) const {
    const QString name = printers_->currentData().toString();
    if (name == kPdfOutput) {
        printer.setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(name);
    }
    const QString paper = papers_->currentData().toString();
    for (const QPageSize& size : papersOf(name))
        if (size.key() == paper) printer.setPageSize(size);
    printer.setPageOrientation(landscape_->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
    useUnprintableBorderAsMargins(printer);
}

}  // namespace tavo
