#include "app/gui/AboutDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "app/FileVersion.h"

namespace tavo {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Kova Bauwaage"));
    setObjectName(QStringLiteral("about"));

    auto* icon = new QLabel;
    icon->setPixmap(QIcon(QStringLiteral(":/icons/tavo.svg")).pixmap(64, 64));
    icon->setAccessibleName(QStringLiteral("Programmsymbol"));
    auto* product = new QLabel(QStringLiteral("KOVA - Bauwaage Version 2025"));
    auto* version = new QLabel(QString::fromStdString(versionLine("Dateiversion #", programFileVersion())));
    version->setObjectName(QStringLiteral("version"));
    version->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto* standard = new QLabel(QStringLiteral("Lastzusammenstellung nach ÖNORM B 1991-1-1"));

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("&Okay"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(product, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(standard, 2, 1);
    layout->addWidget(buttons, 3, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tavo
