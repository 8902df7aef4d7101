// The main view's page protocol as the user meets it: switching pages by
// mouse and keyboard, the veto of a page with a refused entry, Enter and
// Escape on a page, and the heading fields of the components page.

#include <QLineEdit>
#include <QTabBar>
#include <QtTest>

#include "GuiTestSupport.h"
#include "app/gui/MainWindow.h"
#include "ui/widgets/PembView.h"
#include "ui/widgets/TabControl.h"
#include "ui/widgets/TabbedDialog.h"

using namespace tavo;
using namespace tavo::test;

class PagesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Sandbox> sandbox_;
    std::unique_ptr<Program> program_;
    QString file_;

    CPembFrame& frame() { return program_->app.frame(); }
    CPembView& view() { return *frame().view(); }
    Document& document() { return program_->app.doc().document(); }
    QLineEdit* field(const char* name) { return frame().findChild<QLineEdit*>(QString::fromLatin1(name)); }
    void clickTab(int index) {
        QTabBar* bar = view().tabControl()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    void pressOnFocus(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &frame();
        QTest::keyClick(target, key, modifiers);
    }

private Q_SLOTS:
    void initTestCase() { prepareQtApplication(*qApp); }

    void init() {
        sandbox_ = std::make_unique<Sandbox>();
        file_ = sandbox_->projectFile(QStringLiteral("haus.tavo"), "Haus");
        program_ = std::make_unique<Program>(*sandbox_);
        QVERIFY(program_->app.start({QStringLiteral("tavo"), file_}));
        frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame()));
    }

    void cleanup() {
        program_.reset();
        sandbox_.reset();
    }

    void pagesComeInTheirOrderWithTheFirstActive() {
        const MyCTabCtrl* tabs = view().tabControl();
        QCOMPARE(tabs->count(), 4);
        const QStringList labels{tabs->tabText(0), tabs->tabText(1), tabs->tabText(2), tabs->tabText(3)};
        QCOMPARE(labels, (QStringList{QStringLiteral("Bauteile"), QStringLiteral("Ständige Lasten"), QStringLiteral("Nutzlasten"),
                                      QStringLiteral("Ergebnis")}));
        QCOMPARE(view().GetActivePageId(), PageId::Components);
        QVERIFY(!view().GetActivePage()->IsPageInactive());
        QVERIFY(tabs->page(1)->IsPageInactive());
        QVERIFY(!tabs->page(1)->isEnabled());
        QCOMPARE(field("startPage")->text(), QStringLiteral("1"));
    }

    void ctrlTabGoesRoundThePagesBothWays() {
        QList<int> forward;
        for (int i = 0; i < 4; ++i) {
            pressOnFocus(Qt::Key_Tab, Qt::ControlModifier);
            forward.append(view().GetActivePageId());
        }
        QCOMPARE(forward, (QList<int>{PageId::PermanentLoads, PageId::ImposedLoads, PageId::Results, PageId::Components}));
        pressOnFocus(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(view().GetActivePageId(), PageId::Results);
        pressOnFocus(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(view().GetActivePageId(), PageId::ImposedLoads);
    }

    void refusedStartPageKeepsTheUserOnThePage() {
        QLineEdit* startPage = field("startPage");
        startPage->setFocus();
        startPage->selectAll();
        QTest::keyClicks(startPage, QStringLiteral("1000"));

        clickTab(1);
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{QStringLiteral("Geben Sie eine ganze Zahl zwischen 1 und 999 ein.")});
        QCOMPARE(view().GetActivePageId(), PageId::Components);
        QCOMPARE(view().tabControl()->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), startPage);
        QCOMPARE(startPage->selectedText(), QStringLiteral("1000"));

        pressOnFocus(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(MessageSink::takeShownTexts().size(), 1);
        QCOMPARE(view().GetActivePageId(), PageId::Components);
        QCOMPARE(document().project().startPage, 1);
        QVERIFY(!document().isModified());

        startPage->setText(QStringLiteral("999"));
        clickTab(1);
        QVERIFY(MessageSink::takeShownTexts().isEmpty());
        QCOMPARE(view().GetActivePageId(), PageId::PermanentLoads);
        QCOMPARE(document().project().startPage, 999);
        QVERIFY(document().isModified());
    }

    void leavingAFieldChecksItUnlessTheFocusLeavesThePage() {
        QLineEdit* startPage = field("startPage");
        startPage->setFocus();
        startPage->setText(QStringLiteral("abc"));
        field("titleLine1")->setFocus();
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{QStringLiteral("Geben Sie eine ganze Zahl ein.")});
        QCOMPARE(QApplication::focusWidget(), startPage);

        // To the tab row: outside the page, so no message now; the page's own
        // check comes when it is left.
        view().tabControl()->tabBar()->setFocus();
        QVERIFY(MessageSink::takeShownTexts().isEmpty());
    }

    void enterMovesOnAndEscapeClosesNothing() {
        QLineEdit* first = field("titleLine1");
        first->setFocus();
        pressOnFocus(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), field("titleLine2"));
        pressOnFocus(Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), field("startPage"));
        pressOnFocus(Qt::Key_Escape);
        QVERIFY(view().GetActivePage()->isVisible());
        QVERIFY(frame().isVisible());
    }

    void enteringTheFirstTitleLineKeepsItsText() {
        QLineEdit* first = field("titleLine1");
        QCOMPARE(first->text(), QStringLiteral("Bauwaage"));
        field("titleLine2")->setFocus();
        pressOnFocus(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), first);
        QVERIFY(!first->hasSelectedText());
        QCOMPARE(first->cursorPosition(), first->text().size());
    }

    void headingTextsAreStoredWhenChangedOnly() {
        QLineEdit* second = field("titleLine2");
        QCOMPARE(second->maxLength(), kMaxTitleLineChars);
        second->setText(QStringLiteral("Statik – Lastaufstellung"));
        clickTab(3);
        QCOMPARE(document().project().titleLines[1], std::string("Statik \x96 Lastaufstellung"));
        QVERIFY(document().isModified());

        QVERIFY(document().saveDocument(file_.toStdString()));
        clickTab(0);
        QCOMPARE(second->text(), QStringLiteral("Statik – Lastaufstellung"));
        clickTab(2);
        QVERIFY(!document().isModified());
    }

    void openingShowsTheFirstPageWithoutAskingTheOldOne() {
        clickTab(2);
        QCOMPARE(view().GetActivePageId(), PageId::ImposedLoads);
        const QString other = sandbox_->projectFile(QStringLiteral("zwei.tavo"), "Zwei");
        QVERIFY(document().openFile(other.toStdString()));
        QCOMPARE(view().GetActivePageId(), PageId::Components);
        QVERIFY(view().tabControl()->page(2)->IsPageInactive());
    }
};

QTEST_MAIN(PagesTest)
#include "test_pages.moc"
