#include "frame_listing.h"

namespace {

struct NameAndArgs {
    const char* text;
    int args;
};

// In ListedName's order.
const NameAndArgs listedNames[listedNameCount] = {
    {"glLoadIdentity", 0}, {"glLoadMatrixf", 0}, {"glPushMatrix", 0}, {"glPopMatrix", 0}, {"glTranslatef", 3},
    {"glRotatef", 4},      {"glScalef", 3},      {"glutSolidSphere", 3}, {"glutSolidCube", 1}};

}  // namespace

const char* listedNameText(ListedName name)
{
    return listedNames[name].text;
}

int listedArgCount(ListedName name)
{
    return listedNames[name].args;
}

int callsInEffect(const CallListing& listing, int count, int out[])
{
    int kept = 0;
    int pushedAt[listedCallRoom];
    int pushes = 0;
    for (int i = 0; i < count && i < listing.count; ++i) {
        const ListedCall& call = listing.calls[i];
        const int name = call.name;
        if ((call.change & callSwitchedOff) || call.error != noCallError || isShapeCall(name))
            continue;
        if (name == glPopMatrixCall) {
            if (pushes > 0)
                kept = pushedAt[--pushes];
        } else {
            if (name == glPushMatrixCall)
                pushedAt[pushes++] = kept;
            out[kept++] = i;
        }
    }
    return kept;
}

bool matrixOfCall(const ListedCall& call, Matrix4& out)
{
    const double* a = call.args;
    const auto f = [&](int i) { return static_cast<float>(a[i]); };
    switch (call.name) {
    case glTranslatefCall: out = translation(f(0), f(1), f(2)); return true;
    case glRotatefCall: out = rotation(f(0), f(1), f(2), f(3)); return true;
    case glScalefCall: out = scaling(f(0), f(1), f(2)); return true;
    default: return false;
    }
}

bool isChangeableCall(int name)
{
    return name >= glPushMatrixCall && name <= glScalefCall;
}

bool isShapeCall(int name)
{
    return name == glutSolidSphereCall || name == glutSolidCubeCall;
}
