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
        grid_ = new NumberGrid;
        after_ = new QLineEdit;
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

    // Each cell shows what its owner says, also after the owner's data changed;
    // only edit cells take an entry, and only one the file can hold.
    void showsTheOwnersTextsAndTakesEntriesOnlyInEditCells() {
        QCOMPARE(shown(*grid_, 3, 3), QStringLiteral("6"));
        grid_->rows[0].name = "neu";
        grid_->Reload();
        QCOMPARE(shown(*grid_, 1, 1), QStringLiteral("neu"));
        cell(1, 1);
        QTest::keyClicks(grid_, QStringLiteral("9"));
        QCOMPARE(shown(*grid_, 1, 1), QStringLiteral("neu"));
        QVERIFY(!grid_->model()->setData(grid_->model()->index(1, 1), QStringLiteral("2 Ω"), Qt::EditRole));
        QVERIFY(grid_->commits.empty());
        QCOMPARE(shown(*grid_, 2, 2), QStringLiteral("2"));
        // The row a key takes over counts from zero.
        cell(2, 2);
        QCOMPARE(grid_->GetCurrentRowIndex(), 1);
        cell(0, 0);
        QCOMPARE(grid_->GetCurrentRowIndex(), -1);
        // Assistive technology meets a table of the owner's texts.
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid_);
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->tableInterface()->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("zwei"));
    }

    // How an entry typed into a cell ends: what the owner is given, what shows
    // after it and where the cursor goes.
    void anEntryEnds() {
        struct Case {
            const char* name;
            int row, column;
            const char* typed;
            Qt::Key end;
            std::size_t commits;
            const char* shownAfter;
            std::pair<int, int> next;
        };
        const Case cases[] = {
            {"Enter commits and moves to the next edit cell", 1, 2, "5", Qt::Key_Return, 1, "5", {1, 4}},
            {"Escape commits like Enter", 2, 2, "7", Qt::Key_Escape, 1, "7", {2, 4}},
            {"refused entry shows the stored text", 3, 2, "abc", Qt::Key_Return, 1, "3", {3, 4}},
            {"beyond the fifth column never committed, on to the next row", 1, 6, "x", Qt::Key_Return, 0, "", {2, 2}},
        };
        for (const Case& c : cases) {
            grid_->commits.clear();
            cell(c.row, c.column);
            type(QString::fromLatin1(c.typed), c.end);
            QVERIFY2(grid_->commits.size() == c.commits, c.name);
            QVERIFY2(shown(*grid_, c.row, c.column) == QString::fromLatin1(c.shownAfter), c.name);
            QVERIFY2(current() == c.next, c.name);
        }
        QCOMPARE(shown(*grid_, 1, 3), QStringLiteral("10"));  // the derived cell followed at once
        // The keypad's Enter on a cell moves on like Return.
        cell(1, 6);
        QTest::keyClick(grid_, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(current(), std::make_pair(2, 2));
    }

    // Tab leaves the grid; from a cell editor the entry is committed first.
    void tabCommitsAndLeavesTheGrid() {
        cell(1, 4);
        type(QStringLiteral("Notiz"), Qt::Key_Tab);
        QCOMPARE(grid_->rows[0].note, std::string("Notiz"));
        QCOMPARE(QApplication::focusWidget(), after_);
    }
};

QTEST_MAIN(GridTest)
#include "test_grid.moc"
