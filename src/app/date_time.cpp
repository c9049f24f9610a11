#include "app/date_time.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace mvx {

namespace {

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

constexpr std::int64_t kDaysFrom1899To1970 = 25569;

}  // namespace

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int ms) {
  const std::int64_t days =
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kDaysFrom1899To1970;
  const double fraction = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + ms) / 86400000.0;
  return static_cast<double>(days) + fraction;
}

TDateTime DosDateTimeToDateTime(std::uint32_t packed) {
  const unsigned date = packed >> 16;
  const unsigned time = packed & 0xFFFFu;
  const int year = 1980 + static_cast<int>(date >> 9);
  const int month = static_cast<int>((date >> 5) & 0x0F);
  const int day = static_cast<int>(date & 0x1F);
  const int hour = static_cast<int>(time >> 11);
  const int minute = static_cast<int>((time >> 5) & 0x3F);
  const int second = static_cast<int>((time & 0x1F) * 2);
  return EncodeDateTime(year, month < 1 ? 1 : month, day < 1 ? 1 : day, hour, minute, second);
}

std::string FormatDateTime(TDateTime value) {
  using namespace std::chrono;
  // Whole seconds since the epoch of the date-time values, rounded as they are stored.
  const auto seconds = static_cast<std::int64_t>(std::llround(value * 86400.0));
  const std::int64_t dayNumber = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
  const std::int64_t secondOfDay = seconds - dayNumber * 86400;
  const year_month_day date{sys_days{1899y / December / 30} + days{dayNumber}};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(secondOfDay / 3600), static_cast<int>(secondOfDay / 60 % 60),
                static_cast<int>(secondOfDay % 60));
  return text;
}

}  // namespace mvx
