#pragma once

// The joint frames of the last frame drawn after playing `keys` from the
// start, as the recorder's GL held them.

#include <string>
#include <vector>

#include "fresh_start.h"
#include "joint_frames.h"
#include "keyboard.h"

inline std::vector<JointFrame> recordedJointFrames(const std::string& keys)
{
    startFresh();
    reshapeView(300, 300);
    startRecordingJointFrames(hand);
    for (char key : keys)
        onKey(static_cast<unsigned char>(key), 0, 0);
    gl().calls.clear();
    displayScene();
    setJointFrameHook(nullptr);
    return {std::begin(lastJointFrames()), std::end(lastJointFrames())};
}
