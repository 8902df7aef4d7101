#include "ui/widgets/Messages.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "ui/widgets/MessageSink.h"

namespace tavo {
namespace {

std::string formatArguments(const char* format, va_list arguments) {
    va_list measuring;
    va_copy(measuring, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, arguments);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

}  // namespace

void MsgWarning(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const std::string text = formatArguments(format, arguments);
    va_end(arguments);
    MessageSinkPrompts().warning(text);
}

bool MsgAsk(bool yesIsDefault, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const std::string text = formatArguments(format, arguments);
    va_end(arguments);
    return MessageSinkPrompts().askYesNo(text, yesIsDefault);
}

Answer MsgAsk3(Answer defaultAnswer, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const std::string text = formatArguments(format, arguments);
    va_end(arguments);
    return MessageSinkPrompts().askYesNoCancel(text, defaultAnswer);
}

}  // namespace tavo
