#include "messages/run_failure.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace dxf2csv {
namespace {

TEST(RunFailure, DescriptionNamesFileLineKindAndTextInEitherLanguage) {
    struct Case {
        const char* name;
        RunFailure failure;
        const char* english;
        const char* japanese;
    };
    const Case cases[] = {
        {"a line and a text", RunFailure(FailureKind::NotANumber, "plan.dxf", 123, Detail::OffendingText, {"\"ab\""}),
         "plan.dxf:123: not a number: \"ab\"", "plan.dxf:123: 数値ではありません: \"ab\""},
        {"no line", RunFailure(FailureKind::BinaryDxf, "plan.dxf", 0, Detail::SaveAsAscii),
         "plan.dxf: binary DXF: this is a binary DXF; save the drawing as ASCII DXF and convert that",
         "plan.dxf: バイナリ DXF です: バイナリ DXF は読めません。図面を ASCII DXF で保存してから変換してください"},
        {"two arguments", RunFailure(FailureKind::OutputCannotBeWritten, "out.csv", 0, Detail::CannotCreateIn, {"/ro", "Permission denied"}),
         "out.csv: cannot write output: cannot create a file in /ro: Permission denied",
         "out.csv: 出力ファイルを書けません: /ro にファイルを作れません: Permission denied"},
        {"no detail", RunFailure(FailureKind::InputCannotBeOpened, "a.dxf", 0), "a.dxf: cannot open input",
         "a.dxf: 入力ファイルを開けません"},
        {"a file name of bytes that are no UTF-8", RunFailure(FailureKind::InputCannotBeOpened, "図面\\b\xFF.dxf", 0),
         "図面\\b\\xFF.dxf: cannot open input", "図面\\b\\xFF.dxf: 入力ファイルを開けません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_STREQ(c.failure.what(), c.english);
        EXPECT_EQ(c.failure.describe(Language::English), c.english);
        EXPECT_EQ(c.failure.describe(Language::Japanese), c.japanese);
    }
}

TEST(RunFailure, GoldenTextsOfEveryKindAndDetail) {
    // Every text a failure can show, in both languages, against tests/data/failure_texts.txt:
    // a change of wording shows here as a change of that file.
    std::string texts;
    for (std::size_t kind = 0; kind < kFailureKinds; ++kind) {
        const auto k = static_cast<FailureKind>(kind);
        texts += "kind " + std::to_string(kind) + "\t" + std::string(kindName(k, Language::English)) + "\t" +
                 std::string(kindName(k, Language::Japanese)) + "\n";
    }
    for (std::size_t detail = 0; detail < kDetails; ++detail) {
        const auto d = static_cast<Detail>(detail);
        texts += "detail " + std::to_string(detail) + "\t" + detailText(d, {"<1>", "<2>", "<3>"}, Language::English) + "\t" +
                 detailText(d, {"<1>", "<2>", "<3>"}, Language::Japanese) + "\n";
    }
    EXPECT_EQ(texts, test::readFile(std::string(TEST_DATA_DIR) + "/failure_texts.txt"));
}

TEST(Quoted, EscapesControlBytesAndCutsLongTextAtACharacter) {
    EXPECT_EQ(quoteText("a\tb\"c"), "\"a\\x09b\\\"c\"");
    // Every message is UTF-8: a byte that begins no UTF-8 character is escaped too.
    EXPECT_EQ(quoteText("\x89PNG"), "\"\\x89PNG\"");
    EXPECT_EQ(quoteText("ボルト \x83\x5C"), "\"ボルト \\x83\\\\\"");
    EXPECT_EQ(quoteText("\xE3\x83"), "\"\\xE3\\x83\"");
    std::string longText(59, 'x');
    longText += "表示"; // the cut falls inside the first character
    EXPECT_EQ(quoteText(longText), "\"" + std::string(59, 'x') + "...\"");
}

} // namespace
} // namespace dxf2csv
