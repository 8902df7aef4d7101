#pragma once

#include <QDialog>

namespace tavo {

// Runs the modal dialogs of the output commands: the print, page set-up, font and
// file dialogs, the preview and the program's own. Tests put in their own runner,
// which plays the user by setting the dialog's fields instead of waiting for one.
class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    // True when the user accepted; the dialog then holds the user's choices.
    virtual bool run(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }
};

}  // namespace tavo
