#include "export/export_status.h"

namespace tarvo {

std::string Quoted(std::string_view text) {
    std::string quoted = "«";
    quoted += text;
    quoted += "»";
    return quoted;
}

}  // namespace tarvo
