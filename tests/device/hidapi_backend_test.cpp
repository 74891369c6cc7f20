#include "device/hidapi_backend.h"

#include <gtest/gtest.h>

namespace {

// The machine may have no HID device at all; whatever it has must come out well formed.
TEST(HidapiBackendTest, EnumeratesWithWindowsFormNames) {
    HidapiBackend backend;
    for (const HidInterfaceInfo& info : backend.Enumerate()) {
        EXPECT_FALSE(info.path.empty());
        EXPECT_EQ(info.interfaceName.rfind(R"(\\?\HID#)", 0), 0u) << info.interfaceName;
    }
    EXPECT_EQ(backend.Open("/dev/hidraw-none"), nullptr);
}

}  // namespace
