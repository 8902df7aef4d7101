#include "ui/widgets/LoadPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>

#include "model/Windows1252.h"
#include "ui/Document.h"
#include "ui/widgets/LoadGrids.h"

namespace tavo {
namespace {

constexpr int kChooserRows = 15;
constexpr int kMostGridRows = PermanentLoadTables::kEntries;
constexpr int kIndent = 18;

QString fromProject(const std::string& text) { return QString::fromStdString(windows1252ToUtf8(text)); }
std::string toProject(const QString& text) { return utf16ToWindows1252(text.toStdU16String()); }

}  // namespace

// The "Übernehmen" buttons, each beside its grid row wherever the grid has scrolled.
class TakeOverButtons : public QWidget {
public:
    TakeOverButtons(std::function<void(int)> takeOver, QWidget* parent) : QWidget(parent) {
        const QString tip = QStringLiteral("Eintrag dieser Zeile übernehmen; %1 übernimmt die aktuelle Zeile")
                                .arg(QString::fromLatin1(CLoadPage::kTakeOverShortcutText));
        for (int r = 1; r <= kMostGridRows; ++r) {
            auto* button = new QPushButton(QStringLiteral("Übernehmen"), this);
            button->setAccessibleName(QStringLiteral("Übernehmen Zeile %1").arg(r));
            button->setToolTip(tip);
            button->hide();
            connect(button, &QPushButton::clicked, this, [takeOver, r] { takeOver(r); });
            buttons_.push_back(button);
        }
        setFixedWidth(buttons_.front()->sizeHint().width());
    }

    QPushButton* button(int row) const { return buttons_.at(static_cast<std::size_t>(row - 1)); }

    void setGrid(XGridWnd* grid, int count) {
        if (grid_ != grid && grid != nullptr) {
            connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, this, &TakeOverButtons::place,
                    Qt::UniqueConnection);
            grid->viewport()->installEventFilter(this);
        }
        grid_ = grid;
        count_ = grid == nullptr ? 0 : count;
        place();
    }

    // Each button at the height of its row; rows scrolled out of sight hide theirs.
    void place() {
        setGeometry(0, 0, width(), parentWidget()->height());
        raise();
        for (int r = 1; r <= kMostGridRows; ++r) {
            QPushButton* b = button(r);
            if (grid_ == nullptr || r > count_) {
                b->hide();
                continue;
            }
            const int top = grid_->rowViewportPosition(r - 1);
            const int height = grid_->rowHeight(r - 1);
            const QPoint origin = grid_->viewport()->mapTo(parentWidget(), QPoint(0, top));
            const bool visible = top >= 0 && top + height / 2 <= grid_->viewport()->height();
            b->setGeometry(0, origin.y(), width(), height);
            b->setVisible(visible);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show || event->type() == QEvent::LayoutRequest)
            place();
        return QWidget::eventFilter(watched, event);
    }
    void resizeEvent(QResizeEvent*) override { place(); }
    void moveEvent(QMoveEvent*) override { place(); }

private:
    std::vector<QPushButton*> buttons_;
    XGridWnd* grid_ = nullptr;
    int count_ = 0;
};

struct CLoadPage::Slot {
    QWidget* row;
    QRadioButton* builtIn;
    QCheckBox* marker;
    QLineEdit* name;
    QComboBox* unit;
};

