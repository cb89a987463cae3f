// The time of a check as a result records it: ISO 8601 local date and time, with the offset from
// UTC where Windows gives one ("2026-12-09T14:05:30+01:00", else "2026-12-09T14:05:30"), and
// the age of a result in whole days on the PC that reads it.
#pragma once

#include "platform/ResultFolders.h"

#include <cstdint>
#include <string>

namespace prereq {

std::string isoCheckTime(const LocalTime& time);

// The reverse of isoCheckTime, and "Z" for UTC; false for any other text or an impossible date.
bool parseCheckTime(const std::string& text, LocalTime& time);

// Seconds from then to now: in UTC when both know their offset, else on the local clocks.
long long secondsBetween(const LocalTime& then, const LocalTime& now);

// The time as one count of seconds: in UTC where its offset is known, else on its local clock.
// One scale, so that a set of times with and without offsets has one order.
long long secondsOnOneScale(const LocalTime& time);

// A file's last-write time as the listing gives it (FILETIME: 100-nanosecond intervals since
// 1 January 1601, UTC) as a time in UTC, and back.
LocalTime utcTimeOfFileTime(std::uint64_t fileTime);
std::uint64_t fileTimeOf(const LocalTime& time);

// Whole days from then to now: in UTC when both know their offset, else on the local clocks.
// Negative when then lies in the future.
long long daysBetween(const LocalTime& then, const LocalTime& now);

} // namespace prereq
