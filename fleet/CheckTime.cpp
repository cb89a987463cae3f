// Reading and writing check times, and counting days between them without the C library's
// time functions (the 32-bit programs carry none): days from the civil date, by the proleptic
// Gregorian calendar.
#include "fleet/CheckTime.h"

namespace prereq {

namespace {

void appendNumber(std::string& out, int value, int width) {
    std::string digits;
    for (int index = 0; index < width; ++index, value /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + value % 10));
    out += digits;
}

// Reads width digits at text[at], moving at past them.
bool readNumber(const std::string& text, std::size_t& at, int width, int& value) {
    value = 0;
    for (int index = 0; index < width; ++index, ++at) {
        if (at >= text.size() || text[at] < '0' || text[at] > '9')
            return false;
        value = value * 10 + (text[at] - '0');
    }
    return true;
}

bool readSeparator(const std::string& text, std::size_t& at, char separator) {
    return at < text.size() && text[at++] == separator;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1 March of year 0, shifted so that the leap day ends a year. In 32 bits, which any
// year a check or a file's time can name (up to 30828) keeps far from overflow, and which a
// 486 divides without a library call.
long long dayNumber(int year, int month, int day) {
    const int shiftedYear = month <= 2 ? year - 1 : year;
    const int shiftedMonth = month <= 2 ? month + 9 : month - 3;
    return shiftedYear * 365 + shiftedYear / 4 - shiftedYear / 100 + shiftedYear / 400 +
           (153 * shiftedMonth + 2) / 5 + day - 1;
}

long long secondNumber(const LocalTime& time, bool inUtc) {
    const long long minutes = dayNumber(time.year, time.month, time.day) * 1440 + time.hour * 60 +
                              time.minute - (inUtc ? time.utcOffsetMinutes : 0);
    return minutes * 60 + time.second;
}

// The civil date of a day number, by the reverse of dayNumber's shifts.
void civilDate(long long days, LocalTime& time) {
    const long long era = days / 146097, dayOfEra = days % 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    time.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    time.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    time.year = static_cast<int>(era * 400 + yearOfEra + (time.month <= 2 ? 1 : 0));
}

constexpr long long kFileTimeTicksPerSecond = 10000000;

long long firstFileTimeSecond() {
    return dayNumber(1601, 1, 1) * 86400;
}

} // namespace

long long secondsOnOneScale(const LocalTime& time) {
    return secondNumber(time, time.offsetKnown);
}

LocalTime utcTimeOfFileTime(std::uint64_t fileTime) {
    const long long seconds =
        firstFileTimeSecond() + static_cast<long long>(fileTime / kFileTimeTicksPerSecond);
    LocalTime time;
    civilDate(seconds / 86400, time);
    time.hour = static_cast<int>(seconds % 86400 / 3600);
    time.minute = static_cast<int>(seconds % 3600 / 60);
    time.second = static_cast<int>(seconds % 60);
    time.offsetKnown = true;
    return time;
}

std::uint64_t fileTimeOf(const LocalTime& time) {
    const long long seconds = secondsOnOneScale(time) - firstFileTimeSecond();
    return seconds < 0 ? 0 : static_cast<std::uint64_t>(seconds) * kFileTimeTicksPerSecond;
}

std::string isoCheckTime(const LocalTime& time) {
    std::string out;
    appendNumber(out, time.year, 4);
    out += '-';
    appendNumber(out, time.month, 2);
    out += '-';
    appendNumber(out, time.day, 2);
    out += 'T';
    appendNumber(out, time.hour, 2);
    out += ':';
    appendNumber(out, time.minute, 2);
    out += ':';
    appendNumber(out, time.second, 2);
    if (time.offsetKnown) {
        const int offset =
            time.utcOffsetMinutes < 0 ? -time.utcOffsetMinutes : time.utcOffsetMinutes;
        out += time.utcOffsetMinutes < 0 ? '-' : '+';
        appendNumber(out, offset / 60, 2);
        out += ':';
        appendNumber(out, offset % 60, 2);
    }
    return out;
}

bool parseCheckTime(const std::string& text, LocalTime& time) {
    LocalTime read;
    std::size_t at = 0;
    if (!readNumber(text, at, 4, read.year) || !readSeparator(text, at, '-') ||
        !readNumber(text, at, 2, read.month) || !readSeparator(text, at, '-') ||
        !readNumber(text, at, 2, read.day) || !readSeparator(text, at, 'T') ||
        !readNumber(text, at, 2, read.hour) || !readSeparator(text, at, ':') ||
        !readNumber(text, at, 2, read.minute) || !readSeparator(text, at, ':') ||
        !readNumber(text, at, 2, read.second))
        return false;
    if (read.year < 1 || read.month < 1 || read.month > 12 || read.day < 1 ||
        read.day > daysInMonth(read.year, read.month) || read.hour > 23 || read.minute > 59 ||
        read.second > 59)
        return false;
    if (at < text.size() && text[at] == 'Z') {
        read.offsetKnown = true;
        ++at;
    } else if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        const bool negative = text[at++] == '-';
        int hours = 0, minutes = 0;
        if (!readNumber(text, at, 2, hours) || !readSeparator(text, at, ':') ||
            !readNumber(text, at, 2, minutes) || hours > 23 || minutes > 59)
            return false;
        read.offsetKnown = true;
        read.utcOffsetMinutes = (negative ? -1 : 1) * (hours * 60 + minutes);
    }
    if (at != text.size())
        return false;
    time = read;
    return true;
}

long long secondsBetween(const LocalTime& then, const LocalTime& now) {
    const bool inUtc = then.offsetKnown && now.offsetKnown;
    return secondNumber(now, inUtc) - secondNumber(then, inUtc);
}

long long daysBetween(const LocalTime& then, const LocalTime& now) {
    const long long seconds = secondsBetween(then, now);
    return seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
}

} // namespace prereq
