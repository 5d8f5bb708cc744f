#include "lesson_observer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const float anyMatrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

void call(ListedName name, int depth, std::vector<double> args = {0, 0, 0, 0})
{
    observeMatrixCall(name, args.data(), depth, anyMatrix);
}

ShapeDrawing shape(int depth)
{
    const double edge[] = {1};
    return observeShape(glutSolidCubeCall, edge, depth, anyMatrix);
}

// A hand of one finger, as the viewer's drawing calls it: the base
// transform, then a frame that pushes, reaches the finger's two joints and
// draws a box in each.
std::vector<ShapeDrawing> drawFrame()
{
    call(glLoadIdentityCall, 1);
    call(glTranslatefCall, 1, {0, 0, -10});
    observeFrameBegun();                 // calls 0, 1: the base
    call(glPushMatrixCall, 2);           // 2
    call(glRotatefCall, 2, {90, 0, 1, 0});  // 3: the view
    observeJointReached(0, 2);
    call(glTranslatefCall, 2, {1, 0, 0});   // 4: the hand's
    call(glPushMatrixCall, 3);           // 5
    observeJointReached(1, 3);
    call(glRotatefCall, 3, {45, 1, 0, 0});  // 6: the knuckle's
    call(glPushMatrixCall, 4);           // 7
    call(glScalefCall, 4, {1, 2, 1});       // 8
    std::vector<ShapeDrawing> shapes{shape(4)};  // 9
    call(glPopMatrixCall, 3);            // 10
    call(glTranslatefCall, 3, {0, 2, 0});   // 11
    call(glPushMatrixCall, 4);           // 12
    observeJointReached(2, 4);
    call(glRotatefCall, 4, {45, 1, 0, 0});  // 13: the middle joint's
    shapes.push_back(shape(4));          // 14
    call(glPopMatrixCall, 3);            // 15
    call(glPopMatrixCall, 2);            // 16
    shapes.push_back(shape(2));          // 17: the hand's own, after the finger
    call(glPopMatrixCall, 1);            // 18
    observeFrameFinished();
    return shapes;
}

std::vector<int> inEffect(int count)
{
    std::vector<int> out(listedCallRoom);
    out.resize(callsInEffect(lastFrameCalls(), count, out.data()));
    return out;
}

TEST(Lesson, ListsTheFrameAndAnswersWhatIsInEffectWhereAndWhose)
{
    selectJointSubtree(-1);
    drawOnlyFirstCalls(-1);
    drawFrame();
    const CallListing& listing = lastFrameCalls();
    ASSERT_EQ(listing.count, 19);
    EXPECT_EQ(listing.calls[1].args[2], -10);
    EXPECT_EQ(listing.calls[9].name, glutSolidCubeCall);

    // A pop takes back its push and all since; shapes change no matrix.
    EXPECT_EQ(inEffect(10), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(inEffect(11), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(inEffect(14), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 11, 12, 13}));
    EXPECT_EQ(inEffect(19), (std::vector<int>{0, 1}));
    EXPECT_EQ(inEffect(lastJointReachedAt()[2]), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 11, 12}));

    // A joint's subtree lasts until the stack falls below where it was reached.
    EXPECT_EQ(subtreeEnd(listing, lastJointReachedAt()[1]), 16);
    const std::vector<int> whose = {-1, -1, -1, -1, 0, 0, 1, 1, 1, 1, 1, 1, 1, 2, 2, 1, 0, 0, -1};
    for (int i = 0; i < listing.count; ++i)
        EXPECT_EQ(jointOfCall(listing, lastJointReachedAt(), 3, i), whose[i]) << "call " << i;

    Matrix4 scale;
    ASSERT_TRUE(matrixOfCall(listing.calls[8], scale));
    EXPECT_EQ(scale.m[5], 2);
    EXPECT_FALSE(matrixOfCall(listing.calls[9], scale));
}

TEST(Lesson, DimsWhatASelectionDoesNotCarryAndStepsDrawTheFirstShapesOnly)
{
    selectJointSubtree(2);
    drawOnlyFirstCalls(-1);
    std::vector<ShapeDrawing> shapes = drawFrame();
    EXPECT_EQ((std::vector<bool>{shapes[0].dimmed, shapes[1].dimmed, shapes[2].dimmed}),
              (std::vector<bool>{true, false, true}));

    selectJointSubtree(-1);
    drawOnlyFirstCalls(14);
    shapes = drawFrame();
    EXPECT_EQ((std::vector<bool>{shapes[0].drawn, shapes[1].drawn, shapes[2].drawn}),
              (std::vector<bool>{true, false, false}));
    EXPECT_FALSE(shapes[0].dimmed);
}

}  // namespace
