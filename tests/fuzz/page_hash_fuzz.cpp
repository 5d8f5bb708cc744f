// The page's hash as a link brings it, any bytes at all: what is read is a
// state the page can hold, and the note is one line of text.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "joint_frames.h"
#include "page_state.h"

namespace {

bool holdsUp(const PageStateReading& reading)
{
    const PageState& state = reading.state;
    for (float bend : state.bend)
        if (!(bend >= straightBend && bend <= fullBend) || std::fmod(bend, bendStep) != 0)
            return false;
    for (float angle : state.rotation)
        if (!(std::fabs(angle) <= largestTurn))
            return false;
    const size_t noteLength = strnlen(reading.note, sizeof reading.note);
    const bool stepInRange = state.step == -1 || (state.step >= 1 && state.step <= largestStep);
    const bool jointInRange = state.joint >= -1 && state.joint < jointFrameCount;
    const bool sizeInRange = (state.size[0] == 0 && state.size[1] == 0) ||
                             (state.size[0] >= 1 && state.size[0] <= largestCanvasSide && state.size[1] >= 1 &&
                              state.size[1] <= largestCanvasSide);
    return sizeInRange && stepInRange && jointInRange && (state.axes == 0 || state.axes == 1) && state.digit >= 0 && state.digit < digitCount &&
           noteLength < sizeof reading.note && !std::strchr(reading.note, '\n');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string hash(reinterpret_cast<const char*>(data), size);  // read up to its first NUL
    const PageState current{{0, 0, 0, 0, 0}, {0, 0, 0}, 0, 3, -1, -1, {0, 0}};
    if (!holdsUp(readPageHash(hash.c_str(), current)))
        std::abort();
    return 0;
}
