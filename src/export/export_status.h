#pragma once
// The outcome of one export step: success, or a message for the user saying what failed.

#include <string>
#include <string_view>
#include <utility>

namespace tarvo {

struct [[nodiscard]] ExportStatus {
    std::string error;  // empty on success

    bool ok() const { return error.empty(); }
    static ExportStatus Success() { return {}; }
    static ExportStatus Failure(std::string message) { return {std::move(message)}; }
};

// "«text»": how messages quote a file name or a value.
std::string Quoted(std::string_view text);

}  // namespace tarvo
