// The structures the page reads from the viewer's memory, as this build lays
// them out. The page holds its own reading of them against this at start,
// and says so plainly if they differ.

#include <emscripten.h>

#include <cstddef>

#include "frame_listing.h"
#include "joint_frames.h"
#include "page_state.h"
#include "pose.h"

extern "C" EMSCRIPTEN_KEEPALIVE const int* webLayout()
{
    static const int layout[] = {
        sizeof(Pose),
        jointFrameCount, sizeof(JointFrame), offsetof(JointFrame, label), offsetof(JointFrame, matrix),
        sizeof(ListedCall), offsetof(ListedCall, depth), offsetof(ListedCall, number), offsetof(ListedCall, change),
        offsetof(ListedCall, error), offsetof(ListedCall, indent), offsetof(ListedCall, joint), offsetof(ListedCall, under),
        offsetof(ListedCall, lit), offsetof(ListedCall, args), offsetof(ListedCall, given), offsetof(ListedCall, matrix),
        offsetof(CallListing, calls),
        pageHashRoom, offsetof(PageStateReading, state.axes), offsetof(PageStateReading, state.digit),
        offsetof(PageStateReading, state.step), offsetof(PageStateReading, state.joint),
        offsetof(PageStateReading, state.size), offsetof(PageStateReading, note),
    };
    return layout;
}
