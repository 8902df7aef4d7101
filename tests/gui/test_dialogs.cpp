// The shared dialog machinery: the message sink and its test answers, the
// data exchange of dialog fields with its messages and modified tracking,
// and which focus moves count as staying in a dialog.

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "app/gui/TavoApplication.h"
#include "ui/widgets/DataExchange.h"
#include "ui/widgets/EnterDialog.h"
#include "ui/widgets/MessageSink.h"
#include "ui/widgets/Messages.h"

using namespace tavo;

namespace {

// Runs one save exchange and tells whether it marked the document modified.
struct SaveRun {
    template <typename Exchange>
    explicit SaveRun(Exchange exchange) : dx(DataExchange::Direction::Save, [this] { ++marks; }) {
        exchange(dx);
    }
    DataExchange dx;
    int marks = 0;
};

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { prepareQtApplication(*qApp); }
    void init() { MessageSink::startScript(); }
    void cleanup() { MessageSink::endScript(); }

    void questionsTakeTheScriptedAnswerOrTheirDefault() {
        MessageSink::setNextAnswer(QMessageBox::Yes);
        MessageSink::setNextAnswer(QMessageBox::No);
        QVERIFY(MsgAsk(false, "Zeile %d löschen?", 3));
        QVERIFY(!MsgAsk(true, "Einheit nachträglich ändern?"));
        // Nothing left to answer: the default button.
        QVERIFY(MsgAsk(true, "A"));
        QVERIFY(!MsgAsk(false, "B"));
        QCOMPARE(MsgAsk3(Answer::Cancel, "C"), Answer::Cancel);
        QCOMPARE(MsgAsk3(Answer::No, "D"), Answer::No);
        MessageSink::setNextAnswer(QMessageBox::Yes);
        QCOMPARE(MsgAsk3(Answer::Cancel, "E"), Answer::Yes);
        MsgWarning("Element %s: %s", "Decke \xC3\xBC" "ber EG", std::string(3000, 'x').c_str());
        const QStringList shown = MessageSink::takeShownTexts();
        QCOMPARE(shown.mid(0, 7), (QStringList{QStringLiteral("Zeile 3 löschen?"), QStringLiteral("Einheit nachträglich ändern?"),
                                               QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
                                               QStringLiteral("E")}));
        QCOMPARE(shown[7], QStringLiteral("Element Decke über EG: ") + QString(3000, QLatin1Char('x')));
    }

