#include "snapshot_options.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <vector>

#include "frame_listing.h"

#include "joint_frames.h"
#include "keyboard.h"

const char* const snapshotUsage =
    "usage: hand-snapshot [--bend B0,B1,B2,B3,B4] [--rot X,Y,Z] [--size WxH] [--keys KEYS] [--axes]\n"
    "                     [--select JOINT] [--skip K[,K...]] [--swap K] [--edit K:A,B,C[,D]] ...\n"
    "                     (--out FILE.png | --frames DIR | --sheet FILE.png [--every N] |\n"
    "                      --joints FILE.json | --calls FILE.json) ...\n"
    "  --bend   bends of the little, ring, middle, index finger and thumb: multiples of 5 in 0..100\n"
    "  --rot    view angles about X, Y and Z in degrees\n"
    "  --size   picture size in pixels, each side 1..4096 (default 300x300)\n"
    "  --keys   keys to play as the viewer would, e.g. '/2'; write \\b for Backspace\n"
    "  --out    the last frame; --frames every frame; --sheet every Nth frame on one picture\n"
    "  --axes   draw each joint frame's axes into the pictures: X red, Y green, Z blue\n"
    "  --select a joint frame by name (hand, d3.s1, d4.tip ...): its subtree stands out\n"
    "  --joints the last frame's joint frames as JSON, to FILE or, for -, to standard output\n"
    "  --calls  the last frame's matrix and drawing calls as JSON, to FILE or -\n"
    "  --skip   switch off calls K, ... of the frame, numbered as --calls lists the unchanged frame\n"
    "  --swap   calls K and K+1 trade places\n"
    "  --edit   call K takes the numbers A,B,C[,D] instead; may be given again for another call\n";

namespace {

constexpr int maxSide = 4096;
constexpr char escapeKey = 27;  // bound, but it would end the viewer, not pose it
constexpr size_t anyCount = 0;

// Splits "a,b,c" and reads each part as a number; all of it must be a number.
std::vector<double> numbers(const std::string& option, const std::string& text, size_t count)
{
    std::vector<double> values;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        const std::string part = text.substr(start, comma - start);
        errno = 0;
        char* end = nullptr;
        const double value = std::strtod(part.c_str(), &end);
        if (part.empty() || *end != '\0' || errno != 0 || !std::isfinite(value))
            throw UsageError(option + " takes numbers separated by commas, not '" + text + "'");
        // Every value is kept as a float: one beyond its range would become infinite.
        if (std::abs(value) > std::numeric_limits<float>::max())
            throw UsageError(option + ": " + part + " is too large");
        values.push_back(value);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    if (count != anyCount && values.size() != count)
        throw UsageError(option + " takes " + std::to_string(count) + " values, not " +
                         std::to_string(values.size()));
    return values;
}

int callNumber(const std::string& option, const std::string& text)
{
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < 1 || n > listedCallRoom)
        throw UsageError(option + " takes call numbers from 1, as --calls lists them, not '" + text + "'");
    return static_cast<int>(n);
}

std::vector<int> callNumbers(const std::string& option, const std::string& text)
{
    std::vector<int> found;
    size_t start = 0;
    for (size_t comma = text.find(','); ; comma = text.find(',', start)) {
        found.push_back(callNumber(option, text.substr(start, comma - start)));
        if (comma == std::string::npos)
            return found;
        start = comma + 1;
    }
}

void readBends(const std::string& text, float* bend)
{
    const std::vector<double> values = numbers("--bend", text, digitCount);
    for (int i = 0; i < digitCount; ++i) {
        const double b = values[i];
        if (b < straightBend || b > fullBend || b != std::floor(b) || static_cast<int>(b) % bendStep != 0)
            throw UsageError("--bend values are whole multiples of 5 from 0 to 100, not " + text);
        bend[i] = static_cast<float>(b);
    }
}

