#include "keyscript/Report.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <nlohmann/json.hpp>

namespace vexlo::keyscript {

namespace {

using Json = nlohmann::ordered_json;

// Whole values as JSON integers (36, not 36.0); fractions as they are.
Json number(double value) {
    constexpr double Exact = 9007199254740992.0;  // 2^53
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) <= Exact) {
        return static_cast<std::int64_t>(value);
    }
    return value;
}

Json controlJson(const platform::Control& control) {
    Json json = Json::object();
    switch (control.kind()) {
        case platform::ControlKind::Label:
            json["caption"] = static_cast<const platform::Label&>(control).caption();
            break;
        case platform::ControlKind::TextBox:
            json["text"] = static_cast<const platform::TextBox&>(control).text();
            break;
        case platform::ControlKind::Button:
            json["caption"] = static_cast<const platform::Button&>(control).caption();
            break;
        case platform::ControlKind::CheckBox: {
            const auto& box = static_cast<const platform::CheckBox&>(control);
            json["caption"] = box.caption();
            json["value"] = box.value();
            break;
        }
        case platform::ControlKind::OptionButton: {
            const auto& option = static_cast<const platform::OptionButton&>(control);
            json["caption"] = option.caption();
            json["value"] = option.value();
            break;
        }
        case platform::ControlKind::ListBox: {
            const auto& list = static_cast<const platform::ListBox&>(control);
            json["items"] = list.items();
            json["selected"] = list.selectedIndex();
            break;
        }
    }
    json["visible"] = control.visible();
    json["enabled"] = control.enabled();
    json["left"] = control.left();
    json["top"] = control.top();
    json["width"] = control.width();
    json["height"] = control.height();
    json["font_name"] = control.fontName();
    json["font_size"] = number(control.fontSize());
    json["font_bold"] = control.fontBold();
    json["back_colour"] = control.backColour();
    json["fore_colour"] = control.foreColour();
    return json;
}

Json controlsJson(const platform::Form& form) {
    Json json = Json::object();
    for (const auto& control : form.controls()) json[control->key()] = controlJson(*control);
    return json;
}

Json geometryJson(const platform::Form& form) {
    return Json{{"caption", form.caption()}, {"top", form.top()},     {"left", form.left()},
                {"height", form.height()},   {"width", form.width()}, {"topmost", form.topmost()}};
}

// The state record under the program's own names, the names the JSON report gives it.
std::string_view entryKindName(engine::EntryKind kind) {
    switch (kind) {
        case engine::EntryKind::Nothing:
            return "NONE";
        case engine::EntryKind::Digits:
            return "NUMS";
        case engine::EntryKind::Operator:
            return "OPS";
        case engine::EntryKind::Percent:
            return "Ops";
        case engine::EntryKind::Minus:
            return "NEG";
        case engine::EntryKind::EntryCleared:
            return "CE";
    }
    return "";
}

std::string_view operationName(engine::Operation operation) {
    switch (operation) {
        case engine::Operation::None:
            return " ";
        case engine::Operation::Divide:
            return "/";
        case engine::Operation::Add:
            return "+";
        case engine::Operation::Multiply:
            return "X";
        case engine::Operation::Subtract:
            return "-";
        case engine::Operation::Equals:
            return "=";
        case engine::Operation::Percent:
            return "%";
    }
    return "";
}

Json stateJson(Session& session) {
    const shell::MainWindow& window = session.window();
    const engine::CalculatorState& s = window.calculator.state();
    return Json{{"FirstOperand", number(s.firstOperand)},
                {"SecondOperand", number(s.secondOperand)},
                {"MemoryValue", number(s.memory)},
                {"MemoryInput", number(s.memoryInput)},
                {"PointEntered", s.pointEntered ? -1 : 0},
                {"OperandCount", s.operandCount},
                {"LastEntryKind", entryKindName(s.lastEntry)},
                {"PendingOperator", operationName(s.pending)},
                {"LanguageMode", window.languageSetting},
                {"WarningMode", window.warningSetting},
                {"EraInitial", s.eraInitial},
                {"MemoryMark", s.memoryMarked ? "M" : ""},
                {"UnitPanelMode", window.unitPanelMode}};
}

