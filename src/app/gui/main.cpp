#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWindow>

#include <cstdio>

#include "app/SettingsLocation.h"
#include "app/gui/MainWindow.h"
#include "app/gui/TavoApplication.h"

namespace {

// For scripts/bench_gui.sh: prints the milliseconds from the start until the window
// system has exposed the main window, which paints it, and ends the program.
void timeStartup(QWidget& window, const QElapsedTimer& sinceStart) {
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, &window, [&window, &sinceStart] {
        if (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) return;
        std::printf("%lld\n", static_cast<long long>(sinceStart.elapsed()));
        QApplication::quit();
    });
    poll->start(0);
}

}  // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication application(argc, argv);
    tavo::prepareQtApplication(application);

    const QString programDir = QApplication::applicationDirPath();
    tavo::CPembApp tavo(tavo::locateSettingsFile(tavo::currentSettingsEnvironment(programDir.toStdString())), programDir);
    if (!tavo.start(QApplication::arguments())) return 1;
    if (qEnvironmentVariableIsSet("TAVO_TIME_STARTUP")) timeStartup(tavo.frame(), sinceStart);
    const int result = QApplication::exec();
    tavo.exit();
    return result;
}
