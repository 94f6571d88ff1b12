#pragma once
// The way out when memory runs short in the middle of a command: the message is shown (the
// window installs a message box) and the program ends.

#include <string_view>

namespace tarvo {

inline constexpr std::string_view kOutOfMemoryMessage = "Не могу выделить память для работы";

using FatalMessageHandler = void (*)(std::string_view message);
void SetFatalMessageHandler(FatalMessageHandler handler);
[[noreturn]] void FailOutOfMemory();

}  // namespace tarvo
