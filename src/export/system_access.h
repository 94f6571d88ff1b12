#pragma once
// What the export asks of the desktop besides files: run a helper program and read what it
// prints, find a program on PATH, read an environment variable. Tests replace all three.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

class SystemAccess {
public:
    virtual ~SystemAccess() = default;

    // Runs `command` (program and arguments, no shell) and returns its standard output when
    // it ran and exited with status 0; nothing when it could not run, failed or took too long.
    virtual std::optional<std::string> RunForOutput(const std::vector<std::string>& command) = 0;

    // True when a plain program name names an executable file in a directory of PATH.
    virtual bool ProgramOnPath(std::string_view program) = 0;

    virtual std::optional<std::string> Environment(const std::string& name) = 0;
};

// The real desktop of this process.
class HostSystem final : public SystemAccess {
public:
    explicit HostSystem(std::chrono::milliseconds timeout = std::chrono::seconds(5))
        : timeout_(timeout) {}

    std::optional<std::string> RunForOutput(const std::vector<std::string>& command) override;
    bool ProgramOnPath(std::string_view program) override;
    std::optional<std::string> Environment(const std::string& name) override;

private:
    std::chrono::milliseconds timeout_;
};

}  // namespace tarvo
