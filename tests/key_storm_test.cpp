// A seeded storm of random key codes through the dispatch, checking the
// program's invariants after every key. Set HAND_STORM_SEED to replay one.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "hand_model.h"
#include "keyboard.h"
#include "scene.h"
#include "support/gl_recorder.h"

namespace {

constexpr int stormKeys = 100000;
constexpr unsigned char escapeKey = 27;
const std::string directKeys = ",.[]09qwertasdfg";
const std::string motionKeys = "*+-/1234\b";
// Motions draw up to a hundred frames each: let few through so the storm ends soon.
constexpr double motionKeepChance = 0.02;

unsigned int stormSeed()
{
    if (const char* replay = std::getenv("HAND_STORM_SEED"))
        return static_cast<unsigned int>(std::strtoul(replay, nullptr, 10));
    return std::random_device{}();
}

bool isWholeStepInRange(float bend)
{
    return bend >= 0.0f && bend <= 100.0f && std::fmod(bend, 5.0f) == 0.0f;
}

TEST(KeyStorm, InvariantsHoldAfterEveryKey)
{
    const unsigned int seed = stormSeed();
    SCOPED_TRACE("replay with HAND_STORM_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> anyCode(0, 255);
    std::bernoulli_distribution keepMotion(motionKeepChance);

    resetGl();
    int unbalancedFrames = 0;
    gl().onSwap = [&] { unbalancedFrames += gl().modelViewStack.size() != 1; };

    int motionsPlayed = 0;
    for (int i = 0; i < stormKeys; ++i) {
        unsigned char key = static_cast<unsigned char>(anyCode(random));
        const bool isMotion = motionKeys.find(static_cast<char>(key)) != std::string::npos;
        if (key == escapeKey || (isMotion && !keepMotion(random)))
            continue;
        motionsPlayed += isMotion;
        const bool bound = isMotion || directKeys.find(static_cast<char>(key)) != std::string::npos;

        gl().calls.clear();
        const int requestsBefore = gl().redisplayRequests;
        onKey(key, 0, 0);

        ASSERT_EQ(gl().redisplayRequests - requestsBefore, bound ? 1 : 0) << "key " << int(key);
        ASSERT_EQ(unbalancedFrames, 0) << "key " << int(key);
        for (float bend : hand.bend)
            ASSERT_TRUE(isWholeStepInRange(bend)) << bend << " after key " << int(key);
        for (float angle : {rotX, rotY, rotZ})
            ASSERT_TRUE(std::isfinite(angle)) << "after key " << int(key);
    }
    EXPECT_GT(motionsPlayed, 0);
    EXPECT_GT(gl().swaps, 0);
}

}  // namespace
