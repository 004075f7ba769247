#include <gtest/gtest.h>

#include <string_view>

#include "platform/KeyFold.h"

namespace vexlo::platform {
namespace {

TEST(KeyFold, CommittedCharactersBecomeThePlainKeys) {
    // Each character of `from` folds to the one at the same place in `to`.
    // clang-format off
    const std::u32string_view from =
        U"！０９＋－＊／＝．％［］＼ｃＸ～\u3000ー−‐×÷。・「」｡ｰ"
        // kept: outside the table, or just outside the full-width block
        U"1\r\uFF00｟、円￥—𠀋";
    const std::u32string_view to =
        U"!09+-*/=.%[]\\cX~ ---*/./[].-"
        U"1\r\uFF00｟、円￥—𠀋";
    // clang-format on
    ASSERT_EQ(from.size(), to.size());
    for (std::size_t i = 0; i < from.size(); ++i)
        EXPECT_EQ(foldTyped(from[i]), to[i]) << "U+" << std::hex << int(from[i]);
}

}  // namespace
}  // namespace vexlo::platform
