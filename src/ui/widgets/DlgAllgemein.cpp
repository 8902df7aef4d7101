#include "ui/widgets/DlgAllgemein.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "model/Windows1252.h"
#include "ui/Document.h"
#include "ui/widgets/CBTZLoe.h"
#include "ui/widgets/CLastKorrDlg.h"
#include "ui/widgets/GridBT.h"
#include "ui/widgets/Messages.h"
#include "ui/widgets/PembView.h"

namespace tavo {
namespace {

// The grids show their header row and this many rows.
constexpr int kPermanentRowsShown = 10;
constexpr int kImposedRowsShown = 6;
constexpr int kNameChars = 48;

QLineEdit* addField(QGridLayout* grid, int row, const QString& name, const QString& label, int widthInChars) {
    auto* field = new QLineEdit;
    field->setObjectName(name);
    field->setFixedWidth(field->fontMetrics().averageCharWidth() * widthInChars + 12);
    if (!label.isEmpty()) {
        auto* text = new QLabel(label);
        text->setBuddy(field);
        grid->addWidget(text, row, 0);
    }
    grid->addWidget(field, row, 1, Qt::AlignLeft);
    return field;
}

QPushButton* button(const QString& text, const QString& name) {
    auto* b = new QPushButton(text);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QString toQString(const std::string& text) { return QString::fromStdString(windows1252ToUtf8(text)); }
std::string fromQString(const QString& text) { return utf16ToWindows1252(text.toStdU16String()); }

}  // namespace

DlgAllgemein::DlgAllgemein(Document& document, QWidget* parent)
    : CTabbedDialog(PageId::Components, QStringLiteral("Bauteile"), &document, parent),
      document_(document),
      list_(document.project()),
      runDialog_([](QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }) {
    auto* heading = new QGridLayout;
    heading->setColumnStretch(2, 1);
    titleLine1_ = addField(heading, 0, QStringLiteral("titleLine1"), QStringLiteral("Überschrift:"), kMaxTitleLineChars);
    titleLine2_ = addField(heading, 1, QStringLiteral("titleLine2"), {}, kMaxTitleLineChars);
    titleLine2_->setAccessibleName(QStringLiteral("Überschrift, zweite Zeile"));
    startPage_ = addField(heading, 2, QStringLiteral("startPage"), QStringLiteral("Startseite:"), 5);

    // The list: component markers and names on the left, element markers and
    // names indented beside the rows below the open component. Rows in use
    // always start at the top, so the rows keep their height when hidden.
    auto* listBox = new QGroupBox(QStringLiteral("Bauteile"));
    auto* rows = new QGridLayout;
    rows->setColumnMinimumWidth(2, 24);
    for (int r = 0; r < ComponentList::kRows; ++r) {
        components_[r] = {new QCheckBox, new QLineEdit};
        elements_[r] = {new QCheckBox, new QLineEdit};
    }
    for (int r = 0; r < ComponentList::kRows; ++r) {
        for (Line* line : {&components_[r], &elements_[r]}) {
            const bool component = line == &components_[r];
            line->marker->setObjectName(QStringLiteral("%1Marker%2").arg(component ? u"component" : u"element").arg(r));
            line->name->setObjectName(QStringLiteral("%1Name%2").arg(component ? u"component" : u"element").arg(r));
            line->name->setFixedWidth(line->name->fontMetrics().averageCharWidth() * kNameChars + 12);
        }
        rows->addWidget(components_[r].marker, r, 0);
        rows->addWidget(components_[r].name, r, 1);
        rows->addWidget(elements_[r].marker, r + 1, 3);
        rows->addWidget(elements_[r].name, r + 1, 4);
        rows->setRowMinimumHeight(r, components_[r].name->sizeHint().height());
        connect(components_[r].marker, &QCheckBox::clicked, this, [this, r](bool checked) { componentMarkerClicked(r, checked); });
        connect(elements_[r].marker, &QCheckBox::clicked, this, [this, r](bool checked) { elementMarkerClicked(r, checked); });
    }
    rows->setColumnStretch(5, 1);
    newComponent_ = button(QStringLiteral("Neuen Bauteil einfügen"), QStringLiteral("newComponent"));
    newElement_ = button(QStringLiteral("Neues Element einfügen"), QStringLiteral("newElement"));
    copyElement_ = button(QStringLiteral("Aktives Element kopieren"), QStringLiteral("copyElement"));
    auto* listButtons = new QHBoxLayout;
    for (QPushButton* b : {newComponent_, newElement_, copyElement_}) listButtons->addWidget(b);
    listButtons->addStretch(1);
    auto* listLayout = new QVBoxLayout(listBox);
    listLayout->addLayout(rows);
    listLayout->addLayout(listButtons);
    listLayout->addStretch(1);

    // The grids of the chosen element, each with its buttons below it.
    const auto gridWithButtons = [this](XEditGridClass* grid, QLabel*& title, const QString& text, QPushButton*& remove,
                                        QPushButton*& correct, const char* names) {
        title = new QLabel(text);
        title->setBuddy(grid);
        grid->CreateInPlace(QString(text).remove(QStringLiteral(" :")), true);
        grid->setObjectName(QString::fromLatin1(names) + QStringLiteral("Grid"));
        remove = button(QStringLiteral("Zeile löschen"), QString::fromLatin1(names) + QStringLiteral("Delete"));
        correct = button(QStringLiteral("Manuelle Korrektur"), QString::fromLatin1(names) + QStringLiteral("Correct"));
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(remove);
        buttons->addWidget(correct);
        buttons->addStretch(1);
        auto* column = new QVBoxLayout;
        column->setSpacing(4);
        column->addWidget(title);
        column->addWidget(grid);
        column->addLayout(buttons);
        return column;
    };
    const auto markModified = [this] { document_.markModified(); };
    permanentGrid_ = new GridBT_Gew(list_, markModified);
    imposedGrid_ = new GridBT_NU(list_, markModified);
    auto* grids = new QVBoxLayout;
    grids->addLayout(gridWithButtons(permanentGrid_, permanentTitle_,
                                     QStringLiteral("Aus Bibliothek übernommene ständige Lasten :"), deletePermanent_,
                                     correctPermanent_, "permanent"));
    grids->addSpacing(12);
    grids->addLayout(gridWithButtons(imposedGrid_, imposedTitle_, QStringLiteral("Aus Bibliothek übernommene Nutzlasten :"),
                                     deleteImposed_, correctImposed_, "imposed"));
    grids->addStretch(1);

    auto* body = new QHBoxLayout;
    body->addWidget(listBox);
    body->addSpacing(12);
    body->addLayout(grids, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addSpacing(8);
    layout->addLayout(body, 1);

    // Tab goes down the list row by row: the component's marker and name, then
    // the element beside it; then the buttons and each grid with its buttons.
    QWidget* previous = startPage_;
    const auto chain = [&previous](QWidget* next) {
        setTabOrder(previous, next);
        previous = next;
    };
    for (int r = 0; r < ComponentList::kRows; ++r) {
        chain(components_[r].marker);
        chain(components_[r].name);
        if (r > 0) {
            chain(elements_[r - 1].marker);
            chain(elements_[r - 1].name);
        }
    }
    chain(elements_.back().marker);
    chain(elements_.back().name);
    for (QWidget* w : std::initializer_list<QWidget*>{newComponent_, newElement_, copyElement_, permanentGrid_, deletePermanent_,
                                                      correctPermanent_, imposedGrid_, deleteImposed_, correctImposed_})
        chain(w);

    connect(newComponent_, &QPushButton::clicked, this, [this] {
        const ComponentList::Focus focus = list_.newComponent();
        showState();
        applyFocus(focus);
    });
    connect(newElement_, &QPushButton::clicked, this, [this] {
        const ComponentList::Focus focus = list_.newElement();
        showState();
        applyFocus(focus);
    });
    connect(copyElement_, &QPushButton::clicked, this, &DlgAllgemein::copyElement);
    connect(deletePermanent_, &QPushButton::clicked, this, [this] { deleteRow(RowKind::Permanent); });
    connect(deleteImposed_, &QPushButton::clicked, this, [this] { deleteRow(RowKind::Imposed); });
    connect(correctPermanent_, &QPushButton::clicked, this, [this] { correctRow(RowKind::Permanent); });
    connect(correctImposed_, &QPushButton::clicked, this, [this] { correctRow(RowKind::Imposed); });

    for (QLineEdit* field : {titleLine1_, titleLine2_, startPage_})
        onFieldLeft(field, [this] {
            if (FocusStaysInDialog(this)) UpdateData(true);
        });
    for (int r = 0; r < ComponentList::kRows; ++r) {
        onFieldLeft(components_[r].name, [this, r] {
            if (!FocusStaysInDialog(this)) return;
            QLineEdit* edit = components_[r].name;
            const auto outcome = list_.componentNameLeft(r, fromQString(edit->text()));
            nameLeft(edit, outcome, list_.listRow(r).name);
        });
        onFieldLeft(elements_[r].name, [this, r] {
            if (!FocusStaysInDialog(this)) return;
            QLineEdit* edit = elements_[r].name;
            const auto outcome = list_.elementNameLeft(r, fromQString(edit->text()));
            nameLeft(edit, outcome, list_.elementSlot(r).name);
        });
    }
    titleLine1_->installEventFilter(this);
    showState();
}

bool DlgAllgemein::LoadPage(int) {
    int& filled = document_.pageFillStates().components;
    if (filled == 0) {
        list_.setUp();
        filled = 1;
    }
    // The other pages may have added rows since.
    if (list_.showsGrids()) showElement();
    return UpdateData(false);
}

void DlgAllgemein::DoDataExchange(DataExchange& dx) {
    if (IsPageInactive()) return;
    ProjectData& project = document_.project();
    DDX_TextTracked(dx, titleLine1_, project.titleLines[0], kMaxTitleLineChars);
    DDX_TextTracked(dx, titleLine2_, project.titleLines[1], kMaxTitleLineChars);
    DDX_IntRangeTracked(dx, startPage_, project.startPage, kMinStartPage, kMaxStartPage);
    if (dx.isSaving() && dx.isRunning()) exchangeNames();
    showState();
}

bool DlgAllgemein::settleName(QLineEdit* edit, ComponentList::NameOutcome outcome, const std::string& stored) {
    if (outcome == ComponentList::NameOutcome::Stored) document_.markModified();
    if (outcome == ComponentList::NameOutcome::Refused || outcome == ComponentList::NameOutcome::CorrectionRevealed)
        edit->setText(toQString(stored));
    return outcome != ComponentList::NameOutcome::Refused;
}

void DlgAllgemein::exchangeNames() {
    // Saving takes every name typed; an emptied name quietly stays as it was,
    // the edit left says why (nameLeft).
    for (int r = 0; r < ComponentList::kRows; ++r) {
        if (list_.listRow(r).shown) {
            const auto outcome = list_.componentNameLeft(r, fromQString(components_[r].name->text()));
            settleName(components_[r].name, outcome, list_.listRow(r).name);
        }
        if (list_.elementSlot(r).shown) {
            const auto outcome = list_.elementNameLeft(r, fromQString(elements_[r].name->text()));
            settleName(elements_[r].name, outcome, list_.elementSlot(r).name);
        }
    }
}

void DlgAllgemein::nameLeft(QLineEdit* edit, ComponentList::NameOutcome outcome, const std::string& stored) {
    if (!settleName(edit, outcome, stored)) {
        MsgWarning("%s", kEmptyNameMessage);
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
    showState();
}

void DlgAllgemein::showState() {
    const auto show = [](const Line& line, const ComponentList::Line& state, const QString& what) {
        for (QWidget* w : {static_cast<QWidget*>(line.marker), static_cast<QWidget*>(line.name)}) {
            w->setVisible(state.shown);
            w->setEnabled(state.shown);
        }
        if (!state.shown) return;
        line.marker->setChecked(state.checked);
        line.marker->setAccessibleName(QStringLiteral("%1 %2").arg(what).arg(state.index + 1));
        line.name->setAccessibleName(QStringLiteral("Name von %1 %2").arg(what).arg(state.index + 1));
        const QString name = toQString(state.name);
        if (line.name->text() != name) {
            line.name->setText(name);
            line.name->setCursorPosition(0);  // a long name shows its beginning
        }
    };
    for (int r = 0; r < ComponentList::kRows; ++r) {
        show(components_[r], list_.listRow(r), QStringLiteral("Bauteil"));
        show(elements_[r], list_.elementSlot(r), QStringLiteral("Element"));
    }
    newComponent_->setVisible(list_.showsNewComponent());
    newElement_->setVisible(list_.showsNewElement());
    copyElement_->setVisible(list_.showsCopy());
    const bool grids = list_.showsGrids();
    for (QWidget* w : std::initializer_list<QWidget*>{permanentTitle_, permanentGrid_, imposedTitle_, imposedGrid_})
        w->setVisible(grids);
    deletePermanent_->setVisible(list_.showsDelete(RowKind::Permanent));
    deleteImposed_->setVisible(list_.showsDelete(RowKind::Imposed));
    correctPermanent_->setVisible(list_.showsCorrection());
    correctImposed_->setVisible(list_.showsCorrection());
}

void DlgAllgemein::showElement() {
    // Each grid starts at the element's last row, where work goes on.
    const auto start = [](XGridWnd& grid, int rows, int rowsShown) {
        grid.Reload();
        layOutRowGrid(grid, rowsShown);
        grid.SetCurrentCell(std::max(rows, 1), 1);
    };
    start(*permanentGrid_, list_.rowCount(RowKind::Permanent), kPermanentRowsShown);
    start(*imposedGrid_, list_.rowCount(RowKind::Imposed), kImposedRowsShown);
}

void DlgAllgemein::applyFocus(ComponentList::Focus focus) {
    QLineEdit* edit = nullptr;
    if (focus.kind == ComponentList::Focus::Kind::ComponentName) edit = components_[focus.line].name;
    if (focus.kind == ComponentList::Focus::Kind::ElementName) edit = elements_[focus.line].name;
    if (edit == nullptr) return;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

void DlgAllgemein::componentMarkerClicked(int row, bool checked) {
    const ComponentList::Focus focus = list_.componentMarkerClicked(row, checked);
    showState();
    applyFocus(focus);
}

void DlgAllgemein::elementMarkerClicked(int slot, bool checked) {
    const ComponentList::Focus focus = list_.elementMarkerClicked(slot, checked);
    if (list_.showsGrids()) showElement();
    showState();
    applyFocus(focus);
}

void DlgAllgemein::copyElement() {
    if (!list_.copyActiveElement()) return;
    document_.markModified();
    showState();
}

XGridWnd* DlgAllgemein::grid(RowKind kind) const {
    return kind == RowKind::Permanent ? static_cast<XGridWnd*>(permanentGrid_) : static_cast<XGridWnd*>(imposedGrid_);
}

void DlgAllgemein::deleteRow(RowKind kind) {
    CBTZLoe dialog(list_, kind, this);
    if (!runDialog_(dialog) || !list_.deleteRow(kind, dialog.row())) return;
    grid(kind)->Redraw();
    document_.markModified();
    showState();
}

void DlgAllgemein::correctRow(RowKind kind) {
    CLastKorrDlg dialog(list_, kind, this);
    if (!runDialog_(dialog)) return;
    grid(kind)->Redraw();
    if (dialog.changedRow()) document_.markModified();
}

bool DlgAllgemein::eventFilter(QObject* watched, QEvent* event) {
    // The first title line is usually extended, not replaced: entering it keeps
    // the text unselected, with the caret at its end.
    if (watched == titleLine1_ && event->type() == QEvent::FocusIn) {
        titleLine1_->event(event);
        titleLine1_->deselect();
        titleLine1_->end(false);
        return true;
    }
    return CTabbedDialog::eventFilter(watched, event);
}

}  // namespace tavo
