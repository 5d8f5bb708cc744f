#pragma once

// The fewest turn keys that take a view angle to exactly another (0 itself,
// never 360, which draws the same but unwinds otherwise), found by trying the
// keys' own steps: for the page's preset views, which press those keys.

// Keys further than this are not searched.
constexpr int mostTurnKeys = 400;

// Writes the keys to `up` in order, true for the up key, and says how many;
// -1 if no mostTurnKeys keys reach `target`.
int turnKeysToAngle(float angle, float target, bool up[mostTurnKeys]);
