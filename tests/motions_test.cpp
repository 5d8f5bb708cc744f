#include "motions.h"

#include <gtest/gtest.h>

#include "hand_model.h"
#include "keyboard.h"
#include "scene.h"
#include "support/fresh_start.h"

namespace {

constexpr unsigned char backspace = 8;

// What one shown frame had: the five bends and the view angles X, Y, Z.
struct Frame {
    std::array<float, digitCount> bend;
    float rotX, rotY, rotZ;
    int redisplayRequestsSoFar;
};

class Motions : public ::testing::Test {
protected:
    void SetUp() override
    {
        startFresh();
        gl().onSwap = [this] { record(); };
    }
    void TearDown() override { startFresh(); }

    void record()
    {
        Frame f{};
        std::copy(hand.bend, hand.bend + digitCount, f.bend.begin());
        f.rotX = rotX;
        f.rotY = rotY;
        f.rotZ = rotZ;
        f.redisplayRequestsSoFar = gl().redisplayRequests;
        frames.push_back(f);
        // Every frame draws the whole hand and unwinds the matrix stack.
        EXPECT_EQ(gl().modelViewStack.size(), 1u);
    }

    // Presses `key` and returns the frames it drew; it must ask for exactly
    // one redisplay, after its last frame.
    std::vector<Frame> play(unsigned char key)
    {
        frames.clear();
        const int requestsBefore = gl().redisplayRequests;
        onKey(key, 0, 0);
        EXPECT_EQ(gl().redisplayRequests, requestsBefore + 1) << "key " << int(key);
        for (const Frame& f : frames)
            EXPECT_EQ(f.redisplayRequestsSoFar, requestsBefore);
        return frames;
    }

    std::vector<Frame> frames;
};

std::array<float, digitCount> allAt(float value)
{
    return {value, value, value, value, value};
}

std::vector<float> rotZOf(const std::vector<Frame>& frames)
{
    std::vector<float> result;
    for (const Frame& f : frames)
        result.push_back(f.rotZ);
    return result;
}

TEST_F(Motions, CloseAllTogetherFromRestAndAgain)
{
    const std::vector<Frame> closing = play('/');
    ASSERT_EQ(closing.size(), 21u);
    for (int k = 0; k < 21; ++k)
        EXPECT_EQ(closing[k].bend, allAt(5.0f * k)) << k;

    const std::vector<Frame> again = play('/');
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].bend, allAt(100.0f));
}

TEST_F(Motions, CloseAllTogetherStartsEveryDigitFromTheRingFinger)
{
    hand.setBend(0, 100.0f);
    const std::vector<Frame> closing = play('/');
    ASSERT_EQ(closing.size(), 21u);
    EXPECT_EQ(closing.front().bend, allAt(0.0f));  // the little finger jumps open
    EXPECT_EQ(closing.back().bend, allAt(100.0f));
}

TEST_F(Motions, OpenOneByOneFromAFistThumbFirst)
{
    for (int i = 0; i < digitCount; ++i)
        hand.setBend(i, 100.0f);
    const std::vector<Frame> opening = play('+');
    ASSERT_EQ(opening.size(), 105u);

    size_t k = 0;
    std::array<float, digitCount> expected = allAt(100.0f);
    for (int digit : {4, 3, 2, 1, 0})
        for (int n = 100; n >= 0; n -= 5, ++k) {
            expected[digit] = static_cast<float>(n);
            EXPECT_EQ(opening[k].bend, expected) << "frame " << k;
        }
}

TEST_F(Motions, CloseOneByOneLittleFingerFirst)
{
    const std::vector<Frame> closing = play('-');
    ASSERT_EQ(closing.size(), 105u);
    EXPECT_EQ(closing[20].bend, (std::array<float, digitCount>{100, 0, 0, 0, 0}));
    EXPECT_EQ(closing[21].bend, (std::array<float, digitCount>{100, 0, 0, 0, 0}));
    EXPECT_EQ(closing[22].bend, (std::array<float, digitCount>{100, 5, 0, 0, 0}));
    EXPECT_EQ(closing.back().bend, allAt(100.0f));
}

TEST_F(Motions, OpenAllTogetherStartsEveryDigitFromTheRingFinger)
{
    hand.setBend(1, 50.0f);
    const std::vector<Frame> opening = play('*');
    ASSERT_EQ(opening.size(), 11u);
    for (int k = 0; k < 11; ++k)
        EXPECT_EQ(opening[k].bend, allAt(50.0f - 5.0f * k)) << k;
}

TEST_F(Motions, WaveRocksAboutZAndComesBack)
{
    rotZ = 40.0f;
    const std::vector<Frame> wave = play('1');
    ASSERT_EQ(wave.size(), 1u + 42u);
    EXPECT_EQ(wave[0].bend, allAt(0.0f));
    EXPECT_EQ(wave[0].rotZ, 40.0f);

    std::vector<float> expected = {45, 50, 55};
    for (int swing = 0; swing < 3; ++swing) {
        for (float z : {50, 45, 40, 35, 30, 25})
            expected.push_back(z);
        for (float z : {30, 35, 40, 45, 50, 55})
            expected.push_back(z);
    }
    for (float z : {50, 45, 40})
        expected.push_back(z);
    const std::vector<float> rocking = rotZOf(wave);
    EXPECT_EQ(std::vector<float>(rocking.begin() + 1, rocking.end()), expected);
    EXPECT_EQ(rotZ, 40.0f);
}

