// The installed files that the program's own tables describe: the default propellant file
// where the window looks for it, with exactly the built-in propellants, and the file types
// under the extensions the program reads and writes.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "files/file_io.h"
#include "files/ini_file.h"
#include "files/key_maps.h"

namespace tarvo {
namespace {

// The installed tree (prefix /usr) that the install.stage test leaves.
const std::string kPrefix = std::string(TARVO_STAGE_DIR) + "/usr";

std::string InstalledGrains() {
    // The window looks beside its own directory: <bin>/../share/tarvo/.
    return kPrefix + "/bin/../share/tarvo/" + std::string(kDefaultPropellantFileName);
}

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Every key of every propellant section holds its built-in text, and the file holds nothing
// else: a key missing from the file would read as its default too, so each one is looked up.
TEST(InstalledGrains, HoldsExactlyTheBuiltInPropellants) {
    const IniFile grains = IniFile::Open(InstalledGrains());
    ASSERT_TRUE(grains.existed()) << InstalledGrains();
    ASSERT_FALSE(grains.readError());
    for (int p = 0; p < kPropellantCount; ++p) {
        const std::string_view section = kPropellantSections[p];
        EXPECT_EQ(grains.document().Find(section, kFuelNameKey), std::string(kDefaultFuelNames[p]))
            << section;
        for (const PropellantValueKey& row : kPropellantValueKeys) {
            EXPECT_EQ(grains.document().Find(section, row.key), PropellantValueDefault(row, p))
                << section << " " << row.key;
        }
    }
    const std::vector<std::string> lines = Lines(ReadFileBytes(InstalledGrains()).bytes);
    const auto sections = std::count_if(lines.begin(), lines.end(),
                                        [](const std::string& line) { return line[0] == '['; });
    const auto keys = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find('=') != std::string::npos;
    });
    EXPECT_EQ(sections, kPropellantCount);
    EXPECT_EQ(keys, kPropellantCount * (1 + kPropellantValueKeyCount));
}

// The desktop opens with Tarvo+ the files it writes: the MIME globs are its extensions.
TEST(InstalledMimeTypes, MatchTheProgramsFileExtensions) {
    const std::string mime = ReadFileBytes(kPrefix + "/share/mime/packages/tarvo.xml").bytes;
    ASSERT_FALSE(mime.empty());
    for (const std::string_view extension : {kMotorFileExtension, kPropellantFileExtension}) {
        EXPECT_NE(mime.find("<glob pattern=\"*" + std::string(extension) + "\"/>"),
                  std::string::npos)
            << extension;
    }
}

}  // namespace
}  // namespace tarvo