CLoadPage::CLoadPage(int templateId, const QString& caption, Document& document, GridBT_Bez* rowNames,
                     const QString& builtInLabel, const QString& ownLabel, const QStringList& unitTexts)
    : CTabbedDialog(templateId, caption, &document),
      document_(document),
      run_([](QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }),
      frame_(new QGroupBox),
      builtInSource_(new QRadioButton(builtInLabel)),
      ownSource_(new QRadioButton(ownLabel)),
      unitTexts_(unitTexts),
      chooser_(new QWidget),
      chooserButtons_(new QWidget),
      gridPlace_(new QWidget),
      buttons_(new TakeOverButtons([this](int row) { takeOver(row); }, gridPlace_)),
      note_(new QLabel),
      elementLabel_(new QLabel(QStringLiteral("Aktueller Bauteil : "))),
      elementName_(new QLineEdit),
      rowCount_(new QLineEdit),
      rowNames_(rowNames) {
    builtInSource_->setAccessibleName(builtInLabel);
    ownSource_->setAccessibleName(QString(ownLabel).replace(QStringLiteral("-\n"), QString()));
    connect(builtInSource_, &QRadioButton::clicked, this, [this] { showSource(PermanentLoadTables::kBuiltIn); });
    connect(ownSource_, &QRadioButton::clicked, this, [this] { showSource(PermanentLoadTables::kOwn); });

    auto* chooserLayout = new QVBoxLayout(chooser_);
    chooserLayout->setContentsMargins(0, 0, 0, 0);
    chooserLayout->setSpacing(2);
    for (int r = 0; r < kChooserRows; ++r) {
        buildSlot(r);
        chooserLayout->addWidget(slots_.back()->row);
    }
    auto* chooserButtonLayout = new QVBoxLayout(chooserButtons_);
    chooserButtonLayout->setContentsMargins(0, 0, 0, 0);

    auto* frameLayout = new QVBoxLayout(frame_);
    auto* sources = new QHBoxLayout;
    sources->addWidget(builtInSource_);
    sources->addWidget(ownSource_);
    frameLayout->addLayout(sources);
    frameLayout->addWidget(chooser_);
    frameLayout->addWidget(chooserButtons_);
    frameLayout->addStretch(1);
    frame_->setMinimumWidth(frame_->fontMetrics().averageCharWidth() * 56);

    auto* gridLayout = new QHBoxLayout(gridPlace_);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->addSpacing(buttons_->width() + 4);
    note_->setWordWrap(true);
    note_->hide();

    elementName_->setReadOnly(true);
    elementName_->setAccessibleName(QStringLiteral("Aktueller Bauteil"));
    elementLabel_->setBuddy(elementName_);
    rowCount_->setReadOnly(true);
    rowCount_->setAccessibleName(QStringLiteral("Zeilen des Elements"));
    rowCount_->setFixedWidth(rowCount_->fontMetrics().averageCharWidth() * 14);
    rowNames_->setParent(this);
    rowNames_->CreateInPlace(QStringLiteral("Zeilen des aktuellen Elements"), true);
    rowNames_->FitHeightToRows(6);

    auto* elementLine = new QHBoxLayout;
    elementLine->addWidget(elementLabel_);
    elementLine->addWidget(elementName_, 1);
    elementLine->addWidget(rowCount_);
    auto* right = new QVBoxLayout;
    right->addWidget(gridPlace_, 1);
    right->addWidget(note_);
    right->addLayout(elementLine);
    right->addWidget(rowNames_);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(frame_);
    layout->addLayout(right, 1);

    auto takeOverCurrent = [this] {
        if (shownGrid_ != nullptr && shownGrid_->GetCurrentRowIndex() >= 0) takeOver(shownGrid_->GetCurrentRowIndex() + 1);
    };
    for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, takeOverCurrent);
    }
}

void CLoadPage::buildSlot(int row) {
    auto* slot = new Slot{new QWidget, new QRadioButton, new QCheckBox(QStringLiteral("-")), new QLineEdit, new QComboBox};
    auto* layout = new QHBoxLayout(slot->row);
    layout->setContentsMargins(0, 0, 0, 0);
    slot->builtIn->setAutoExclusive(false);
    slot->name->setMaxLength(kMaxTitleLineChars);
    slot->unit->addItems(unitTexts_);
    slot->unit->setAccessibleName(QStringLiteral("Einheit"));
    layout->addWidget(slot->builtIn, 1);
    layout->addWidget(slot->marker);
    layout->addWidget(slot->name, 1);
    layout->addWidget(slot->unit);
    slot->row->hide();
    connect(slot->builtIn, &QRadioButton::clicked, this, [this, row](bool checked) { rowClicked(row, checked); });
    connect(slot->marker, &QCheckBox::clicked, this, [this, row](bool checked) { rowClicked(row, checked); });
    connect(slot->unit, &QComboBox::activated, this, [this, row](int index) { unitChosen(row, index + 1); });
    onFieldLeft(slot->name, [this, row, slot] {
        if (slot->row->isVisible()) nameLeft(row, toProject(slot->name->text()));
    });
    slots_.push_back(slot);
}

bool CLoadPage::LoadPage(int) {
    if (!filled()) {
        setFilled();
        setSource(PermanentLoadTables::kBuiltIn);
        sourceChosen(PermanentLoadTables::kBuiltIn);
    }
    builtInSource_->setChecked(source() == PermanentLoadTables::kBuiltIn);
    ownSource_->setChecked(source() == PermanentLoadTables::kOwn);
    frame_->setTitle(source() == PermanentLoadTables::kBuiltIn ? QStringLiteral("Tabellen gemäß ÖNORM B 1991-1-1")
                                                              : QStringLiteral("Tabellen"));
    listRows();
    showActiveElement();
    return true;
}

