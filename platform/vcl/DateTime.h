#pragma once
// The library's date-time value: days since 30 December 1899 in the whole
// part and the time of day as a fraction of a day. Negative values are not
// used by the system.

#include <windows.h>

#include <cmath>

class TDateTime {
public:
    TDateTime() = default;
    TDateTime(double value) : m_value(value) {}
    operator double() const { return m_value; }
    double Val() const { return m_value; }

private:
    double m_value = 0.0;
};

namespace vcl_detail {

// Days from 1 March of year 0 (proleptic Gregorian) to the given date.
inline long long DaysFromCivil(int year, int month, int day)
{
    year -= month <= 2;
    long long era = (year >= 0 ? year : year - 399) / 400;
    long long yearOfEra = year - era * 400;
    long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
}

inline long long EpochDays()
{
    return DaysFromCivil(1899, 12, 30);
}

// Whole milliseconds of the time of day, rounded to the nearest.
inline long long DayMilliseconds(const TDateTime& value)
{
    double fraction = value.Val() - std::floor(value.Val());
    long long ms = static_cast<long long>(std::floor(fraction * 86400000.0 + 0.5));
    return ms >= 86400000 ? 86399999 : ms;
}

}  // namespace vcl_detail

inline TDateTime EncodeDate(int year, int month, int day)
{
    return TDateTime(static_cast<double>(vcl_detail::DaysFromCivil(year, month, day) - vcl_detail::EpochDays()));
}

inline TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    return TDateTime((((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / 86400000.0);
}

inline void DecodeDate(const TDateTime& value, unsigned short& year, unsigned short& month, unsigned short& day)
{
    long long z = static_cast<long long>(std::floor(value.Val())) + vcl_detail::EpochDays();
    long long era = (z >= 0 ? z : z - 146096) / 146097;
    long long dayOfEra = z - era * 146097;
    long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    long long mp = (5 * dayOfYear + 2) / 153;
    day = static_cast<unsigned short>(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = static_cast<unsigned short>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<unsigned short>(yearOfEra + era * 400 + (month <= 2));
}

inline void DecodeTime(const TDateTime& value, unsigned short& hour, unsigned short& minute, unsigned short& second,
                       unsigned short& millisecond)
{
    long long ms = vcl_detail::DayMilliseconds(value);
    millisecond = static_cast<unsigned short>(ms % 1000);
    second = static_cast<unsigned short>(ms / 1000 % 60);
    minute = static_cast<unsigned short>(ms / 60000 % 60);
    hour = static_cast<unsigned short>(ms / 3600000);
}

// The local date and time.
inline TDateTime Now()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return TDateTime(EncodeDate(now.wYear, now.wMonth, now.wDay).Val() +
                     EncodeTime(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds).Val());
}
