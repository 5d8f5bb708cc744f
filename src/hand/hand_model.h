#pragma once

// The hand's data: a palm with four three-segment fingers and a two-segment
// thumb, built from one overall size. Knows nothing of drawing or windows.

// Digit indices used throughout: 0 little, 1 ring, 2 middle, 3 index, 4 thumb.
constexpr int fingerCount = 4;
constexpr int digitCount = 5;
constexpr int thumbIndex = 4;

// Bends are in bend units, kept on whole steps from straight to fully bent.
constexpr int straightBend = 0;
constexpr int fullBend = 100;
constexpr int bendStep = 5;

// One rigid bone. It runs along its local +Y axis; `angle` is the turn about
// local X at its far end, applied before `next` is drawn.
struct Segment {
    float width;
    float length;
    float angle = 0.0f;
    const Segment* next = nullptr;

    Segment(float width, float length) : width(width), length(length) {}
};

// The `next` links point into the digit itself, so a digit must never be
// copied: a copy would still point at the original's segments.
struct Finger {
    Segment proximal;
    Segment middle;
    Segment distal;

    Finger(double lengthScale, float width);
    Finger(const Finger&) = delete;
    Finger& operator=(const Finger&) = delete;

    void setBend(float value);
};

struct Thumb {
    Segment proximal;
    Segment distal;

    Thumb(double lengthScale, float width);
    Thumb(const Thumb&) = delete;
    Thumb& operator=(const Thumb&) = delete;

    void setBend(float value);
};

struct Hand {
    float size;
    Finger fingers[fingerCount];
    Thumb thumb;
    float bend[digitCount];  // 0 straight .. 100 fully bent, per digit

    explicit Hand(float size);

    // Stores the bend of one digit and turns it into joint angles. The value
    // is not clamped; an index outside 0..4 is ignored.
    void setBend(int index, float value);
};

// Every finger joint turns 0.9 degrees per bend unit, so 100 bends it by 90.
constexpr double jointDegreesPerBend = 0.9;
// The thumb's base joint turns less: 50 degrees at a full bend.
constexpr double thumbBaseDegreesPerBend = 0.5;

// The one hand the program shows and moves.
extern Hand hand;
