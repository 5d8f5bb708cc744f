#pragma once

// What the page's exercises draw over a frame: the hand they aim at, faint
// behind the hand on show, if one is set.
void drawExerciseTarget();
