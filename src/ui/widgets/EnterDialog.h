#pragma once

#include <QDialog>

class QDialogButtonBox;

#include <functional>

#include "ui/widgets/DataExchange.h"

namespace tavo {

class Document;

// The base of every entry dialog and tab page. Enter in a single-line field
// moves on to the next field as Tab does; in a grid cell, a multi-line field
// or on a button it keeps its meaning.
class CEnterDialog : public QDialog {
    Q_OBJECT

public:
    // Tracked exchanges mark document modified; none for a dialog that edits no project data.
    explicit CEnterDialog(Document* document, QWidget* parent = nullptr);

    // Fills the controls from the data, or stores and checks them; false when a
    // field refused its entry.
    bool UpdateData(bool saveAndValidate = true);

protected:
    virtual void DoDataExchange(DataExchange& dx);

    // The dialog's two buttons: acceptText, the default, runs accept(), and
    // "Abbrechen" runs reject().
    QDialogButtonBox* acceptCancelButtons(const QString& acceptText);

    // handler runs whenever field loses the keyboard focus, except while this
    // dialog's data exchange runs: that moves the focus itself, to the field
    // that refused, and must not set off the checks of the field it leaves.
    void onFieldLeft(QWidget* field, std::function<void()> handler);

    Document* document() const { return document_; }

    void keyPressEvent(QKeyEvent* event) override;

private:
    Document* document_;
    bool exchanging_ = false;
};

// True when the keyboard focus is on a control of dialog other than its Cancel
// button: a field's checks are skipped when the user leaves it for Cancel or
// for another window.
bool FocusStaysInDialog(const QWidget* dialog);

}  // namespace tavo
