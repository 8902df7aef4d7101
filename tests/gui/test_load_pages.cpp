// The two load pages as a user works them: entries of the built-in and own
// tables taken over into the chosen element, through the entry dialogs where a
// number is missing.

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "GuiTestSupport.h"
#include "app/gui/OutputCommands.h"
#include "model/Windows1252.h"
#include "ui/LoadTakeOver.h"
#include "ui/OwnLoadTables.h"
#include "ui/widgets/GridBT.h"
#include "ui/widgets/DlgLasten_NU.h"
#include "ui/widgets/DlgLasten_ST.h"
#include "ui/widgets/LoadEntryDialogs.h"
#include "ui/widgets/LoadGrids.h"
#include "ui/widgets/TabControl.h"

using namespace tavo;
using namespace tavo::test;

namespace {

// Fills one field of an entry dialog and presses "Okay".
template <typename Dialog>
ScriptedDialogs::Answer entering(QLineEdit* (Dialog::*field)() const, const char* text) {
    return [field, text](QDialog& shown) {
        auto* dialog = qobject_cast<Dialog*>(&shown);
        if (dialog == nullptr) return false;
        (dialog->*field)()->setText(QString::fromLatin1(text));
        dialog->accept();
        return dialog->result() == QDialog::Accepted;
    };
}

}  // namespace

class LoadPagesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Session> run_;

    template <typename Page = CLoadPage>
    Page* page(int tab) {
        run_->view().tabControl()->SetActiveTab(tab);
        return qobject_cast<Page*>(run_->view().GetActivePage());
    }

private Q_SLOTS:
    // The program on a project with one component "Decke", its element chosen and empty.
    void init() {
        run_ = std::make_unique<Session>();
        QVERIFY(run_->start(run_->sandbox.projectFile(QStringLiteral("leer.tavo"), "Decke")));
        run_->frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&run_->frame()));
        run_->project().componentChosen = 1;
        run_->project().elementChosen = 1;
    }
    void cleanup() { run_.reset(); }

    void rowsAreTakenOverOnBothPages() {
        auto* dialogs = new ScriptedDialogs;
        run_->frame().output().setDialogRunner(std::unique_ptr<DialogRunner>(dialogs));
        auto* permanent = page<DlgLasten_ST>(1);
        QVERIFY(permanent != nullptr);
        // A plain value by the button and by the keyboard.
        permanent->takeOverButton(18)->click();
        QVERIFY(run_->document().isModified());
        permanent->builtInGrid()->SetCurrentCell(18, 4);
        QTest::keyClick(permanent->builtInGrid(), Qt::Key_Return, Qt::ControlModifier);
        // A dry density through its dialog.
        dialogs->answer(entering(&CLastWichDlg::unitWeightField, "7.25"));
        permanent->takeOverButton(9)->click();
        // A surcharge per cm of gravel, and a glass surcharge refused until its glass stands.
        const Accordion& accordion = permanent->accordion();
        permanent->chooseRow(accordion.rowOfGroup(1));
        permanent->chooseRow(accordion.rowOfTable(5));
        dialogs->answer(entering(&CLastWich2Dlg::countField, "5"));
        permanent->takeOverButton(2)->click();
        permanent->chooseRow(accordion.rowOfTable(1));
        permanent->takeOverButton(3)->click();
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{QString::fromUtf8(kNoParentLoadMessage)});
        // An own entry made on the spot.
        permanent->ownSourceButton()->click();
        QVERIFY(permanent->shownGrid() == permanent->ownGrid());
        permanent->ownGrid()->StoreCellText(1, 1, utf8ToWindows1252("Brüstung"));
        permanent->ownGrid()->StoreCellText(1, 2, "1,5");
        permanent->takeOverButton(1)->click();
        QCOMPARE(permanent->rowNames()->GetRowCount(), 5);

        // A category and a lower bound through its dialog.
        auto* imposed = page<DlgLasten_NU>(2);
        QVERIFY(imposed != nullptr);
        imposed->takeOverButton(1)->click();
        imposed->chooseRow(1);
        dialogs->answer(entering(&CLastWich3Dlg::loadField, "7,5"));
        imposed->takeOverButton(5)->click();
        QCOMPARE(imposed->rowNames()->GetRowCount(), 2);
        QVERIFY(MessageSink::takeShownTexts().isEmpty());

        QCOMPARE(run_->project().permRowCount[0][0], 5);
        const auto permanentRow = [this](int r) { return run_->project().permanentRow(0, 0, r); };
        QCOMPARE(permanentRow(0).unitWeight, std::string("24.00"));
        QCOMPARE(permanentRow(1).unitWeight, std::string("24.00"));
        QCOMPARE(permanentRow(2).unitWeight, std::string("7.25"));
        QCOMPARE(permanentRow(3).unitWeight, std::string("20.00"));  // 5 cm of gravel at 0.20 per cm
        QCOMPARE(permanentRow(3).thickness, std::string("5"));
        QCOMPARE(windows1252ToUtf8(permanentRow(4).description), std::string("Brüstung"));
        QCOMPARE(permanentRow(4).unitWeight, std::string("1.50"));
        QVERIFY(windows1252ToUtf8(run_->project().imposedRow(0, 0, 0).description).starts_with("Kat. A1, Wohnflächen"));
        QCOMPARE(run_->project().imposedRow(0, 0, 1).areaLoad, std::string("7.50"));
    }

    // The own tables' controls reach their rules: a filled table's unit changes only
    // when confirmed; a new group's name gets the focus and counts once it is left.
    void ownTablesOfThePermanentPage() {
        auto* permanent = page<DlgLasten_ST>(1);
        permanent->ownSourceButton()->click();
        permanent->ownGrid()->StoreCellText(1, 2, "2");
        QComboBox* unit = nullptr;
        for (QComboBox* combo : permanent->findChildren<QComboBox*>())
            if (combo->isVisible()) unit = combo;
        QVERIFY(unit != nullptr);
        for (QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
            MessageSink::setNextAnswer(answer);
            unit->setCurrentIndex(1);
            Q_EMIT unit->activated(1);
            QCOMPARE(MessageSink::takeShownTexts(), QStringList{QString::fromUtf8(kChangeUnitQuestion)});
            QCOMPARE(unit->currentIndex(), answer == QMessageBox::Yes ? 1 : 0);
            QCOMPARE(run_->project().permanentTables.ownTableUnit[0][0], answer == QMessageBox::Yes ? 2u : 1u);
        }

        permanent->newGroupButton()->click();
        auto* name = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(name != nullptr);
        name->setText(QStringLiteral("Gruppe 2"));
        permanent->ownSourceButton()->setFocus();
        QCOMPARE(run_->project().permanentTables.ownGroupCount, 2u);
    }
};

QTEST_MAIN(LoadPagesTest)
#include "test_load_pages.moc"
