// Renders the main window once with each page active, into PNG files in the
// folder given as the argument.

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include "GuiTestSupport.h"
#include "app/gui/MainWindow.h"
#include "ui/widgets/PembView.h"
#include "ui/widgets/TabControl.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    tavo::prepareQtApplication(application);
    const QString target = QApplication::arguments().value(1, QStringLiteral("screenshots"));
    QDir().mkpath(target);

    tavo::test::Sandbox sandbox;
    tavo::test::Program program(sandbox);
    if (!program.app.start({QStringLiteral("tavo")})) return 1;
    tavo::CPembFrame& frame = program.app.frame();
    frame.resize(1600, 900);

    const QStringList names{QStringLiteral("1-bauteile"), QStringLiteral("2-staendige-lasten"), QStringLiteral("3-nutzlasten"),
                            QStringLiteral("4-ergebnis")};
    for (int page = 0; page < names.size(); ++page) {
        frame.view()->tabControl()->SetActiveTab(page);
        QApplication::processEvents();
        const QString file = QDir(target).filePath(names[page] + QStringLiteral(".png"));
        if (!frame.grab().save(file)) return 1;
    }
    return 0;
}
