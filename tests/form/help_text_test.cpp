#include <gtest/gtest.h>

#include "form/help_text.h"

#include <algorithm>
#include <set>

#include "form/form_layout.h"

namespace tarvo {
namespace {

// The symbol a field's caption names in brackets: "Длина шашки, [Lo], мм" -> "Lo".
std::string CaptionSymbol(std::string_view caption) {
    const std::size_t open = caption.find('[');
    const std::size_t close = caption.find(']', open);
    return open == std::string_view::npos || close == std::string_view::npos
               ? std::string()
               : std::string(caption.substr(open + 1, close - open - 1));
}

// A field added to tabs 1 to 3 without a line in the help fails here, as does a key list that
// no longer matches the menus.
TEST(Help, ExplainsEveryInputAndKeyOfTheWindow) {
    std::set<std::string, std::less<>> explained;
    for (const HelpSection& section : HelpSections()) {
        EXPECT_FALSE(section.title.empty());
        for (const HelpInput& input : section.inputs) {
            explained.insert(std::string(input.symbol));
            EXPECT_FALSE(input.meaning.empty() || input.typical.empty()) << input.symbol;
        }
    }
    int named = 0;
    for (const FieldLayout& field : FieldLayouts()) {
        const std::string symbol = CaptionSymbol(field.caption);
        if (field.tab <= 3 && !symbol.empty()) {
            ++named;
            EXPECT_TRUE(explained.contains(symbol)) << symbol;
        }
    }
    EXPECT_EQ(named, 16);

    const std::vector<std::string> keys = ShortcutHelpLines();
    for (const char* line :
         {"Enter в поле ввода или Ctrl+Enter — Рассчитать", "F2 или Ctrl+S — Сохранить",
          "Ctrl+Shift+S — Сохранить как ...", "F1 — Справка", "Ctrl+Q — Выход"}) {
        EXPECT_NE(std::find(keys.begin(), keys.end(), line), keys.end()) << line;
    }
    const HelpSection& last = HelpSections().back();
    EXPECT_NE(last.prose.find("Ctrl+N — Новый"), std::string::npos);
}

}  // namespace
}  // namespace tarvo
