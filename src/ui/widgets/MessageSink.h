#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

#include "model/UserPrompts.h"

namespace tavo {

// The one place where the program shows a message box. Every box is
// application-modal, has no owner window and the application's title as its
// caption, and sounds the system sound of its icon first.
//
// Tests script the user: from startScript on no box is shown; each takes the
// next answer queued by setNextAnswer, or its default button when none is left,
// and its text is kept for takeShownTexts. So no test can wait on a box.
class MessageSink {
public:
    enum class Icon { Warning, Question, Information };

    static QMessageBox::StandardButton show(Icon icon, const QString& text, QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton);

    // Boxes appear centred over this window while it shows (the main window).
    static void setCentreOn(QWidget* window);

    // A box asked for while a widget is in the middle of handling an event (a
    // menu that is opening) must not run its modal loop there. Inside hold, each
    // box answers with its default button at once and is kept; showHeld shows
    // them once the event has been handled.
    struct HeldBox {
        Icon icon;
        QString text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton;
    };
    static std::vector<HeldBox> hold(const std::function<void()>& action);
    static void showHeld(const std::vector<HeldBox>& boxes);

    // While the predicate holds (the document commits its pages for closing),
    // nothing is shown and each box answers with its default button.
    static void setQuietWhen(std::function<bool()> predicate);

    static void startScript();
    static void setNextAnswer(QMessageBox::StandardButton answer);
    // With no answer queued, a scripted box takes the chooser's answer.
    using Chooser = std::function<QMessageBox::StandardButton(QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)>;
    static void setChooser(Chooser chooser);
    static QStringList takeShownTexts();
    static void endScript();
};

// The core's questions and warnings through the sink.
class MessageSinkPrompts : public UserPrompts {
public:
    void warning(const std::string& text) override;
    void information(const std::string& text) override;
    bool askYesNo(const std::string& text, bool yesIsDefault) override;
    Answer askYesNoCancel(const std::string& text, Answer defaultAnswer) override;
};

}  // namespace tavo
