// hand-snapshot on a private Xvfb: its pictures against the viewer's window,
// against the motions' frames, against the committed reference pictures,
// and its answers to bad input.

// The fixture brings GoogleTest in before Xlib, whose macros would clash with it.
#include "support/snapshot_fixture.h"

#include <set>
#include <sstream>

#include "call_changes.h"
#include "support/recorded_joints.h"

namespace {

const std::string snapshot = HAND_SNAPSHOT_PATH;
const std::string goldenFolder = HAND_GOLDEN_DIR;

using Snapshot = SnapshotTest;

TEST_F(Snapshot, RestPictureIsTheViewersFirstFrame)
{
    const Image window = startAtRest();
    ASSERT_FALSE(window.pixels.empty());
    const Image picture = pose("");
    ASSERT_FALSE(picture.pixels.empty());
    EXPECT_EQ(differingPixels(window, picture), 0);
    EXPECT_TRUE(window == picture);
}

TEST_F(Snapshot, MatchesEveryReferencePicture)
{
    const struct {
        const char* name;
        const char* arguments;
    } poses[] = {
        {"rest", ""},
        {"fist", "--bend 100,100,100,100,100"},
        {"index-half", "--bend 0,0,0,50,0"},
        {"thumb-bent", "--bend 0,0,0,0,100"},
        {"turned", "--rot 20,-35,10"},
        {"turn-middle-end", "--keys 2"},
    };
    for (const auto& p : poses) {
        SCOPED_TRACE(p.name);
        const Image reference = readPng(goldenFolder + "/" + p.name + ".png");
        ASSERT_FALSE(reference.pixels.empty());
        EXPECT_LE(differingPixels(pose(p.arguments), reference), differenceBound);
    }
}

TEST_F(Snapshot, ToleranceStillCatchesTheSmallestWrongPose)
{
    const Image rest = readPng(goldenFolder + "/rest.png");
    for (const char* wrong : {"--bend 5,0,0,0,0", "--bend 0,0,0,0,5", "--rot 0,5,0",
                              "--rot 5,0,0", "--rot 0,0,5"}) {
        const int differing = differingPixels(pose(wrong), rest);
        std::printf("%-20s moves %d pixels\n", wrong, differing);
        EXPECT_GT(differing, differenceBound) << wrong;
    }
}

TEST_F(Snapshot, KeyFramesAreTheMotionsFrames)
{
    // Closing all together from rest: 21 frames, all digits at 0, 5, ... 100.
    const std::string frames = scratch + "/close";
    ASSERT_EQ(snap("--keys / --frames " + frames).status, 0);
    EXPECT_EQ(runShell("ls " + frames + " | wc -l").output, "21\n");
    for (int k = 0; k <= 20; ++k) {
        SCOPED_TRACE(k);
        const std::string n = std::to_string(5 * k);
        const Image frame = readPng(frames + "/frame-" + std::string(k + 1 < 10 ? "000" : "00") +
                                    std::to_string(k + 1) + ".png");
        EXPECT_LE(differingPixels(frame, pose("--bend " + n + "," + n + "," + n + "," + n + "," + n)),
                  differenceBound);
    }

    // Beckoning: 1 + 9 + 16 frames; the turn ends at 180 about Y, -90 about X.
    const std::string beckon = scratch + "/beckon";
    ASSERT_EQ(snap("--keys 4 --frames " + beckon).status, 0);
    EXPECT_EQ(runShell("ls " + beckon + " | wc -l").output, "26\n");
    EXPECT_LE(differingPixels(readPng(beckon + "/frame-0010.png"), pose("--rot -90,180,0")),
              differenceBound);
    EXPECT_LE(differingPixels(readPng(beckon + "/frame-0014.png"),
                              pose("--rot -90,180,0 --bend 30,30,30,30,0")),
              differenceBound);

    // A direct key shows its change in the one frame its redisplay draws.
    const std::string direct = scratch + "/direct";
    ASSERT_EQ(snap("--keys qq. --frames " + direct).status, 0);
    EXPECT_EQ(runShell("ls " + direct + " | wc -l").output, "3\n");
    EXPECT_LE(differingPixels(readPng(direct + "/frame-0003.png"),
                              pose("--bend 10,0,0,0,0 --rot 0,5,0")),
              differenceBound);
}

// The 16 numbers of each "matrix" in hand-snapshot's JSON, in order.
std::vector<std::vector<double>> jsonMatrices(const std::string& json)
{
    std::vector<std::vector<double>> matrices;
    for (size_t at = json.find("\"matrix\": ["); at != std::string::npos;
         at = json.find("\"matrix\": [", at + 1)) {
        std::istringstream numbers(json.substr(at + 11));
        std::vector<double>& matrix = matrices.emplace_back(16);
        for (double& value : matrix)
            numbers >> value >> std::ws, numbers.ignore(1);
    }
    return matrices;
}

TEST_F(Snapshot, JointFramesAreWhatGlHoldsAndTheirAxesLieOverTheHand)
{
    for (const std::string keys : {"", "rrrr", "4", "/.,]9"}) {
        SCOPED_TRACE(keys);
        const CommandResult run = snap("--keys '" + keys + "' --joints -");
        ASSERT_EQ(run.status, 0) << run.output;
        const std::vector<std::vector<double>> native = jsonMatrices(run.output);
        const std::vector<JointFrame> recorded = recordedJointFrames(keys);
        ASSERT_EQ(native.size(), recorded.size());
        for (size_t k = 0; k < native.size(); ++k) {
            EXPECT_NE(run.output.find(std::string("\"") + recorded[k].name + "\""), std::string::npos);
            for (int e = 0; e < 16; ++e)
                EXPECT_NEAR(native[k][e], recorded[k].matrix[e], 1e-4) << recorded[k].name;
        }
    }

    // Pure red, green and blue pixels come with the axes, white with their
    // origins' dots, and nothing else changes: they are unlit, over the hand.
    const Rgb colours[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    const auto count = [](const Image& image, const Rgb& colour) {
        return static_cast<int>(std::count(image.pixels.begin(), image.pixels.end(), colour));
    };
    const Image plain = pose("--keys rrrr");
    const Image axes = pose("--keys rrrr --axes");
    int drawn = 0;
    for (const Rgb& colour : colours) {
        EXPECT_EQ(count(plain, colour), 0) << int(colour.r) << int(colour.g) << int(colour.b);
        EXPECT_GT(count(axes, colour), 0) << int(colour.r) << int(colour.g) << int(colour.b);
        drawn += count(axes, colour);
    }
    EXPECT_EQ(differingPixels(axes, plain), drawn);
}

// The listing opens with the base transform, then is every matrix call and
// shape of the frame, each with the matrix GL holds after it.
TEST_F(Snapshot, CallsAreTheFramesMatrixCallsAndShapesWithGlsMatrices)
{
    const std::set<std::string> listed = {"glPushMatrix", "glPopMatrix", "glTranslatef", "glRotatef",
                                          "glScalef", "glutSolidSphere", "glutSolidCube"};
    for (const std::string keys : {"", "rrrr", "4", "/.,]9"}) {
        SCOPED_TRACE(keys);
        const CommandResult run = snap("--keys '" + keys + "' --calls -");
        ASSERT_EQ(run.status, 0) << run.output;
        std::vector<std::string> names;
        for (size_t at = run.output.find("\"name\": \""); at != std::string::npos;
             at = run.output.find("\"name\": \"", at + 1))
            names.push_back(run.output.substr(at + 9, run.output.find('"', at + 9) - at - 9));
        const std::vector<std::vector<double>> matrices = jsonMatrices(run.output);
        recordedJointFrames(keys);  // the same frame, drawn through the recorder
        std::vector<GlCall> recorded = {{"glLoadIdentity", {}, Matrix::identity()},
                                        {"glTranslatef", {}, translation(0.0, 0.0, -10.0)}};
        for (const GlCall& call : gl().calls)
            if (listed.count(call.name))
                recorded.push_back(call);
        ASSERT_EQ(names.size(), recorded.size());
        ASSERT_EQ(matrices.size(), recorded.size());
        for (size_t k = 0; k < names.size(); ++k) {
            ASSERT_EQ(names[k], recorded[k].name) << k;
            for (int e = 0; e < 16; ++e)
                EXPECT_NEAR(matrices[k][e], recorded[k].modelView.m[e], 1e-4) << k << " " << names[k];
        }
    }
}

// hand-snapshot's listing read back: names, arguments and numbers.
CallListing listingFromJson(const std::string& json)
{
    static CallListing listing;
    listing.count = 0;
    for (size_t at = json.find("{\"name\": \""); at != std::string::npos; at = json.find("{\"name\": \"", at + 1)) {
        ListedCall& call = listing.calls[listing.count++];
        call = {};
        const std::string name = json.substr(at + 10, json.find('"', at + 10) - at - 10);
        while (listedNameText(static_cast<ListedName>(call.name)) != name)
            ++call.name;
        std::istringstream args(json.substr(json.find("\"args\": [", at) + 9));
        for (int i = 0; i < listedArgCount(static_cast<ListedName>(call.name)); ++i)
            args >> call.args[i] >> std::ws, args.ignore(1);
        call.number = std::stoi(json.substr(json.find("\"number\": ", at) + 10));
    }
    return listing;
}

// Every few calls switched off, swapped with the next or given new
// numbers: real GL under the change against a replay of the unchanged
// listing with that change made, shape by shape.
TEST_F(Snapshot, ChangedCallsDrawWhatAReplayOfTheListingGives)
{
    const CallListing unchanged = listingFromJson(snap("--keys 'rr4' --calls -").output);
    ASSERT_GT(unchanged.count, 100);
    const auto sameShapes = [&](const std::string& change, const CallChanges& changes) {
        SCOPED_TRACE(change);
        const CommandResult run = snap("--keys 'rr4' --calls - " + change);
        ASSERT_EQ(run.status, 0) << run.output;
        static CallListing replayed;
        replayWithChanges(unchanged, changes, replayed);
        const std::vector<std::vector<double>> drawn = jsonMatrices(run.output);
        ASSERT_EQ(static_cast<int>(drawn.size()), replayed.count);
        for (int k = 0; k < replayed.count; ++k)
            for (int e = 0; isShapeCall(replayed.calls[k].name) && e < 16; ++e)
                ASSERT_NEAR(drawn[k][e], replayed.calls[k].matrix[e], 1e-4) << k;
    };
    const double newNumbers[][4] = {{1.5, -2, 0.25}, {33, 0.3, 0.4, 0.5}, {2, 0.5, 1}};
    for (int k = 3; k < unchanged.count; k += 7) {
        const int name = unchanged.calls[k - 1].name;
        if (!isChangeableCall(name))
            continue;
        static CallChanges changes;
        changes = {};
        changes.off[k] = true;
        sameShapes("--skip " + std::to_string(k), changes);
        changes = {};
        changes.swap = k;
        if (isChangeableCall(unchanged.calls[k].name))
            sameShapes("--swap " + std::to_string(k), changes);
        if (name < glTranslatefCall)
            continue;
        changes = {};
        const double* numbers = newNumbers[name - glTranslatefCall];
        changes.edited[k] = listedArgCount(static_cast<ListedName>(name));
        std::copy_n(numbers, 4, changes.args[k]);
        std::string edit = "--edit " + std::to_string(k) + ":";
        for (int i = 0; i < changes.edited[k]; ++i)
            edit += (i ? "," : "") + std::to_string(numbers[i]);
        sameShapes(edit, changes);
    }
}

TEST_F(Snapshot, ContactSheetTilesEveryNthFrameAndTheLast)
{
    const std::string sheet = scratch + "/sheet.png";
    ASSERT_EQ(snap("--size 100x80 --keys / --sheet " + sheet + " --every 4").status, 0);
    // Frames 1, 5, ..., 21: six tiles, three a row, 4-pixel gutters.
    const Image image = readPng(sheet);
    EXPECT_EQ(image.width, 3 * 104 + 4);
    EXPECT_EQ(image.height, 2 * 84 + 4);
}

TEST_F(Snapshot, BadInputSaysSoInOneLineAndWritesNothing)
{
    const std::string out = " --out " + scratch + "/x.png";
    const std::string cases[] = {
        "--bend 0,0,0,0,105" + out,      "--bend 0,0,0,0,3" + out,
        "--bend -5,0,0,0,0" + out,       "--bend 0,0,0,0" + out,
        "--bend 0,0,0,0,0,0" + out,      "--bend a,b,c,d,e" + out,
        "--rot 1,2" + out,               "--size 0x300" + out,
        "--size 300x4097" + out,         "--size 300" + out,
        "--keys x" + out,                "--keys \"$(printf \\\\033)\"" + out,
        "--keys Q" + out,                "--every 0 --sheet " + scratch + "/s.png",
        "--frobnicate 1" + out,          "",
        "--out /nonexistent-folder/x.png", "--frames /proc/hand-frames",
        "--joints /nonexistent-folder/j.json" + out, "--axes --joints " + scratch + out,
        "--skip 2" + out,                "--skip 9999" + out,
        "--swap 11" + out,               "--edit 9:1,2" + out,
        "--edit 9:1,2,1e9" + out,        "--edit 5:30,0,0,1e-4" + out,
    };
    for (const std::string& arguments : cases) {
        SCOPED_TRACE(arguments);
        // Standard error alone: the shell group sends it where output was.
        const CommandResult run = runShell("{ DISPLAY=" + screen->name() + " " + snapshot + " " +
                                           arguments + " 2>&1 >/dev/null; }");
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
        EXPECT_EQ(run.output.rfind("hand-snapshot: ", 0), 0u) << run.output;
        EXPECT_EQ(runShell("ls -A " + scratch).output, "");
    }
}

TEST_F(Snapshot, WithoutADisplayItSaysHowToGetOne)
{
    const CommandResult run = runShell("env -u DISPLAY " + snapshot + " --out " + scratch + "/x.png");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("Xvfb"), std::string::npos) << run.output;
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
    EXPECT_EQ(runShell("ls -A " + scratch).output, "");
}

}  // namespace
