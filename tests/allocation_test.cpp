// The program allocates nothing once it runs: every key and every motion
// works on the one global hand and the view angles alone.

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "hand_model.h"
#include "keyboard.h"
#include "scene.h"

namespace {

bool counting = false;
long allocations = 0;

}  // namespace

extern "C" void* __libc_malloc(size_t size);

// Every allocation of this process passes through here, C and C++ alike.
extern "C" void* malloc(size_t size)
{
    if (counting)
        ++allocations;
    return __libc_malloc(size);
}

void* operator new(size_t size)
{
    if (counting)
        ++allocations;
    if (void* p = __libc_malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, size_t) noexcept
{
    std::free(p);
}

namespace {

TEST(Allocation, NoKeyOrMotionAllocates)
{
    // Every bound key but Escape, motions included, several times over.
    allocations = 0;
    const std::string keys = ",.[]09qwertasdfg*+-/1234\b";
    reshapeView(300, 300);

    counting = true;
    for (int round = 0; round < 5; ++round)
        for (char key : keys) {
            onKey(static_cast<unsigned char>(key), 0, 0);
            displayScene();
        }
    for (int code = 0; code <= 255; ++code)
        if (code != 27)
            onKey(static_cast<unsigned char>(code), 0, 0);
    counting = false;

    EXPECT_EQ(allocations, 0);
}

TEST(Allocation, TheCounterSeesAllocations)
{
    // Kept where the compiler cannot see them, so it cannot drop the calls.
    static int* volatile probe;
    static void* volatile block;
    allocations = 0;
    counting = true;
    probe = new int(1);
    block = std::malloc(16);
    counting = false;
    delete probe;
    std::free(block);
    EXPECT_EQ(allocations, 2);
}

}  // namespace
