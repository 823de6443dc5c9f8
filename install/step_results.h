// What an install step returns to the progress page. Platform-free.
#pragma once

// A failure: the page reports the platform's last-error code and stops.
inline constexpr int StepFailed = -1;
// The step did all it does.
inline constexpr int StepDone = 0;
// The step stopped early; the installation goes on, as after success.
inline constexpr int StepStoppedEarly = 1;
