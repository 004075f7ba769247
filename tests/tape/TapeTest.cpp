// The tape's bound and its change notices, and the tape as text: grouping, the values a double
// click takes, tab text for a spreadsheet, and the saved files.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tape/Tape.h"
#include "tape/TapeText.h"

namespace vexlo::tape {
namespace {

using Change = Tape::Change::Kind;

Line result(std::string number, std::string function = "=", bool rule = false) {
    return {Line::Kind::Result, std::move(number), std::move(function), {}, rule};
}

TEST(Tape, KeepsTheNewestLinesUpToItsCapacityAndSaysWhatChanged) {
    Tape tape(3);
    std::vector<Change> changes;
    tape.subscribe([&](const Tape::Change& change) { changes.push_back(change.kind); });
    for (int i = 1; i <= 4; ++i) tape.append(result(std::to_string(i)));
    ASSERT_EQ(tape.size(), 3u);
    EXPECT_EQ(tape.lines().front().number, "2");
    EXPECT_EQ(tape.lines().back().number, "4");
    EXPECT_EQ(changes, (std::vector<Change>{Change::Appended, Change::Appended, Change::Appended,
                                            Change::FirstDropped, Change::Appended}));
    tape.replaceLast(result("5"));
    EXPECT_EQ(tape.lines().back().number, "5");
    tape.assign({result("a"), result("b"), result("c"), result("d")});
    EXPECT_EQ(tape.lines().front().number, "b");  // the newest are kept
    tape.clear();
    EXPECT_TRUE(tape.empty());
    EXPECT_EQ(changes.back(), Change::Reset);
}

TEST(Tape, HoldsTenThousandLinesByDefault) {
    Tape tape;
    for (int i = 0; i < 10'001; ++i) tape.append(result(std::to_string(i)));
    EXPECT_EQ(tape.size(), 10'000u);
    EXPECT_EQ(tape.lines().front().number, "1");
}

TEST(TapeText, GroupsPlainNumbersAndLeavesOtherTextsAlone) {
    struct Row {
        std::string display, printed, value;
    };
    for (const Row& row : {
             Row{"0.", "0", "0"},
             Row{"123.", "123", "123"},
             Row{"1234.", "1,234", "1234"},
             Row{"1,234,567.", "1,234,567", "1234567"},
             Row{"123456.78", "123,456.78", "123456.78"},
             Row{"-1000.5", "-1,000.5", "-1000.5"},
             Row{".5", "0.5", "0.5"},
             Row{"1,100.00", "1,100.00", "1100.00"},
             Row{"2019年", "2019年", "2019"},
             Row{"平成2年", "平成2年", "2"},
             Row{"-", "-", ""},
             Row{"", "", ""},
         }) {
        EXPECT_EQ(groupedNumber(row.display), row.printed) << row.display;
        EXPECT_EQ(plainValue(groupedNumber(row.display)), row.value) << row.display;
    }
}

TEST(TapeText, CopiesLinesAsTwoTabSeparatedColumns) {
    Tape tape;
    tape.append({Line::Kind::Operand, "1,000", "+", "1000", false});
    tape.append({Line::Kind::Operand, "500", "", "500", false});
    tape.append(result("1,500", "=", true));
    EXPECT_EQ(tabText(tape.lines(), 0, 3), "1,000\t+\n500\t\n1,500\t=\n");
    EXPECT_EQ(tabText(tape.lines(), 1, 1), "500\t\n");
    EXPECT_EQ(tabText(tape.lines(), 2, 5), "1,500\t=\n");  // the count is cut at the end
}

TEST(TapeText, SavesTextWithItsRulesAndCsvWithQuotesBothWithAByteOrderMark) {
    Tape tape;
    tape.append({Line::Kind::Operand, "1,000", "+", "1000", false});
    tape.append(result("1,100.00", "税込10%"));
    tape.append({Line::Kind::Warning, "", "ゼロで割れません。", "", false});
    tape.append(result("12", "\"=\"", true));
    EXPECT_EQ(fileText(tape.lines(), FileFormat::Text),
              "\xEF\xBB\xBF"
              "   1,000 +\r\n"
              "1,100.00 税込10%\r\n"
              "         ゼロで割れません。\r\n"
              "      12 \"=\"\r\n"
              "----------------\r\n");
    EXPECT_EQ(fileText(tape.lines(), FileFormat::Csv),
              "\xEF\xBB\xBF"
              "\"1,000\",\"+\"\r\n"
              "\"1,100.00\",\"税込10%\"\r\n"
              "\"\",\"ゼロで割れません。\"\r\n"
              "\"12\",\"\"\"=\"\"\"\r\n");
}

}  // namespace
}  // namespace vexlo::tape
