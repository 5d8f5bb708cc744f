#include "page_state.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

#include "joint_frames.h"

namespace {

// 10 to the power `n`, exact while it is at most 10^22.
double tenToThe(double n)
{
    double power = 1;
    for (double i = 0; i < n; ++i)
        power *= 10;
    return power;
}

// Digits as a whole number, at most 18 of them; false for none or more.
bool readDigits(std::string_view digits, double& value)
{
    if (digits.empty() || digits.size() > 18)
        return false;
    long long whole = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
        whole = 10 * whole + (c - '0');
    }
    value = static_cast<double>(whole);
    return true;
}

// A number as the page writes one (JavaScript's shortest form of a float):
// [-]digits[.digits][e[+|-]digits]. Near enough to the float it was made
// from that a float made from it is that very float; the C library's
// strtod would do it exactly, at the cost of doubling the page's code.
bool readNumber(std::string_view text, double& value)
{
    const bool negative = !text.empty() && text[0] == '-';
    text.remove_prefix(negative ? 1 : 0);
    const size_t e = text.find_first_of("eE");
    double exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view power = text.substr(e + 1);
        const bool hasSign = !power.empty() && (power[0] == '-' || power[0] == '+');
        if (!readDigits(power.substr(hasSign ? 1 : 0), exponent) || exponent > 400)
            return false;
        exponent = power[0] == '-' ? -exponent : exponent;
        text = text.substr(0, e);
    }
    const size_t point = text.find('.');
    const std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
    double whole = 0, parts = 0;
    if (!readDigits(text.substr(0, point), whole) || (point != std::string_view::npos && !readDigits(fraction, parts)))
        return false;
    const double mantissa = whole + parts / tenToThe(static_cast<double>(fraction.size()));
    const double signedMantissa = negative ? -mantissa : mantissa;
    value = exponent < 0 ? signedMantissa / tenToThe(-exponent) : signedMantissa * tenToThe(exponent);
    return std::isfinite(value);
}

// Reads exactly `count` finite numbers separated by commas.
bool readNumbers(std::string_view text, double* values, int count)
{
    for (int i = 0; i < count; ++i) {
        const size_t comma = text.find(',');
        if ((comma == std::string_view::npos) != (i == count - 1) || !readNumber(text.substr(0, comma), values[i]))
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

// "WxH", each a whole number of CSS pixels from 1 to largestCanvasSide.
bool readCanvasSize(std::string_view value, int* size)
{
    const size_t x = value.find('x');
    double width = 0, height = 0;
    if (x == std::string_view::npos || !readDigits(value.substr(0, x), width) || !readDigits(value.substr(x + 1), height))
        return false;
    if (width < 1 || width > largestCanvasSide || height < 1 || height > largestCanvasSide)
        return false;
    size[0] = static_cast<int>(width);
    size[1] = static_cast<int>(height);
    return true;
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
    if (key == "joint" && jointFrameIndex(value) >= 0) {
        state.joint = jointFrameIndex(value);
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
    if (key == "size")
        return readCanvasSize(value, state.size);
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
    reading.state.size[0] = reading.state.size[1] = 0;
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
