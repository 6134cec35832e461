// The module's thread-local variables: one place per variable and record, set up with the variable's
// first value, first in the image's records and then on the heap, and records given back when their
// owners end. (Which record is a thread's is the Windows side's business: ThreadSlot, tested under Wine.)
#include "plugin/ThreadStorage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

namespace {

using Record = ThreadStorage::Record;
using Variable = ThreadStorage::Variable;

Variable Zeroed(std::uintptr_t size, std::uintptr_t align) { return {size, align, 0, nullptr}; }

bool IsAligned(const void* place, std::uintptr_t align) { return reinterpret_cast<std::uintptr_t>(place) % align == 0; }

// The table is the process's one table, and variables are the compiler's static objects: each test
// has variables of its own and gives back every record it made.
std::vector<Record*> NewRecords(std::size_t count, std::uintptr_t firstOwner = 0) {
    std::vector<Record*> records;
    for (std::size_t i = 0; i < count; ++i)
        records.push_back(ThreadStorage::NewRecord(firstOwner == 0 ? 0 : firstOwner + i));
    return records;
}

void ReleaseAll(const std::vector<Record*>& records) {
    for (Record* record : records)
        if (record)
            ThreadStorage::Release(*record);
}

TEST(ThreadStorage, GivesEachRecordItsOwnPlaceWithTheFirstValue) {
    static const std::uint32_t first = 0xC0FFEE;
    static Variable counter{sizeof first, alignof(std::uint32_t), 0, &first};
    const std::vector<Record*> records = NewRecords(2);
    ASSERT_TRUE(records[0] && records[1]);

    auto* inA = static_cast<std::uint32_t*>(ThreadStorage::PlaceOf(counter, *records[0]));
    auto* inB = static_cast<std::uint32_t*>(ThreadStorage::PlaceOf(counter, *records[1]));
    ASSERT_TRUE(inA && inB);
    EXPECT_NE(inA, inB);
    EXPECT_EQ(first, *inA);
    *inA = 7;
    EXPECT_EQ(inA, ThreadStorage::PlaceOf(counter, *records[0])) << "the same record finds the same place";
    EXPECT_EQ(7u, *inA);
    EXPECT_EQ(first, *inB);
    ReleaseAll(records);
}

TEST(ThreadStorage, LaysVariablesOutAtTheirAlignmentAndSetsUpLaterOnesInRecordsThatExist) {
    static Variable byte = Zeroed(1, 1), wide = Zeroed(16, 16), pointer = Zeroed(sizeof(void*), alignof(void*));
    Record* record = ThreadStorage::NewRecord(0);
    ASSERT_TRUE(record);
    auto* b = static_cast<unsigned char*>(ThreadStorage::PlaceOf(byte, *record));
    ASSERT_TRUE(b);
    *b = 0xAB;
    void* w = ThreadStorage::PlaceOf(wide, *record);
    void* p = ThreadStorage::PlaceOf(pointer, *record);
    ASSERT_TRUE(w && p);
    EXPECT_TRUE(IsAligned(w, 16));
    EXPECT_TRUE(IsAligned(p, alignof(void*)));
    EXPECT_EQ(std::string(16, '\0'), std::string(static_cast<char*>(w), 16)) << "a later variable starts zeroed";
    EXPECT_EQ(0xAB, *b) << "laying out a later variable leaves earlier ones alone";
    ThreadStorage::Release(*record);
}

TEST(ThreadStorage, ServesRecordsBeyondTheImageFromTheHeapAlignedAsDeclaredAndTakesThemBack) {
    static Variable wide = Zeroed(16, ThreadStorage::kRecordAlignment);
    const std::size_t inUse = ThreadStorage::RecordsInUse();
    const std::size_t count = ThreadStorage::kImageRecords + 9;
    const std::vector<Record*> records = NewRecords(count);
    std::set<void*> places;
    for (Record* record : records) {
        ASSERT_TRUE(record);
        void* place = ThreadStorage::PlaceOf(wide, *record);
        EXPECT_TRUE(IsAligned(place, ThreadStorage::kRecordAlignment));
        places.insert(place);
    }
    EXPECT_EQ(count, places.size());
    EXPECT_EQ(inUse + count, ThreadStorage::RecordsInUse());

    std::memset(ThreadStorage::PlaceOf(wide, *records.front()), 0xFF, 16);
    ThreadStorage::Release(*records.front()); // from the image
    ThreadStorage::Release(*records.back());  // from the heap
    EXPECT_EQ(inUse + count - 2, ThreadStorage::RecordsInUse());
    Record* reused = ThreadStorage::NewRecord(0);
    ASSERT_TRUE(reused);
    EXPECT_EQ(std::string(16, '\0'), std::string(static_cast<char*>(ThreadStorage::PlaceOf(wide, *reused)), 16))
        << "a record given back starts over for its next thread";

    ReleaseAll({records.begin() + 1, records.end() - 1});
    ThreadStorage::Release(*reused);
    EXPECT_EQ(inUse, ThreadStorage::RecordsInUse());
}

// Owners 5001 and 5003 have ended; 5000 and 5002 have not.
constexpr std::uintptr_t kFirstOwner = 5000;
bool OddOwnerEnded(std::uintptr_t owner) { return owner >= kFirstOwner && owner % 2 == 1; }

TEST(ThreadStorage, ClaimsEachRecordWhoseOwnerEndedOnceAndAnswersItsOwnerAsItGoes) {
    const struct {
        const char* what;
        Record* (*claim)(bool (*)(std::uintptr_t));
    } ways[] = {{"waiting for the table", &ThreadStorage::ClaimEnded},
                {"never waiting", &ThreadStorage::TryClaimEnded}};
    for (const auto& way : ways) {
        SCOPED_TRACE(way.what);
        const std::size_t inUse = ThreadStorage::RecordsInUse();
        const std::vector<Record*> records = NewRecords(4, kFirstOwner);
        Record* first = way.claim(&OddOwnerEnded);
        Record* second = way.claim(&OddOwnerEnded);
        ASSERT_TRUE(first && second);
        EXPECT_NE(first, second);
        EXPECT_EQ(nullptr, way.claim(&OddOwnerEnded)) << "a claimed record is not claimed again";
        EXPECT_EQ(inUse + 4, ThreadStorage::RecordsInUse()) << "claimed records stay in use until released";

        const std::set<std::uintptr_t> released = {ThreadStorage::Release(*first), ThreadStorage::Release(*second)};
        EXPECT_EQ((std::set<std::uintptr_t>{kFirstOwner + 1, kFirstOwner + 3}), released);
        ReleaseAll({records[0], records[2]});
        EXPECT_EQ(inUse, ThreadStorage::RecordsInUse());
    }
}

TEST(ThreadStorage, RefusesAVariableNoRecordHasRoomFor) {
    const struct {
        const char* what;
        std::uintptr_t size, align;
    } rows[] = {
        {"larger than a record", ThreadStorage::kRecordBytes + 1, 1},
        {"aligned beyond a record", 8, 64},
    };
    Record* record = ThreadStorage::NewRecord(0);
    ASSERT_TRUE(record);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Variable variable = Zeroed(row.size, row.align); // refused, so never held by the table
        EXPECT_EQ(nullptr, ThreadStorage::PlaceOf(variable, *record));
        EXPECT_EQ(0u, variable.offset) << "nothing was laid out";
    }
    ThreadStorage::Release(*record);
}

} // namespace
