#pragma once
// Conversion between Japanese era years and Western years, in both directions, working on the
// display, the era mark in MEM2, MEM1 and EraInitial of the calculator.

#include "engine/Calculator.h"

namespace vexlo::era {

// Era year in the display, era mark in MEM2 -> Western year ("1989年", or "1989" in English).
void WA_SEI_Click(engine::Calculator& calc);

// Western year in the display -> era year ("平成2年"), both readings for a boundary year, or the
// historical period before Meiji.
void SEI_WA_Click(engine::Calculator& calc);

}  // namespace vexlo::era
