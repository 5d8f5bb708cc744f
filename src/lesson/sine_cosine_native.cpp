#include <cmath>

#include "sine_cosine.h"

double sine(double radians)
{
    return std::sin(radians);
}

double cosine(double radians)
{
    return std::cos(radians);
}
