#pragma once

#include "model/Numbers.h"
#include "model/UserPrompts.h"

namespace tavo {

// The program's own messages, printf-style on UTF-8 formats. Project texts are
// Windows-1252: convert them with windows1252ToUtf8 before passing them in.
// The text may have any length.

void MsgWarning(const char* format, ...) TAVO_PRINTF_FORMAT(1, 2);

// True only when the user chose Yes.
bool MsgAsk(bool yesIsDefault, const char* format, ...) TAVO_PRINTF_FORMAT(2, 3);

// The default button is the one of defaultAnswer.
Answer MsgAsk3(Answer defaultAnswer, const char* format, ...) TAVO_PRINTF_FORMAT(2, 3);

}  // namespace tavo
