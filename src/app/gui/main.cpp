#include <QApplication>

#include "app/SettingsLocation.h"
#include "app/gui/TavoApplication.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    tavo::prepareQtApplication(application);

    const QString programDir = QApplication::applicationDirPath();
    tavo::CPembApp tavo(tavo::locateSettingsFile(tavo::currentSettingsEnvironment(programDir.toStdString())), programDir);
    if (!tavo.start(QApplication::arguments())) return 1;
    const int result = QApplication::exec();
    tavo.exit();
    return result;
}
