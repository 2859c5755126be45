#include "net/TimeLeft.h"
#include "net/WorkingFiles.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

namespace kelo {
namespace {

class WorkingFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* xdg = std::getenv("XDG_DATA_HOME");
        savedXdg_ = xdg ? xdg : "";
        setenv("XDG_DATA_HOME", (dir_ / "data").c_str(), 1);
    }
    void TearDown() override {
        SetProgramPathForTests({});
        SetClock(nullptr);
        if (savedXdg_.empty())
            unsetenv("XDG_DATA_HOME");
        else
            setenv("XDG_DATA_HOME", savedXdg_.c_str(), 1);
    }

    test::TempDir dir_;
    test::RecordingMessageBox messages_;
    std::string savedXdg_;
};

TEST_F(WorkingFilesTest, CacheFolderBesideTheProgramIsMadeOnDemand) {
    SetProgramPathForTests(dir_ / "kelo");
    EXPECT_EQ(GetCacheFolder(), dir_ / "Kelo_CASHs");
    EXPECT_EQ(GetCacheFolder(), dir_ / "Kelo_CASHs");
    struct stat st {};
    ASSERT_EQ(stat((dir_ / "Kelo_CASHs").c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(WorkingFilesTest, UnwritableProgramFolderFallsBackToUserData) {
    // A plain file in the folder's place stands for a folder we cannot use.
    test::WriteFileBytes(dir_ / "Kelo_CASHs", "not a folder");
    SetProgramPathForTests(dir_ / "kelo");
    EXPECT_EQ(GetCacheFolder(), dir_ / "data/Kelo/Kelo_CASHs");
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(WorkingFilesTest, NoUsableFolderIsReported) {
    test::WriteFileBytes(dir_ / "Kelo_CASHs", "not a folder");
    test::WriteFileBytes(dir_ / "data", "not a folder either");
    SetProgramPathForTests(dir_ / "kelo");
    GetCacheFolder();
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, "Keloｷｬｯｼｭ用ﾃﾞｨﾚｸﾄﾘの作成に失敗しました(001005)");
    EXPECT_EQ(messages_.shown[0].text.substr(4, 2), "\xB7\xAC"); // half-width katakana bytes
}

TEST_F(WorkingFilesTest, CacheFileNameIsTheLocalTime) {
    SetProgramPathForTests(dir_ / "kelo");
    setenv("TZ", "UTC", 1);
    tzset();
    SetClock([] { return std::time_t{1781870405}; }); // 2026-06-19 12:00:05 UTC
    EXPECT_EQ(MakeCacheFileName(), dir_ / "Kelo_CASHs/20260619120005.kls");
}

TEST_F(WorkingFilesTest, DumpFileIsReplacedEachTime) {
    test::ScopedWorkingFolder here(dir_.path());
    WriteDumpFile(DUMP_GETDATA, "first page, longer");
    WriteDumpFile(DUMP_GETDATA, "third");
    EXPECT_EQ(test::ReadFileBytes(dir_ / "getdata.txt"), "third");
}

} // namespace
} // namespace kelo
