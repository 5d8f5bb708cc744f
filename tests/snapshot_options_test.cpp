#include "snapshot_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

SnapshotOptions parse(std::vector<const char*> words)
{
    words.insert(words.begin(), "hand-snapshot");
    return parseSnapshotOptions(static_cast<int>(words.size()), words.data());
}

TEST(SnapshotOptions, ReadsAPoseASizeAndKeys)
{
    const SnapshotOptions o = parse({"--bend", "100,0,55,5,20", "--rot", "-90,180,2.5", "--size",
                                     "640x48", "--keys", "/2\\b.", "--out", "a.png"});
    EXPECT_EQ(std::vector<float>(o.bend, o.bend + 5), (std::vector<float>{100, 0, 55, 5, 20}));
    EXPECT_EQ(std::vector<float>(o.rotation, o.rotation + 3), (std::vector<float>{-90, 180, 2.5}));
    EXPECT_EQ(o.width, 640);
    EXPECT_EQ(o.height, 48);
    EXPECT_EQ(o.keys, "/2\b.");
    EXPECT_EQ(o.out, "a.png");
}

TEST(SnapshotOptions, DefaultsToTheViewersWindowAtRest)
{
    const SnapshotOptions o = parse({"--sheet", "s.png"});
    EXPECT_EQ(o.width, 300);
    EXPECT_EQ(o.height, 300);
    EXPECT_EQ(o.every, 1);
    EXPECT_EQ(o.keys, "");
    for (float b : o.bend)
        EXPECT_EQ(b, 0.0f);
}

TEST(SnapshotOptions, RefusesWhatTheViewerCouldNotShow)
{
    const std::vector<std::vector<const char*>> bad = {
        {"--bend", "0,0,0,0,101", "--out", "a"}, {"--bend", "0,0,0,0,2.5", "--out", "a"},
        {"--bend", "0,0,0,0,", "--out", "a"},    {"--rot", "1,2,3,4", "--out", "a"},
        {"--rot", "nan,0,0", "--out", "a"},      {"--size", "4097x1", "--out", "a"},
        {"--size", "10x0", "--out", "a"},        {"--size", "10x10x10", "--out", "a"},
        {"--keys", "qQ", "--out", "a"},          {"--keys", "\x1b", "--out", "a"},
        {"--every", "-1", "--sheet", "a"},       {"--out"},
        {"stray", "--out", "a"},                 {},
    };
    for (const auto& words : bad)
        EXPECT_THROW(parse(words), UsageError) << (words.empty() ? "" : words[0]);
}

}  // namespace
