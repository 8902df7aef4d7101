#include "app/gui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include "app/gui/Commands.h"
#include "app/gui/LockKeyIndicators.h"
#include "app/gui/MenuCommit.h"
#include "app/gui/ModalAccelerators.h"
#include "app/gui/OutputCommands.h"
#include "app/gui/PembDoc.h"
#include "app/gui/Printout.h"
#include "app/gui/RecentFileList.h"
#include "app/gui/ShellCommands.h"
#include "ui/widgets/PembView.h"

// The resources are linked from a static library, where nothing else would pull them in.
static void initResources() { Q_INIT_RESOURCE(tavo); }

namespace tavo {
namespace {

// The document template's window title; the document's name goes before it.
const QString kWindowTitle = QStringLiteral("KOVA Bauwaage Version 2025 (Version 18)");

struct CommandEntry {
    int id;
    const char* text;       // menu text
    const char* statusTip;  // shown in the status bar while the command is under the mouse
    const char* toolTip;    // for the commands on the tool bar
    QKeyCombination shortcut;
    const char* icon;
};

const CommandEntry kCommands[] = {
    {CommandId::FileNew, "&Neu\tStrg+N", "Erstellt ein neues Dokument", "Neu", Qt::CTRL | Qt::Key_N, ":/icons/new.svg"},
    {CommandId::FileOpen, "Ö&ffnen...\tStrg+O", "Öffnet ein vorhandenes Dokument", "Öffnen", Qt::CTRL | Qt::Key_O, ":/icons/open.svg"},
    {CommandId::FileSave, "S&peichern\tStrg+S", "Speichert das aktive Dokument", "Speichern", Qt::CTRL | Qt::Key_S, ":/icons/save.svg"},
    {CommandId::FileSaveAs, "Speichern &unter...", "Speichert das aktive Dokument unter einem neuen Namen", nullptr, {}, nullptr},
    {CommandId::ExportPdf, "Export PDF...", "Exportiert aktives Dokument in PDF-Datei", "PDF-Export", {}, ":/icons/pdf.svg"},
    {CommandId::Print, "&Drucken...\tStrg+P", "Druckt das aktive Dokument", "Drucken", Qt::CTRL | Qt::Key_P, ":/icons/print.svg"},
    {CommandId::PrintPreview, "Seiten&ansicht", "Zeigt ganze Seiten an", nullptr, {}, nullptr},
    {CommandId::PageSetup, "Seite ein&richten...", "Ändert die Seitenränder und den Drucker", nullptr, {}, nullptr},
    {CommandId::PrinterSetup, "Drucker &einrichten...", "Ändert den Drucker und die Druckoptionen", nullptr, {}, nullptr},
    {CommandId::HeaderFooter, "Kopf- und Fusszeile ...", "Legt Kopfzeilen, Fußzeile und Seitennummern der Druckausgabe fest", nullptr, {}, nullptr},
    {CommandId::Exit, "&Beenden", "Beendet die Anwendung; fordert zum Speichern der Dokumente auf", nullptr, {}, nullptr},
    {CommandId::ToggleToolBar, "&Symbolleiste", "Blendet die Symbolleiste ein oder aus", nullptr, {}, nullptr},
    {CommandId::ToggleStatusBar, "S&tatusleiste", "Blendet die Statusleiste ein oder aus", nullptr, {}, nullptr},
    {CommandId::OutputFont, "&Ergebnisse", "Stellt Schriftart für Druckausgabe ein", nullptr, {}, nullptr},
    {CommandId::TitleFont, "&Titel", "Stellt Schriftart für Überschrift bei Druckausgabe ein", nullptr, {}, nullptr},
    {CommandId::StopOfferingDemo, "&Frage nach Demoprojekt eliminieren", "Frage nach Demoprojekt nicht mehr stellen", nullptr, {}, nullptr},
    {CommandId::Help, "&Hilfe", "Zeigt die Hilfe zum Programm an", "Hilfe", {}, ":/icons/help.svg"},
    {CommandId::HelpIndex, "&Inhalt", "Öffnet das Inhaltsverzeichnis der Hilfe", nullptr, {}, nullptr},
    {CommandId::CheckForUpdate, "Nach &Update suchen ...", "Sucht nach einer neueren Programmversion", nullptr, {}, nullptr},
    {CommandId::RemoteSupport, "Fern&wartung", "Startet das Programm \"TeamViewer\" zur Fernwartung", nullptr, {}, nullptr},
    {CommandId::About, "Inf&o ...", "Zeigt Programminformationen, Versionsnummer und Copyright an", nullptr, {}, nullptr},
};

QString escapeAmpersands(QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&&")); }

}  // namespace

CPembFrame::CPembFrame(CPembDoc& doc, RecentFileList& recentFiles, Printout& printout, PrintSettings& printSettings,
                       IniProfile& profile)
    : doc_(doc),
      recentFiles_(recentFiles),
      view_(new CPembView(doc.document(), printout, this)),
      output_(new OutputCommands(printout, printSettings, doc.document(), *view_, this)),
      shell_(new ShellCommands(profile, *view_, this)) {
    initResources();
    // The desktop shows the windows with the entry and icon the package installs.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tavo.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("at.kova_software.Tavo"));
    printout.setView(view_);
    setCentralWidget(view_);
    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    connectCommands();

    doc_.setDialogParent(this);
    connect(&doc_, &CPembDoc::stateChanged, this, &CPembFrame::updateTitle);
    updateTitle();

    // The pages are laid out for a wide screen; a smaller one gets all it has.
    QSize minimum(1600, 800);
    if (const QScreen* display = screen()) minimum = minimum.boundedTo(display->availableGeometry().size());
    setMinimumSize(minimum);
}

QAction* CPembFrame::action(int commandId) const {
    const auto found = actions_.find(commandId);
    return found != actions_.end() ? found->second : nullptr;
}

void CPembFrame::closeEvent(QCloseEvent* event) {
    if (doc_.document().canClose())
        event->accept();
    else
        event->ignore();
}

void CPembFrame::createActions() {
    for (const CommandEntry& entry : kCommands) {
        auto* command = new QAction(QString::fromUtf8(entry.text), this);
        command->setData(entry.id);
        command->setStatusTip(QString::fromUtf8(entry.statusTip));
        if (entry.toolTip != nullptr) command->setToolTip(QString::fromUtf8(entry.toolTip));
        if (entry.shortcut.key() != Qt::Key_unknown) command->setShortcut(QKeySequence(entry.shortcut));
        if (entry.icon != nullptr) command->setIcon(QIcon(QString::fromUtf8(entry.icon)));
        actions_.emplace(entry.id, command);
    }
}

QMenu* CPembFrame::addMenu(const QString& title) {
    QMenu* menu = menuBar()->addMenu(title);
    menuCommit_->watch(menu);
    return menu;
}

void CPembFrame::createMenus() {
    menuCommit_ = new MenuCommit(menuBar(), doc_.document());
    fileMenu_ = addMenu(QStringLiteral("&Datei"));
    for (int id : {CommandId::FileNew, CommandId::FileOpen, CommandId::FileSave, CommandId::FileSaveAs}) fileMenu_->addAction(action(id));
    fileMenu_->addSeparator();
    fileMenu_->addAction(action(CommandId::ExportPdf));
    fileMenu_->addSeparator();
    for (int id : {CommandId::Print, CommandId::PrintPreview, CommandId::PageSetup, CommandId::PrinterSetup, CommandId::HeaderFooter})
        fileMenu_->addAction(action(id));
    fileMenu_->addSeparator();
    recentFilesEnd_ = fileMenu_->addSeparator();
    fileMenu_->addAction(action(CommandId::Exit));
    connect(fileMenu_, &QMenu::aboutToShow, this, &CPembFrame::fillRecentFiles);

    QMenu* viewMenu = addMenu(QStringLiteral("&Ansicht"));
    viewMenu->addAction(action(CommandId::ToggleToolBar));
    viewMenu->addAction(action(CommandId::ToggleStatusBar));

    QMenu* fontMenu = addMenu(QStringLiteral("&Schriftart"));
    fontMenu->addAction(action(CommandId::OutputFont));
    fontMenu->addAction(action(CommandId::TitleFont));

    addMenu(QStringLiteral("&Einstellungen"))->addAction(action(CommandId::StopOfferingDemo));

    QMenu* helpMenu = addMenu(QStringLiteral("&?"));
    helpMenu->addAction(action(CommandId::Help));
    helpMenu->addAction(action(CommandId::HelpIndex));
    helpMenu->addSeparator();
    helpMenu->addAction(action(CommandId::CheckForUpdate));
    helpMenu->addAction(action(CommandId::RemoteSupport));
    helpMenu->addSeparator();
    helpMenu->addAction(action(CommandId::About));
    connect(helpMenu, &QMenu::aboutToShow, this,
            [this] { action(CommandId::RemoteSupport)->setEnabled(shell_->remoteSupportAvailable()); });
}

void CPembFrame::createToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Symbolleiste"));
    bar->setObjectName(QStringLiteral("mainToolBar"));
    bar->setMovable(false);
    for (int id : {CommandId::FileNew, CommandId::FileOpen, CommandId::FileSave}) bar->addAction(action(id));
    bar->addSeparator();
    bar->addAction(action(CommandId::Print));
    bar->addSeparator();
    bar->addAction(action(CommandId::ExportPdf));
    bar->addSeparator();
    bar->addAction(action(CommandId::Help));

