#include "ui/widgets/DlgFussKopf.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <optional>
#include <utility>

#include "file/BinFile.h"
#include "model/Windows1252.h"
#include "output/HeaderLines.h"
#include "output/PrintSettings.h"
#include "ui/FieldEntry.h"
#include "ui/widgets/Messages.h"

namespace tavo {
namespace {

// A line break ends a line; the break after the last line opens none. An empty
// field is one empty line: the pages get no banner lines.
QStringList typedLines(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

}  // namespace

DlgFussKopf::DlgFussKopf(PrintSettings& settings, const HeaderLines& inEffect, std::filesystem::path headerLinesFile,
                         QWidget* parent)
    : CEnterDialog(nullptr, parent),
      settings_(settings),
      headerLinesFile_(std::move(headerLinesFile)),
      fileName_(new QCheckBox(QStringLiteral("&Dateiname"))),
      date_(new QCheckBox(QStringLiteral("D&atum"))),
      time_(new QCheckBox(QStringLiteral("&Zeit"))),
      numbering_(new QButtonGroup(this)),
      headerLines_(new QPlainTextEdit) {
    setWindowTitle(QStringLiteral("Einstellungen für Druckausgabe"));

    auto* footer = new QGroupBox(QStringLiteral("Fußzeile enthält"));
    auto* footerParts = new QVBoxLayout(footer);
    for (QCheckBox* part : {fileName_, date_, time_}) footerParts->addWidget(part);
    footerParts->addStretch(1);

    auto* numbering = new QGroupBox(QStringLiteral("Seitennumerierung"));
    auto* numberingChoices = new QVBoxLayout(numbering);
    const QString choices[] = {QStringLiteral("K&eine"), QStringLiteral("&Nur Text \"Seite\" ohne Nummern"),
                               QStringLiteral("&Text \"Seite\" und Nummern")};
    for (int i = 0; i < 3; ++i) {
        auto* choice = new QRadioButton(choices[i]);
        numbering_->addButton(choice, i);
        numberingChoices->addWidget(choice);
    }

    auto* headerLabel = new QLabel(QStringLiteral("&Kopfzeilen:"));
    headerLabel->setBuddy(headerLines_);
    headerLines_->setLineWrapMode(QPlainTextEdit::NoWrap);
    headerLines_->setTabChangesFocus(true);
    headerLines_->setMinimumWidth(headerLines_->fontMetrics().averageCharWidth() * 72);
    auto* hint = new QLabel(QStringLiteral("Bis zu zehn Zeilen, wobei jede Zeile folgendes Format hat:\n"
                                           "linksbündiger Text#zentrierter Text#rechtsbündiger Text"));

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("&Okay"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &DlgFussKopf::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* choiceRow = new QHBoxLayout;
    choiceRow->addWidget(footer);
    choiceRow->addWidget(numbering, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choiceRow);
    layout->addWidget(headerLabel);
    layout->addWidget(headerLines_, 1);
    layout->addWidget(hint);
    layout->addWidget(buttons);

    fileName_->setChecked(settings_.showFileName);
    date_->setChecked(settings_.showDate);
    time_->setChecked(settings_.showTime);
    if (QAbstractButton* chosen = numbering_->button(settings_.pageNumbering)) chosen->setChecked(true);
    // What the pages print now, so that "Okay" after a footer change keeps it.
    QString text;
    for (std::size_t i = 0; i < inEffect.lines().size(); ++i)
        text += QString::fromStdString(windows1252ToUtf8(inEffect.typedLine(i))) + QLatin1Char('\n');
    headerLines_->setPlainText(text);
    headerLines_->moveCursor(QTextCursor::Start);
}

void DlgFussKopf::accept() {
    if (const std::optional<char32_t> refused = firstUnencodable(headerLines_->toPlainText().toStdU16String())) {
        MsgWarning("%s", unencodableCharacterMessage(*refused).c_str());
        headerLines_->setFocus();
        return;
    }
    saveHeaderLines();
    settings_.showFileName = fileName_->isChecked();
    settings_.showDate = date_->isChecked();
    settings_.showTime = time_->isChecked();
    if (numbering_->checkedId() >= 0) settings_.pageNumbering = numbering_->checkedId();
    QDialog::accept();
}

void DlgFussKopf::saveHeaderLines() {
    HeaderLines lines;
    for (const QString& line : typedLines(headerLines_->toPlainText()))
        if (!lines.add(utf16ToWindows1252(line.toStdU16String()))) break;
    const int error = lines.save(headerLinesFile_);
    if (error == 0) return;
    const std::string path = QString::fromStdU16String(headerLinesFile_.u16string()).toStdString();
    MsgWarning("%s", fileErrorMessage(FileOperation::Write, path, BinFileBase::Error{error, 0, 0}).c_str());
}

}  // namespace tavo
