#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <memory>

#include "library/LoadEntry.h"
#include "ui/widgets/LoadEntryDialogs.h"
#include "ui/widgets/MessageSink.h"

using namespace tavo;

namespace {

// The entry of the count dialog for a value text as the take-over loads it.
CountValueEntry countValueEntry(const char* valueText, int group, PerUnitKind kind) {
    auto tables = std::make_unique<PermanentLoadTables>();
    tables->currentGroup = static_cast<std::uint32_t>(group);
    tables->perUnitKind = kind;
    tables->loadParamsForTakeOver(valueText);
    return CountValueEntry::fromParams(*tables);
}

// Types text into field and presses "Okay"; true when the dialog closed accepted.
bool acceptWith(CLoadEntryDialog& dialog, QLineEdit* field, const QString& text) {
    field->setText(text);
    dialog.setResult(QDialog::Rejected);
    dialog.accept();
    return dialog.QDialog::result() == QDialog::Accepted;
}

// Each text refused with one message, then both bounds taken; the upper one last.
void checkRange(CLoadEntryDialog& dialog, QLineEdit* field, std::initializer_list<const char*> refused, const char* lower,
                const char* upper) {
    for (const char* text : refused) {
        QVERIFY2(!acceptWith(dialog, field, QString::fromLatin1(text)), text);
        QCOMPARE(MessageSink::takeShownTexts().size(), 1);
    }
    QVERIFY(acceptWith(dialog, field, QString::fromLatin1(lower)));
    QVERIFY(acceptWith(dialog, field, QString::fromLatin1(upper)));
}

}  // namespace

class EntryDialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { MessageSink::startScript(); }
    void cleanup() { MessageSink::endScript(); }

    void countAndLowerBoundStayInTheirRanges() {
        CLastWich2Dlg count(countValueEntry("0.20", 1, PerCentimetre));
        QVERIFY(!count.valueField()->isEnabled());  // a fixed value cannot change
        QCOMPARE(count.countField()->text(), QStringLiteral("1"));
        checkRange(count, count.countField(), {"0", "1001", "x"}, "1", "1000");
        QCOMPARE(count.entered().count, 1000);
        QCOMPARE(count.entered().value, 0.20);

        CLastWich2Dlg lowerBound(countValueEntry(">= 26.0", 0, Ordinary));
        QVERIFY(!lowerBound.countField()->isEnabled());
        QCOMPARE(lowerBound.valueField()->text(), QStringLiteral("26"));
        checkRange(lowerBound, lowerBound.valueField(), {"25,9", "60.01"}, "26", "60");
        QCOMPARE(lowerBound.entered().value, 60.0);

        auto tables = std::make_unique<ImposedLoadTables>();
        tables->currentTable = 4;
        tables->loadParamsForLowerBound(">= 4.0");
        CLastWich3Dlg imposed(ImposedLoadEntry::fromParams(*tables));
        QCOMPARE(imposed.loadField()->text(), QStringLiteral("4"));
        checkRange(imposed, imposed.loadField(), {"3.99", "10.5"}, "4", "10");
        QCOMPARE(imposed.load(), 10.0);
    }

    void leavingTheDensityFieldInterpolatesTheUnitWeight() {
        auto tables = std::make_unique<PermanentLoadTables>();
        tables->splitParams("Trockenrohdichte;450;850;850;5.0;9.5;9.5");
        CLastWichDlg dialog(DryDensityEntry::fromParams(*tables));
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.densityField()->text(), QStringLiteral("850"));
        QCOMPARE(dialog.unitWeightField()->text(), QStringLiteral("9.5"));

        dialog.densityField()->setFocus();
        dialog.densityField()->setText(QStringLiteral("650"));
        QTest::keyClick(dialog.densityField(), Qt::Key_Tab);
        QCOMPARE(dialog.unitWeightField()->text(), QStringLiteral("7.25"));

        dialog.densityField()->setFocus();
        dialog.densityField()->setText(QStringLiteral("449"));
        QTest::keyClick(dialog.densityField(), Qt::Key_Tab);  // refused: the unit weight stays
        QCOMPARE(MessageSink::takeShownTexts().size(), 1);
        QCOMPARE(dialog.unitWeightField()->text(), QStringLiteral("7.25"));

        dialog.densityField()->setText(QStringLiteral("450"));
        QTest::keyClick(dialog.densityField(), Qt::Key_Tab);
        QCOMPARE(dialog.unitWeightField()->text(), QStringLiteral("5"));
        QVERIFY(acceptWith(dialog, dialog.unitWeightField(), QStringLiteral("6,1")));
        QCOMPARE(dialog.unitWeight(), 6.1);
    }
};

QTEST_MAIN(EntryDialogsTest)
#include "test_entry_dialogs.moc"
