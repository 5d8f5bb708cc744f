#include "keyboard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "hand_model.h"
#include "scene.h"
#include "support/fresh_start.h"
#include "turn_keys.h"

namespace {

// The state keys act on: the view angles X, Y, Z and the five bends.
struct ViewState {
    float angle[3];
    float bend[digitCount];

    bool operator==(const ViewState& other) const
    {
        return std::equal(angle, angle + 3, other.angle) &&
               std::equal(bend, bend + digitCount, other.bend);
    }
};

ViewState currentState()
{
    ViewState s{{rotX, rotY, rotZ}, {}};
    std::copy(hand.bend, hand.bend + digitCount, s.bend);
    return s;
}

void press(unsigned char key, int times = 1)
{
    for (int i = 0; i < times; ++i)
        onKey(key, 0, 0);
}

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override { startFresh(); }
    void TearDown() override { startFresh(); }
};

TEST_F(Keyboard, ViewKeysWrapAtAFullTurn)
{
    struct Pair {
        unsigned char down, up;
        float* angle;
    } pairs[] = {{',', '.', &rotY}, {'[', ']', &rotX}, {'0', '9', &rotZ}};

    for (const Pair& p : pairs) {
        SCOPED_TRACE(std::string(1, static_cast<char>(p.up)));
        startFresh();
        press(p.up, 71);
        EXPECT_EQ(*p.angle, 355.0f);
        press(p.up);
        EXPECT_EQ(*p.angle, 360.0f) << "a full turn stays 360";
        press(p.up);
        EXPECT_EQ(*p.angle, 5.0f);
        EXPECT_EQ(gl().redisplayRequests, 73);

        startFresh();
        press(p.down);
        EXPECT_EQ(*p.angle, 355.0f);
        press(p.down, 71);
        EXPECT_EQ(*p.angle, 0.0f);
        press(p.down);
        EXPECT_EQ(*p.angle, 355.0f);
    }
}

TEST_F(Keyboard, BendKeysStopAtTheirLimitsAndStillAskForARedisplay)
{
    press('q', 25);
    EXPECT_EQ(hand.bend[0], 100.0f);
    EXPECT_EQ(hand.fingers[0].proximal.angle, 90.0f);
    EXPECT_EQ(gl().redisplayRequests, 25);

    resetGl();
    press('s');  // ring finger already straight
    EXPECT_EQ(hand.bend[1], 0.0f);
    EXPECT_EQ(gl().redisplayRequests, 1);

    press('a', 21);
    EXPECT_EQ(hand.bend[0], 0.0f);
    EXPECT_EQ(gl().redisplayRequests, 22);
}

TEST_F(Keyboard, EachKeyMovesOnlyItsOwnDigitOrAngle)
{
    const struct Binding {
        unsigned char key;
        bool isView;
        int which;  // axis 0 X, 1 Y, 2 Z; or digit
        float change;
    } bindings[] = {
        {'q', false, 0, 5},  {'w', false, 1, 5},  {'e', false, 2, 5},  {'r', false, 3, 5},
        {'t', false, 4, 5},  {'a', false, 0, -5}, {'s', false, 1, -5}, {'d', false, 2, -5},
        {'f', false, 3, -5}, {'g', false, 4, -5}, {',', true, 1, -5},  {'.', true, 1, 5},
        {'[', true, 0, -5},  {']', true, 0, 5},   {'0', true, 2, -5},  {'9', true, 2, 5},
    };
    for (const Binding& b : bindings) {
        SCOPED_TRACE(std::string(1, static_cast<char>(b.key)));
        startFresh();
        // Start mid-range so that both directions can move.
        rotX = rotY = rotZ = 50.0f;
        for (int i = 0; i < digitCount; ++i)
            hand.setBend(i, 50.0f);
        ViewState expected = currentState();
        (b.isView ? expected.angle : expected.bend)[b.which] += b.change;

        press(b.key);
        EXPECT_TRUE(currentState() == expected);
        EXPECT_EQ(gl().redisplayRequests, 1);
    }
}

TEST_F(Keyboard, OnlyTheListedKeysAreBoundAndTheRestDoNothing)
{
    const std::string bound = boundKeys;
    rotX = 10.0f;
    rotY = 20.0f;
    rotZ = 30.0f;
    hand.setBend(2, 40.0f);
    const ViewState before = currentState();

    int tried = 0;
    for (int code = 0; code <= 255; ++code) {
        if (bound.find(static_cast<char>(code)) != std::string::npos)
            continue;
        onKey(static_cast<unsigned char>(code), 17, 23);
        EXPECT_TRUE(currentState() == before) << "code " << code;
        ++tried;
    }
    EXPECT_EQ(tried, 256 - static_cast<int>(bound.size()));
    EXPECT_EQ(gl().redisplayRequests, 0);
    EXPECT_EQ(gl().swaps, 0);

    // And every listed key but Escape is bound: it asks for a redisplay.
    EXPECT_EQ(bound, "\x1b,.[]09qwertasdfg*+-/1234\b");
    for (char key : bound.substr(1)) {
        onKey(static_cast<unsigned char>(key), 0, 0);
        EXPECT_EQ(gl().redisplayRequests, static_cast<int>(bound.find(key))) << int(key);
    }
}

TEST_F(Keyboard, AnglesAndBendsStayOnWholeStepsOfFive)
{
    const char keys[] = ",.[]09qwertasdfg";
    unsigned int seed = 12345;
    for (int i = 0; i < 5000; ++i) {
        seed = seed * 1103515245u + 12345u;
        press(static_cast<unsigned char>(keys[(seed >> 16) % (sizeof keys - 1)]));
        for (float v : {rotX, rotY, rotZ}) {
            ASSERT_EQ(std::fmod(v, 5.0f), 0.0f) << v;
            ASSERT_TRUE(v >= 0.0f && v <= 360.0f) << v;
        }
        for (float b : hand.bend) {
            ASSERT_EQ(std::fmod(b, 5.0f), 0.0f) << b;
            ASSERT_TRUE(b >= 0.0f && b <= 100.0f) << b;
        }
    }
}

TEST(KeyboardDeathTest, EscapeEndsTheProgramWithStatusZero)
{
    resetGl();
    EXPECT_EXIT(onKey(27, 0, 0), ::testing::ExitedWithCode(0), "");
}

// A preset view presses the fewest turn keys that land exactly on its angle:
// 355 reaches 0 by up, up, down (360, 5, 0), never stopping at 360; 900
// by up, up (545, 190), then down.
TEST_F(Keyboard, TurnKeysLandExactlyOnTheAngleTheFewestWay)
{
    struct Case {
        float from, to;
        int fewest;
    };
    bool up[mostTurnKeys];
    for (Case c : {Case{355, 0, 3}, Case{-90, 0, 18}, Case{0, 90, 18}, Case{10, 0, 2}, Case{900, 45, 31}}) {
        rotY = c.from;
        const int keys = turnKeysToAngle(c.from, c.to, up);
        EXPECT_EQ(keys, c.fewest) << c.from;
        for (int k = 0; k < keys; ++k)
            press(up[k] ? '.' : ',');
        EXPECT_EQ(rotY, c.to) << c.from;
    }
    EXPECT_EQ(turnKeysToAngle(2.5f, 0, up), -1);  // off the keys' grid of 5
}

}  // namespace
