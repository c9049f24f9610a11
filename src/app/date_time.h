#pragma once
#include <cstdint>
#include <string>

namespace mvx {

// Days since 30 December 1899; the time of day is the fraction.
using TDateTime = double;

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int ms = 0);
// The file system's packed date (high word) and time (low word), 2-second resolution.
TDateTime DosDateTimeToDateTime(std::uint32_t packed);
// "yyyy-mm-dd hh:nn:ss", to the second as the value rounds.
std::string FormatDateTime(TDateTime value);

}  // namespace mvx
