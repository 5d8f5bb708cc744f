#include <emscripten/em_math.h>

#include "sine_cosine.h"

double sine(double radians)
{
    return emscripten_math_sin(radians);
}

double cosine(double radians)
{
    return emscripten_math_cos(radians);
}