TEST_F(Motions, ThumbAndLittleFingerOpenWhileTheHandTiltsAndRocks)
{
    const std::vector<Frame> gesture = play('3');
    ASSERT_EQ(gesture.size(), 21u + 6u + 3u + 36u + 3u + 6u);

    // Closing, then little finger and thumb open together as Z tilts by 3.
    EXPECT_EQ(gesture[20].bend, allAt(100.0f));
    for (int k = 0; k < 6; ++k) {
        const Frame& f = gesture[21 + k];
        const float n = 100.0f - 20.0f * k;
        EXPECT_EQ(f.bend, (std::array<float, digitCount>{n, 100, 100, 100, n})) << k;
        EXPECT_EQ(f.rotZ, 3.0f * (k + 1)) << k;
    }
    // Rocking about Y keeps the tilt; the last six frames take it back.
    EXPECT_EQ(gesture[27].rotY, 5.0f);
    EXPECT_EQ(gesture[27].rotZ, 18.0f);
    EXPECT_EQ(gesture[68].rotY, 0.0f);
    EXPECT_EQ(gesture[69].rotZ, 15.0f);

    EXPECT_EQ(gesture.back().bend, (std::array<float, digitCount>{0, 100, 100, 100, 0}));
    EXPECT_EQ(rotY, 0.0f);
    EXPECT_EQ(rotZ, 0.0f);
    EXPECT_EQ(rotX, 0.0f);
}

TEST_F(Motions, TurnMiddleShowsTheBackThenRaisesTheMiddleFinger)
{
    const std::vector<Frame> first = play('2');
    ASSERT_EQ(first.size(), 9u + 21u + 6u);
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(first[k].rotY, 20.0f * (k + 1)) << k;
    const float middle[] = {100, 80, 60, 40, 20, 0};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(first[30 + k].bend, (std::array<float, digitCount>{100, 100, middle[k], 100, 100}));

    // Again: the ring finger is still bent, so closing costs one frame.
    EXPECT_EQ(play('2').size(), 9u + 1u + 6u);
    EXPECT_EQ(rotY, 360.0f);

    const std::vector<Frame> home = play(backspace);
    ASSERT_EQ(home.size(), 58u);
    EXPECT_EQ(home[0].bend, allAt(100.0f));  // every digit from the ring finger
    EXPECT_EQ(home[20].bend, allAt(0.0f));
    EXPECT_EQ(home[21].rotY, 350.0f);
    EXPECT_EQ(home[56].rotY, 0.0f);
    EXPECT_EQ(home[57].rotY, 0.0f);
}

TEST_F(Motions, BeckonTurnsThePalmUpAndCurlsTheFingersTwice)
{
    const std::vector<Frame> beckon = play('4');
    ASSERT_EQ(beckon.size(), 1u + 9u + 16u);
    EXPECT_EQ(beckon[9].rotY, 180.0f);
    EXPECT_EQ(beckon[9].rotX, -90.0f);

    const float curl[] = {0, 10, 20, 30, 30, 20, 10, 0};
    for (int k = 0; k < 16; ++k) {
        const float n = curl[k % 8];
        EXPECT_EQ(beckon[10 + k].bend, (std::array<float, digitCount>{n, n, n, n, 0})) << k;
    }

    // Home: one opening frame, Y from 180 in 18, X raised to 270 and unwound
    // in 27, Z needs none, and the final frame.
    const std::vector<Frame> home = play(backspace);
    ASSERT_EQ(home.size(), 47u);
    EXPECT_EQ(home[18].rotY, 0.0f);
    EXPECT_EQ(home[19].rotX, 260.0f);
    EXPECT_EQ(home[45].rotX, 0.0f);
    EXPECT_EQ(home[46].rotX, 0.0f);
}

TEST_F(Motions, ReturnHomeSetsAnAngleStillBelowZeroWithoutAFrame)
{
    for (int i = 0; i < 5; ++i)
        play('4');
    EXPECT_EQ(rotY, 900.0f);
    EXPECT_EQ(rotX, -450.0f);

    const std::vector<Frame> home = play(backspace);
    ASSERT_EQ(home.size(), 1u + 90u + 1u);
    for (int k = 1; k <= 90; ++k) {
        EXPECT_EQ(home[k].rotY, 900.0f - 10.0f * k) << k;
        EXPECT_EQ(home[k].rotX, -90.0f) << k;
    }
    EXPECT_EQ(home.back().rotX, 0.0f);
    EXPECT_EQ(home.back().rotY, 0.0f);
    EXPECT_EQ(home.back().bend, allAt(0.0f));
}

TEST_F(Motions, UnwindingMayShowOneFrameBelowZero)
{
    onKey('.', 0, 0);
    onKey('.', 0, 0);
    onKey('.', 0, 0);
    const std::vector<Frame> home = play(backspace);
    ASSERT_EQ(home.size(), 4u);
    EXPECT_EQ(home[0].rotY, 15.0f);
    EXPECT_EQ(home[1].rotY, 5.0f);
    EXPECT_EQ(home[2].rotY, -5.0f);
    EXPECT_EQ(home[3].rotY, 0.0f);
}

}  // namespace
