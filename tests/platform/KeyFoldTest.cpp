#include <gtest/gtest.h>

#include "platform/KeyFold.h"

namespace vexlo::platform {
namespace {

TEST(KeyFold, CommittedCharactersBecomeThePlainKeys) {
    struct Row {
        char32_t from, to;
    };
    const Row rows[] = {
        {U'！', U'!'},
        {U'０', U'0'},
        {U'９', U'9'},
        {U'＋', U'+'},
        {U'－', U'-'},
        {U'＊', U'*'},
        {U'／', U'/'},
        {U'＝', U'='},
        {U'．', U'.'},
        {U'％', U'%'},
        {U'［', U'['},
        {U'］', U']'},
        {U'＼', U'\\'},
        {U'ｃ', U'c'},
        {U'Ｘ', U'X'},
        {U'～', U'~'},
        {U'\u3000', U' '},
        {U'ー', U'-'},
        {U'−', U'-'},
        {U'‐', U'-'},
        {U'×', U'*'},
        {U'÷', U'/'},
        {U'。', U'.'},
        {U'・', U'/'},
        {U'「', U'['},
        {U'」', U']'},
        {U'｡', U'.'},
        {U'ｰ', U'-'},
        // kept: outside the table, or just outside the full-width block
        {U'1', U'1'},
        {U'\r', U'\r'},
        {U'\uFF00', U'\uFF00'},
        {U'｟', U'｟'},
        {U'、', U'、'},
        {U'円', U'円'},
        {U'￥', U'￥'},
        {U'—', U'—'},
        {U'𠀋', U'𠀋'},
    };
    for (const Row& row : rows)
        EXPECT_EQ(foldTyped(row.from), row.to) << "U+" << std::hex << int(row.from);
}

}  // namespace
}  // namespace vexlo::platform
