// The catalogue and rule rows checked as data: counts, captions and suffixes byte for byte, and
// the shape every source row must have.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "units/Rules.h"

namespace vexlo::units {
namespace {

std::string joined(const std::vector<std::string>& parts) {
    std::string out;
    for (const auto& part : parts) out += (out.empty() ? "" : "|") + part;
    return out;
}

// What the panel shows for a category: the source captions, and for each source the captions
// of its shown target boxes.
std::vector<std::string> panelTexts(Category category) {
    std::vector<std::string> rows;
    for (const SourceRow& source : sourcesOf(category)) {
        std::vector<std::string> parts{std::string(unitRow(source.unit).caption)};
        for (int box : TargetBoxes) {
            if (const Target* target = rule(category, source.slot, box)) {
                parts.push_back(std::string(captionOf(*target)) + "/" +
                                std::string(suffixOf(*target)));
            }
        }
        rows.push_back(joined(parts));
    }
    return rows;
}

// Source captions, then each shown target as caption/suffix, for every source row.
const std::vector<std::pair<Category, std::vector<std::string>>> PanelTexts{
    {Category::Length,
     {"ｃｍ|寸/寸|インチ/in", "ｍ|尺/尺|フィート/ft|ヤード/yd", "ｋｍ|里/里|マイル/mile",
      "寸|ｃｍ/ｃｍ|インチ/in", "尺|ｍ/ｍ|フィート/ft|ヤード/yd", "里|ｋｍ/ｋｍ|マイル/mile",
      "インチ|ｃｍ/ｃｍ|寸/寸", "フィート|ｍ/ｍ|尺/尺|ヤード/yd", "ヤード|ｍ/ｍ|尺/尺|フィート/ft",
      "マイル|ｋｍ/ｋｍ|里/里"}},
    {Category::Weight,
     {"ｇ|匁/匁|オンス/ｵﾝｽ", "ｋｇ|斤/斤|貫/貫", "トン|貫/貫|英トン/英ｔ|米トン/米ｔ",
      "匁|ｇ/g|オンス/ｵﾝｽ", "斤|ｋｇ/kg|貫/貫", "貫|ｋｇ/kg|斤/斤|トン/ｔ|英トン/英ｔ|米トン/米ｔ",
      "オンス|ｇ/g|匁/匁", "トン(英)|トン/ｔ|貫/貫|米トン/米ｔ",
      "トン(米)|トン/ｔ|貫/貫|英トン/英ｔ"}},
    {Category::Area,
     {"平方ｃｍ|平方寸/平方寸|平方インチ/平方in",
      "平方ｍ|坪/坪|平方フィート/平方ft|平方ヤード/平方yd",
      "平方ｋｍ|平方里/平方里|エーカー/ｴｰｶｰ|平方マイル/平方mile",
      "平方寸|平方ｃｍ/平方cm|平方インチ/平方in",
      "坪|平方ｍ/㎡|平方フィート/平方ft|平方ヤード/平方yd",
      "平方里|平方ｋｍ/平方km|エーカー/ｴｰｶｰ|平方マイル/平方mile",
      "平方インチ|平方ｃｍ/平方cm|平方寸/平方寸", "平方フィート|平方ｍ/㎡|坪/坪|平方ヤード/平方yd",
      "エーカー|平方ｋｍ/平方km|平方里/平方里|平方マイル/平方mile",
      "平方ヤード|平方ｍ/㎡|坪/坪|平方フィート/平方ft",
      "平方マイル|平方ｋｍ/平方km|平方里/平方里|エーカー/ｴｰｶｰ"}},
    {Category::Volume,
     {"立方メートル|立方坪/立方坪|立方フィート/立方ft|立方ヤード/立方yd",
      "リットル|升/升|米ガロン/米ｶﾞﾛﾝ|英ガロン/英ｶﾞﾛﾝ",
      "立方坪|立方メートル/立方m|立方フィート/立方ft|立方ヤード/立方yd",
      "升|リットル/l|米ガロン/米ｶﾞﾛﾝ|英ガロン/英ｶﾞﾛﾝ",
      "立方フィート|立方ｍ/立方m|立方坪/立方坪|立方ヤード/立方yd",
      "米ガロン|リットル/l|升/升|英ガロン/英ｶﾞﾛﾝ",
      "立方ヤード|立方ｍ/立方m|立方坪/立方坪|立方フィート/立方ft",
      "英ガロン|リットル/l|升/升|米ガロン/米ｶﾞﾛﾝ"}},
};

TEST(UnitTables, CaptionsAndSuffixesByteForByte) {
    for (const auto& [category, texts] : PanelTexts) EXPECT_EQ(panelTexts(category), texts);
    std::string boxes;
    for (const CategoryRow& row : Categories) {
        boxes += std::to_string(row.box) + std::string(row.caption);
    }
    EXPECT_EQ(boxes, "4長さ5重量6面積7容積");
}

TEST(UnitTables, EverySourceRowHasItsShape) {
    std::vector<int> counts;
    for (const CategoryRow& category : Categories) {
        const auto rows = sourcesOf(category.category);
        int rules = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const SourceRow& source = rows[i];
            EXPECT_EQ(source.slot, static_cast<int>(i) + 1);
            const bool kan = category.category == Category::Weight && source.unit == Unit::Kan;
            std::set<Unit> offered;
            for (int box : TargetBoxes) {
                const Target* target = rule(category.category, source.slot, box);
                // Check1 and Check2 always; Check8 and Check9 only for Kan.
                if (box <= 2) {
                    EXPECT_NE(target, nullptr) << source.slot;
                }
                if (box >= 8) {
                    EXPECT_EQ(target != nullptr, kan) << source.slot << " Check" << box;
                }
                if (target == nullptr) continue;
                ++rules;
                EXPECT_NE(target->unit, source.unit) << "offered as its own target";
                EXPECT_TRUE(offered.insert(target->unit).second) << "offered twice";
                // Keeps 20 exactly under CubicYard and ImperialGallon.
                const bool long20 =
                    source.unit == Unit::CubicYard || source.unit == Unit::ImperialGallon;
                EXPECT_EQ(target->keeps, long20 ? 20 : 15) << source.slot << " Check" << box;
                EXPECT_GT(target->factor, 0);
            }
            EXPECT_EQ(rule(category.category, source.slot, UnusedTargetBox), nullptr);
        }
        EXPECT_EQ(rule(category.category, 0, 1), nullptr);
        EXPECT_EQ(rule(category.category, static_cast<int>(rows.size()) + 1, 1), nullptr);
        counts.push_back(rules);
    }
    EXPECT_EQ(counts, (std::vector<int>{24, 24, 30, 24}));  // 102 in all
}

}  // namespace
}  // namespace vexlo::units
