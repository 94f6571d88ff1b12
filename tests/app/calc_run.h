#pragma once
// tarvo-calc run as a user runs it, in a scratch directory with a home of its own.

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "../files/temp_dir.h"

namespace tarvo::testing {

struct CalcRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs tarvo-calc in `dir`, so that a stray Tarvo.ini would show there; `pipe` gets its
// standard output.
inline CalcRun RunCalc(const TempDir& dir, const std::string& args, const std::string& pipe = "") {
    const std::string command = "cd " + dir.path() + " && HOME=" + dir.path() +
                                " XDG_CONFIG_HOME= " + TARVO_CALC + " " + args + " 2>stderr.txt" +
                                pipe + " >stdout.txt";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(dir.File("stdout.txt")),
            ReadBytes(dir.File("stderr.txt"))};
}

}  // namespace tarvo::testing
