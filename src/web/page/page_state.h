#pragma once

// The page's state as a link keeps it, after the '#':
//   bend=B0,B1,B2,B3,B4&rot=X,Y,Z&axes=0|1&digit=D&step=K|all&joint=NAME|none[&size=WxH]
// Plain text handling, built natively too, for its fuzz target.

#include "hand_model.h"

// Longer than any link the page writes by far: a longer hash is not read.
constexpr int pageHashRoom = 2048;

// Turns that motions leave may grow without end; a link keeps a hundred
// turns either way, which Backspace unwinds in a minute.
constexpr float largestTurn = 36000.0f;

struct PageState {
    float bend[digitCount];  // whole steps from straight to fully bent
    float rotation[3];       // X, Y, Z in degrees
    int axes;                // the joint frames' switch: 0 or 1
    int digit;               // the digit whose chain is listed
    int step;                // the calls drawn when stepping, or -1 for the whole frame
    int joint;               // the selected joint frame's index, or -1 for none
    int size[2];             // the canvas pinned to W x H CSS pixels, or 0 x 0 to fill its pane
};

// A canvas pinned by its link is at most this many CSS pixels either way.
constexpr int largestCanvasSide = 4096;

// Stepping goes through a frame's calls, which are never more than this.
constexpr int largestStep = 512;

// What a hash gives: `state` is `current` with every part of the hash that
// could be read put in (the size is the link's own: none unless it names one); a part that could not, or that lay out of range, is
// left out or brought into range, and `note` names it in one line ("" when
// all was read as written).
struct PageStateReading {
    PageState state;
    char note[160];
};

PageStateReading readPageHash(const char* hash, const PageState& current);
