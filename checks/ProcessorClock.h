// The processor's clock rate: its time-stamp counter timed against the high-resolution
// performance counter across a short sleep.
#pragma once

#include <cstdint>

namespace prereq {

// True when the processor has a time-stamp counter that can be read and that counts upwards.
bool isTimeStampCounterAvailable();

// Cycles per second over a sleep of the given length; 0 when there is no usable time-stamp
// counter or no usable performance counter (no frequency, or a counter that did not advance).
long double measureProcessorHz(std::uint32_t sleepMilliseconds);

// The processor's clock in whole MHz (processorMegahertz) for this run: measured over a sleep of
// sleepMilliseconds on the first call, and the same figure for every later one. Each product's
// list judges the processor, and three measurements of one PC can fall either side of a
// threshold: one figure keeps the lists agreeing, and costs one sleep instead of three.
std::int32_t runProcessorMegahertz(std::uint32_t sleepMilliseconds);

// The whole MHz a measured rate counts as: the rate in MHz plus two, truncated toward zero. A
// rate that cannot be a processor's (not a number, or below -2 MHz) counts as 0; one too large
// for a level counts as the largest level, 2147483647.
std::int32_t processorMegahertz(long double cyclesPerSecond);

} // namespace prereq
