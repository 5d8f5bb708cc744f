// How fast frames are drawn and swapped, which is how fast motions play:
// they draw frame after frame with no timer. Needs an X display, e.g.
//   bash scripts/with-xvfb.sh build/bench/frame_bench

#include <GL/glut.h>
#include <benchmark/benchmark.h>

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
    stopRecordingJointFrames();
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

}  // namespace

BENCHMARK_MAIN();
