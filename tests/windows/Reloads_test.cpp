// A host that loads and unloads the module without end: every load gives back everything it took,
// thread-local-storage slots included, of which a process has only 1,088.
#include "TestHost.h"
#include "host/HostRecords.h"
#include "host/driving/ResourceCounts.h"

#include <gtest/gtest.h>

namespace {

constexpr int kReloads = 1200;
// The heap may grow once or twice by a page as the system's own caches settle; a leak of even a few
// bytes a load would pass this over 1,200 loads.
constexpr std::size_t kHeapSlack = 8192;

// One load of the module, used as a host uses it between start and end, and unloaded.
void LoadUseAndUnload(TestHost& host) {
    ASSERT_TRUE(host.plugin.Load(TestHost::ModulePath())) << host.plugin.Error();
    const CMapStringToString initialized = host.LoadAndInitialize();
    CString menuItem;
    ASSERT_TRUE(initialized.Lookup("MenuItem", menuItem));
    host.Select(Planet("Alpha", "17"));
    CMapStringToString about;
    host.plugin.OnAbout(about);
    host.plugin.Unload();
}

TEST(Reloads, TwelveHundredLoadsLeaveNothingBehind) {
    TestHost host;
    host.plugin.Unload();
    LoadUseAndUnload(host); // the first load makes what stays for the process's life (system caches)
    const ResourceCounts before = ResourceCounts::Take();
    for (int reload = 1; reload <= kReloads; ++reload) {
        SCOPED_TRACE("reload " + std::to_string(reload));
        LoadUseAndUnload(host);
        if (::testing::Test::HasFatalFailure())
            return;
    }
    const ResourceCounts after = ResourceCounts::Take();
    EXPECT_EQ(before.tlsSlots, after.tlsSlots);
    EXPECT_EQ(before.windows, after.windows);
    EXPECT_EQ(before.gdiObjects, after.gdiObjects);
    EXPECT_EQ(before.accelerators, after.accelerators);
    EXPECT_LE(after.heapBytes, before.heapBytes + kHeapSlack) << "grew by " << after.heapBytes - before.heapBytes;
}

} // namespace
