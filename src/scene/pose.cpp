#include "pose.h"

#include "scene.h"

Pose currentPose()
{
    Pose pose{};
    for (int i = 0; i < digitCount; ++i)
        pose.bend[i] = hand.bend[i];
    pose.rotation[0] = rotX;
    pose.rotation[1] = rotY;
    pose.rotation[2] = rotZ;
    return pose;
}

void setPose(const float bend[digitCount], const float rotation[3])
{
    for (int i = 0; i < digitCount; ++i)
        hand.setBend(i, bend[i]);
    rotX = rotation[0];
    rotY = rotation[1];
    rotZ = rotation[2];
}
