#pragma once

// Runs shell commands for tests that drive the build's own tools.

#include <cstdio>
#include <stdexcept>
#include <string>

struct CommandResult {
    int status;
    std::string output;  // standard output and standard error together
};

inline CommandResult runShell(const std::string& command)
{
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        throw std::runtime_error("cannot run: " + command);
    std::string output;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    const int raw = pclose(pipe);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, output};
}

// A fresh empty folder under the system's temporary folder.
inline std::string makeScratchFolder()
{
    char pattern[] = "/tmp/hand-viewer-test-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("cannot make a scratch folder");
    return pattern;
}
