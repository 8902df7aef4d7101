// Renders the main window once with each page active, the page preview and each
// dialog of the output commands, into PNG files in the folder given as the first
// argument. A project file as the second argument is opened first.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "GuiTestSupport.h"
#include "app/gui/Commands.h"
#include "app/gui/OutputCommands.h"
#include "app/gui/HelpWindow.h"
#include "app/gui/ShellCommands.h"
#include "support/SampleProjects.h"
#include "ui/widgets/CBTZLoe.h"
#include "ui/widgets/CLastKorrDlg.h"
#include "ui/widgets/DlgAllgemein.h"
#include "ui/widgets/DlgErgebnis.h"
#include "ui/widgets/DlgLasten_NU.h"
#include "ui/widgets/DlgLasten_ST.h"
#include "ui/widgets/TabControl.h"

namespace {

bool saveShot(QWidget& widget, const QString& folder, const QString& name) {
    QApplication::processEvents();
    return widget.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

// Shows each dialog, takes its picture and cancels it.
class PhotographingRunner : public tavo::DialogRunner {
public:
    PhotographingRunner(QString folder, bool& ok) : folder_(std::move(folder)), ok_(ok) {}
    void expect(const QString& name) { name_ = name; }

    bool run(QDialog& dialog) override {
        dialog.show();
        ok_ = saveShot(dialog, folder_, name_) && ok_;
        dialog.reject();
        return false;
    }

private:
    QString folder_;
    bool& ok_;
    QString name_;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    tavo::prepareQtApplication(application);
    const QString target = QApplication::arguments().value(1, QStringLiteral("screenshots"));
    QDir().mkpath(target);

    tavo::test::Session run;
    if (!run.start(QApplication::arguments().value(2))) return 1;
    tavo::CPembFrame& frame = run.frame();
    frame.resize(1600, 900);

    // The load pages show the active element and its rows.
    run.project().componentChosen = 1;
    run.project().elementChosen = 1;

    bool ok = true;
    const QStringList pages{QStringLiteral("1-bauteile"), QStringLiteral("2-staendige-lasten"), QStringLiteral("3-nutzlasten"),
                            QStringLiteral("4-ergebnis")};
    for (int page = 0; page < pages.size(); ++page) {
        frame.view()->tabControl()->SetActiveTab(page);
        ok = saveShot(frame, target, pages[page]) && ok;
    }
    // The results page at its largest display size, scrolled down a page.
    auto* results = static_cast<tavo::DlgErgebnis*>(frame.view()->GetActivePage());
    results->findChild<QAbstractButton*>(QStringLiteral("large"))->click();
    results->resultsWindow()->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    ok = saveShot(frame, target, QStringLiteral("4-ergebnis-gross")) && ok;

    // Both load pages with the own tables.
    tavo::CPembView& view = *frame.view();
    for (const auto& [page, name] : {std::pair{1, "2b-staendige-lasten-eigene"}, std::pair{2, "3b-nutzlasten-eigene"}}) {
        view.tabControl()->SetActiveTab(page);
        auto* loads = static_cast<tavo::CLoadPage*>(view.GetActivePage());
        loads->ownSourceButton()->click();
        ok = saveShot(frame, target, QString::fromLatin1(name)) && ok;
        loads->builtInSourceButton()->click();
    }

    auto* runner = new PhotographingRunner(target, ok);
    frame.output().setDialogRunner(std::unique_ptr<tavo::DialogRunner>(runner));

    // The entry dialogs of a take-over, each cancelled.
    view.tabControl()->SetActiveTab(1);
    auto* permanent = static_cast<tavo::DlgLasten_ST*>(view.GetActivePage());
    runner->expect(QStringLiteral("16-wichte-berechnen"));
    permanent->takeOverButton(9)->click();
    permanent->chooseRow(permanent->accordion().rowOfGroup(1));
    permanent->chooseRow(permanent->accordion().rowOfTable(5));
    runner->expect(QStringLiteral("17-dicke-und-last"));
    permanent->takeOverButton(2)->click();
    view.tabControl()->SetActiveTab(2);
    auto* imposed = static_cast<tavo::DlgLasten_NU*>(view.GetActivePage());
    imposed->chooseRow(1);
    runner->expect(QStringLiteral("18-last-eingeben"));
    imposed->takeOverButton(5)->click();
    const std::pair<int, const char*> commands[] = {
        {tavo::CommandId::PrintPreview, "5-seitenansicht"},   {tavo::CommandId::Print, "6-drucken"},
        {tavo::CommandId::PageSetup, "7-seite-einrichten"},   {tavo::CommandId::PrinterSetup, "8-drucker-einrichten"},
        {tavo::CommandId::HeaderFooter, "9-kopf-fusszeile"},  {tavo::CommandId::OutputFont, "10-schrift-ergebnisse"},
        {tavo::CommandId::TitleFont, "11-schrift-titel"},     {tavo::CommandId::ExportPdf, "12-pdf-export"},
    };
    for (const auto& [id, name] : commands) {
        runner->expect(QString::fromLatin1(name));
        frame.action(id)->trigger();
    }

    // The help as the desktop program finds it beside itself, on the components page's topic.
    tavo::ShellPlaces places = tavo::installedShellPlaces();
    places.programFile = QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("tavo"));
    frame.shell().setPlaces(places);
    frame.shell().contextHelp(tavo::PageId::Components, nullptr);
    if (tavo::HelpWindow* help = frame.shell().helpWindow()) {
        QElapsedTimer contentsBuilt;
        contentsBuilt.start();
        while (contentsBuilt.elapsed() < 1000) QApplication::processEvents(QEventLoop::AllEvents, 50);
        ok = saveShot(*help, target, QStringLiteral("13-hilfe-bauteile")) && ok;
    } else {
        ok = false;
    }
    auto* shellRunner = new PhotographingRunner(target, ok);
    frame.shell().setDialogRunner(std::unique_ptr<tavo::DialogRunner>(shellRunner));
    const std::pair<int, const char*> shellCommands[] = {
        {tavo::CommandId::About, "14-info"},
        {tavo::CommandId::CheckForUpdate, "15-nach-updates-suchen"},
    };
    for (const auto& [id, name] : shellCommands) {
        shellRunner->expect(QString::fromLatin1(name));
        frame.action(id)->trigger();
    }

    // Last, as it replaces the sample: the components page with the sample's
    // second element chosen, its two dialogs, a new project and a full one with
    // a long element list.
    frame.view()->tabControl()->SetActiveTab(0);
    auto* components = static_cast<tavo::DlgAllgemein*>(frame.view()->GetActivePage());
    if (auto* marker = components->findChild<QAbstractButton*>(QStringLiteral("elementMarker1")); marker && marker->isVisible())
        marker->click();
    ok = saveShot(frame, target, QStringLiteral("1-bauteile-element")) && ok;
    {
        tavo::CBTZLoe dialog(components->componentList(), tavo::RowKind::Permanent, &frame);
        dialog.show();
        ok = saveShot(dialog, target, QStringLiteral("1-zeile-loeschen")) && ok;
    }
    {
        tavo::CLastKorrDlg dialog(components->componentList(), tavo::RowKind::Permanent, &frame);
        dialog.show();
        ok = saveShot(dialog, target, QStringLiteral("1-manuelle-korrektur")) && ok;
    }
    run.document().newDocument();
    ok = saveShot(frame, target, QStringLiteral("1-bauteile-neu")) && ok;
    run.document().openDocument(run.sandbox.projectFile(QStringLiteral("voll.tavo"), tavo::test::makeMaximalProject()).toStdString());
    ok = saveShot(frame, target, QStringLiteral("1-bauteile-voll")) && ok;
    return ok ? 0 : 1;
}
