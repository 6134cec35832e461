// The module's thread-local variables: one place per variable and thread, set up with the variable's
// first value, kept for the thread until it ends, first in the image's records and then on the heap.
#include "plugin/ThreadStorage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>

namespace {

using Variable = ThreadStorage::Variable;

// The table is the process's one table, and variables are the compiler's static objects: each test
// has variables and thread ids of its own.
constexpr std::uint32_t kThreadBase = 1000;

Variable Zeroed(std::uintptr_t size, std::uintptr_t align) { return {size, align, 0, nullptr}; }

bool IsAligned(const void* place, std::uintptr_t align) { return reinterpret_cast<std::uintptr_t>(place) % align == 0; }

TEST(ThreadStorage, GivesEachThreadItsOwnPlaceWithTheFirstValue) {
    static const std::uint32_t first = 0xC0FFEE;
    static Variable counter{sizeof first, alignof(std::uint32_t), 0, &first};
    const std::uint32_t a = kThreadBase + 1, b = kThreadBase + 2;

    auto* inA = static_cast<std::uint32_t*>(ThreadStorage::AddressFor(counter, a));
    auto* inB = static_cast<std::uint32_t*>(ThreadStorage::AddressFor(counter, b));
    ASSERT_TRUE(inA && inB);
    EXPECT_NE(inA, inB);
    EXPECT_EQ(first, *inA);
    *inA = 7;
    EXPECT_EQ(inA, ThreadStorage::AddressFor(counter, a)) << "the same thread finds the same place";
    EXPECT_EQ(7u, *inA);
    EXPECT_EQ(first, *inB);

    ThreadStorage::ReleaseThread(a);
    ThreadStorage::ReleaseThread(b);
}

TEST(ThreadStorage, LaysVariablesOutAtTheirAlignmentAndSetsUpLaterOnesForThreadsThatExist) {
    static Variable byte = Zeroed(1, 1), wide = Zeroed(16, 16), pointer = Zeroed(sizeof(void*), alignof(void*));
    const std::uint32_t thread = kThreadBase + 10;
    auto* b = static_cast<unsigned char*>(ThreadStorage::AddressFor(byte, thread));
    ASSERT_TRUE(b);
    *b = 0xAB;
    void* w = ThreadStorage::AddressFor(wide, thread);
    void* p = ThreadStorage::AddressFor(pointer, thread);
    ASSERT_TRUE(w && p);
    EXPECT_TRUE(IsAligned(w, 16));
    EXPECT_TRUE(IsAligned(p, alignof(void*)));
    EXPECT_EQ(std::string(16, '\0'), std::string(static_cast<char*>(w), 16)) << "a later variable starts zeroed";
    EXPECT_EQ(0xAB, *b) << "laying out a later variable leaves earlier ones alone";
    ThreadStorage::ReleaseThread(thread);
}

TEST(ThreadStorage, ServesThreadsBeyondTheImageFromTheHeapAndGivesEveryRecordBack) {
    static Variable variable = Zeroed(4, 4);
    const std::size_t inUse = ThreadStorage::RecordsInUse();
    const std::uint32_t threads = ThreadStorage::kImageRecords + 5;
    std::set<void*> places;
    for (std::uint32_t i = 0; i < threads; ++i)
        places.insert(ThreadStorage::AddressFor(variable, kThreadBase + 100 + i));
    EXPECT_EQ(threads, places.size());
    EXPECT_EQ(0u, places.count(nullptr));
    EXPECT_EQ(inUse + threads, ThreadStorage::RecordsInUse());

    ThreadStorage::ReleaseThread(kThreadBase + 100);               // from the image
    ThreadStorage::ReleaseThread(kThreadBase + 100 + threads - 1); // from the heap
    EXPECT_EQ(inUse + threads - 2, ThreadStorage::RecordsInUse());
    auto* reused = static_cast<std::uint32_t*>(ThreadStorage::AddressFor(variable, kThreadBase + 99));
    ASSERT_TRUE(reused);
    EXPECT_EQ(0u, *reused) << "a record given back starts over for its next thread";

    ThreadStorage::ReleaseAll();
    EXPECT_EQ(0u, ThreadStorage::RecordsInUse());
}

TEST(ThreadStorage, RefusesAVariableNoRecordHasRoomFor) {
    const struct {
        const char* what;
        std::uintptr_t size, align;
    } rows[] = {
        {"larger than a record", ThreadStorage::kRecordBytes + 1, 1},
        {"aligned beyond a record", 8, 64},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Variable variable = Zeroed(row.size, row.align); // refused, so never held by the table
        EXPECT_EQ(nullptr, ThreadStorage::AddressFor(variable, kThreadBase + 500));
        EXPECT_EQ(0u, variable.offset) << "nothing was laid out";
    }
    ThreadStorage::ReleaseThread(kThreadBase + 500);
}

} // namespace
