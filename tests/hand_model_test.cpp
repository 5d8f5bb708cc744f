#include "hand_model.h"

#include <gtest/gtest.h>

namespace {

struct DigitLengths {
    float proximal, middle, distal;
};

TEST(HandModel, BuildsEveryDigitFromTheSize)
{
    const Hand h(1.0f);
    const DigitLengths expected[fingerCount] = {
        {1.6f, 1.4f, 1.0f}, {2.4f, 2.1f, 1.5f}, {2.8f, 2.45f, 1.75f}, {2.4f, 2.1f, 1.5f}};

    EXPECT_EQ(h.size, 1.0f);
    for (int i = 0; i < fingerCount; ++i) {
        SCOPED_TRACE(i);
        const Finger& f = h.fingers[i];
        EXPECT_EQ(f.proximal.length, expected[i].proximal);
        EXPECT_EQ(f.middle.length, expected[i].middle);
        EXPECT_EQ(f.distal.length, expected[i].distal);
        for (const Segment* g : {&f.proximal, &f.middle, &f.distal})
            EXPECT_EQ(g->width, 1.0f);
        EXPECT_EQ(f.proximal.next, &f.middle);
        EXPECT_EQ(f.middle.next, &f.distal);
        EXPECT_EQ(f.distal.next, nullptr);
        EXPECT_EQ(f.proximal.angle, 0.0f);
        EXPECT_EQ(f.middle.angle, 0.0f);
    }
    EXPECT_EQ(h.thumb.proximal.length, 2.0f);
    EXPECT_EQ(h.thumb.distal.length, 2.0f);
    EXPECT_EQ(h.thumb.proximal.width, 1.0f);
    EXPECT_EQ(h.thumb.distal.width, 1.0f);
    EXPECT_EQ(h.thumb.proximal.next, &h.thumb.distal);
    EXPECT_EQ(h.thumb.distal.next, nullptr);
    EXPECT_EQ(h.thumb.proximal.angle, 0.0f);
    for (float b : h.bend)
        EXPECT_EQ(b, 0.0f);
}

TEST(HandModel, ScalesLengthsAndWidthsWithTheSize)
{
    const Hand h(2.0f);
    EXPECT_EQ(h.fingers[2].proximal.length, 5.6f);
    EXPECT_EQ(h.fingers[2].distal.width, 2.0f);
    EXPECT_EQ(h.thumb.distal.length, 4.0f);
}

TEST(HandModel, GlobalHandIsBuiltAtSizeOneBeforeMain)
{
    EXPECT_EQ(hand.size, 1.0f);
    EXPECT_EQ(hand.fingers[0].proximal.length, 1.6f);
}

TEST(HandModel, BendingAFingerTurnsItsTwoInnerJointsOnly)
{
    Hand h(1.0f);
    h.setBend(2, 100.0f);

    EXPECT_EQ(h.bend[2], 100.0f);
    EXPECT_EQ(h.fingers[2].proximal.angle, 90.0f);
    EXPECT_EQ(h.fingers[2].middle.angle, 90.0f);
    EXPECT_EQ(h.fingers[2].distal.angle, 0.0f);
    for (int i : {0, 1, 3, 4})
        EXPECT_EQ(h.bend[i], 0.0f) << i;
    for (int i : {0, 1, 3})
        EXPECT_EQ(h.fingers[i].proximal.angle, 0.0f) << i;
    EXPECT_EQ(h.thumb.proximal.angle, 0.0f);
}

TEST(HandModel, BendingTheThumbLeavesItsDistalSegmentAlone)
{
    Hand h(1.0f);
    h.setBend(4, 100.0f);

    EXPECT_EQ(h.bend[4], 100.0f);
    EXPECT_EQ(h.thumb.proximal.angle, 90.0f);
    EXPECT_EQ(h.thumb.distal.angle, 0.0f);
    for (const Finger& f : h.fingers)
        EXPECT_EQ(f.proximal.angle, 0.0f);
}

TEST(HandModel, BendIsStoredUnclamped)
{
    Hand h(1.0f);
    h.setBend(0, 120.0f);
    EXPECT_EQ(h.bend[0], 120.0f);
    EXPECT_EQ(h.fingers[0].proximal.angle, 108.0f);
    EXPECT_EQ(h.fingers[0].middle.angle, 108.0f);

    h.setBend(0, 35.0f);
    EXPECT_FLOAT_EQ(h.fingers[0].proximal.angle, 31.5f);
}

TEST(HandModel, IndexOutsideTheDigitsWritesNothing)
{
    // Guard words on both sides would be overwritten by a stray write.
    struct Guarded {
        float before[8];
        Hand h{1.0f};
        float after[8];
    } g{};
    for (float& f : g.before)
        f = -1.0f;
    for (float& f : g.after)
        f = -1.0f;

    for (int index : {-1, 5, 6, 1000, -1000})
        g.h.setBend(index, 50.0f);

    for (float f : g.before)
        EXPECT_EQ(f, -1.0f);
    for (float f : g.after)
        EXPECT_EQ(f, -1.0f);
    for (float b : g.h.bend)
        EXPECT_EQ(b, 0.0f);
    for (const Finger& f : g.h.fingers)
        EXPECT_EQ(f.proximal.angle, 0.0f);
    EXPECT_EQ(g.h.thumb.proximal.angle, 0.0f);
    EXPECT_EQ(g.h.thumb.distal.next, nullptr);
}

}  // namespace
