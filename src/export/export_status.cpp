#include "export/export_status.h"

#include <system_error>

namespace tarvo {

std::string Quoted(std::string_view text) {
    std::string quoted = "«";
    quoted += text;
    quoted += "»";
    return quoted;
}

std::string SystemErrorText(int errorNumber) {
    return std::generic_category().message(errorNumber);
}

}  // namespace tarvo