void CLoadPage::showSource(int chosen) {
    setSource(chosen);
    sourceChosen(chosen);
    LoadPage(0);
}

void CLoadPage::showRows(const std::vector<ChooserRow>& rows) {
    for (int r = 0; r < kChooserRows; ++r) {
        Slot& slot = *slots_[static_cast<std::size_t>(r)];
        if (r >= static_cast<int>(rows.size())) {
            slot.row->hide();
            continue;
        }
        const ChooserRow& row = rows[static_cast<std::size_t>(r)];
        const bool builtIn = row.kind == ChooserRow::Kind::BuiltIn;
        slot.row->layout()->setContentsMargins(row.indented ? kIndent : 0, 0, 0, 0);
        slot.builtIn->setVisible(builtIn);
        slot.marker->setVisible(!builtIn);
        slot.name->setVisible(!builtIn);
        slot.unit->setVisible(row.kind == ChooserRow::Kind::OwnTable);
        const QString text = fromProject(row.text);
        if (builtIn) {
            slot.builtIn->setText(text);
            slot.builtIn->setAccessibleName(text);
            slot.builtIn->setChecked(row.checked);
        } else {
            const QString what = row.kind == ChooserRow::Kind::OwnGroup ? QStringLiteral("Gruppe") : QStringLiteral("Tabelle");
            slot.marker->setChecked(row.checked);
            slot.marker->setAccessibleName(QStringLiteral("%1 wählen: %2").arg(what, text));
            if (!slot.name->hasFocus()) {
                slot.name->setText(text);
                slot.name->setCursorPosition(0);  // a long name shows its beginning
            }
            slot.name->setAccessibleName(QStringLiteral("Name der %1").arg(what));
            const QSignalBlocker blocker(slot.unit);
            slot.unit->setCurrentIndex(row.unit - 1);
        }
        slot.row->show();
    }
}

QLineEdit* CLoadPage::nameField(int row) const { return slots_.at(static_cast<std::size_t>(row))->name; }

QPushButton* CLoadPage::addChooserButton(const QString& text) {
    auto* button = new QPushButton(text);
    button->setAccessibleName(text);
    chooserButtons_->layout()->addWidget(button);
    return button;
}

void CLoadPage::addGrid(XGridWnd* grid) {
    gridPlace_->layout()->addWidget(grid);
    grid->hide();
}

void CLoadPage::showGrid(XGridWnd* grid, int count) {
    for (XGridWnd* other : gridPlace_->findChildren<XGridWnd*>())
        if (other != grid) other->hide();
    shownGrid_ = grid;
    if (grid != nullptr) {
        grid->SetRowCount(count);
        grid->show();
        grid->Reload();
    } else {
        note_->hide();
    }
    buttons_->setGrid(grid, count);
}

void CLoadPage::showNote(const QString& note) {
    note_->setText(note);
    note_->setVisible(!note.isEmpty());
}

void CLoadPage::showNameCommit(int row, NameCommit commit, const std::string& stored) {
    if (commit == NameCommit::Unchanged) return;
    if (commit == NameCommit::Refused) {
        nameField(row)->setText(fromProject(stored));
        nameField(row)->selectAll();
        return;
    }
    document_.markModified();
    listRows();
}

void CLoadPage::showUnitChange(bool changed, XGridWnd* ownGrid) {
    if (changed) {
        document_.markModified();
        if (shownGrid_ == ownGrid) ownGrid->Reload();
    }
    listRows();
}

QPushButton* CLoadPage::takeOverButton(int row) const { return buttons_->button(row); }

void CLoadPage::takeOver(int row) {
    if (!UpdateData(true)) return;
    ModalEntryDialogs dialogs(this, run_);
    if (!takeOverEntry(row - 1, dialogs)) return;
    document_.markModified();
    showActiveElement();
}

void CLoadPage::showActiveElement() {
    const ProjectData& project = document_.project();
    const bool active = project.componentChosen != 0 && project.elementChosen != 0;
    for (QWidget* w : std::initializer_list<QWidget*>{elementLabel_, elementName_, rowCount_, rowNames_}) w->setVisible(active);
    if (!active) return;
    const auto c = project.activeComponent;
    const auto e = project.activeElement;
    elementName_->setText(fromProject(project.componentNames[c] + ", " + project.elementNames[c][e]));
    rowNames_->ShowActiveElement();
    // The header has its height only once the page is laid out.
    QTimer::singleShot(0, rowNames_, [grid = rowNames_] { grid->FitHeightToRows(6); });
    rowCount_->setText(QStringLiteral("%1 Zeile(n)").arg(rowNames_->GetRowCount()));
}

}  // namespace tavo
