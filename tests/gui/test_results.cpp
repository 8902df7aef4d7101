// The results page as the user meets it: the display sizes, scrolling by keys and
// wheel, and the beep of every key. (How the sizes look, the screenshots show.)

#include <QAbstractButton>
#include <QScrollBar>
#include <QTabBar>
#include <QtTest>

#include "GuiTestSupport.h"
#include "support/SampleProjects.h"
#include "ui/widgets/DlgErgebnis.h"
#include "ui/widgets/TabControl.h"

using namespace tavo;
using namespace tavo::test;

class ResultsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { prepareQtApplication(*qApp); }

    // The window's keys, wheel and size buttons reach its scrolling and zoom (whose
    // rules the core tests pin); the listing is composed anew on each visit.
    void keysWheelAndSizesMoveTheListingComposedOnEachVisit() {
        Session run;
        // A listing of many pages: the elements of the maximal project, in fewer components.
        ProjectData project = makeMaximalProject();
        project.componentCount = 2;
        QVERIFY(run.start(run.sandbox.projectFile(QStringLiteral("lang.tavo"), project)));
        run.frame().resize(1600, 900);
        run.frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&run.frame()));
        QWidget* page = run.view().tabControl()->page(3);
        CErgebnisFenster* window = static_cast<DlgErgebnis*>(page)->resultsWindow();
        QScrollBar* vertical = window->verticalScrollBar();
        int beeps = 0;
        window->setKeySound([&beeps] { ++beeps; });
        QTabBar* tabs = run.view().tabControl()->tabBar();
        const auto clickTab = [tabs](int index) { QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center()); };
        clickTab(3);
        QVERIFY(window->hasDocument());

        QTest::keyClick(window, Qt::Key_End);
        QVERIFY(vertical->value() > 1);
        QCOMPARE(vertical->value(), vertical->maximum());
        for (const auto& [key, band] : {std::pair{Qt::Key_Home, 0}, std::pair{Qt::Key_Down, 1}, std::pair{Qt::Key_A, 1}}) {
            QTest::keyClick(window, key);
            QCOMPARE(vertical->value(), band);
        }
        QCOMPARE(beeps, 4);
        const QPointF at(10, 10);
        QWheelEvent notch(at, window->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(window->viewport(), &notch);
        QCOMPARE(vertical->value(), 2);

        QTest::mouseClick(page->findChild<QAbstractButton*>(QStringLiteral("large")), Qt::LeftButton);
        QCOMPARE(window->zoomFactor(), 0.5);
        QCOMPARE(vertical->value(), 2);
        QCOMPARE(QApplication::focusWidget(), window);
        clickTab(0);
        QVERIFY(!window->hasDocument());
        clickTab(3);
        QVERIFY(window->hasDocument());
        QCOMPARE(window->zoomFactor(), 0.5);  // the size stays for the run
    }
};

QTEST_MAIN(ResultsTest)
#include "test_results.moc"
