#include "core/options/paAppIni.h"
#include "support/AppIniContract.h"

namespace kelvo::test {
namespace {

class MemoryStore {
public:
    TAppIni& Ini() { return ini_; }
    void Reopen() {
        const std::string key = ini_.AppKey();
        ini_.SetAppKey(key + "~");
        ini_.SetAppKey(key);
    }

private:
    TMemAppIni ini_;
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, AppIniContract, MemoryStore);

TEST(MemAppIni, OpensLazilyOnceAndAgainAfterKeyChange) {
    TMemAppIni ini("\\A");
    EXPECT_EQ(ini.OpenCount(), 0);
    ini.ReadString("S", "x", "");
    ini.WriteString("S", "x", "1");
    EXPECT_EQ(ini.OpenCount(), 1);
    ini.SetAppKey("\\A");
    ini.ReadString("S", "x", "");
    EXPECT_EQ(ini.OpenCount(), 1);
    ini.SetAppKey("\\B");
    EXPECT_FALSE(ini.IsOpen());
    ini.ReadString("S", "x", "");
    EXPECT_EQ(ini.OpenCount(), 2);
}

TEST(MemAppIni, FailedWritesReportFailureAndChangeNothing) {
    TMemAppIni ini;
    ASSERT_TRUE(ini.WriteInteger("S", "n", 1));
    ini.SetReadOnly(true);
    EXPECT_FALSE(ini.WriteInteger("S", "n", 2));
    EXPECT_FALSE(ini.WriteBool("S", "b", true));
    EXPECT_FALSE(ini.WriteDateTime("S", "d", 1.0));
    EXPECT_EQ(ini.ReadInteger("S", "n", 0), 1);
    EXPECT_FALSE(ini.ReadValue("S", "b"));
}

TEST(ParseDecimalInt32, Limits) {
    EXPECT_EQ(ParseDecimalInt32("2147483647"), 2147483647);
    EXPECT_EQ(ParseDecimalInt32("-2147483648"), INT_MIN);
    EXPECT_FALSE(ParseDecimalInt32("2147483648"));
    EXPECT_FALSE(ParseDecimalInt32("-2147483649"));
    EXPECT_FALSE(ParseDecimalInt32("+"));
    EXPECT_FALSE(ParseDecimalInt32("1 2"));
    EXPECT_FALSE(ParseDecimalInt32(std::string(5000, '9')));
    EXPECT_EQ(ParseDecimalInt32("+0007"), 7);
}

} // namespace kelvo::test
