#pragma once

// The command line of hand-snapshot: a pose, a window size, keys to play, and
// where the pictures go.

#include <stdexcept>
#include <string>
#include <vector>

#include "hand_model.h"

struct SnapshotOptions {
    float bend[digitCount] = {0, 0, 0, 0, 0};
    float rotation[3] = {0, 0, 0};  // X, Y, Z in degrees
    int width = 300;
    int height = 300;
    std::string keys;       // key codes as the viewer's key callback gets them
    std::string out;        // the last frame
    std::string framesDir;  // every frame, frame-0001.png ...
    std::string sheet;      // a contact sheet of every `every`th frame
    int every = 1;
    std::string joints;     // the last frame's joint frames as JSON; "-" for standard output
    std::string calls;      // the last frame's matrix and drawing calls as JSON; "-" likewise
    bool axes = false;      // each joint frame's axes drawn into every picture
    int select = -1;        // the selected joint frame's index (--select NAME), or -1
    bool help = false;      // print the usage and nothing else

    // Calls of the frame changed, by their number in the unchanged frame.
    struct Edit {
        int number;
        std::vector<double> args;
    };
    std::vector<int> skip;    // switched off
    int swap = 0;             // calls swap and swap + 1 trade places; 0 for none
    std::vector<Edit> edits;  // numbers changed
};

// Raised for anything on the command line that cannot be honoured.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

SnapshotOptions parseSnapshotOptions(int argc, const char* const* argv);

extern const char* const snapshotUsage;
