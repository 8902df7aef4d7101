// The components page as the user works it, mostly with the keyboard: the list
// of components and elements, the entries in both grids as the saved file
// shows them, and the two row dialogs.

#include <QAbstractButton>
#include <QLineEdit>
#include <QtTest>

#include "GuiTestSupport.h"
#include "app/gui/Commands.h"
#include "app/gui/MainWindow.h"
#include "app/gui/PembDoc.h"
#include "file/ProjectFile.h"
#include "support/SampleProjects.h"
#include "ui/widgets/CBTZLoe.h"
#include "ui/widgets/CLastKorrDlg.h"
#include "ui/widgets/DlgAllgemein.h"
#include "ui/widgets/GridBT.h"
#include "ui/widgets/PembView.h"
#include "ui/widgets/TabControl.h"

using namespace tavo;
using namespace tavo::test;

namespace {

const QStringList kEmptyName{QStringLiteral("Eingabe darf nicht leer sein!")};
const QStringList kNoSuchRow{QStringLiteral("Zeile nicht vorhanden!")};

// One component "Decke" with one element "Platte": a layer, an area load and a
// point load; an imposed area load and a line load.
ProjectData slabProject() {
    ProjectData project;
    project.componentNames[0] = "Decke";
    project.elementNames[0][0] = "Platte";
    PermanentRow layer{"Beton", "24.00", "", "", "", "", "", PermanentUnit::Layer};
    PermanentRow screed{"Estrich", "", "", "1.10", "", "", "", PermanentUnit::AreaLoad};
    PermanentRow rail{"Rohr", "", "", "", "", "", "0.35", PermanentUnit::PointLoad};
    project.permanentRow(0, 0, 0) = layer;
    project.permanentRow(0, 0, 1) = screed;
    project.permanentRow(0, 0, 2) = rail;
    project.permRowCount[0][0] = 3;
    project.imposedRow(0, 0, 0) = ImposedRow{"Wohnen", "2.00", "", "", "", ImposedUnit::AreaLoad};
    project.imposedRow(0, 0, 1) = ImposedRow{"Brüstung", "", "", "0.50", "", ImposedUnit::LineLoad};
    project.imposedRowCount[0][0] = 2;
    return project;
}

}  // namespace

class ComponentsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Sandbox> sandbox_;
    std::unique_ptr<Program> program_;
    QString file_;

    CPembFrame& frame() { return program_->app.frame(); }
    Document& document() { return program_->app.doc().document(); }
    ProjectData& project() { return document().project(); }
    DlgAllgemein& page() { return *static_cast<DlgAllgemein*>(frame().view()->tabControl()->page(0)); }
    template <typename T = QWidget>
    T* child(const QString& name) {
        T* found = page().findChild<T*>(name);
        if (found == nullptr) qFatal("no %s", qPrintable(name));
        return found;
    }
    QLineEdit* edit(const QString& name) { return child<QLineEdit>(name); }
    QWidget* focused() { return QApplication::focusWidget(); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(focused(), key, modifiers); }
    void type(const QString& text) { QTest::keyClicks(focused(), text); }
    // Types into a grid cell and ends the entry with a key.
    void typeIntoCell(XGridWnd* grid, int row, int column, const QString& text, Qt::Key end) {
        grid->setFocus();
        grid->SetCurrentCell(row, column);
        QTest::keyClicks(grid, text.left(1));
        type(text.mid(1));
        press(end);
    }
    void start(const ProjectData& project) {
        file_ = sandbox_->projectFile(QStringLiteral("decke.tavo"), project);
        QVERIFY(program_->app.start({QStringLiteral("tavo"), file_}));
        frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame()));
    }
    // The runner answers the page's next dialog with answer.
    void answerDialog(std::function<bool(QDialog&)> answer) { page().setDialogRunner(std::move(answer)); }
    // The dialog shown and active, as the user meets it.
    static void showActive(QDialog& dialog, QLineEdit* field) {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        field->setFocus();
        field->selectAll();
    }

