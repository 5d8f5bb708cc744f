// How fast frames are drawn and swapped, which is how fast motions play:
// they draw frame after frame with no timer. Needs an X display, e.g.
//   bash scripts/with-xvfb.sh build/bench/frame_bench

#include <GL/glut.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "hand_model.h"
#include "joint_frames.h"
#include "keyboard.h"
#include "scene.h"

namespace {

void openWindow()
{
    static bool open = false;
    if (open)
        return;
    int argc = 1;
    char name[] = "frame_bench";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(300, 300);
    glutCreateWindow(name);
    initGLState();
    reshapeView(300, 300);
    open = true;
}

void oneFrame(benchmark::State& state)
{
    openWindow();
    for (auto _ : state)
        displayScene();
    glFinish();
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(oneFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same frame with every joint frame recorded and its axes drawn over
// the hand, as hand-snapshot --axes and the page's switch draw them.
void oneFrameWithAxes(benchmark::State& state)
{
    openWindow();
    startRecordingJointFrames(hand);
    frameDrawn = [] { drawJointAxes(lastJointFrames()); };
    for (auto _ : state)
        displayScene();
    glFinish();
    frameDrawn = nullptr;
    setJointFrameHook(nullptr);
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(oneFrameWithAxes)->Unit(benchmark::kMillisecond)->UseRealTime();

// Closing and opening all digits together: 21 + 21 frames.
void closeAndOpen(benchmark::State& state)
{
    openWindow();
    for (auto _ : state) {
        onKey('/', 0, 0);
        onKey('*', 0, 0);
    }
    glFinish();
}
BENCHMARK(closeAndOpen)->Unit(benchmark::kMillisecond)->UseRealTime();

// Drawing the joint frames may cost a frame at most this much more.
constexpr double axesGoal = 1.3;

// The console's report, with each benchmark's time per iteration kept.
class TimesKept : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> seconds;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                seconds[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    TimesKept reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& seconds = reporter.seconds;
    if (seconds.count("oneFrame") && seconds.count("oneFrameWithAxes")) {
        const double ratio = seconds.at("oneFrameWithAxes") / seconds.at("oneFrame");
        std::printf("Goal: a frame with its joint frames drawn takes at most %.1f times a plain one: "
                    "%.2f times, %s\n", axesGoal, ratio, ratio <= axesGoal ? "met" : "not met");
    }
    return 0;
}
