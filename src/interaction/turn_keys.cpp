#include "turn_keys.h"

#include "keyboard.h"

namespace {

// Breadth first: every angle reached, with the one it came from, the key
// that took it there and how many keys in all. Each angle leads to two, so
// the search stays small.
struct Reached {
    float angle;
    int from;
    int keys;
    bool up;
};

constexpr int reachedRoom = 2 * mostTurnKeys + 1;

bool seen(const Reached* reached, int count, float angle)
{
    for (int i = 0; i < count; ++i)
        if (reached[i].angle == angle)
            return true;
    return false;
}

}  // namespace

int turnKeysToAngle(float angle, float target, bool up[mostTurnKeys])
{
    static Reached reached[reachedRoom];
    int count = 0;
    reached[count++] = {angle, -1, 0, false};
    for (int next = 0; next < count; ++next) {
        const Reached at = reached[next];
        if (at.angle == target) {
            for (int i = next, k = at.keys; k > 0; i = reached[i].from)
                up[--k] = reached[i].up;
            return at.keys;
        }
        const float turned[2] = {turnedDown(at.angle), turnedUp(at.angle)};
        for (int keyUp = 0; keyUp < 2 && at.keys < mostTurnKeys && count < reachedRoom; ++keyUp)
            if (!seen(reached, count, turned[keyUp]))
                reached[count++] = {turned[keyUp], next, at.keys + 1, keyUp == 1};
    }
    return -1;
}