    QAction* toggle = action(CommandId::ToggleToolBar);
    toggle->setCheckable(true);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, bar, &QToolBar::setVisible);
}

void CPembFrame::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->addWidget(new QLabel(QStringLiteral("Bereit")), 1);
    new LockKeyIndicators(bar);

    QAction* toggle = action(CommandId::ToggleStatusBar);
    toggle->setCheckable(true);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, bar, &QStatusBar::setVisible);
}

void CPembFrame::connectCommands() {
    Document& document = doc_.document();
    connect(action(CommandId::FileNew), &QAction::triggered, this, [&document] { document.fileNew(); });
    connect(action(CommandId::FileOpen), &QAction::triggered, &doc_, &CPembDoc::fileOpen);
    connect(action(CommandId::FileSave), &QAction::triggered, this, [&document] { document.fileSave(); });
    connect(action(CommandId::FileSaveAs), &QAction::triggered, this, [&document] { document.fileSaveAs(); });
    connect(action(CommandId::StopOfferingDemo), &QAction::triggered, this, [&document] { document.stopOfferingDemo(); });
    connect(action(CommandId::Exit), &QAction::triggered, this, &QWidget::close);

    const std::pair<int, void (OutputCommands::*)()> outputCommands[] = {
        {CommandId::Print, &OutputCommands::print},
        {CommandId::PrintPreview, &OutputCommands::preview},
        {CommandId::PageSetup, &OutputCommands::pageSetup},
        {CommandId::PrinterSetup, &OutputCommands::printerSetup},
        {CommandId::HeaderFooter, &OutputCommands::editHeaderFooter},
        {CommandId::ExportPdf, &OutputCommands::exportPdf},
        {CommandId::OutputFont, &OutputCommands::chooseOutputFont},
        {CommandId::TitleFont, &OutputCommands::chooseTitleFont},
    };
    for (const auto& [id, command] : outputCommands) connect(action(id), &QAction::triggered, output_, command);

    const std::pair<int, void (ShellCommands::*)()> shellCommands[] = {
        {CommandId::Help, &ShellCommands::help},
        {CommandId::HelpIndex, &ShellCommands::helpContents},
        {CommandId::About, &ShellCommands::about},
        {CommandId::CheckForUpdate, &ShellCommands::autoUpdateSettings},
        {CommandId::RemoteSupport, &ShellCommands::remoteSupport},
    };
    for (const auto& [id, command] : shellCommands) connect(action(id), &QAction::triggered, shell_, command);
    new ModalAccelerators({action(CommandId::FileNew), action(CommandId::FileOpen), action(CommandId::FileSave), action(CommandId::Print)}, this);
}

