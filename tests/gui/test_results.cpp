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

private:
    std::unique_ptr<Session> run_;
    int beeps_ = 0;

    CErgebnisFenster* window() { return static_cast<DlgErgebnis*>(run_->view().tabControl()->page(3))->resultsWindow(); }
    QScrollBar* vertical() { return window()->verticalScrollBar(); }
    void clickTab(int index) {
        QTabBar* bar = run_->view().tabControl()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    void chooseSize(const char* name) {
        auto* button = run_->view().tabControl()->page(3)->findChild<QAbstractButton*>(QString::fromLatin1(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void press(Qt::Key key) { QTest::keyClick(window(), key); }
    void turnWheel(int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QPointF at(10, 10);
        QWheelEvent event(at, window()->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(window()->viewport(), &event);
    }
    // The window's client height in bands, as the printer measures it.
    int bandsInWindow() {
        const double devicePerScreen = window()->document().layoutDevice->logicalDpiY() * window()->zoomFactor() /
                                       window()->viewport()->logicalDpiY();
        return static_cast<int>(window()->viewport()->height() * devicePerScreen) / window()->bandIndex().bandHeight();
    }

private Q_SLOTS:
    void initTestCase() { prepareQtApplication(*qApp); }

    void init() {
        run_ = std::make_unique<Session>();
        // A listing of many pages: the elements of the maximal project, in fewer components.
        ProjectData project = makeMaximalProject();
        project.componentCount = 2;
        QVERIFY(run_->start(run_->sandbox.projectFile(QStringLiteral("lang.tavo"), project)));
        run_->frame().resize(1600, 900);
        run_->frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&run_->frame()));
        beeps_ = 0;
        window()->setKeySound([this] { ++beeps_; });
        clickTab(3);
        QVERIFY(window()->hasDocument());
    }

    void cleanup() { run_.reset(); }

    void displaySizesEnlargeThePaperAndKeepTheBandAtTheTop() {
        QCOMPARE(window()->zoomFactor(), 1.0);
        press(Qt::Key_PageDown);
        const int band = vertical()->value();
        QVERIFY(band > 0);
        chooseSize("large");
        QCOMPARE(window()->zoomFactor(), 0.5);
        QCOMPARE(vertical()->value(), band);
        QCOMPARE(QApplication::focusWidget(), window());

        // The size stays for the run, while the listing is composed anew on each visit.
        clickTab(0);
        QVERIFY(!window()->hasDocument());
        clickTab(3);
        QVERIFY(window()->hasDocument());
        QCOMPARE(window()->zoomFactor(), 0.5);
    }

    void keysScrollByBandsAndPagesAndEveryKeyBeeps() {
        const int page = bandsInWindow();
        QVERIFY(page > 1);
        const int last = window()->bandIndex().bandCount() - page + 1;
        QCOMPARE(vertical()->maximum(), last);
        const std::pair<Qt::Key, int> steps[] = {{Qt::Key_PageDown, page}, {Qt::Key_Down, page + 1}, {Qt::Key_PageUp, 1},
                                                 {Qt::Key_Up, 0},          {Qt::Key_End, last},       {Qt::Key_PageDown, last},
                                                 {Qt::Key_Home, 0},        {Qt::Key_A, 0}};
        for (const auto& [key, band] : steps) {
            press(key);
            QCOMPARE(vertical()->value(), band);
        }
        QCOMPARE(beeps_, 8);
    }

    void theWheelScrollsABandForEachWholeNotch() {
        for (const auto& [delta, band] : {std::pair{-60, 0}, std::pair{-60, 1}, std::pair{-360, 2}, std::pair{120, 1}}) {
            turnWheel(delta);
            QCOMPARE(vertical()->value(), band);
        }
        // With a key held the wheel is not the window's.
        turnWheel(-240, Qt::ControlModifier);
        QCOMPARE(vertical()->value(), 1);
        QCOMPARE(beeps_, 0);
    }
};

QTEST_MAIN(ResultsTest)
#include "test_results.moc"
