#include "call_changes.h"
#include "lesson_observer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "joint_frames.h"
#include "support/fresh_start.h"

namespace {

const std::map<std::string, ListedName> listedNames = {
    {"glLoadIdentity", glLoadIdentityCall}, {"glPushMatrix", glPushMatrixCall}, {"glPopMatrix", glPopMatrixCall},
    {"glTranslatef", glTranslatefCall},     {"glRotatef", glRotatefCall},       {"glScalef", glScalefCall},
    {"glutSolidSphere", glutSolidSphereCall}, {"glutSolidCube", glutSolidCubeCall}};

// The viewer's own frame, drawn through the recorder and told to the lesson
// call by call as a GL layer tells it, each joint frame where drawing
// reaches it: how each shape was drawn.
std::vector<ShapeDrawing> tellFrame(int selected, int step = -1)
{
    static std::vector<std::pair<size_t, int>> reaches;  // the recorder's calls so far, and the joint
    startFresh();
    reaches.clear();
    startRecordingJointFrames(hand, [](int joint) { reaches.emplace_back(gl().calls.size(), joint); });
    selectJointSubtree(selected);
    drawOnlyFirstCalls(step);
    reshapeView(300, 300);
    displayScene();
    std::vector<ShapeDrawing> shapes;
    bool modelView = true;
    int depth = 1;
    auto reached = reaches.begin();
    for (size_t i = 0; i < gl().calls.size(); ++i) {
        for (; reached != reaches.end() && reached->first == i; ++reached)
            observeJointReached(reached->second);
        const GlCall& call = gl().calls[i];
        const auto name = listedNames.find(call.name);
        modelView = call.name == "glMatrixMode" ? call.args[0] == GL_MODELVIEW : modelView;
        if (call.name == "glClear")
            observeFrameBegun();
        if (name == listedNames.end() || !modelView)
            continue;
        depth += name->second == glPushMatrixCall ? 1 : name->second == glPopMatrixCall ? -1 : 0;
        float matrix[16];
        std::copy(call.modelView.m.begin(), call.modelView.m.end(), matrix);
        if (isShapeCall(name->second))
            shapes.push_back(observeShape(name->second, call.args.data(), depth, matrix));
        else
            observeMatrixCall(name->second, call.args.data(), depth, matrix);
    }
    observeFrameFinished();
    setJointFrameHook(nullptr);
    return shapes;
}

std::string jointOf(const CallListing& frame, int number)
{
    const int joint = frame.calls[number - 1].joint;
    return joint < 0 ? "the view" : lastJointFrames()[joint].name;
}

// The stack after call `number`, bottom first, as the replay links it.
std::vector<std::vector<float>> stackAfter(const CallListing& frame, int number)
{
    std::vector<std::vector<float>> levels;
    for (int i = number - 1; i >= 0; i = frame.calls[i].under)
        levels.insert(levels.begin(), std::vector<float>(frame.calls[i].matrix, frame.calls[i].matrix + 16));
    return levels;
}

TEST(Lesson, CallsBelongToTheJointFramesTheyBuildWhateverTheirDepthOrChanges)
{
    tellFrame(-1);
    const CallListing& frame = lastFrameCalls();
    ASSERT_EQ(frame.count, 178);
    struct Owned { int first, last; const char* joint; };
    for (const Owned& run : {Owned{1, 7, "the view"}, {8, 9, "hand"}, {111, 120, "d3.s0"}, {121, 123, "d3.s1"},
                             {139, 140, "d3.tip"}, {143, 144, "d3.s0"}, {145, 151, "d4.s0"}, {171, 171, "d4.s0"},
                             {172, 177, "hand"}, {178, 178, "the view"}})
        for (int number = run.first; number <= run.last; ++number)
            EXPECT_EQ(jointOf(frame, number), run.joint) << "call " << number;
    for (const auto& [push, pop] : {std::pair{3, 178}, {16, 19}, {111, 144}})  // a push lines up with its pop
        EXPECT_EQ(frame.calls[push - 1].indent, frame.calls[pop - 1].indent) << push;

    // Swapped across the knuckle's reach, the knuckle's bend is listed after the push it was held back for.
    FrameJoints unchanged, swapped;
    findJointsOfCalls(frame, lastJointReachedAt(), jointFrameCount, unchanged);
    CallChanges swap;
    swap.swap = 114;
    static CallListing drawn;
    replayWithChanges(frame, swap, drawn);
    int reachedAt[jointFrameCount];
    std::copy_n(lastJointReachedAt(), jointFrameCount, reachedAt);
    reachedAt[jointFrameIndex("d3.s0")] = 113;
    findJointsOfCalls(drawn, reachedAt, jointFrameCount, swapped);
    EXPECT_TRUE(std::equal(swapped.ofCall, swapped.ofCall + 179, unchanged.ofCall));
}

TEST(Lesson, ASelectionLightsTheCallsOfItsJointAndBeyondDimsTheOtherShapesAndStepsDrawTheFirst)
{
    tellFrame(jointFrameIndex("d3.s1"));
    const std::vector<ShapeDrawing> shapes = tellFrame(jointFrameIndex("d3.s1"), 122);  // with the last frame's joints
    const CallListing& frame = lastFrameCalls();
    std::vector<int> lit, litShapes, drawnShapes;
    for (int i = 0, shape = 0; i < frame.count; ++i) {
        if (frame.calls[i].lit)
            lit.push_back(i + 1);
        if (isShapeCall(frame.calls[i].name) && !shapes[shape].dimmed)
            litShapes.push_back(i + 1);
        if (isShapeCall(frame.calls[i].name) && shapes[shape++].drawn)
            drawnShapes.push_back(i + 1);
    }
    EXPECT_EQ(std::make_pair(lit.front(), lit.size()), std::make_pair(121, size_t{22}));
    EXPECT_EQ(litShapes, (std::vector<int>{122, 128, 131, 137, 140}));
    EXPECT_EQ(drawnShapes.back(), 122);
}

TEST(Lesson, TheStackAfterEachCallIsWhatGLHeldAndCallsSwitchedOffAreInEffectNowhere)
{
    tellFrame(-1);
    static CallListing unchanged, drawn;
    unchanged = lastFrameCalls();
    EXPECT_EQ(stackAfter(unchanged, 178), stackAfter(unchanged, 2));
    EXPECT_EQ(stackAfter(unchanged, 17).size(), 6u);
    EXPECT_EQ(stackAfter(unchanged, 17)[3], stackAfter(unchanged, 13).back());
    CallChanges changes;
    changes.off[19] = true;  // a pop switched off pops nothing
    changes.off[17] = true;  // the first box's scale
    replayWithChanges(unchanged, changes, drawn);
    replayFrame(drawn, {}, -1);
    EXPECT_EQ(stackAfter(drawn, 19), stackAfter(drawn, 18));
    std::vector<int> inEffect(listedCallRoom);
    inEffect.resize(callsInEffect(drawn, 18, inEffect.data()));
    EXPECT_EQ(std::count(inEffect.begin(), inEffect.end(), 16), 0);

    // With the view's push switched off, the last pop has nothing to pop and leaves the stack as it was.
    changes = {};
    changes.off[3] = true;
    replayWithChanges(unchanged, changes, drawn);
    replayFrame(drawn, {}, -1);
    EXPECT_EQ(drawn.calls[177].error, stackUnderflowError);
    EXPECT_EQ(stackAfter(drawn, 178), stackAfter(drawn, 177));
    EXPECT_NE(stackAfter(drawn, 178).back(), stackAfter(drawn, 1).back());
}

}  // namespace