Json menusJson(const platform::Form& form) {
    Json json = Json::object();
    form.forEachMenuItem([&json](platform::MenuItem& item) {
        json[item.key()] = Json{
            {"caption", item.caption()}, {"checked", item.checked()}, {"enabled", item.enabled()}};
    });
    return json;
}

// The open popup: the drop-down it shows, where (screen pixels), and its items in order.
Json popupJson(const platform::PendingPopup::Open& popup) {
    Json items = Json::array();
    for (const auto& item : popup.menu->children()) items.push_back(item->key());
    return Json{{"menu", popup.menu->key()}, {"x", popup.x}, {"y", popup.y}, {"items", items}};
}

Json tapeJson(const tape::Tape& tape) {
    Json lines = Json::array();
    for (const tape::Line& line : tape.lines()) {
        const char* kind = line.kind == tape::Line::Kind::Operand   ? "operand"
                           : line.kind == tape::Line::Kind::Warning ? "warning"
                                                                    : "result";
        lines.push_back(Json{{"number", line.number},
                             {"function", line.function},
                             {"kind", kind},
                             {"rule", line.ruleBelow}});
    }
    return lines;
}

std::string clipboardText(Session& session) {
    return session.platform().clipboard.contents.value_or("");
}

}  // namespace

std::string oneLine(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

std::string traceLine(const TraceStep& step) {
    return "trace: " + oneLine(step.event) + " | " + oneLine(step.display) + "\n";
}

std::string tapeReport(const tape::Tape& tape) {
    std::string out;
    for (const tape::Line& line : tape.lines()) {
        out += "tape: " + oneLine(line.number) + " | " + oneLine(line.function) + "\n";
        if (line.ruleBelow) out += "tape: ----\n";
    }
    return out;
}

std::string textReport(Session& session, bool tape) {
    std::string out;
    for (const TraceStep& step : session.trace()) {
        out += traceLine(step);
    }
    const engine::Calculator& calculator = session.window().calculator;
    out += "display: " + oneLine(calculator.display()) + "\n";
    out += "mem2: " + oneLine(calculator.mark()) + "\n";
    out += "mem1: " + oneLine(calculator.memoryIndicator()) + "\n";
    out += "clipboard: " + oneLine(clipboardText(session)) + "\n";
    for (const auto& message : session.platform().messages.shown) {
        out += "message: " + oneLine(message.title) + " | " + oneLine(message.text) + "\n";
    }
    if (tape) out += tapeReport(session.window().tape);
    return out;
}

std::string jsonReport(Session& session, bool tape) {
    auto& window = session.window();
    const engine::Calculator& calculator = window.calculator;
    Json messages = Json::array();
    for (const auto& message : session.platform().messages.shown) {
        messages.push_back(Json{{"title", message.title}, {"text", message.text}});
    }
    Json forms = Json::object();
    // Secondary windows appear while they are open.
    for (const platform::Form* form :
         {&window.fontWindow, &window.helpForm, &window.aboutForm, &window.tapeWindow}) {
        if (!form->visible()) continue;
        Json json = geometryJson(*form);
        json["controls"] = controlsJson(*form);
        forms[form->name()] = std::move(json);
    }
    if (const auto& popup = session.platform().popup.open) forms["popup"] = popupJson(*popup);

    Json json{{"display", calculator.display()},
              {"mem1", calculator.memoryIndicator()},
              {"mem2", calculator.mark()},
              {"clipboard", clipboardText(session)},
              {"messages", std::move(messages)},
              {"closed", session.closed()},
              {"state", stateJson(session)},
              {"window", geometryJson(window.form)},
              {"controls", controlsJson(window.form)},
              {"menus", menusJson(window.form)},
              {"forms", std::move(forms)}};
    if (session.tracing()) {
        Json trace = Json::array();
        for (const TraceStep& step : session.trace()) {
            trace.push_back(Json{{"event", step.event}, {"display", step.display}});
        }
        json["trace"] = std::move(trace);
    }
    if (tape) json["tape"] = tapeJson(window.tape);
    // Texts are valid UTF-8 as the model keeps them; a stray byte must not abort the output.
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace vexlo::keyscript
