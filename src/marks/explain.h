// Saying why: with -e an explanation beside every text judged triangle or cross.
#pragma once

#include "check/text.h"
#include "check/verdict.h"
#include "control/drawing.h"
#include "control/options.h"
#include "control/output.h"

namespace dimcheck {

// Writes the explanation of the judged text after its mark; `found` holds the
// end points the judgement found.
void write_explanation(const Drawing& d, const Options& o, const Text& text, const Judgement& j,
                       const FoundPoint* found, Output& out);

}  // namespace dimcheck
