#pragma once
// Conversion between Japanese era years and Western years, in both directions, working on the
// calculator's display, its mark (the era chosen), its memory mark and its era initial.

#include "engine/Calculator.h"

namespace vexlo::era {

// Era year in the display, era mark beside it -> Western year ("1989年", or "1989" in English).
engine::Outcome eraToWestern(engine::Calculator& calc);

// Western year in the display -> era year ("平成2年"), both readings for a boundary year, or the
// historical period before Meiji.
engine::Outcome westernToEra(engine::Calculator& calc);

}  // namespace vexlo::era
