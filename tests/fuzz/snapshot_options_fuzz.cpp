// hand-snapshot's whole command line, split at NUL bytes into the arguments
// after the program's name. Any input either fails with a UsageError or
// gives options that hold what hand-snapshot relies on; nothing else.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "keyboard.h"
#include "snapshot_options.h"

namespace {

constexpr char escapeKey = 27;

bool isWholeBend(float bend)
{
    return bend >= straightBend && bend <= fullBend && static_cast<int>(bend) % bendStep == 0 &&
           bend == std::floor(bend);
}

bool holdsUp(const SnapshotOptions& options)
{
    for (float bend : options.bend)
        if (!isWholeBend(bend))
            return false;
    for (float angle : options.rotation)
        if (!std::isfinite(angle))
            return false;
    for (char key : options.keys)
        if (key == escapeKey || key == '\0' || std::string_view(boundKeys).find(key) == std::string_view::npos)
            return false;
    const bool somewhere = !options.out.empty() || !options.framesDir.empty() || !options.sheet.empty() ||
                           !options.joints.empty() || !options.calls.empty();
    if (options.joints == "-" && options.calls == "-")
        return false;
    return options.help || (somewhere && options.width >= 1 && options.width <= 4096 &&
                            options.height >= 1 && options.height <= 4096 && options.every >= 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> arguments{"hand-snapshot", ""};
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\0')
            arguments.emplace_back();
        else
            arguments.back() += static_cast<char>(data[i]);
    }
    std::vector<const char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    try {
        if (!holdsUp(parseSnapshotOptions(static_cast<int>(argv.size()), argv.data())))
            std::abort();
    } catch (const UsageError&) {
    }
    return 0;
}
