// The staged file lies beside what it replaces, whatever the spelling of the path, so that the
// final move stays within one folder (and one file system) and needs no other folder's rights.

#include "platform/staged_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dxf2csv {
namespace {

namespace fs = std::filesystem;

TEST(StagedFile, StagesBesideTheFileItReplaces) {
    struct Case {
        const char* name;
        const char* path;   // as given, relative to the test's folder as working directory
        const char* target; // the file that is replaced, relative to that folder
    };
    const Case cases[] = {
        {"a name without a folder", "out.csv", "out.csv"},
        {"a name in a subfolder", "sub/out.csv", "sub/out.csv"},
        {"a name with dots", "./sub/../out.csv", "out.csv"},
#ifndef _WIN32 // Wine makes no symbolic links
        {"a link to a file in a subfolder", "link.csv", "sub/real.csv"},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        fs::create_directory(dir.path("sub"));
        test::writeFile(dir.path("sub/real.csv"), "old");
#ifndef _WIN32
        fs::create_symlink("sub/real.csv", dir.path("link.csv"));
#endif
        {
            test::WorkingDirectory here(dir.root());
            platform::StagedFile staged;
            ASSERT_FALSE(staged.open(c.path));
            EXPECT_EQ(fs::canonical(fs::path(staged.stagedPath()).parent_path()),
                      fs::canonical(fs::path(c.target).parent_path().empty() ? "." : fs::path(c.target).parent_path()));
            ASSERT_FALSE(staged.write("new"));
            ASSERT_FALSE(staged.commit());
        }
        EXPECT_EQ(test::readFile(dir.path(c.target)), "new");
#ifndef _WIN32
        EXPECT_TRUE(fs::is_symlink(dir.path("link.csv")));
#endif
    }
}

} // namespace
} // namespace dxf2csv