void CPembFrame::fillRecentFiles() {
    qDeleteAll(recentFileActions_);
    recentFileActions_.clear();
    const auto& paths = recentFiles_.paths();
    if (paths.empty()) {
        auto* none = new QAction(QStringLiteral("Letzte Datei"), fileMenu_);
        none->setEnabled(false);
        recentFileActions_.append(none);
    }
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const QString path = QString::fromStdString(paths[i]);
        const QString number = i + 1 < 10 ? QStringLiteral("&%1").arg(i + 1) : QStringLiteral("1&0");
        const QString text = QStringLiteral("%1 %2").arg(number, escapeAmpersands(QDir::toNativeSeparators(path)));
        auto* entry = new QAction(text, fileMenu_);
        entry->setStatusTip(QStringLiteral("Öffnet dieses Dokument"));
        connect(entry, &QAction::triggered, &doc_, [this, path] { doc_.openRecentFile(path); });
        recentFileActions_.append(entry);
    }
    fileMenu_->insertActions(recentFilesEnd_, recentFileActions_);
}

void CPembFrame::updateTitle() {
    setWindowTitle(QStringLiteral("%1[*] - %2").arg(doc_.title(), kWindowTitle));
    setWindowModified(doc_.document().isModified());
}

}  // namespace tavo
