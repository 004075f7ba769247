#pragma once
// The calculator's controls on the main window: the display strip that mirrors the calculator's
// display, mark and memory mark, and the off-screen keypad that key scripts click. The names
// given to the form are the program's control names.

#include <array>

#include "engine/Calculator.h"
#include "platform/Form.h"

namespace vexlo::shell {

struct CalculatorControls {
    explicit CalculatorControls(platform::Form& form);
    CalculatorControls(const CalculatorControls&) = delete;
    CalculatorControls& operator=(const CalculatorControls&) = delete;

    // Copies the calculator's strip, or one part of it, onto the labels.
    void mirror(const engine::Calculator& calculator);
    void mirror(const engine::Calculator& calculator, engine::Calculator::StripPart part);

    platform::Label& display;                       // "Readout"
    platform::Label& mark;                          // "MEM2"
    platform::TextBox& memoryIndicator;             // "MEM1"
    platform::Button& clearKey;                     // "Cancel"
    platform::Button& clearEntryKey;                // "CancelEntry"
    platform::Button& pointKey;                     // "Decimal"
    platform::Button& percentKey;                   // "Percent"
    platform::Button& copyButton;                   // "Command1": a double click on the display
    platform::Button& pasteButton;                  // "Command2": Shift and a click on the display
    platform::Label& displayBackdrop;               // "ReadoutNul"
    std::array<platform::Button*, 10> digitKeys{};  // "Number(0)" .. "Number(9)"
    std::array<platform::Button*, 5> operatorKeys{};  // "Operator(0)" .. "Operator(4)": ÷ + × − =
};

}  // namespace vexlo::shell
