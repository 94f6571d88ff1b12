#pragma once
// What an import did with a file: the values taken as they stand, those converted, rounded or
// derived on the way, and what the file holds that Tarvo does not use. Refusals are no part of
// it: a file Tarvo cannot represent is not imported at all.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

struct ImportReport {
    std::vector<std::string> mapped;
    std::vector<std::string> converted;
    std::vector<std::string> notTaken;
};

// The report as the window shows it and tarvo-calc prints it: the heading, then the three
// lists, each under its title and left out when empty.
std::string FormatImportReport(std::string_view heading, const ImportReport& report);

// Thrown by the readers for what they cannot take; the text names the value and the reason.
class ImportRefusal : public std::runtime_error {
public:
    explicit ImportRefusal(const std::string& reason) : std::runtime_error(reason) {}
};

}  // namespace tarvo
