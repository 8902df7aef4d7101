#include "ui/widgets/EnterDialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

#include "ui/Document.h"

namespace tavo {
namespace {

// Calls its handler when the watched widget loses the focus. A menu or a context
// menu that pops up takes the focus only for a while: the field is not left.
class FocusLeaveWatcher : public QObject {
public:
    FocusLeaveWatcher(QWidget* field, std::function<void()> handler) : QObject(field), handler_(std::move(handler)) {
        field->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            handler_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> handler_;
};

bool isInsideItemView(const QWidget* widget) {
    for (const QWidget* w = widget->parentWidget(); w != nullptr; w = w->parentWidget())
        if (qobject_cast<const QAbstractItemView*>(w) != nullptr) return true;
    return false;
}

bool isCancelButton(const QWidget* widget) {
    const auto* button = qobject_cast<const QAbstractButton*>(widget);
    if (button == nullptr) return false;
    for (const QWidget* w = button->parentWidget(); w != nullptr; w = w->parentWidget())
        if (const auto* box = qobject_cast<const QDialogButtonBox*>(w))
            return box->buttonRole(const_cast<QAbstractButton*>(button)) == QDialogButtonBox::RejectRole;
    return false;
}

}  // namespace

CEnterDialog::CEnterDialog(Document* document, QWidget* parent) : QDialog(parent), document_(document) {}

bool CEnterDialog::UpdateData(bool saveAndValidate) {
    DataExchange dx(saveAndValidate ? DataExchange::Direction::Save : DataExchange::Direction::Load, [this] {
        if (document_ != nullptr) document_->markModified();
    });
    const bool wasExchanging = std::exchange(exchanging_, true);
    DoDataExchange(dx);
    exchanging_ = wasExchanging;
    return !dx.failed();
}

void CEnterDialog::DoDataExchange(DataExchange&) {}

QDialogButtonBox* CEnterDialog::acceptCancelButtons(const QString& acceptText) {
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(acceptText, QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

void CEnterDialog::onFieldLeft(QWidget* field, std::function<void()> handler) {
    new FocusLeaveWatcher(field, [this, handler = std::move(handler)] {
        if (!exchanging_) handler();
    });
}

void CEnterDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QWidget* focused = focusWidget();
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && qobject_cast<QLineEdit*>(focused) != nullptr && !isInsideItemView(focused)) {
        focusNextChild();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool FocusStaysInDialog(const QWidget* dialog) {
    const QWidget* focused = QApplication::focusWidget();
    return focused != nullptr && focused != dialog && dialog->isAncestorOf(focused) && !isCancelButton(focused);
}

}  // namespace tavo
