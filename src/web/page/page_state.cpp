#include "page_state.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "joint_frames.h"

namespace {

// Reads exactly `count` finite numbers separated by commas.
bool readNumbers(std::string_view text, double* values, int count)
{
    for (int i = 0; i < count; ++i) {
        const size_t comma = text.find(',');
        const std::string_view part = text.substr(0, comma);
        char buffer[64];
        if (part.empty() || part.size() >= sizeof buffer || (comma == std::string_view::npos) != (i == count - 1))
            return false;
        part.copy(buffer, part.size());
        buffer[part.size()] = '\0';
        char* end = nullptr;
        values[i] = std::strtod(buffer, &end);
        if (*end != '\0' || !std::isfinite(values[i]))
            return false;
        text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
    }
    return true;
}

// Whole steps from straight to fully bent, the nearest to `value`.
float bendInRange(double value, bool& clamped)
{
    const double step = std::round(value / bendStep) * bendStep;
    const double inRange = std::fmin(std::fmax(step, straightBend), fullBend);
    clamped = clamped || inRange != value;
    return static_cast<float>(inRange);
}

float turnInRange(double value, bool& clamped)
{
    const double inRange = std::fmin(std::fmax(value, -largestTurn), largestTurn);
    clamped = clamped || inRange != value;
    return static_cast<float>(inRange);
}

// One "key=value" part; false when it could not be read at all.
bool readPart(std::string_view key, std::string_view value, PageState& state, bool& clamped)
{
    double numbers[digitCount];
    if (key == "bend" && readNumbers(value, numbers, digitCount)) {
        for (int i = 0; i < digitCount; ++i)
            state.bend[i] = bendInRange(numbers[i], clamped);
        return true;
    }
    if (key == "rot" && readNumbers(value, numbers, 3)) {
        for (int i = 0; i < 3; ++i)
            state.rotation[i] = turnInRange(numbers[i], clamped);
        return true;
    }
    if (key == "axes" && (value == "0" || value == "1")) {
        state.axes = value == "1";
        return true;
    }
    if (key == "digit" && value.size() == 1 && value[0] >= '0' && value[0] < '0' + digitCount) {
        state.digit = value[0] - '0';
        return true;
    }
    if (key == "joint" && value == "none") {
        state.joint = -1;
        return true;
    }
    for (int i = 0; i < jointFrameCount; ++i)
        if (key == "joint" && value == jointFrameName(i)) {
            state.joint = i;
            return true;
        }
    if (key == "step" && value == "all") {
        state.step = -1;
        return true;
    }
    if (key == "step" && readNumbers(value, numbers, 1) && numbers[0] == std::floor(numbers[0])) {
        state.step = static_cast<int>(std::fmin(std::fmax(numbers[0], 1), largestStep));
        clamped = clamped || state.step != numbers[0];
        return true;
    }
    return false;
}

void say(PageStateReading& reading, const char* text)
{
    std::strncpy(reading.note, text, sizeof reading.note - 1);
}

}  // namespace

PageStateReading readPageHash(const char* hash, const PageState& current)
{
    PageStateReading reading{current, ""};
    std::string_view rest(hash, strnlen(hash, pageHashRoom + 1));
    if (rest.size() > static_cast<size_t>(pageHashRoom)) {
        say(reading, "The link is too long to be one of this page's; it was not read.");
        return reading;
    }
    bool clamped = false, unread = false;
    while (!rest.empty()) {
        const std::string_view part = rest.substr(0, rest.find('&'));
        rest.remove_prefix(std::min(rest.size(), part.size() + 1));
        const size_t equals = part.find('=');
        if (part.empty())
            continue;
        if (equals == std::string_view::npos ||
            !readPart(part.substr(0, equals), part.substr(equals + 1), reading.state, clamped))
            unread = true;
    }
    if (unread)
        say(reading, "Part of the link could not be read and was left out.");
    else if (clamped)
        say(reading, "Part of the link lay out of range and was brought into it.");
    return reading;
}
