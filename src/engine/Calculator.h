#pragma once
// The calculator as a model: a typed state, the display strip as text (the number, the mark
// beside it, the memory mark), and the operations of digit entry, operators and percent,
// memory, tax, paste and the key map. An operation returns what the window does besides showing
// the new state: the messages to show, in order, and a command for a neighbouring subsystem.
// No control, font, geometry or colour lives here; the shell mirrors the strip onto its controls.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/NumberText.h"

namespace vexlo::engine {

enum class Language { Japanese, English };

// What the last key did; it decides what the next digit, point or minus means.
enum class EntryKind {
    Nothing,       // nothing entered since start-up
    Digits,        // a number is being typed
    Operator,      // an operator key ended the number
    Percent,       // percent replaced the right operand
    Minus,         // a leading minus waits for its number
    EntryCleared,  // CE emptied the entry
};

// The operation waiting for its right operand.
enum class Operation { None, Divide, Add, Multiply, Subtract, Equals, Percent };

// The four arithmetic operations, which wait for a right operand.
constexpr bool isBinary(Operation operation) {
    return operation == Operation::Add || operation == Operation::Subtract ||
           operation == Operation::Multiply || operation == Operation::Divide;
}

// The keypad's operator keys in their order: ÷ + × − =.
inline constexpr Operation KeypadOperators[] = {
    Operation::Divide, Operation::Add, Operation::Multiply, Operation::Subtract, Operation::Equals};

struct TaxRate {
    double factor;  // the price with tax for a price of 1
    int percent;
};
inline constexpr TaxRate StandardTax{1.1, 10};
inline constexpr TaxRate ReducedTax{1.08, 8};

// A message, with the strip as it stood when the message was raised: the window shows it so
// behind the message box.
struct Message {
    std::string title;
    std::string text;
    std::string display;
    std::string mark;
    std::string memoryIndicator;
    bool operator==(const Message&) const = default;
};

// What an operation asks of the window besides showing the state.
struct Outcome {
    enum class Command { None, CopyDisplay, EraToWestern, WesternToEra, CloseWindow };
    std::vector<Message> messages;
    Command command = Command::None;
    bool evaluateNow = false;  // the key of "=" follows at once (percent from the keyboard)
};

// A step the user took, for observers that keep a record of the calculation: the display
// before and after it, the state it started from, and the messages it raised. Digits and the
// point are no steps; the number they made is the `entered` display of the step that ends it.
struct Step {
    enum class Kind {
        Operator,  // an operator key, "=" included; a leading minus is a sign and no step
        Percent,
        Clear,
        ClearEntry,
        MemoryStore,
        MemoryAdd,
        MemorySubtract,
        MemoryToDisplayAdd,
        MemoryToDisplaySubtract,
        MemoryRecall,
        MemoryClear,
        TaxAdded,
        TaxRemoved,
        Paste,
        EraToWestern,
        WesternToEra,
        UnitConversion,
        Warning,  // a message raised outside any step, such as an overflow while typing
    };
    Kind kind = Kind::Warning;
    Operation operation = Operation::None;
    int taxPercent = 0;
    std::string entered;      // the display before the step
    std::string enteredMark;  // the mark before the step (an era's mark)
    std::string shown;        // the display after it
    std::string shownMark;
    EntryKind entryBefore = EntryKind::Nothing;
    Operation pendingBefore = Operation::None;
    double memoryBefore = 0;
    std::string fromUnit;  // the source unit of a unit conversion (the result shows its own)
    std::vector<std::string> warnings;
};

struct CalculatorState {
    double firstOperand = 0;   // left operand and running result
    double secondOperand = 0;  // right operand of the operation being evaluated
    double memory = 0;         // the memory register; 0 doubles as empty
    double memoryInput = 0;    // display value taken by the last memory operation
    bool pointEntered = false;
    std::int16_t operandCount = 0;
    EntryKind lastEntry = EntryKind::Nothing;
    Operation pending = Operation::None;
    std::string heldDisplay;  // display text when the last operator was pressed
    std::string eraInitial;   // era letter left by a boundary-year conversion
    bool memoryMarked = false;
    bool operator==(const CalculatorState&) const = default;
};

class Calculator {
  public:
    const CalculatorState& state() const { return state_; }

