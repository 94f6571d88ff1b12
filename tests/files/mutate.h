#pragma once
// Random damage for the fuzz tests: bytes replaced, erased and inserted, long runs of one byte,
// and pieces of text the reader has to make sense of.

#include <random>
#include <string>
#include <vector>

namespace tarvo::testing {

inline std::string RandomBytes(std::size_t size, std::mt19937& random) {
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
    }
    return bytes;
}

inline std::string Mutate(std::string bytes, std::mt19937& random,
                          const std::vector<std::string>& pieces) {
    for (int edits = 1 + random() % 20; edits > 0 && !bytes.empty(); --edits) {
        const std::size_t at = random() % bytes.size();
        const char any = static_cast<char>(random());
        switch (random() % 4) {
            case 0:
                bytes[at] = any;
                break;
            case 1:
                bytes.insert(at, pieces[random() % pieces.size()]);
                break;
            case 2:
                bytes.erase(at, random() % 24);
                break;
            default:
                bytes.insert(at, std::string(random() % 3000, any));
        }
    }
    return bytes;
}

}  // namespace tarvo::testing
