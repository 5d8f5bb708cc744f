#include "lesson_json.h"

#include <cstdio>

namespace {

// A JSON list's numbers: nine significant digits give back the very float.
template <typename Number>
void appendNumbers(std::string& json, const Number* numbers, int count)
{
    char number[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(number, sizeof number, "%s%.9g", i ? ", " : "", static_cast<double>(numbers[i]));
        json += number;
    }
}

// Each item on a line of its own, under the list's name.
template <typename Item, typename AppendItem>
std::string jsonList(const char* name, const Item* items, int count, AppendItem appendItem)
{
    std::string json = std::string("{\"") + name + "\": [";
    for (int i = 0; i < count; ++i) {
        json += i ? ",\n  " : "\n  ";
        appendItem(json, items[i]);
    }
    return json + "\n]}\n";
}

// What a change or GL made of a call, said only when something did.
void appendChange(std::string& json, const ListedCall& call)
{
    if (call.change & callSwitchedOff)
        json += ", \"off\": true";
    if (call.change & callSwapped)
        json += ", \"swapped\": true";
    if (call.change & callNumbersChanged)
        json += ", \"edited\": true";
    if (call.error == stackOverflowError)
        json += ", \"error\": \"GL_STACK_OVERFLOW\"";
    if (call.error == stackUnderflowError)
        json += ", \"error\": \"GL_STACK_UNDERFLOW\"";
}

}  // namespace

std::string jointFramesJson(const JointFrames& frames)
{
    return jsonList("joints", frames, jointFrameCount, [](std::string& json, const JointFrame& frame) {
        json += std::string("{\"name\": \"") + frame.name + "\", \"label\": \"" + frame.label + "\", \"matrix\": [";
        appendNumbers(json, frame.matrix, 16);
        json += "]}";
    });
}

std::string frameCallsJson(const CallListing& listing, const JointFrames& frames)
{
    return jsonList("calls", listing.calls, listing.count, [&](std::string& json, const ListedCall& call) {
        const ListedName name = static_cast<ListedName>(call.name);
        json += std::string("{\"name\": \"") + listedNameText(name) + "\", \"args\": [";
        appendNumbers(json, call.args, listedArgCount(name));
        json += "], \"depth\": " + std::to_string(call.depth) + ", \"number\": " + std::to_string(call.number);
        json += call.joint >= 0 && call.joint < jointFrameCount ? std::string(", \"joint\": \"") + frames[call.joint].name + "\""
                                                                : std::string(", \"joint\": null");
        appendChange(json, call);
        json += ", \"matrix\": [";
        appendNumbers(json, call.matrix, 16);
        json += "]}";
    });
}
