#include "call_changes.h"

#include <algorithm>
#include <cmath>

#include "lesson_observer.h"

namespace {

constexpr double largestChangedNumber = 1000.0;
constexpr double shortestChangedAxis = 1.0e-3;
constexpr float sameMatrixTolerance = 1.0e-4f;

CallChanges changes;
bool changed = false;
bool cleanStartOwed = false;

// The first of two swapped calls, held back until its neighbour has run.
struct HeldCall {
    bool held = false;
    ListedName name = glPushMatrixCall;
    int number = 0;
    double args[4] = {};
};
HeldCall held;

// A call on its way to GL: switched off, or run with its own numbers or the changed ones.
void perform(ListedName name, const double given[], int number, int change, MatrixCallRunner run)
{
    if (changes.off[number]) {
        observeSwitchedOffCall(name, given, number, change);
        return;
    }
    const double* args = given;
    if (changes.edited[number] > 0) {
        args = changes.args[number];
        change |= callNumbersChanged;
    }
    labelNextCall(name, number, change, given);
    run(name, args);
}

Sentence callText(const CallListing& listing, int number)
{
    const ListedName name = static_cast<ListedName>(listing.calls[number - 1].name);
    return Sentence() << "Call " << number << " (" << listedNameText(name) << ")";
}

// The calls that make the base transform: those before the frame's first push.
int baseCallCount(const CallListing& listing)
{
    int count = 0;
    while (count < listing.count && listing.calls[count].depth == 1 && listing.calls[count].name != glPushMatrixCall)
        ++count;
    return count;
}

Sentence refusalOfCall(const CallListing& unchanged, int number, bool needsNumbers)
{
    if (number < 1 || number > unchanged.count)
        return Sentence() << "There is no call " << number << ": the frame has " << unchanged.count << ".";
    if (number <= baseCallCount(unchanged))
        return callText(unchanged, number) << " is part of the base transform, which stays as it is.";
    const int name = unchanged.calls[number - 1].name;
    if (needsNumbers && name != glTranslatefCall && name != glRotatefCall && name != glScalefCall)
        return callText(unchanged, number) << " has no numbers to change.";
    if (!isChangeableCall(name))
        return callText(unchanged, number) << " draws a shape: only translate, rotate, scale, push and pop can change.";
    return Sentence();
}

Sentence refusalOfNumbers(const CallListing& unchanged, const CallChanges& asked, int number)
{
    const ListedName name = static_cast<ListedName>(unchanged.calls[number - 1].name);
    const double* a = asked.args[number];
    const int count = asked.edited[number];
    if (count != listedArgCount(name))
        return callText(unchanged, number) << " takes " << listedArgCount(name) << " numbers, not " << count << ".";
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(a[i]) || std::fabs(a[i]) > largestChangedNumber)
            return Sentence() << "A call's numbers must be finite and at most 1000 in size.";
    if (name == glRotatefCall && std::sqrt(a[1] * a[1] + a[2] * a[2] + a[3] * a[3]) < shortestChangedAxis)
        return Sentence() << "A rotation's axis must be at least 0.001 long.";
    return Sentence();
}

bool sameMatrix(const float a[16], const float b[16])
{
    for (int i = 0; i < 16; ++i)
        if (std::fabs(a[i] - b[i]) > sameMatrixTolerance)
            return false;
    return true;
}

}  // namespace

Sentence refusalOfChanges(const CallListing& unchanged, const CallChanges& asked)
{
    for (int number = 1; number <= listedCallRoom; ++number) {
        Sentence refusal;
        if (asked.off[number])
            refusal = refusalOfCall(unchanged, number, false);
        if (refusal.empty() && asked.edited[number] > 0) {
            refusal = refusalOfCall(unchanged, number, true);
            if (refusal.empty())
                refusal = refusalOfNumbers(unchanged, asked, number);
        }
        if (!refusal.empty())
            return refusal;
    }
    if (asked.swap == 0)
        return Sentence();
    Sentence refusal = refusalOfCall(unchanged, asked.swap, false);
    if (refusal.empty())
        refusal = refusalOfCall(unchanged, asked.swap + 1, false);
    if (refusal.empty())
        return refusal;
    return Sentence() << "Calls " << asked.swap << " and " << asked.swap + 1 << " cannot trade places. " << refusal.text;
}

void setCallChanges(const CallChanges& asked)
{
    changes = asked;
    changed = asked.swap != 0 || std::any_of(asked.off, asked.off + listedCallRoom + 1, [](bool off) { return off; }) ||
              std::any_of(asked.edited, asked.edited + listedCallRoom + 1, [](int count) { return count > 0; });
    cleanStartOwed = true;
}

const CallChanges& callChanges()
{
    return changes;
}

bool anyCallChanged()
{
    return changed;
}

void runMatrixCall(ListedName name, const double args[], MatrixCallRunner run)
{
    const int number = callsListedSoFar() + (held.held ? 2 : 1);
    if (!changed || !observingFrame() || number > listedCallRoom) {
        run(name, args);
        return;
    }
    double given[4] = {};
    std::copy_n(args, listedArgCount(name), given);
    if (number == changes.swap) {
        held = {true, name, number, {given[0], given[1], given[2], given[3]}};
        return;
    }
    const bool swapping = held.held;
    perform(name, given, number, swapping ? callSwapped : 0, run);
    if (swapping) {
        held.held = false;
        perform(held.name, held.args, held.number, callSwapped, run);
    }
}