private Q_SLOTS:
    void initTestCase() { prepareQtApplication(*qApp); }
    void init() {
        sandbox_ = std::make_unique<Sandbox>();
        program_ = std::make_unique<Program>(*sandbox_);
    }
    void cleanup() {
        program_.reset();
        sandbox_.reset();
    }

    void aNewProjectShowsItsComponentOpenAndElementChosen() {
        start(slabProject());
        frame().action(CommandId::FileNew)->trigger();  // the sample is declined
        QCOMPARE(edit(QStringLiteral("componentName0"))->text(), QStringLiteral("Text Bauteil 1"));
        QCOMPARE(edit(QStringLiteral("elementName0"))->text(), QStringLiteral("Text Element 1"));
        QVERIFY(child<QAbstractButton>(QStringLiteral("componentMarker0"))->isChecked());
        QVERIFY(child<QAbstractButton>(QStringLiteral("elementMarker0"))->isChecked());
        QVERIFY(!child(QStringLiteral("componentMarker1"))->isVisible());
        QVERIFY(page().permanentGrid()->isVisible());
        QVERIFY(page().imposedGrid()->isVisible());
        for (const char* hidden : {"permanentDelete", "imposedDelete", "copyElement", "permanentCorrect"})
            QVERIFY2(!child(QString::fromLatin1(hidden))->isVisible(), hidden);
        QVERIFY(child(QStringLiteral("newComponent"))->isVisible());
        QVERIFY(child(QStringLiteral("newElement"))->isVisible());
        QCOMPARE(child(QStringLiteral("componentMarker0"))->accessibleName(), QStringLiteral("Bauteil 1"));
    }

    void fullListsHideTheInsertButtons() {
        start(makeMaximalProject());
        for (const char* hidden : {"newComponent", "newElement", "copyElement"})
            QVERIFY2(!child(QString::fromLatin1(hidden))->isVisible(), hidden);
        QVERIFY(child(QStringLiteral("componentMarker13"))->isVisible());
    }

    void aNewComponentNeedsANameBeforeItCounts() {
        start(slabProject());
        child(QStringLiteral("newComponent"))->setFocus();
        press(Qt::Key_Space);
        QCOMPARE(focused(), edit(QStringLiteral("componentName1")));
        QVERIFY(!page().permanentGrid()->isVisible());
        press(Qt::Key_Tab);
        QCOMPARE(MessageSink::takeShownTexts(), kEmptyName);
        QCOMPARE(focused(), edit(QStringLiteral("componentName1")));
        QCOMPARE(project().componentCount, 1);
        QVERIFY(!document().isModified());

        type(QStringLiteral("Wand"));
        press(Qt::Key_Tab);
        QVERIFY(MessageSink::takeShownTexts().isEmpty());
        QCOMPARE(project().componentCount, 2);
        QCOMPARE(project().componentNames[1], std::string("Wand"));
        QVERIFY(document().isModified());

        // Opening it shows one empty element slot; its marker wants a name first.
        child(QStringLiteral("componentMarker1"))->setFocus();
        press(Qt::Key_Space);
        QVERIFY(edit(QStringLiteral("elementName1"))->isVisible());
        child(QStringLiteral("elementMarker1"))->setFocus();
        press(Qt::Key_Space);
        QCOMPARE(focused(), edit(QStringLiteral("elementName1")));
        QVERIFY(!page().permanentGrid()->isVisible());
    }

    void closingTheOpenComponentHidesTheGrids() {
        start(slabProject());
        child(QStringLiteral("componentMarker0"))->setFocus();
        press(Qt::Key_Space);
        QVERIFY(!page().permanentGrid()->isVisible());
        QVERIFY(!child(QStringLiteral("elementMarker0"))->isVisible());
        QCOMPARE(project().componentChosen, 0);
        press(Qt::Key_Space);
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(focused(), child(QStringLiteral("elementMarker0")));
        press(Qt::Key_Space);
        QVERIFY(page().permanentGrid()->isVisible());
    }

    void gridEntriesReachTheSavedFile() {
        start(slabProject());
        typeIntoCell(page().permanentGrid(), 1, 3, QStringLiteral("12,34"), Qt::Key_Return);
        int row = 0, column = 0;
        page().permanentGrid()->GetCurrentCell(row, column);
        QCOMPARE(column, 5);  // Enter goes on to the width
        type(QStringLiteral("2"));
        press(Qt::Key_Return);
        typeIntoCell(page().imposedGrid(), 1, 3, QStringLiteral("1.5"), Qt::Key_Escape);  // Escape keeps the entry
        // A width on a point-load row is no entry: nothing changes.
        typeIntoCell(page().permanentGrid(), 3, 5, QStringLiteral("3"), Qt::Key_Return);
        QVERIFY(document().isModified());
        QCOMPARE(page().permanentGrid()->model()->index(0, 3).data().toString(), QStringLiteral("2.96"));

        frame().action(CommandId::FileSave)->trigger();
        QVERIFY(!document().isModified());
        ProjectData saved;
        std::int32_t version = 0;
        QVERIFY(loadProjectFile(file_.toStdString(), saved, version).ok);
        const PermanentRow& layer = saved.permanentRow(0, 0, 0);
        QCOMPARE(layer.thickness, std::string("12.3"));
        QCOMPARE(layer.areaLoad, std::string("2.96"));  // 24 × 12.34 / 100, from the number as typed
        QCOMPARE(layer.influenceWidth, std::string("2"));
        QCOMPARE(layer.lineLoad, std::string("5.92"));
        QCOMPARE(saved.imposedRow(0, 0, 0).influenceWidth, std::string("1.5"));
        QCOMPARE(saved.imposedRow(0, 0, 0).lineLoad, std::string("3.00"));
        QCOMPARE(saved.permanentRow(0, 0, 2).influenceWidth, std::string());

        // The stored text typed again changes nothing.
        typeIntoCell(page().permanentGrid(), 1, 3, QStringLiteral("12.3"), Qt::Key_Return);
        typeIntoCell(page().imposedGrid(), 1, 3, QStringLiteral("1.5"), Qt::Key_Return);
        QVERIFY(!document().isModified());
    }

    void tabLeavesTheGridForItsButtons() {
        start(slabProject());
        page().permanentGrid()->setFocus();
        press(Qt::Key_Tab);
        QCOMPARE(focused(), child(QStringLiteral("permanentDelete")));
        press(Qt::Key_Tab);
        QCOMPARE(focused(), static_cast<QWidget*>(page().imposedGrid()));
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(focused(), child(QStringLiteral("permanentDelete")));
    }

    void deletingRows() {
        start(slabProject());
        answerDialog([](QDialog& dialog) {
            auto& remove = static_cast<CBTZLoe&>(dialog);
            if (remove.row() != 3 || remove.descriptionField()->text() != QStringLiteral("Rohr")) return false;
            remove.rowField()->setText(QStringLiteral("2"));
            remove.accept();
            return remove.result() == QDialog::Accepted;
        });
        child<QAbstractButton>(QStringLiteral("permanentDelete"))->click();
        QCOMPARE(project().permRowCount[0][0], 2);
        QCOMPARE(project().permanentRow(0, 0, 1).description, std::string("Rohr"));
        QCOMPARE(project().permanentRow(0, 0, 1).rowUnit, PermanentUnit::PointLoad);
        QCOMPARE(project().permanentRow(0, 0, 2).description, std::string());
        QCOMPARE(page().permanentGrid()->model()->index(1, 0).data().toString(), QStringLiteral("Rohr"));
        QVERIFY(document().isModified());

        project().imposedRowCount[0][0] = 1;
        answerDialog([](QDialog& dialog) {
            static_cast<CBTZLoe&>(dialog).accept();
            return dialog.result() == QDialog::Accepted;
        });
        child<QAbstractButton>(QStringLiteral("imposedDelete"))->click();
        QCOMPARE(project().imposedRowCount[0][0], 0);
        QVERIFY(!child(QStringLiteral("imposedDelete"))->isVisible());
    }

    void bothDialogsRefuseARowThatIsNotThere() {
        start(slabProject());
        QStringList shown;
        answerDialog([&shown](QDialog& dialog) {
            auto& remove = static_cast<CBTZLoe&>(dialog);
            showActive(dialog, remove.rowField());
            QTest::keyClicks(remove.rowField(), QStringLiteral("4"));
            shown += MessageSink::takeShownTexts();
            shown += remove.descriptionField()->text();
            remove.rowField()->selectAll();
            QTest::keyClicks(remove.rowField(), QStringLiteral("100"));  // 10 is no row, 100 out of range
            shown += MessageSink::takeShownTexts();
            return false;
        });
        child<QAbstractButton>(QStringLiteral("permanentDelete"))->click();
        const QStringList expected{kNoSuchRow[0], QString(), kNoSuchRow[0],
                                   QStringLiteral("Geben Sie eine ganze Zahl zwischen 1 und 99 ein.")};
        QCOMPARE(shown, expected);

        shown.clear();
        answerDialog([&shown](QDialog& dialog) {
            auto& correct = static_cast<CLastKorrDlg&>(dialog);
            showActive(dialog, correct.rowField());
            QTest::keyClicks(correct.rowField(), QStringLiteral("3"));
            QTest::keyClick(correct.rowField(), Qt::Key_Tab);
            shown += MessageSink::takeShownTexts();
            if (QApplication::focusWidget() != correct.rowField()) shown += QStringLiteral("focus left");
            // An imposed line load takes no correction.
            correct.rowField()->selectAll();
            QTest::keyClicks(correct.rowField(), QStringLiteral("2"));
            QTest::keyClick(correct.rowField(), Qt::Key_Tab);
            shown += MessageSink::takeShownTexts();
            return false;
        });
        edit(QStringLiteral("componentName0"))->setFocus();
        edit(QStringLiteral("componentName0"))->setText(QStringLiteral("K"));
        press(Qt::Key_Tab);
        child<QAbstractButton>(QStringLiteral("imposedCorrect"))->click();
        QCOMPARE(shown, kNoSuchRow + QStringList{QStringLiteral("Keine Eingabe für diese Zeile vorgesehen!")});
    }

    void theSwitchLetterRevealsTheManualCorrection() {
        start(slabProject());
        QVERIFY(!child(QStringLiteral("permanentCorrect"))->isVisible());
        QLineEdit* name = edit(QStringLiteral("componentName0"));
        name->setFocus();
        name->selectAll();
        type(QStringLiteral("k"));
        press(Qt::Key_Tab);
        QCOMPARE(name->text(), QStringLiteral("Decke"));
        QCOMPARE(project().componentNames[0], std::string("Decke"));
        QVERIFY(!document().isModified());
        QVERIFY(child(QStringLiteral("permanentCorrect"))->isVisible());
        QVERIFY(child(QStringLiteral("imposedCorrect"))->isVisible());

        answerDialog([](QDialog& dialog) {
            auto& correct = static_cast<CLastKorrDlg&>(dialog);
            showActive(dialog, correct.thicknessField());
            QTest::keyClicks(correct.thicknessField(), QStringLiteral("0"));
            QTest::keyClick(correct.thicknessField(), Qt::Key_Tab);
            if (MessageSink::takeShownTexts() != QStringList{QStringLiteral("Geben Sie bitte eine Zahl größer 0 ein.")})
                return false;
            correct.thicknessField()->selectAll();
            QTest::keyClicks(correct.thicknessField(), QStringLiteral("10"));
            QTest::keyClick(correct.thicknessField(), Qt::Key_Tab);
            if (correct.areaLoadField()->text() != QStringLiteral("2.4")) return false;
            correct.accept();
            return correct.result() == QDialog::Accepted;
        });
        child<QAbstractButton>(QStringLiteral("permanentCorrect"))->click();
        QCOMPARE(project().permanentRow(0, 0, 0).thickness, std::string("10"));
        QCOMPARE(project().permanentRow(0, 0, 0).areaLoad, std::string("2.40"));
        QCOMPARE(page().permanentGrid()->model()->index(0, 3).data().toString(), QStringLiteral("2.40"));
        QVERIFY(document().isModified());
    }

    void aNewProjectIsBuiltWithTheKeyboardAlone() {
        MessageSink::setNextAnswer(QMessageBox::No);  // no sample
        QVERIFY(program_->app.start({QStringLiteral("tavo")}));
        MessageSink::takeShownTexts();
        frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame()));
        const auto name = [this](const QString& edit, const QString& text) {
            QLineEdit* field = this->edit(edit);
            field->setFocus();
            field->selectAll();
            type(text);
            press(Qt::Key_Return);  // on to the next field, as Tab
        };
        const auto pressButton = [this](const QString& button) {
            child(button)->setFocus();
            press(Qt::Key_Space);
        };
        name(QStringLiteral("componentName0"), QStringLiteral("Decke"));
        for (const QString& component : {QStringLiteral("Wand"), QStringLiteral("Dach")}) {
            pressButton(QStringLiteral("newComponent"));
            type(component);
            press(Qt::Key_Return);
        }
        pressButton(QStringLiteral("componentMarker1"));
        name(QStringLiteral("elementName1"), QStringLiteral("Außenwand"));
        pressButton(QStringLiteral("newElement"));
        type(QStringLiteral("Innenwand"));
        press(Qt::Key_Return);
        QVERIFY(MessageSink::takeShownTexts().isEmpty());
        QCOMPARE(edit(QStringLiteral("componentName4"))->text(), QStringLiteral("Dach"));  // below the two elements

        QCOMPARE(project().componentCount, 3);
        QCOMPARE(project().componentNames[2], std::string("Dach"));
        QCOMPARE(project().elementCount[1], 2);
        QCOMPARE(project().elementNames[1][0], std::string("Au\xdf" "enwand"));
        QCOMPARE(project().elementNames[1][1], std::string("Innenwand"));
    }

    void copyingTheChosenElement() {
        start(slabProject());
        child(QStringLiteral("copyElement"))->setFocus();
        press(Qt::Key_Space);
        QCOMPARE(project().elementCount[0], 2);
        QCOMPARE(edit(QStringLiteral("elementName1"))->text(), QStringLiteral("Platte"));
        QCOMPARE(child(QStringLiteral("elementMarker1"))->accessibleName(), QStringLiteral("Element 2"));
        QCOMPARE(project().permRowCount[0][1], 3);
        QCOMPARE(project().imposedRowCount[0][1], 2);
        QCOMPARE(project().imposedRow(0, 1, 1).lineLoad, std::string("0.50"));
        QVERIFY(document().isModified());
    }
};

QTEST_MAIN(ComponentsTest)
#include "test_components.moc"
