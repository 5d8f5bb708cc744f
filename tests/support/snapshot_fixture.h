#pragma once

// A viewer fixture that can also ask hand-snapshot, on the same virtual
// screen, for its picture of a pose: the reference a window is compared with.

#include "viewer_fixture.h"

#include "png_read.h"
#include "shell.h"

class SnapshotTest : public ViewerTest {
protected:
    void SetUp() override { scratch = makeScratchFolder(); }
    void TearDown() override
    {
        ViewerTest::TearDown();
        runShell("rm -rf " + scratch);
    }

    // Runs hand-snapshot on the virtual screen with `arguments`.
    CommandResult snap(const std::string& arguments)
    {
        return runShell("DISPLAY=" + screen->name() + " " + HAND_SNAPSHOT_PATH + " " + arguments);
    }

    // The picture of one pose.
    Image pose(const std::string& arguments)
    {
        const std::string file = scratch + "/pose.png";
        const CommandResult run = snap(arguments + " --out " + file);
        EXPECT_EQ(run.status, 0) << run.output;
        return readPng(file);
    }

    std::string scratch;
};
