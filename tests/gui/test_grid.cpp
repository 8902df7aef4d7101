// The grid classes on a small grid of their own: what the owner is asked, what
// comes back when a cell is edited, and how the keys move and leave the grid.

#include <QAccessible>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

#include <array>
#include <vector>

#include "ui/widgets/XEditGridClass.h"

using namespace tavo;

namespace {

// Three rows of (name, value, twice the value, note); value and note can be
// edited, and only a number is taken as value.
class NumberGrid : public XEditGridClass {
public:
    struct Row {
        std::string name, value, twice, note;
    };
    std::array<Row, 3> rows{{{"eins", "1", "2", ""}, {"zwei", "2", "4", ""}, {"drei", "3", "6", ""}}};
    std::vector<std::pair<int, int>> commits;

    NumberGrid() : XEditGridClass(6, 3) {}

protected:
    void SetupColumns() override {
        SetColumnStyle(1, CellKind::Static, Qt::AlignLeft);
        SetColumnStyle(2, CellKind::Edit, Qt::AlignRight);
        SetColumnStyle(3, CellKind::Static, Qt::AlignRight);
        SetColumnStyle(4, CellKind::Edit, Qt::AlignRight);
        SetColumnStyle(5, CellKind::Static, Qt::AlignRight);
        SetColumnStyle(6, CellKind::Edit, Qt::AlignRight);
    }
    void CellText(int column, int row, std::string& text) override {
        const Row& r = rows[row - 1];
        const std::array<const std::string*, 4> texts{&r.name, &r.value, &r.twice, &r.note};
        if (column <= 4) text = *texts[column - 1];
    }
    void ColumnTitle(int column, std::string& text) override {
        static const std::array<const char*, 6> titles{"Name", "Wert", "Doppelt-  wert", "Notiz", "Leer", "Sechs"};
        text = titles[column - 1];
    }
    void CommitCellText(int column, int row, const std::string& text) override {
        commits.emplace_back(column, row);
        Row& r = rows[row - 1];
        if (column == 4) r.note = text;
        if (column != 2) return;
        bool ok = false;
        const int value = QString::fromStdString(text).toInt(&ok);
        if (!ok) return;
        r.value = std::to_string(value);
        r.twice = std::to_string(2 * value);
    }
};

QString shown(QAbstractItemView& grid, int row, int column) {
    return grid.model()->index(row - 1, column - 1).data().toString();
}

}  // namespace

class GridTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> page_;
    QLineEdit* before_ = nullptr;
    NumberGrid* grid_ = nullptr;
    QLineEdit* after_ = nullptr;

    void cell(int row, int column) { grid_->SetCurrentCell(row, column); }
    std::pair<int, int> current() {
        int row = 0, column = 0;
        grid_->GetCurrentCell(row, column);
        return {row, column};
    }
    void type(const QString& text, Qt::Key end) {
        // The first key opens the cell editor, which then has the focus.
        QTest::keyClicks(grid_, text.left(1));
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(qobject_cast<QLineEdit*>(editor) != nullptr);
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, end);
    }

