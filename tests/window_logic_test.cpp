// What both windows do around a run: the paths, the CSV's name, the caption, the report and
// the message of a failure.

#include "captions.h"
#include "test_support.h"
#include "window_logic.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace dxf2csv {
namespace {

TEST(WindowLogic, PathsAreJoinedWithoutADoubledSeparator) {
    struct Case {
        const char* directory;
        const char* name;
        char separator;
        const char* path;
    };
    const Case cases[] = {
        {"/", "plan.dxf", '/', "/plan.dxf"},
        {"/home/user", "plan.dxf", '/', "/home/user/plan.dxf"},
        {"/home/user/", "plan.dxf.csv", '/', "/home/user/plan.dxf.csv"},
        {"C:\\", "plan.dxf", '\\', "C:\\plan.dxf"},
        {"C:\\図面", "部品表.dxf", '\\', "C:\\図面\\部品表.dxf"},
        {"C:/drawings/", "plan.dxf", '\\', "C:/drawings/plan.dxf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(joinPath(c.directory, c.name, c.separator), c.path);
    }
    EXPECT_EQ(csvNameFor("plan.dxf"), "plan.dxf.csv");
}

TEST(WindowLogic, ARunSetsTheCaptionAndTheReportOrTellsTheFailure) {
    test::TempDir dir;
    test::writeFile(dir.path("plan.dxf"), test::drawing(test::textEntity("A", "bolt", "0", "0"), test::groupObject({"A"})));
    test::writeFile(dir.path("broken.dxf"), "  0\nSECTION\nxx\nENTITIES\n");
    struct Case {
        const char* name;
        const char* input;
        const char* tolerance;
        bool succeeded;
        const char* title; // of the failure's message
        const char* after; // its text after the file's name
    };
    const Case cases[] = {
        {"success", "plan.dxf", "100", true, "", ""},
        {"bad group code", "broken.dxf", "100", false, "数値ではありません", "\n3 行目: \"xx\""},
        {"bad tolerance", "plan.dxf", "abc", false, "数値ではありません", "\n許容値 \"abc\""},
        {"empty name", "", "100", false, "入力ファイルを開けません", "\nフォルダーです"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
        const RunRequest request{joinPath(dir.root().string(), c.input, separator), dir.path("out.csv"), c.tolerance};
        const RunOutcome outcome = runConversion(request, "before");
        EXPECT_EQ(outcome.succeeded, c.succeeded);
        if (c.succeeded) {
            EXPECT_EQ(outcome.caption, captions::kDone);
            EXPECT_EQ(outcome.report, "認識した要素数 : 1（５０００要素以下が必須！！）\r\n計上した材料数 : 1\r\n"
                                      "計上した材料の総数 : 1\r\n処理終了\r\n");
            EXPECT_EQ(test::readFile(dir.path("out.csv")), "bolt\r\n");
        } else {
            EXPECT_EQ(outcome.caption, "before");
            EXPECT_EQ(outcome.report, "");
            // In Japanese, as every text of the window: the kind, then the file, the line and the text.
            EXPECT_EQ(outcome.messageTitle, c.title);
            EXPECT_EQ(outcome.messageText, request.inputPath + c.after);
        }
    }
}

} // namespace
} // namespace dxf2csv
