// Run folders: which folders a new run may take for abandoned ones.
#include "platform/RunFolder.h"
#include "tests/support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

// Only a private folder of this user, with its lock file, whose lock no
// process holds, is removed: a live run's folder (its lock held, here by
// this very process) and anything not provably a run folder stay.
TEST(RunFolder, OnlyFoldersOfRunsThatAreGoneAreRemoved)
{
    CScratchFolder base;
    std::string live = Platform_CreateRunFolder(base.Path(), "br_ttt_");
    ASSERT_FALSE(live.empty());
    auto make = [&](const std::string& name, bool withLock, fs::perms mode) {
        fs::create_directory(base.File(name));
        if (withLock)
            base.Write(name + "/.brindle-run.lock", std::string());
        base.Write(name + "/data.bin", std::string("x"));
        fs::permissions(base.File(name), mode);
    };
    make("br_ttt_gone", true, fs::perms::owner_all);
    make("br_ttt_nolock", false, fs::perms::owner_all);
    make("br_ttt_shared", true, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    make("other_gone", true, fs::perms::owner_all);
    fs::create_directory_symlink(base.File("other_gone"), base.File("br_ttt_link"));

    EXPECT_EQ(Platform_RemoveAbandonedRunFolders(base.Path(), "br_ttt_"), 1);
    EXPECT_FALSE(fs::exists(base.File("br_ttt_gone")));
    for (const char* kept : {"br_ttt_nolock", "br_ttt_shared", "other_gone/data.bin", "br_ttt_link"})
        EXPECT_TRUE(fs::exists(fs::symlink_status(base.File(kept)))) << kept;
    EXPECT_TRUE(fs::exists(live + "/.brindle-run.lock"));

    struct stat info;
    ASSERT_EQ(lstat(live.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    Platform_RemoveRunFolder();
    EXPECT_FALSE(fs::exists(live));
}
