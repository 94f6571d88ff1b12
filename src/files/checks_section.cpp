#include "files/checks_section.h"

#include "files/key_maps.h"

namespace tarvo {

CheckSettings ReadChecksSection(const IniDocument& document) {
    CheckSettings settings;
    for (const CheckKey& key : kCheckKeys) {
        settings[key.field] = document.ReadIniStr(kChecksSection, key.key, "");
    }
    return settings;
}

void WriteChecksSection(const CheckSettings& settings, IniDocument& document) {
    for (const CheckKey& key : kCheckKeys) {
        const std::string& text = settings[key.field];
        if (!text.empty() || document.Find(kChecksSection, key.key)) {
            document.WriteIniStr(kChecksSection, key.key, text);
        }
    }
}

}  // namespace tarvo