void startFrameClean(int depth, MatrixCallRunner run)
{
    if (!changed && !cleanStartOwed)
        return;
    cleanStartOwed = false;
    held.held = false;
    // Replaying the base records it again: it is played from a copy.
    static ListedCall base[listedCallRoom];
    const int count = baseTransformCalls().count;
    std::copy_n(baseTransformCalls().calls, count, base);
    for (; depth > 1; --depth)
        run(glPopMatrixCall, nullptr);
    for (int i = 0; i < count; ++i)
        run(static_cast<ListedName>(base[i].name), base[i].args);
}

void replayWithChanges(const CallListing& unchanged, const CallChanges& asked, CallListing& out)
{
    Matrix4 stack[modelViewStackDepth] = {identityMatrix()};
    int top = 0;
    out.count = 0;
    for (int i = 0; i < unchanged.count; ++i) {
        const bool swapped = asked.swap > 0 && asked.swap < unchanged.count && (i == asked.swap - 1 || i == asked.swap);
        const int played = !swapped ? i : i == asked.swap - 1 ? i + 1 : i - 1;
        ListedCall call = unchanged.calls[played];
        const int number = call.number;
        call.change = swapped ? callSwapped : 0;
        call.error = noCallError;
        std::copy_n(call.args, 4, call.given);
        if (number >= 1 && number <= listedCallRoom && asked.off[number]) {
            call.change |= callSwitchedOff;
        } else {
            if (number >= 1 && number <= listedCallRoom && asked.edited[number] > 0) {
                std::copy_n(asked.args[number], 4, call.args);
                call.change |= callNumbersChanged;
            }
            Matrix4 by;
            if (call.name == glLoadIdentityCall) {
                stack[top] = identityMatrix();
            } else if (call.name == glLoadMatrixfCall) {
                std::copy_n(unchanged.calls[played].matrix, 16, stack[top].m);
            } else if (call.name == glPushMatrixCall && top + 1 == modelViewStackDepth) {
                call.error = stackOverflowError;
            } else if (call.name == glPushMatrixCall) {
                stack[top + 1] = stack[top];
                ++top;
            } else if (call.name == glPopMatrixCall && top == 0) {
                call.error = stackUnderflowError;
            } else if (call.name == glPopMatrixCall) {
                --top;
            } else if (matrixOfCall(call, by)) {
                stack[top] = stack[top] * by;
            }
        }
        call.depth = top + 1;
        std::copy_n(stack[top].m, 16, call.matrix);
        out.calls[out.count++] = call;
    }
}

int movedShapes(const CallListing& a, const CallListing& b, int& firstMoved)
{
    int moved = 0;
    firstMoved = -1;
    int i = 0, j = 0;
    while (true) {
        while (i < a.count && !isShapeCall(a.calls[i].name))
            ++i;
        while (j < b.count && !isShapeCall(b.calls[j].name))
            ++j;
        const bool inA = i < a.count, inB = j < b.count;
        if (!inA && !inB)
            return moved;
        if (!inA || !inB || !sameMatrix(a.calls[i].matrix, b.calls[j].matrix)) {
            if (firstMoved < 0 && inA)
                firstMoved = i;
            ++moved;
        }
        i += inA ? 1 : 0;
        j += inB ? 1 : 0;
    }
}

void unchangedFrame(const CallListing& drawn, CallListing& out)
{
    static CallListing ordered;
    ordered.count = drawn.count;
    for (int i = 0; i < drawn.count; ++i) {
        ListedCall call = drawn.calls[i];
        const int at = call.number >= 1 && call.number <= drawn.count ? call.number - 1 : i;
        std::copy_n(call.given, 4, call.args);
        ordered.calls[at] = call;
    }
    static const CallChanges none;
    replayWithChanges(ordered, none, out);
}

Sentence withoutCleanStart(const CallListing& drawn)
{
    const CallListing& base = baseTransformCalls();
    if (drawn.count == 0 || base.count == 0)
        return Sentence();
    const ListedCall& last = drawn.calls[drawn.count - 1];
    const int deeper = last.depth - 1;
    if (deeper > 0) {
        int deepest = 1;
        for (int i = 0; i < drawn.count; ++i)
            deepest = std::max(deepest, drawn.calls[i].depth);
        const int framesUntilOverflow = (modelViewStackDepth - deepest) / deeper + 1;
        Sentence sentence;
        sentence << "Without a clean start the stack would grow ";
        if (deeper == 1)
            sentence << "one level";
        else
            sentence << deeper << " levels";
        return sentence << " deeper each frame, each frame starting where the last ended: it would overflow after "
                        << framesUntilOverflow << " frames.";
    }
    if (!sameMatrix(last.matrix, base.calls[base.count - 1].matrix))
        return Sentence() << "Without a clean start, each frame would start where the last ended: the hand would "
                          << "move further with every frame.";
    return Sentence() << "This frame ends as it began: it would draw the same without a clean start.";
}
