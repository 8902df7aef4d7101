#include "ui/widgets/Messages.h"

#include <cstdarg>
#include <string>

#include "model/Numbers.h"
#include "ui/widgets/MessageSink.h"

namespace tavo {

void MsgWarning(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const std::string text = formatStringV(format, arguments);
    va_end(arguments);
    MessageSinkPrompts().warning(text);
}

bool MsgAsk(bool yesIsDefault, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const std::string text = formatStringV(format, arguments);
    va_end(arguments);
    return MessageSinkPrompts().askYesNo(text, yesIsDefault);
}

Answer MsgAsk3(Answer defaultAnswer, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const std::string text = formatStringV(format, arguments);
    va_end(arguments);
    return MessageSinkPrompts().askYesNoCancel(text, defaultAnswer);
}

}  // namespace tavo