    // The display strip.
    const std::string& display() const { return display_; }
    const std::string& mark() const { return mark_; }  // operator, era letter, 億 or E
    const std::string& memoryIndicator() const { return memoryIndicator_; }
    void setDisplay(std::string text);
    void setMark(std::string text);
    void setMemoryIndicator(std::string text);

    // Runs on every change of the strip, and when a new entry or a cleared calculation makes a
    // unit conversion shown no longer the display's own.
    enum class StripPart { Display, Mark, MemoryIndicator };
    std::function<void(StripPart)> onStripChanged;
    std::function<void()> onEntryReset;

    // Runs after each step the user took (not for steps nested in another).
    std::function<void(const Step&)> onStep;

    // Marks an operation as one step for `onStep`: the outermost scope reports, nested ones
    // (a clear inside an era conversion) are part of it. `cancel` reports nothing.
    class StepScope {
      public:
        StepScope(Calculator& calc, Step::Kind kind);
        ~StepScope();
        StepScope(const StepScope&) = delete;
        StepScope& operator=(const StepScope&) = delete;
        Step* step() { return outer_ ? &calc_.step_ : nullptr; }
        void cancel() { cancelled_ = true; }

      private:
        Calculator& calc_;
        bool outer_;
        bool cancelled_ = false;
    };

    Language language() const { return language_; }
    bool japanese() const { return language_ == Language::Japanese; }
    void setLanguage(Language language) { language_ = language; }
    bool warningsShown() const { return warningsShown_; }
    void setWarningsShown(bool shown) { warningsShown_ = shown; }
    std::string_view messageTitle() const;

    // Start-up: no entry and no pending operation; a resumed display is also the left operand.
    void startFresh();
    void resumeDisplay(std::string text);
    void setEraInitial(std::string initial) { state_.eraInitial = std::move(initial); }

    // Digit entry and clearing.
    Outcome typeDigit(int digit);
    Outcome typePoint();
    Outcome clearCalculation();  // C
    Outcome clearEntry();        // CE

    // Operators and percent; percent changes nothing when the display is not a number.
    Outcome pressOperator(Operation operation);
    Outcome pressPercent();

    // The memory register.
    Outcome storeInMemory();
    Outcome addToMemory();
    Outcome subtractFromMemory();
    Outcome addMemoryToDisplay();
    Outcome subtractMemoryFromDisplay();
    Outcome recallMemory();
    Outcome clearMemory();

    // Consumption tax on the price shown.
    Outcome addTax(TaxRate rate);
    Outcome removeTax(TaxRate rate);

    // Clipboard text into the display; `clearFirst` clears the display before an overflow
    // message (the paste button does, the menu does not).
    Outcome paste(std::string_view clipboardText, bool clearFirst);

    // The key map: a key press with the Ctrl state, then the character it typed.
    Outcome keyDown(int keyCode, bool ctrl);
    Outcome typeCharacter(char32_t character);

    // Warnings shared with the era and unit subsystems. An overflow message: the Japanese text
    // given, or in English the English text followed by a cleared calculation.
    Outcome overflowMessage(std::string_view japaneseText);
    Outcome message(std::string_view title, std::string_view text);

  private:
    void say(std::string_view title, std::string_view text);
    void sayOverflow(std::string_view japaneseText);
    void sayRangeOverflow();
    void sayFullDisplayWarning();
    Outcome take();

    void clear();
    void enterDigit(int digit);
    void enterPoint();
    bool percent();
    void evaluate(Operation operation);
    void store();
    void recall();
    void addDisplayToMemory(double sign);
    void addMemoryToDisplay(double sign);
    void taxCommand(TaxRate rate, bool added);
    void operatorMarkAndPress(char32_t character);

    CalculatorState state_;
    std::string display_ = "0.";
    std::string mark_;
    std::string memoryIndicator_;
    Language language_ = Language::Japanese;
    bool warningsShown_ = true;
    Outcome pending_;
    int stepDepth_ = 0;
    Step step_;
};

}  // namespace vexlo::engine
