#pragma once

#include <string>

namespace tavo {

enum class Answer { Yes, No, Cancel };

// What the core asks the user. Texts are UTF-8; the window side shows them in
// the program's message boxes, so every rule that asks can be tested without one.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    virtual void warning(const std::string& text) = 0;
    virtual void information(const std::string& text) = 0;
    // True only when the user chose Yes.
    virtual bool askYesNo(const std::string& text, bool yesIsDefault) = 0;
    virtual Answer askYesNoCancel(const std::string& text, Answer defaultAnswer) = 0;
};

}  // namespace tavo
