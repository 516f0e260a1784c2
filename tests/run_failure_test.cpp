#include "run_failure.h"

#include <gtest/gtest.h>

namespace dxf2csv {
namespace {

TEST(RunFailure, DescriptionNamesFileLineKindAndText) {
    EXPECT_STREQ(RunFailure(FailureKind::NotANumber, "plan.dxf", 123, "\"ab\"").what(), "plan.dxf:123: not a number: \"ab\"");
    EXPECT_STREQ(RunFailure(FailureKind::BinaryDxf, "plan.dxf", 0, "save it as ASCII").what(), "plan.dxf: binary DXF: save it as ASCII");
}

TEST(Quoted, EscapesControlBytesAndCutsLongTextAtACharacter) {
    EXPECT_EQ(quoteText("a\tb\"c"), "\"a\\x09b\\\"c\"");
    std::string longText(59, 'x');
    longText += "表示"; // the cut falls inside the first character
    EXPECT_EQ(quoteText(longText), "\"" + std::string(59, 'x') + "...\"");
}

} // namespace
} // namespace dxf2csv
