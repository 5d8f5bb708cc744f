#include "hand_model.h"

namespace {

// Share of a finger's length scale taken by each of its segments.
constexpr double proximalShare = 0.4;
constexpr double middleShare = 0.35;
constexpr double distalShare = 0.25;
constexpr double thumbSegmentShare = 0.5;

// Length scale of each digit, in multiples of the hand's size.
constexpr double fingerLengthScales[fingerCount] = {4.0, 6.0, 7.0, 6.0};
constexpr double thumbLengthScale = 4.0;

float jointAngle(float bendValue)
{
    return static_cast<float>(jointDegreesPerBend * bendValue);
}

}  // namespace

Finger::Finger(double lengthScale, float width)
    : proximal(width, static_cast<float>(lengthScale * proximalShare)),
      middle(width, static_cast<float>(lengthScale * middleShare)),
      distal(width, static_cast<float>(lengthScale * distalShare))
{
    proximal.next = &middle;
    middle.next = &distal;
}

void Finger::setBend(float value)
{
    proximal.angle = jointAngle(value);
    middle.angle = jointAngle(value);
}

Thumb::Thumb(double lengthScale, float width)
    : proximal(width, static_cast<float>(lengthScale * thumbSegmentShare)),
      distal(width, static_cast<float>(lengthScale * thumbSegmentShare))
{
    proximal.next = &distal;
}

void Thumb::setBend(float value)
{
    proximal.angle = jointAngle(value);
}

Hand::Hand(float size)
    : size(size),
      fingers{{fingerLengthScales[0] * size, size},
              {fingerLengthScales[1] * size, size},
              {fingerLengthScales[2] * size, size},
              {fingerLengthScales[3] * size, size}},
      thumb(thumbLengthScale * size, size),
      bend{0.0f, 0.0f, 0.0f, 0.0f, 0.0f}
{
}

void Hand::setBend(int index, float value)
{
    if (index < 0 || index >= digitCount)
        return;
    bend[index] = value;
    if (index == thumbIndex)
        thumb.setBend(value);
    else
        fingers[index].setBend(value);
}

Hand hand(1.0f);