void readSize(const std::string& text, int& width, int& height)
{
    const size_t x = text.find('x');
    char* end = nullptr;
    const long w = std::strtol(text.c_str(), &end, 10);
    const bool wOk = x != std::string::npos && end == text.c_str() + x;
    const long h = wOk ? std::strtol(text.c_str() + x + 1, &end, 10) : 0;
    if (!wOk || *end != '\0' || w < 1 || w > maxSide || h < 1 || h > maxSide)
        throw UsageError("--size is WIDTHxHEIGHT with each side from 1 to 4096, not '" + text + "'");
    width = static_cast<int>(w);
    height = static_cast<int>(h);
}

std::string readKeys(const std::string& text)
{
    std::string keys;
    for (size_t i = 0; i < text.size(); ++i) {
        char key = text[i];
        if (key == '\\' && i + 1 < text.size() && text[i + 1] == 'b') {
            key = '\b';
            ++i;
        }
        if (key == escapeKey || std::string_view(boundKeys).find(key) == std::string_view::npos) {
            const unsigned char code = static_cast<unsigned char>(key);
            const std::string shown = std::isprint(code) ? std::string("'") + key + "'"
                                                         : "code " + std::to_string(code);
            throw UsageError("--keys: " + shown + " is not a key the viewer plays" +
                             (key == escapeKey ? " (Escape would end it)" : ""));
        }
        keys += key;
    }
    return keys;
}

// A joint frame's index by its name: "hand", "dI.sJ" or "dI.tip".
int selectedJoint(const std::string& name)
{
    const int index = jointFrameIndex(name);
    if (index < 0)
        throw UsageError("--select takes a joint frame's name, such as hand, d3.s1 or d4.tip, not '" + name + "'");
    return index;
}

}  // namespace

SnapshotOptions parseSnapshotOptions(int argc, const char* const* argv)
{
    SnapshotOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
            return options;
        }
        if (option == "--axes") {
            options.axes = true;
            continue;
        }
        if (i + 1 >= argc)
            throw UsageError(option.rfind("--", 0) == 0 ? option + " needs a value"
                                                         : "unknown argument '" + option + "'");
        const std::string value = argv[++i];
        if (option == "--bend") {
            readBends(value, options.bend);
        } else if (option == "--rot") {
            const std::vector<double> r = numbers("--rot", value, 3);
            for (int a = 0; a < 3; ++a)
                options.rotation[a] = static_cast<float>(r[a]);
        } else if (option == "--size") {
            readSize(value, options.width, options.height);
        } else if (option == "--keys") {
            options.keys = readKeys(value);
        } else if (option == "--out") {
            options.out = value;
        } else if (option == "--frames") {
            options.framesDir = value;
        } else if (option == "--sheet") {
            options.sheet = value;
        } else if (option == "--joints") {
            options.joints = value;
        } else if (option == "--calls") {
            options.calls = value;
        } else if (option == "--select") {
            options.select = selectedJoint(value);
        } else if (option == "--skip") {
            const std::vector<int> more = callNumbers("--skip", value);
            options.skip.insert(options.skip.end(), more.begin(), more.end());
        } else if (option == "--swap") {
            options.swap = callNumber("--swap", value);
        } else if (option == "--edit") {
            const size_t colon = value.find(':');
            if (colon == std::string::npos)
                throw UsageError("--edit takes K:A,B,C[,D], a call's number and its new numbers, not '" + value + "'");
            options.edits.push_back({callNumber("--edit", value.substr(0, colon)),
                                     numbers("--edit", value.substr(colon + 1), anyCount)});
        } else if (option == "--every") {
            char* end = nullptr;
            const long n = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || n < 1 || n > 100000)
                throw UsageError("--every takes a whole number from 1, not '" + value + "'");
            options.every = static_cast<int>(n);
        } else {
            throw UsageError("unknown option '" + option + "'");
        }
    }
    if (options.out.empty() && options.framesDir.empty() && options.sheet.empty() &&
        options.joints.empty() && options.calls.empty())
        throw UsageError("say where the picture goes: --out, --frames, --sheet, --joints or --calls");
    if (options.joints == "-" && options.calls == "-")
        throw UsageError("--joints and --calls cannot both go to standard output");
    return options;
}
