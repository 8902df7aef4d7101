#include "ui/widgets/MessageSink.h"

#include <QApplication>
#include <QPointer>

#include <deque>
#include <utility>

#include "ui/ProgramTitle.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tavo {
namespace {

struct Script {
    bool active = false;
    std::deque<QMessageBox::StandardButton> answers;
    MessageSink::Chooser chooser;
    QStringList shown;
};

Script& script() {
    static Script instance;
    return instance;
}

QPointer<QWidget>& centreWindow() {
    static QPointer<QWidget> window;
    return window;
}

// The boxes kept by MessageSink::hold; nullptr while none is holding.
std::vector<MessageSink::HeldBox>*& heldBoxes() {
    static std::vector<MessageSink::HeldBox>* boxes = nullptr;
    return boxes;
}

std::function<bool()>& quietPredicate() {
    static std::function<bool()> predicate;
    return predicate;
}

void playSound(MessageSink::Icon icon) {
#ifdef Q_OS_WIN
    switch (icon) {
        case MessageSink::Icon::Warning:
            MessageBeep(MB_ICONEXCLAMATION);
            break;
        case MessageSink::Icon::Question:
            MessageBeep(MB_ICONQUESTION);
            break;
        case MessageSink::Icon::Information:
            MessageBeep(MB_ICONASTERISK);
            break;
    }
#else
    // Other systems have one bell for every kind of message.
    Q_UNUSED(icon);
    QApplication::beep();
#endif
}

QMessageBox::Icon boxIcon(MessageSink::Icon icon) {
    switch (icon) {
        case MessageSink::Icon::Warning:
            return QMessageBox::Warning;
        case MessageSink::Icon::Question:
            return QMessageBox::Question;
        case MessageSink::Icon::Information:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toButton(Answer answer) {
    switch (answer) {
        case Answer::Yes:
            return QMessageBox::Yes;
        case Answer::No:
            return QMessageBox::No;
        case Answer::Cancel:
            break;
    }
    return QMessageBox::Cancel;
}

Answer toAnswer(QMessageBox::StandardButton button) {
    switch (button) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

}  // namespace

QMessageBox::StandardButton MessageSink::show(Icon icon, const QString& text, QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton) {
    if (quietPredicate() && quietPredicate()()) return defaultButton;
    if (std::vector<HeldBox>* held = heldBoxes()) {
        held->push_back({icon, text, buttons, defaultButton});
        return defaultButton;
    }

    Script& scripted = script();
    if (scripted.active) {
        scripted.shown.append(text);
        if (scripted.answers.empty()) return scripted.chooser ? scripted.chooser(buttons, defaultButton) : defaultButton;
        const QMessageBox::StandardButton answer = scripted.answers.front();
        scripted.answers.pop_front();
        return answer;
    }

    playSound(icon);
    QMessageBox box(boxIcon(icon), QString::fromUtf8(kApplicationTitle), text, buttons);
    box.setDefaultButton(defaultButton);
    box.setWindowModality(Qt::ApplicationModal);
    if (const QWidget* window = centreWindow(); window != nullptr && window->isVisible()) {
        box.adjustSize();
        box.move(window->frameGeometry().center() - box.rect().center());
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void MessageSink::setCentreOn(QWidget* window) { centreWindow() = window; }

std::vector<MessageSink::HeldBox> MessageSink::hold(const std::function<void()>& action) {
    std::vector<HeldBox> boxes;
    struct Holding {
        std::vector<HeldBox>* outer;
        ~Holding() { heldBoxes() = outer; }
    } holding{std::exchange(heldBoxes(), &boxes)};
    action();
    return boxes;
}

void MessageSink::showHeld(const std::vector<HeldBox>& boxes) {
    for (const HeldBox& box : boxes) show(box.icon, box.text, box.buttons, box.defaultButton);
}

void MessageSink::setQuietWhen(std::function<bool()> predicate) { quietPredicate() = std::move(predicate); }

void MessageSink::startScript() { script().active = true; }

void MessageSink::setNextAnswer(QMessageBox::StandardButton answer) {
    startScript();
    script().answers.push_back(answer);
}

void MessageSink::setChooser(Chooser chooser) {
    startScript();
    script().chooser = std::move(chooser);
}

QStringList MessageSink::takeShownTexts() { return std::exchange(script().shown, {}); }

void MessageSink::endScript() { script() = {}; }

void MessageSinkPrompts::warning(const std::string& text) {
    MessageSink::show(MessageSink::Icon::Warning, QString::fromStdString(text), QMessageBox::Ok, QMessageBox::Ok);
}

void MessageSinkPrompts::information(const std::string& text) {
    MessageSink::show(MessageSink::Icon::Information, QString::fromStdString(text), QMessageBox::Ok, QMessageBox::Ok);
}

bool MessageSinkPrompts::askYesNo(const std::string& text, bool yesIsDefault) {
    return MessageSink::show(MessageSink::Icon::Question, QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No,
                             yesIsDefault ? QMessageBox::Yes : QMessageBox::No) == QMessageBox::Yes;
}

Answer MessageSinkPrompts::askYesNoCancel(const std::string& text, Answer defaultAnswer) {
    return toAnswer(MessageSink::show(MessageSink::Icon::Question, QString::fromStdString(text),
                                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, toButton(defaultAnswer)));
}

}  // namespace tavo
