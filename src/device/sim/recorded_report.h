// One report exchanged with a simulated keyboard, as its log keeps it.
#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

enum class ReportKind { Output, SetFeature, GetFeature };

struct RecordedReport {
    // On the clock of the backend's sleeper (virtual time in tests).
    std::chrono::nanoseconds time{0};
    int interfaceNumber = 0;
    ReportKind kind = ReportKind::Output;
    // As written, report id first; for a read, the reply (or the request when it failed).
    std::vector<std::uint8_t> bytes;
    // False when an injected fault refused it.
    bool accepted = true;
};
