#pragma once
// The calculator's working state. The field names are the program's own names for them.

#include <cstdint>
#include <string>

namespace vexlo::engine {

struct CalcState {
    double FirstOperand = 0;        // left operand and running result
    double SecondOperand = 0;       // right operand of the operation being evaluated
    double MemoryValue = 0;         // the memory register; 0 doubles as empty
    double MemoryInput = 0;         // display value taken by the last memory operation
    std::int16_t PointEntered = 0;  // -1 once a decimal point is typed in the current entry
    std::int16_t OperandCount = 0;
    std::string LastEntryKind = "NONE";  // "NONE", "NUMS", "OPS", "Ops", "NEG", "CE"
    std::string PendingOperator = " ";   // "+", "-", "X", "/", "=", "%", or " " for none
    std::string HeldReadout;             // display text when the last operator was pressed
    int LanguageMode = 0;                // 0 Japanese, 1 English
    std::string WarningMode = "0";       // read as a number: 0 shows overflow warnings
    std::string EraInitial;              // era letter left by a boundary-year conversion
    std::string MemoryMark;              // "M" while the register has been loaded
};

inline constexpr std::int16_t True = -1;
inline constexpr std::int16_t False = 0;

}  // namespace vexlo::engine
