#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace melorit::bench {

using Clock = std::chrono::steady_clock;

// Seconds since a time point.
double seconds(Clock::time_point since);

// Runs a program with its arguments, output to /dev/null; returns its wall
// time in seconds, or a negative value when it could not run or failed.
double timeCommand(const std::vector<std::string> &args);

// CPU seconds (user and system) used so far by this process (RUSAGE_SELF) or
// by its children waited for (RUSAGE_CHILDREN).
double cpuSeconds(int who);

// The middle value (the upper one of an even count); values must not be empty.
double median(std::vector<double> values);

} // namespace melorit::bench