private Q_SLOTS:
    void init() {
        page_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(page_.get());
        before_ = new QLineEdit;
        grid_ = new NumberGrid;
        after_ = new QLineEdit;
        layout->addWidget(before_);
        layout->addWidget(grid_);
        layout->addWidget(after_);
        grid_->CreateInPlace(QStringLiteral("Zahlen"), true);
        page_->resize(600, 400);
        page_->show();
        page_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(page_.get()));
        grid_->setFocus();
    }
    void cleanup() { page_.reset(); }

    void asksItsOwnerForEveryText() {
        QCOMPARE(shown(*grid_, 2, 1), QStringLiteral("zwei"));
        QCOMPARE(shown(*grid_, 3, 3), QStringLiteral("6"));
        QCOMPARE(shown(*grid_, 1, 6), QString());
        QCOMPARE(grid_->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Doppelt-\nwert"));
        QCOMPARE(grid_->model()->headerData(2, Qt::Horizontal, Qt::AccessibleTextRole).toString(),
                 QStringLiteral("Doppelt- wert"));
        QCOMPARE(grid_->model()->headerData(1, Qt::Vertical).toString(), QStringLiteral("2"));
        QCOMPARE(grid_->model()->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);
        // The owner's data change shows after Reload without the grid keeping anything.
        grid_->rows[0].name = "neu";
        grid_->Reload();
        QCOMPARE(shown(*grid_, 1, 1), QStringLiteral("neu"));
    }

    void onlyEditCellsTakeEntries() {
        QVERIFY(!(grid_->model()->flags(grid_->model()->index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(grid_->model()->flags(grid_->model()->index(0, 1)) & Qt::ItemIsEditable);
        cell(1, 1);
        QTest::keyClicks(grid_, QStringLiteral("9"));
        QVERIFY(grid_->commits.empty());
        QCOMPARE(shown(*grid_, 1, 1), QStringLiteral("eins"));
    }

    void currentRowIndexCountsFromZero() {
        NumberGrid fresh;
        QCOMPARE(fresh.GetCurrentRowIndex(), -1);
        cell(1, 2);
        QCOMPARE(grid_->GetCurrentRowIndex(), 0);
        cell(0, 0);
        QCOMPARE(grid_->GetCurrentRowIndex(), -1);
        grid_->Reload();
        QCOMPARE(current(), std::make_pair(1, 1));
    }

    void enterCommitsAndMovesToTheNextEditCell() {
        cell(1, 2);
        type(QStringLiteral("5"), Qt::Key_Return);
        QCOMPARE(shown(*grid_, 1, 2), QStringLiteral("5"));
        QCOMPARE(shown(*grid_, 1, 3), QStringLiteral("10"));  // the derived cell follows at once
        QCOMPARE(current(), std::make_pair(1, 4));
        // From the last edit cell of a row to the first edit cell of the next.
        cell(1, 6);
        QTest::keyClick(grid_, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(current(), std::make_pair(2, 2));
        // In the last row it stays.
        cell(3, 6);
        QTest::keyClick(grid_, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(current(), std::make_pair(3, 6));
    }

    // How an entry typed into a cell ends: what the owner is given and shown after it.
    void anEntryEnds_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("endKey");
        QTest::addColumn<int>("commits");
        QTest::addColumn<QString>("shownAfter");
        QTest::addColumn<int>("nextRow");
        QTest::addColumn<int>("nextColumn");
        QTest::newRow("Escape commits like Enter") << 2 << 2 << "7" << int(Qt::Key_Escape) << 1 << "7" << 2 << 4;
        QTest::newRow("refused entry shows the stored text") << 2 << 2 << "abc" << int(Qt::Key_Return) << 1 << "2" << 2 << 4;
        QTest::newRow("beyond the fifth column never committed") << 1 << 6 << "x" << int(Qt::Key_Return) << 0 << "" << 2 << 2;
    }
    void anEntryEnds() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(int, endKey);
        QFETCH(int, commits);
        QFETCH(QString, shownAfter);
        QFETCH(int, nextRow);
        QFETCH(int, nextColumn);
        cell(row, column);
        type(typed, Qt::Key(endKey));
        QCOMPARE(grid_->commits.size(), std::size_t(commits));
        QCOMPARE(shown(*grid_, row, column), shownAfter);
        QCOMPARE(current(), std::make_pair(nextRow, nextColumn));
    }

    void aTextTheFileCannotHoldIsNotTaken() {
        QVERIFY(!grid_->model()->setData(grid_->model()->index(1, 1), QStringLiteral("2 Ω"), Qt::EditRole));
        QVERIFY(grid_->commits.empty());
        QCOMPARE(shown(*grid_, 2, 2), QStringLiteral("2"));
    }

    void tabLeavesTheGridBothWays() {
        cell(1, 2);
        QTest::keyClick(grid_, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), after_);
        grid_->setFocus();
        QTest::keyClick(grid_, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), before_);
        // From a cell editor the entry is committed first.
        grid_->setFocus();
        cell(1, 4);
        type(QStringLiteral("Notiz"), Qt::Key_Tab);
        QCOMPARE(grid_->rows[0].note, std::string("Notiz"));
        QCOMPARE(QApplication::focusWidget(), after_);
    }

    void columnsShareTheWidthUntilTheNextReload() {
        grid_->Reload();
        grid_->FitColumns();
        const int width = grid_->GetColWidth(1);
        for (int c = 2; c <= 6; ++c) QCOMPARE(grid_->GetColWidth(c), width);
        QVERIFY(width * 6 <= grid_->viewport()->width());
        page_->resize(900, 400);
        QCoreApplication::processEvents();
        QCOMPARE(grid_->GetColWidth(1), width);
    }

    void fitsItsHeightToRows() {
        grid_->FitHeightToRows(2);
        const int twoRows = grid_->height();
        grid_->FitHeightToRows(3);
        QCOMPARE(grid_->height() - twoRows, grid_->GetRowHeight(3));
        QCOMPARE(grid_->viewport()->height(), 3 * grid_->GetRowHeight(1));
    }

    void isATableForAssistiveTechnology() {
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid_);
        QVERIFY(table != nullptr);
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Zahlen"));
        QAccessibleTableInterface* cells = table->tableInterface();
        QVERIFY(cells != nullptr);
        QCOMPARE(cells->rowCount(), 3);
        QCOMPARE(cells->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("zwei"));
    }
};

QTEST_MAIN(GridTest)
#include "test_grid.moc"