    void quietSinkShowsNothingAndAnswersTheDefault() {
        bool quiet = true;
        MessageSink::setQuietWhen([&quiet] { return quiet; });
        MessageSink::setNextAnswer(QMessageBox::No);
        QVERIFY(MsgAsk(true, "still"));
        MsgWarning("still");
        quiet = false;
        QVERIFY(!MsgAsk(true, "laut"));
        MessageSink::setQuietWhen({});
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{QStringLiteral("laut")});
    }

    void standardButtonsSpeakGerman() {
        QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Ja"));
        QCOMPARE(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Nein"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Abbrechen"));
    }

    void numbersAreReadStrictlyAndWrittenShort() {
        QLineEdit field;
        double value = 0.1;
        DataExchange load(DataExchange::Direction::Load, {});
        DDX_Number(load, &field, value);
        QCOMPARE(field.text(), QStringLiteral("0.1"));

        for (const char* refused : {"", "1,5x", "-0", "Wand"}) {
            field.setText(QString::fromLatin1(refused));
            SaveRun run([&](DataExchange& dx) { DDX_Number(dx, &field, value); });
            QVERIFY(run.dx.failed());
        }
        QCOMPARE(MessageSink::takeShownTexts(), QStringList(4, QStringLiteral("Geben Sie eine Zahl ein.")));
        QCOMPARE(value, 0.1);

        field.setText(QStringLiteral(" 1,5 "));
        QVERIFY(!SaveRun([&](DataExchange& dx) { DDX_Number(dx, &field, value); }).dx.failed());
        QCOMPARE(value, 1.5);
    }

    void rangeChecksRefuseWithTheirMessageAndStopTheRun() {
        QLineEdit thickness;
        QLineEdit width;
        double t = 2.0;
        double w = 1.0;
        thickness.setText(QStringLiteral("0"));
        width.setText(QStringLiteral("7"));
        SaveRun run([&](DataExchange& dx) {
            DDX_NumberMinTracked(dx, &thickness, t, true);
            DDX_NumberTracked(dx, &width, w);
        });
        QVERIFY(run.dx.failed());
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{QStringLiteral("Geben Sie bitte eine Zahl größer als 0 ein!")});
        QCOMPARE(t, 2.0);
        QCOMPARE(w, 1.0);  // the run stopped at the refused field
        QCOMPARE(run.marks, 0);

        QVERIFY(!SaveRun([&](DataExchange& dx) { DDX_NumberMinTracked(dx, &thickness, t, false); }).dx.failed());
        QCOMPARE(t, 0.0);

        thickness.setText(QStringLiteral("0,05"));
        QVERIFY(SaveRun([&](DataExchange& dx) { DDX_NumberRangeTracked(dx, &thickness, t, 0.1, 10); }).dx.failed());
        thickness.setText(QStringLiteral("10,5"));
        QVERIFY(SaveRun([&](DataExchange& dx) { DDX_NumberRangeTracked(dx, &thickness, t, 0.1, 10); }).dx.failed());
        QCOMPARE(MessageSink::takeShownTexts(), (QStringList{QStringLiteral("Geben Sie bitte eine Zahl größer gleich 0.1 ein!"),
                                                             QStringLiteral("Geben Sie bitte eine Zahl kleiner gleich 10 ein!")}));

        // DDV checks refuse only when saving.
        DataExchange load(DataExchange::Direction::Load, {});
        DDV_NumberMax(load, &thickness, 11.0, 10.0, true);
        QVERIFY(!load.failed());
        SaveRun upper([&](DataExchange& dx) { DDV_NumberMax(dx, &thickness, 10.0, 10.0, true); });
        QVERIFY(upper.dx.failed());
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{QStringLiteral("Geben Sie bitte eine Zahl kleiner als 10 ein!")});
    }

    void onlyRealChangesMarkTheDocument() {
        QLineEdit field;
        double value = 2.5;
        field.setText(QStringLiteral("2,5"));
        QCOMPARE(SaveRun([&](DataExchange& dx) { DDX_NumberTracked(dx, &field, value); }).marks, 0);
        field.setText(QStringLiteral("2.5000004"));
        QCOMPARE(SaveRun([&](DataExchange& dx) { DDX_NumberTracked(dx, &field, value); }).marks, 0);
        QCOMPARE(value, 2.5000004);  // stored all the same
        field.setText(QStringLiteral("2.6"));
        QCOMPARE(SaveRun([&](DataExchange& dx) { DDX_NumberTracked(dx, &field, value); }).marks, 1);

        int page = 3;
        field.setText(QStringLiteral(" 3 "));
        QCOMPARE(SaveRun([&](DataExchange& dx) { DDX_IntRangeTracked(dx, &field, page, 1, 999); }).marks, 0);
        field.setText(QStringLiteral("4"));
        QCOMPARE(SaveRun([&](DataExchange& dx) { DDX_IntRangeTracked(dx, &field, page, 1, 999); }).marks, 1);
        QCOMPARE(page, 4);

        std::string text = "Gr\xF6\xDF" "e";  // Windows-1252
        DataExchange load(DataExchange::Direction::Load, {});
        DDX_TextTracked(load, &field, text, 10);
        QCOMPARE(field.text(), QStringLiteral("Größe"));
        QCOMPARE(SaveRun([&](DataExchange& dx) { DDX_TextTracked(dx, &field, text, 10); }).marks, 0);
        field.setMaxLength(32767);
        field.setText(QStringLiteral("Elf Zeichen"));
        QVERIFY(SaveRun([&](DataExchange& dx) { DDX_TextTracked(dx, &field, text, 10); }).dx.failed());
        QCOMPARE(MessageSink::takeShownTexts(), QStringList{QStringLiteral("Geben Sie nicht mehr als 10 Zeichen ein.")});
        QCOMPARE(text, std::string("Gr\xF6\xDF" "e"));
    }

    void choicesAreOneBased() {
        QComboBox combo;
        combo.addItems({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
        int choice = 2;
        DataExchange load(DataExchange::Direction::Load, {});
        DDX_ComboIndexTracked(load, &combo, choice, true);
        QCOMPARE(combo.currentIndex(), 1);
        combo.setCurrentIndex(2);
        SaveRun unmarked([&](DataExchange& dx) { QVERIFY(DDX_ComboIndexTracked(dx, &combo, choice, false)); });
        QCOMPARE(choice, 3);
        QCOMPARE(unmarked.marks, 0);

        QWidget box;
        QButtonGroup group;
        for (int i = 0; i < 3; ++i) group.addButton(new QRadioButton(&box), i);
        int radio = 0;  // none chosen
        DDX_RadioTracked(load, &group, radio);
        QCOMPARE(group.checkedId(), -1);
        group.button(1)->setChecked(true);
        SaveRun marked([&](DataExchange& dx) { QVERIFY(DDX_RadioTracked(dx, &group, radio)); });
        QCOMPARE(radio, 2);
        QCOMPARE(marked.marks, 1);
    }

    void leavingForCancelOrAnotherWindowIsNotStayingInTheDialog() {
        CEnterDialog dialog(nullptr);
        auto* first = new QLineEdit(&dialog);
        auto* second = new QLineEdit(&dialog);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
        QWidget elsewhere;
        auto* other = new QLineEdit(&elsewhere);
        dialog.show();
        elsewhere.show();
        QApplication::setActiveWindow(&dialog);
        first->setFocus();

        QVERIFY(FocusStaysInDialog(&dialog));
        second->setFocus();
        QVERIFY(FocusStaysInDialog(&dialog));
        buttons->button(QDialogButtonBox::Ok)->setFocus();
        QVERIFY(FocusStaysInDialog(&dialog));
        buttons->button(QDialogButtonBox::Cancel)->setFocus();
        QVERIFY(!FocusStaysInDialog(&dialog));
        QApplication::setActiveWindow(&elsewhere);
        other->setFocus();
        QVERIFY(!FocusStaysInDialog(&dialog));
    }
};

QTEST_MAIN(DialogsTest)
#include "test_dialogs.moc"
