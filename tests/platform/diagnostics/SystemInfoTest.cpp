#include "platform/diagnostics/paSystemInfo.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(SystemInfo, DistributionAndKernel) {
    TSystemInfo info;
    ParseOsRelease("PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nNAME=\"Debian GNU/Linux\"\n"
                   "VERSION_ID=\"12\"\nID=debian\n",
                   info);
    EXPECT_EQ(info.versionName, "Debian GNU/Linux");
    EXPECT_EQ(info.productType, "12");
    ParseOsRelease("PRETTY_NAME='Some Linux'\n", info);
    EXPECT_EQ(info.versionName, "Some Linux");
    EXPECT_EQ(info.productType, "");

    ParseKernelRelease("6.1.76-1-amd64", info);
    EXPECT_EQ(info.majorVersion, 6);
    EXPECT_EQ(info.minorVersion, 1);
    EXPECT_EQ(info.build, 76u);
    EXPECT_EQ(info.servicePack, "6.1.76-1-amd64");
    ParseKernelRelease("6.8", info);
    EXPECT_EQ(info.minorVersion, 8);
    EXPECT_EQ(info.build, 0u);
    ParseKernelRelease("weird", info);
    EXPECT_EQ(info.majorVersion, 0);
}

TEST(SystemInfo, ProcessorOfTheFirstCoreWithItsMarksInOrder) {
    TSystemInfo info;
    ParseCpuInfo("processor\t: 0\nvendor_id\t: AuthenticAMD\nmodel name\t: AMD Ryzen 7\n"
                 "cpu MHz\t\t: 3593.250\nfdiv_bug\t: no\n"
                 "flags\t\t: fpu nx mmxext mmx sse sse2 pni ssse3 sse4_1 sse4a lm 3dnowext\n\n"
                 "processor\t: 1\nvendor_id\t: Other\n",
                 info);
    EXPECT_EQ(info.processorVendor, "AuthenticAMD");
    EXPECT_EQ(info.processorName, "AMD Ryzen 7");
    EXPECT_EQ(info.processorMHz, 3593);
    EXPECT_EQ(info.processorMarks,
              " MMXex MMX SSE SSE2 SSE3 SSSE3 SSE4A SSE4B 3DNow!ex 64 bits DEP");
    ParseCpuInfo("fdiv_bug\t: yes\nflags\t: mmx\n", info);
    EXPECT_EQ(info.processorMarks, " [FDIV Bug] MMX");
}

TEST(SystemInfo, MemoryInBytes) {
    TSystemInfo info;
    ParseMemInfo("MemTotal:       16315236 kB\nMemFree:         1000000 kB\n"
                 "MemAvailable:    8157618 kB\n",
                 info);
    EXPECT_EQ(info.memoryTotal, 16315236ull * 1024);
    EXPECT_EQ(info.memoryFree, 8157618ull * 1024);
}

} // namespace
} // namespace kelvo
