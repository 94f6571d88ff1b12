// Random and damaged motor files through the whole open sequence: nothing may crash or hang,
// and no label, field or status text may show a number that is not finite.

#include <random>

#include "document_test_support.h"
#include "form/form_layout.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

std::string Mutate(std::string bytes, std::mt19937& random) {
    for (int edits = 1 + random() % 12; edits > 0 && !bytes.empty(); --edits) {
        const std::size_t at = random() % bytes.size();
        switch (random() % 5) {
            case 0:
                bytes[at] = static_cast<char>(random() % 256);
                break;
            case 1:
                bytes.insert(at, 1, "[]=\r\n;,-0123456789eE"[random() % 21]);
                break;
            case 2:
                bytes.erase(at, random() % 24);
                break;
            case 3:
                bytes.insert(at, std::string(random() % 400, static_cast<char>(random() % 256)));
                break;
            default:
                bytes.insert(at, "\r\nDc=1e308\r\nKno=" + std::to_string(random()));
        }
    }
    return bytes;
}

std::string RandomBytes(std::mt19937& random) {
    std::string bytes(random() % 3000, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random() % 256);
    }
    return bytes;
}

bool ShowsNonFinite(std::string_view text) {
    for (const std::string_view word : {"nan", "NaN", "NAN", "inf", "Inf", "INF"}) {
        if (text.find(word) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

void ExpectNothingNonFinite(const FormModel& form, const std::string& bytes) {
    for (const LabelLayout& label : LabelLayouts()) {
        if (label.format == LabelFormat::kName) {
            continue;  // propellant names come from the file as they stand
        }
        const std::string& text = form.labelText(LabelId{label.label});
        ASSERT_FALSE(ShowsNonFinite(text)) << "Label" << label.label << " " << text;
    }
    ASSERT_FALSE(ShowsNonFinite(form.statusText(0))) << form.statusText(0);
    for (const ResultTableRow& row : form.resultTable()) {
        ASSERT_TRUE(ParseNumber(row.time) && ParseNumber(row.thrust)) << bytes;
    }
}

TEST(OpenSequence, SurvivesRandomAndDamagedFiles) {
    testing::TempDir dir;
    const std::string base = ReadBytes(std::string(TARVO_EXAMPLES_DIR) + "/bates-kn-sb.zel");
    const std::string legacy =
        "[Tabs]\r\nActive=2\r\n[Const&Vars]\r\n11=40\r\n12=200\r\n45=38\r\n"
        "46=14\r\n47=60\r\n48=3\r\n64=250\r\n65=0,5\r\n";
    ASSERT_FALSE(base.empty());
    std::mt19937 random(20240611);
    const std::string path = dir.File("fuzz.zel");
    for (int round = 0; round < 240; ++round) {
        const std::string bytes = round % 8 == 0   ? RandomBytes(random)
                                  : round % 3 == 0 ? Mutate(legacy, random)
                                                   : Mutate(base, random);
        WriteBytes(path, bytes);
        FormModel form;
        testing::ScriptedDialogs dialogs;
        Document document(form, dialogs, {std::nullopt, "", true});
        document.create();
        document.activate();
        document.openMotorFile(path);
        ASSERT_EQ(document.currentFileName(), path);
        ExpectNothingNonFinite(form, bytes);
    }
}

}  // namespace
}  // namespace tarvo
