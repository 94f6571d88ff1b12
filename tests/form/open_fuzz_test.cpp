// Random and damaged motor files through the whole open sequence: nothing may crash or hang,
// junk is refused, and after Calculate no label, status text or table row may show a number
// that is not finite.

#include <algorithm>

#include "../files/mutate.h"
#include "document_test_support.h"
#include "form/form_layout.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

bool ShowsNonFinite(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return std::tolower(c); });
    return text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
}

// Values at the edges of what a double holds, and keys in unexpected places.
const std::vector<std::string> kPieces = {
    "\r\nDc=1e308\r\nKno=1e-300\r\n[Params]\r\nN=2147483647\r\n",
    "\r\nAe/At=-1e308\r\n",
    "[Tab]\r\nActive=-2147483648\r\n",
    "\xEF\xBB\xBF",
    "=",
    "\r\n"};

TEST(OpenSequence, SurvivesRandomAndDamagedFiles) {
    testing::TempDir dir;
    const std::string motor = testing::ReadBytes(TARVO_EXAMPLES_DIR "/bates-kn-sb.zel");
    const std::string legacy =
        "[Tabs]\r\nActive=2\r\n[Const&Vars]\r\n11=40\r\n12=200\r\n45=38\r\n"
        "46=14\r\n47=60\r\n48=3\r\n64=250\r\n65=0,5\r\n";
    ASSERT_FALSE(motor.empty());
    std::mt19937 random(20240611);
    for (int round = 0; round < 240; ++round) {
        const std::string bytes =
            round % 8 == 0 ? testing::RandomBytes(random() % 3000, random)
                           : testing::Mutate(round % 3 == 0 ? legacy : motor, random, kPieces);
        testing::WriteBytes(dir.File("fuzz.zel"), bytes);
        testing::StartedDocument started({{}, "", true});
        auto& [form, dialogs, document] = started;
        document.openMotorFile(dir.File("fuzz.zel"));
        if (document.currentFileName().empty()) {  // junk is refused, and says so
            ASSERT_EQ(dialogs.messages, std::vector{NotAMotorFileMessage(dir.File("fuzz.zel"))});
            continue;
        }
        ASSERT_EQ(document.currentFileName(), dir.File("fuzz.zel"));
        form.calculate();  // as tarvo-calc does next
        for (const LabelLayout& label : LabelLayouts()) {
            const std::string& text = form.labelText(LabelId{label.label});
            // Propellant names come from the file as they stand.
            ASSERT_TRUE(label.format == LabelFormat::kName || !ShowsNonFinite(text))
                << "Label" << label.label << ": " << text;
        }
        ASSERT_FALSE(ShowsNonFinite(form.statusText(0))) << form.statusText(0);
        for (const ResultTableRow& row : form.resultTable()) {
            ASSERT_TRUE(ParseNumber(row.time) && ParseNumber(row.thrust)) << row.number;
        }
    }
}

}  // namespace
}  // namespace tarvo
