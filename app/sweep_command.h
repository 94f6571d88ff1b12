#pragma once
// tarvo-calc --sweep and --solve: many variants of one motor file, printed as CSV or JSON Lines.

#include <string>
#include <vector>

namespace tarvo {

struct SweepCommand {
    std::vector<std::string> sweeps;  // --sweep KEY=FROM:TO:STEP, in order
    std::string solve;                // --solve TARGET=VALUE
    std::string vary;                 // --vary KEY[=FROM:TO]
    bool json = false;
    int threads = 0;  // --threads N; 0: one per core
    std::string file;
};

// The usage error of a sweep or solve command line, or "" when it can run.
std::string SweepUsageError(const SweepCommand& command, std::size_t files);

// Runs the command and prints its rows; the exit status: 0 when the sweep ran or the target
// was found, 1 when the target is not reachable, 2 for a refused value or an unreadable file.
int RunSweepCommand(const SweepCommand& command);

}  // namespace tarvo
