// The pages of the desktop program on the largest project the limits allow:
// - the results page laid out anew, as after a change of the output font or the
//   printer: the listing composed for the printer, the band index, the scroll
//   bars and the first window painted;
// - another element chosen on the components page: both grids refilled and
//   painted;
// - another table chosen on the permanent loads page: the grid refilled, the
//   "Übernehmen" buttons placed and the page painted.

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QRadioButton>
#include <QTemporaryDir>

#include <memory>

#include "app/gui/MainWindow.h"
#include "app/gui/PembDoc.h"
#include "app/gui/TavoApplication.h"
#include "file/ProjectFile.h"
#include "output/PageComposer.h"
#include "support/SampleProjects.h"
#include "ui/widgets/DlgAllgemein.h"
#include "ui/widgets/DlgErgebnis.h"
#include "ui/widgets/DlgLasten_ST.h"
#include "ui/widgets/GridBT.h"
#include "ui/widgets/MessageSink.h"
#include "ui/widgets/PembView.h"
#include "ui/widgets/TabControl.h"

namespace {

tavo::CPembApp* program = nullptr;

void RelayoutMaximalProject(benchmark::State& state) {
    tavo::CPembView& view = *program->frame().view();
    view.tabControl()->SetActiveTab(3);
    auto* results = static_cast<tavo::DlgErgebnis*>(view.GetActivePage())->resultsWindow();
    for (auto _ : state) {
        view.RefreshResults();
        results->viewport()->repaint();
    }
    state.counters["lines"] = static_cast<double>(results->document().composer->documentLineCount());
    state.counters["bands"] = results->bandIndex().bandCount();
}
BENCHMARK(RelayoutMaximalProject)->Unit(benchmark::kMillisecond);

void ChooseAnotherElement(benchmark::State& state) {
    tavo::CPembView& view = *program->frame().view();
    view.tabControl()->SetActiveTab(0);
    auto* page = static_cast<tavo::DlgAllgemein*>(view.GetActivePage());
    QAbstractButton* markers[] = {page->findChild<QAbstractButton*>(QStringLiteral("elementMarker0")),
                                  page->findChild<QAbstractButton*>(QStringLiteral("elementMarker1"))};
    int next = 1;
    for (auto _ : state) {
        markers[next]->click();
        page->permanentGrid()->viewport()->repaint();
        page->imposedGrid()->viewport()->repaint();
        next = 1 - next;
    }
}
BENCHMARK(ChooseAnotherElement)->Unit(benchmark::kMillisecond);

// Between the two largest tables of "Baustoffe" (25 and 19 entries), so that each
// choice refills the grid and moves the buttons.
void ChooseAnotherSelfWeightTable(benchmark::State& state) {
    tavo::CPembView& view = *program->frame().view();
    view.tabControl()->SetActiveTab(1);
    auto* page = static_cast<tavo::DlgLasten_ST*>(view.GetActivePage());
    page->builtInSourceButton()->click();
    if (!page->isVisible()) state.SkipWithError("the page is not shown");
    const tavo::Accordion& accordion = page->accordion();
    int table = 0;
    for (auto _ : state) {
        table = table == 0 ? 5 : 0;
        page->chooseRow(accordion.rowOfTable(table));
        page->repaint();
    }
}
BENCHMARK(ChooseAnotherSelfWeightTable)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    tavo::prepareQtApplication(application);
    benchmark::Initialize(&argc, argv);

    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("maximal.tavo"));
    const auto project = std::make_unique<tavo::ProjectData>(tavo::test::makeMaximalProject());
    if (!tavo::saveProjectFile(file.toStdString(), *project).ok) return 1;
    tavo::MessageSink::startScript();
    tavo::CPembApp app((folder.path() + QStringLiteral("/Tavo.ini")).toStdString(), folder.path());
    if (!app.start({QStringLiteral("tavo"), file})) return 1;
    app.frame().resize(1600, 900);
    program = &app;

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
