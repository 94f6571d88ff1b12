#include "form/fatal.h"

#include <cstdio>
#include <cstdlib>

namespace tarvo {
namespace {

void PrintFatalMessage(std::string_view message) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
}

FatalMessageHandler fatalHandler = &PrintFatalMessage;

}  // namespace

void SetFatalMessageHandler(FatalMessageHandler handler) {
    fatalHandler = handler != nullptr ? handler : &PrintFatalMessage;
}

void FailOutOfMemory() {
    fatalHandler(kOutOfMemoryMessage);
    std::_Exit(EXIT_FAILURE);
}

}  // namespace tarvo
