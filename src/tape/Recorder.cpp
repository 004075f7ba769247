#include "tape/Recorder.h"

#include "tape/TapeText.h"

namespace vexlo::tape {

namespace {

using engine::Language;
using engine::Operation;
using Kind = engine::Step::Kind;

const char* operatorText(Operation operation) {
    switch (operation) {
        case Operation::Divide:
            return "÷";
        case Operation::Add:
            return "+";
        case Operation::Multiply:
            return "×";
        case Operation::Subtract:
            return "−";
        case Operation::Equals:
            return "=";
        case Operation::Percent:
            return "%";
        case Operation::None:
            break;
    }
    return "";
}

std::string taxText(const engine::Step& step, Language language) {
    const bool added = step.kind == Kind::TaxAdded;
    const std::string percent = std::to_string(step.taxPercent) + "%";
    if (language == Language::Japanese) return (added ? "税込" : "税抜") + percent;
    return (added ? "TAX+" : "TAX−") + percent;
}

// The function column of the steps that print one number with a fixed name.
const char* functionName(Kind kind, Language language) {
    switch (kind) {
        case Kind::ClearEntry:
            return "CE";
        case Kind::MemoryStore:
            return "M";
        case Kind::MemoryAdd:
            return "M+";
        case Kind::MemorySubtract:
            return "M−";
        case Kind::MemoryToDisplayAdd:
            return "+M";
        case Kind::MemoryToDisplaySubtract:
            return "−M";
        case Kind::MemoryRecall:
            return "MR";
        case Kind::MemoryClear:
            return "MC";
        case Kind::Paste:
            return language == Language::Japanese ? "貼付" : "Paste";
        default:
            return "";
    }
}

}  // namespace

void Recorder::attach(engine::Calculator& calc) {
    calc.onStep = [this, &calc](const engine::Step& step) { record(step, calc.language()); };
}

void Recorder::line(Line::Kind kind, std::string number, std::string function, bool rule) {
    tape_.append({kind, std::move(number), std::move(function), {}, rule});
}

void Recorder::warnings(const engine::Step& step) {
    for (const std::string& text : step.warnings) line(Line::Kind::Warning, "", text);
}

void Recorder::record(const engine::Step& step, Language language) {
    switch (step.kind) {
        case Kind::Operator:
            return operatorStep(step);
        case Kind::Percent:
            line(Line::Kind::Operand, groupedNumber(step.entered), "%");
            break;
        case Kind::Clear:
            line(Line::Kind::Result, "", "C", true);
            break;
        case Kind::ClearEntry:
        case Kind::MemoryStore:
        case Kind::MemoryAdd:
        case Kind::MemorySubtract:
            line(Line::Kind::Result, groupedNumber(step.entered),
                 functionName(step.kind, language));
            break;
        case Kind::MemoryToDisplayAdd:
        case Kind::MemoryToDisplaySubtract:
        case Kind::MemoryRecall:
        case Kind::Paste:
            line(Line::Kind::Result, groupedNumber(step.shown), functionName(step.kind, language));
            break;
        case Kind::MemoryClear:
            line(Line::Kind::Result, groupedNumber(engine::plainText(step.memoryBefore)),
                 functionName(step.kind, language));
            break;
        case Kind::TaxAdded:
        case Kind::TaxRemoved:
            line(Line::Kind::Result, groupedNumber(step.shown), taxText(step, language));
            break;
        case Kind::EraToWestern:
            // The era year's value is no number of the display's; the Western year is.
            tape_.append({Line::Kind::Result, step.enteredMark + groupedNumber(step.entered),
                          "→ " + step.shown, plainValue(step.shown)});
            break;
        case Kind::WesternToEra:
            line(Line::Kind::Result, groupedNumber(step.entered), "→ " + step.shown);
            break;
        case Kind::UnitConversion:
            tape_.append({Line::Kind::Result, groupedNumber(step.entered),
                          step.fromUnit + " → " + groupedNumber(step.shown),
                          plainValue(step.shown)});
            break;
        case Kind::Warning:
            break;
    }
    warnings(step);
}

void Recorder::operatorStep(const engine::Step& step) {
    if (step.operation == Operation::Equals) {
        // The right operand, unless percent printed it already.
        if (step.entryBefore == engine::EntryKind::Digits && isBinary(step.pendingBefore)) {
            line(Line::Kind::Operand, groupedNumber(step.entered), "");
        }
        warnings(step);
        // A long product shown in units of 10^8 keeps its mark.
        const bool scaled = step.shownMark == "億" || step.shownMark == "E";
        line(Line::Kind::Result, groupedNumber(step.shown) + (scaled ? step.shownMark : ""), "=",
             true);
        return;
    }
    // An operator pressed again in place of the one before changes that line.
    const bool replacing = step.entryBefore == engine::EntryKind::Operator &&
                           isBinary(step.pendingBefore) && !tape_.empty() &&
                           tape_.lines().back().kind == Line::Kind::Operand;
    if (replacing) {
        Line printed = tape_.lines().back();
        printed.function = operatorText(step.operation);
        tape_.replaceLast(std::move(printed));
    } else {
        line(Line::Kind::Operand, groupedNumber(step.entered), operatorText(step.operation));
    }
    warnings(step);
}

}  // namespace vexlo::tape
