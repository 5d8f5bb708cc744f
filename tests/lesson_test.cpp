#include "call_changes.h"
#include "lesson_observer.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/fresh_start.h"
#include "joint_frames.h"
#include "keyboard.h"

namespace {

std::vector<std::pair<size_t, int>> reaches;  // where each joint frame was reached among the recorded calls

void noteReach(int joint)
{
    reaches.emplace_back(gl().calls.size(), joint);
}

const std::map<std::string, ListedName> listedNames = {
    {"glLoadIdentity", glLoadIdentityCall}, {"glPushMatrix", glPushMatrixCall}, {"glPopMatrix", glPopMatrixCall},
    {"glTranslatef", glTranslatefCall},     {"glRotatef", glRotatefCall},       {"glScalef", glScalefCall},
    {"glutSolidSphere", glutSolidSphereCall}, {"glutSolidCube", glutSolidCubeCall}};

// The viewer's own frame, drawn through the recorder and told to the lesson
// call by call as a GL layer tells it: how it drew each shape.
std::vector<ShapeDrawing> tellFrame(int selected, int step = -1)
{
    startFresh();
    reaches.clear();
    startRecordingJointFrames(hand, noteReach);
    selectJointSubtree(selected);
    drawOnlyFirstCalls(step);
    reshapeView(300, 300);
    displayScene();
    std::vector<ShapeDrawing> shapes;
    bool modelView = true;
    int depth = 1;
    size_t reached = 0;
    for (size_t i = 0; i < gl().calls.size(); ++i) {
        for (; reached < reaches.size() && reaches[reached].first == i; ++reached)
            observeJointReached(reaches[reached].second);
        const GlCall& call = gl().calls[i];
        if (call.name == "glMatrixMode")
            modelView = call.args[0] == GL_MODELVIEW;
        if (call.name == "glClear")
            observeFrameBegun();
        const auto name = listedNames.find(call.name);
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

std::vector<int> range(int first, int last)
{
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers.push_back(n);
    return numbers;
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

std::vector<float> matrixAfter(const CallListing& frame, int number)
{
    return std::vector<float>(frame.calls[number - 1].matrix, frame.calls[number - 1].matrix + 16);
}

TEST(Lesson, CallsBelongToTheJointFramesTheyBuildWhateverTheirDepth)
{
    tellFrame(-1);
    const CallListing& frame = lastFrameCalls();
    ASSERT_EQ(frame.count, 178);
    std::map<std::string, std::vector<int>> owned = {
        {"the view", range(1, 7)}, {"hand", {8, 9, 172}}, {"d3.s0", range(111, 120)}, {"d4.s0", range(145, 151)},
        {"d3.s1", range(121, 123)}, {"d3.tip", {139, 140}}};
    owned["the view"].push_back(178);
    for (int n : range(173, 177))
        owned["hand"].push_back(n);
    for (int n : {143, 144})
        owned["d3.s0"].push_back(n);
    owned["d4.s0"].push_back(171);
    for (const auto& [joint, numbers] : owned)
        for (int number : numbers)
            EXPECT_EQ(jointOf(frame, number), joint) << "call " << number;

    // A push and its pop line up in the listing.
    for (const auto& [push, pop] : std::vector<std::pair<int, int>>{{3, 178}, {16, 19}, {111, 144}, {145, 171}})
        EXPECT_EQ(frame.calls[push - 1].indent, frame.calls[pop - 1].indent) << push << " and " << pop;
    EXPECT_EQ(frame.calls[2].indent, 0);

    // Swapped, a call keeps its joint, even where the swap straddles a joint's reach.
    FrameJoints unchanged, swapped;
    findJointsOfCalls(frame, lastJointReachedAt(), jointFrameCount, unchanged);
    CallChanges swap;
    swap.swap = 114;
    static CallListing drawn;
    replayWithChanges(frame, swap, drawn);
    int reachedAt[jointFrameCount];
    std::copy_n(lastJointReachedAt(), jointFrameCount, reachedAt);
    reachedAt[jointFrameIndex("d3.s0")] = 113;  // the held knuckle bend is listed after the push
    findJointsOfCalls(drawn, reachedAt, jointFrameCount, swapped);
    for (int n = 1; n <= frame.count; ++n)
        EXPECT_EQ(swapped.ofCall[n], unchanged.ofCall[n]) << "call " << n;
}

TEST(Lesson, ASelectionLightsTheCallsOfItsJointAndThoseBeyondDimsEveryOtherShapeAndStepsDrawTheFirst)
{
    tellFrame(jointFrameIndex("d3.s1"));
    const std::vector<ShapeDrawing> shapes = tellFrame(jointFrameIndex("d3.s1"), 122);  // with the last frame's joints
    const CallListing& frame = lastFrameCalls();
    std::vector<int> lit, litShapes, drawnShapes;
    int shape = 0;
    for (int i = 0; i < frame.count; ++i) {
        if (frame.calls[i].lit)
            lit.push_back(i + 1);
        if (!isShapeCall(frame.calls[i].name))
            continue;
        if (!shapes[shape].dimmed)
            litShapes.push_back(i + 1);
        if (shapes[shape++].drawn)
            drawnShapes.push_back(i + 1);
    }
    EXPECT_EQ(lit, range(121, 142));
    EXPECT_EQ(litShapes, (std::vector<int>{122, 128, 131, 137, 140}));
    EXPECT_EQ(drawnShapes.back(), 122);
}

TEST(Lesson, TheStackAfterEachCallIsWhatGLHeldUnderEveryChange)
{
    tellFrame(-1);
    static CallListing unchanged, drawn;
    unchanged = lastFrameCalls();
    EXPECT_EQ(stackAfter(unchanged, 178), (std::vector<std::vector<float>>{matrixAfter(unchanged, 2)}));
    std::vector<std::vector<float>> levels;
    for (int number : {2, 7, 9, 13, 15, 17})
        levels.push_back(matrixAfter(unchanged, number));
    EXPECT_EQ(stackAfter(unchanged, 17), levels);

    // A pop switched off pops nothing: the stretched box's level stays on top.
    CallChanges changes;
    changes.off[19] = true;
    replayWithChanges(unchanged, changes, drawn);
    replayFrame(drawn, {}, -1);
    EXPECT_EQ(stackAfter(drawn, 19), stackAfter(drawn, 18));
    EXPECT_EQ(stackAfter(drawn, 20).size(), 6u);

    // With the view's push switched off, the last pop underflows and leaves the stack as it was.
    changes = {};
    changes.off[3] = true;
    replayWithChanges(unchanged, changes, drawn);
    replayFrame(drawn, {}, -1);
    EXPECT_EQ(drawn.calls[177].error, stackUnderflowError);
    EXPECT_EQ(stackAfter(drawn, 178), stackAfter(drawn, 177));
    EXPECT_NE(matrixAfter(drawn, 178), matrixAfter(drawn, 1));

    // Calls switched off are in effect nowhere: the scale of the first box is gone at its cube.
    changes = {};
    changes.off[17] = true;
    replayWithChanges(unchanged, changes, drawn);
    std::vector<int> inEffect(listedCallRoom);
    inEffect.resize(callsInEffect(drawn, 18, inEffect.data()));
    EXPECT_EQ(inEffect, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15}));
}

}  // namespace
