#pragma once
// Every message text and title of the calculator, exactly as the user sees them.

#include <string_view>

namespace vexlo::engine::messages {

inline constexpr std::string_view TitleJapanese = "【ベクロ】";
inline constexpr std::string_view TitleEnglish = "【VexloKun】";
inline constexpr std::string_view TitleCalculator = "電卓";

inline constexpr std::string_view Overflow = "表示行数をオーバーしました。";
inline constexpr std::string_view OverflowEntrySecond = "表示行数をオーバーしました?。";
inline constexpr std::string_view OverflowResult = "表示行数をオーバーしました。?";
inline constexpr std::string_view OverflowRecallInteger = "表示行数をオーバーしました。1";
inline constexpr std::string_view OverflowRecallLong = "表示行数をオーバーしました。2";
inline constexpr std::string_view OverflowEnglish = "Indication overflowed.";
inline constexpr std::string_view DivideByZero = "ゼロで割れません。";
inline constexpr std::string_view DivideByZeroEnglish = " Cannot be divided by 0.";

}  // namespace vexlo::engine::messages
