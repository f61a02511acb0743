#pragma once

// The punch rules live with the player, which sets them up for listening and
// rendering alike; the export subsystem uses them under its own names.
#include "engine/PlayerPunch.h"

namespace melorit::exporting {

using engine::FadeDsp;
using engine::kFadeLength;
using engine::kFadeMargin;
using engine::kFadeSampleRate;
using engine::planPunch;
using engine::PunchPlan;
using engine::punchTimeToPropose;
using engine::punchTimeToStore;

} // namespace melorit::exporting
