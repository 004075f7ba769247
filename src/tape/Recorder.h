#pragma once
// Turns the calculator's steps into tape lines, as a printing calculator prints them: each
// operand with the operator pressed after it, the result after "=" with a rule below, each
// function with its value, and each warning as a line of its own. The texts are those of the
// interface language when the step was taken. Recording never changes what a key does.

#include "engine/Calculator.h"
#include "tape/Tape.h"

namespace vexlo::tape {

class Recorder {
  public:
    explicit Recorder(Tape& tape) : tape_(tape) {}
    // Listens to `calc`'s steps from now on.
    void attach(engine::Calculator& calc);
    void record(const engine::Step& step, engine::Language language);

  private:
    void line(Line::Kind kind, std::string number, std::string function, bool rule = false);
    void warnings(const engine::Step& step);
    void operatorStep(const engine::Step& step);
    Tape& tape_;
};

}  // namespace vexlo::tape
