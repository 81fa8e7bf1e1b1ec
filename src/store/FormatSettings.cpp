#include "store/FormatSettings.h"

#include "store/StringOps.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>
#include <vector>

namespace sw {

namespace {

constexpr double kMillisecondsPerDay = 86400000.0;

// Days from 1970-01-01 to the civil date (proleptic Gregorian calendar).
long daysFromCivil(int y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + long(doe) - 719468;
}

void civilFromDays(long z, int& y, int& m, int& d)
{
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yoe + era * 400 + (m <= 2));
}

const long kDelphiEpoch = daysFromCivil(1899, 12, 30);

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : days[m - 1];
}

std::string twoDigits(int v)
{
    char b[8];
    std::snprintf(b, sizeof b, "%02d", v);
    return b;
}

// Formats with the date and time tokens; letter case of tokens does not matter.
std::string formatDateTime(std::string_view format, TDateTime value, const TFormatSettings& fs)
{
    int y, mo, d, h, mi, s, ms;
    decodeDate(value, y, mo, d);
    decodeTime(value, h, mi, s, ms);
    const bool twelveHour = asciiUpper(format).find("AMPM") != std::string::npos;
    std::string out;
    for (std::size_t i = 0; i < format.size();) {
        auto run = [&](char c) {
            std::size_t n = 0;
            while (i + n < format.size() && asciiUpper(format[i + n]) == c)
                ++n;
            return n;
        };
        const char c = asciiUpper(format[i]);
        std::size_t n = 0;
        if (startsWithText(format.substr(i), "AMPM")) {
            out += h < 12 ? fs.TimeAMString : fs.TimePMString;
            i += 4;
            continue;
        }
        switch (c) {
        case 'Y':
            n = run('Y');
            out += n <= 2 ? twoDigits(y % 100) : intToStr(y);
            break;
        case 'M':
            n = run('M');
            out += n >= 2 ? twoDigits(mo) : intToStr(mo);
            break;
        case 'D':
            n = run('D');
            out += n >= 2 ? twoDigits(d) : intToStr(d);
            break;
        case 'H': {
            n = run('H');
            int hour = twelveHour ? (h % 12 == 0 ? 12 : h % 12) : h;
            out += n >= 2 ? twoDigits(hour) : intToStr(hour);
            break;
        }
        case 'N':
            n = run('N');
            out += n >= 2 ? twoDigits(mi) : intToStr(mi);
            break;
        case 'S':
            n = run('S');
            out += n >= 2 ? twoDigits(s) : intToStr(s);
            break;
        case '/':
            n = 1;
            out += fs.DateSeparator;
            break;
        case ':':
            n = 1;
            out += fs.TimeSeparator;
            break;
        default:
            n = 1;
            out += format[i];
        }
        i += n;
    }
    // A 12-hour format written as "h:nn:ss AMPM" ends without a blank when the
    // AM/PM strings are empty (24-hour locales); keep the text tidy.
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

bool readNumber(std::string_view& text, int& value, int& digits)
{
    std::size_t n = 0;
    while (n < text.size() && n < 9 && text[n] >= '0' && text[n] <= '9')
        ++n;
    if (n == 0)
        return false;
    std::from_chars(text.data(), text.data() + n, value);
    digits = int(n);
    text.remove_prefix(n);
    return true;
}

int currentYear()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local.tm_year + 1900;
}

}  // namespace

TDateTime encodeDate(int year, int month, int day)
{
    return double(daysFromCivil(year, unsigned(month), unsigned(day)) - kDelphiEpoch);
}

TDateTime encodeTime(int hour, int minute, int second, int millisecond)
{
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / kMillisecondsPerDay;
}

void decodeDate(TDateTime value, int& year, int& month, int& day)
{
    civilFromDays(long(std::floor(value)) + kDelphiEpoch, year, month, day);
}

void decodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond)
{
    double fraction = std::fabs(value - std::floor(value));
    long ms = std::lround(fraction * kMillisecondsPerDay);
    if (ms >= long(kMillisecondsPerDay))
        ms = long(kMillisecondsPerDay) - 1;
    hour = int(ms / 3600000);
    minute = int(ms / 60000 % 60);
    second = int(ms / 1000 % 60);
    millisecond = int(ms % 1000);
}

std::string floatToStr(double value, const TFormatSettings& settings)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);  // 15 significant digits
    std::string text(buffer);
    std::size_t e = text.find('e');
    int exponent = std::atoi(text.c_str() + e + 1);
    std::string sign = text[0] == '-' ? "-" : "";
    std::string digits;
    for (std::size_t i = sign.size(); i < e; ++i)
        if (text[i] != '.')
            digits += text[i];
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string out = sign;
    if (exponent >= 15 || exponent < -5) {
        out += digits[0];
        if (digits.size() > 1) {
            out += settings.DecimalSeparator;
            out += digits.substr(1);
        }
        out += 'E';
        out += intToStr(exponent);
    } else if (exponent < 0) {
        out += '0';
        out += settings.DecimalSeparator;
        out += std::string(std::size_t(-exponent - 1), '0');
        out += digits;
    } else {
        std::size_t whole = std::size_t(exponent) + 1;
        if (digits.size() <= whole) {
            out += digits + std::string(whole - digits.size(), '0');
        } else {
            out += digits.substr(0, whole);
            out += settings.DecimalSeparator;
            out += digits.substr(whole);
        }
    }
    return out;
}

bool tryStrToFloat(std::string_view text, double& value, const TFormatSettings& settings)
{
    text = trimView(text);
    std::string normal;
    std::size_t i = 0;
    auto digitsAt = [&] {
        std::size_t n = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            normal += text[i++];
            ++n;
        }
        return n;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        normal += text[i++];
    std::size_t mantissa = digitsAt();
    if (i < text.size() && text[i] == settings.DecimalSeparator) {
        normal += '.';
        ++i;
        mantissa += digitsAt();
    }
    if (mantissa == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        normal += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            normal += text[i++];
        if (digitsAt() == 0)
            return false;
    }
    if (i != text.size())
        return false;
    const char* begin = normal.c_str();
    if (*begin == '+')
        ++begin;
    double result = 0;
    auto parsed = std::from_chars(begin, normal.c_str() + normal.size(), result);
    if (parsed.ec != std::errc() || parsed.ptr != normal.c_str() + normal.size())
        return false;
    value = result;
    return true;
}

std::string dateToStr(TDateTime value, const TFormatSettings& settings)
{
    return formatDateTime(settings.ShortDateFormat, value, settings);
}

std::string timeToStr(TDateTime value, const TFormatSettings& settings)
{
    return formatDateTime(settings.LongTimeFormat, value, settings);
}

std::string dateTimeToStr(TDateTime value, const TFormatSettings& settings)
{
    std::string text = dateToStr(value, settings);
    if (value - std::floor(value) != 0)
        text += ' ' + timeToStr(value, settings);
    return text;
}

bool tryStrToDate(std::string_view text, TDateTime& value, const TFormatSettings& settings)
{
    text = trimView(text);
    std::vector<std::pair<int, int>> parts;  // value, digit count
    while (true) {
        int number, digits;
        if (!readNumber(text, number, digits))
            return false;
        parts.emplace_back(number, digits);
        if (text.empty())
            break;
        if (text.front() != settings.DateSeparator || parts.size() == 3)
            return false;
        text.remove_prefix(1);
    }
    if (parts.size() < 2)
        return false;
    // The order of day, month and year comes from the short date format.
    std::string order;
    for (char c : asciiUpper(settings.ShortDateFormat))
        if ((c == 'D' || c == 'M' || c == 'Y') && order.find(c) == std::string::npos)
            order += c;
    if (order.size() != 3)
        order = "MDY";
    if (parts.size() == 2)
        order.erase(order.find('Y'), 1);
    int year = currentYear(), month = 0, day = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        switch (order[i]) {
        case 'D': day = parts[i].first; break;
        case 'M': month = parts[i].first; break;
        default:
            year = parts[i].first;
            if (parts[i].second <= 2)
                year += year < 50 ? 2000 : 1900;
        }
    }
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return false;
    value = encodeDate(year, month, day);
    return true;
}

bool tryStrToTime(std::string_view text, TDateTime& value, const TFormatSettings& settings)
{
    text = trimView(text);
    int fields[4] = {0, 0, 0, 0};
    int count = 0, digits = 0;
    while (count < 3) {
        if (!readNumber(text, fields[count], digits))
            return false;
        ++count;
        if (text.empty() || text.front() != settings.TimeSeparator)
            break;
        text.remove_prefix(1);
    }
    if (count == 3 && !text.empty() && text.front() == '.') {
        text.remove_prefix(1);
        if (!readNumber(text, fields[3], digits) || digits > 3)
            return false;
    }
    text = trimView(text);
    int hour = fields[0];
    if (!text.empty()) {
        bool pm = !settings.TimePMString.empty() && sameText(text, settings.TimePMString);
        bool am = !settings.TimeAMString.empty() && sameText(text, settings.TimeAMString);
        if (!pm && !am && (sameText(text, "PM") || sameText(text, "AM")))
            pm = sameText(text, "PM"), am = !pm;
        if ((!am && !pm) || hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    if (count < 2 && text.empty())
        return false;  // a bare number is not a time
    if (hour > 23 || fields[1] > 59 || fields[2] > 59)
        return false;
    value = encodeTime(hour, fields[1], fields[2], fields[3]);
    return true;
}

bool tryStrToDateTime(std::string_view text, TDateTime& value, const TFormatSettings& settings)
{
    text = trimView(text);
    if (tryStrToDate(text, value, settings))
        return true;
    std::size_t blank = text.find(' ');
    TDateTime date = 0, time = 0;
    if (blank != std::string_view::npos && tryStrToDate(text.substr(0, blank), date, settings)
        && tryStrToTime(text.substr(blank + 1), time, settings)) {
        value = date < 0 ? date - time : date + time;
        return true;
    }
    return tryStrToTime(text, value, settings);
}

TFormatSettings TFormatSettings::fromUserLocale()
{
    TFormatSettings fs;
    std::locale locale;
    try {
        locale = std::locale("");
    } catch (const std::exception&) {
        return fs;
    }
    fs.DecimalSeparator = std::use_facet<std::numpunct<char>>(locale).decimal_point();

    // Learn the date and time forms by formatting a known moment: 3 February 2001, 16:05:06.
    std::tm sample{};
    sample.tm_year = 101;
    sample.tm_mon = 1;
    sample.tm_mday = 3;
    sample.tm_hour = 16;
    sample.tm_min = 5;
    sample.tm_sec = 6;
    auto put = [&](const char* format) {
        std::ostringstream out;
        out.imbue(locale);
        out << std::put_time(&sample, format);
        return out.str();
    };
    std::string date = put("%x");
    std::size_t separator = date.find_first_not_of("0123456789");
    if (separator != std::string::npos)
        fs.DateSeparator = date[separator];
    std::string dayToken = date.find("03") != std::string::npos ? "dd" : "d";
    std::string monthToken = date.find("02") != std::string::npos ? "mm" : "m";
    std::string yearToken = date.find("2001") != std::string::npos ? "yyyy" : "yy";
    std::string order;
    switch (std::use_facet<std::time_get<char>>(locale).date_order()) {
    case std::time_base::dmy: order = "DMY"; break;
    case std::time_base::ymd: order = "YMD"; break;
    case std::time_base::ydm: order = "YDM"; break;
    default: order = "MDY";
    }
    fs.ShortDateFormat.clear();
    for (char c : order) {
        if (!fs.ShortDateFormat.empty())
            fs.ShortDateFormat += '/';
        fs.ShortDateFormat += c == 'D' ? dayToken : c == 'M' ? monthToken : yearToken;
    }

    std::string time = put("%X");
    std::size_t timeSeparator = time.find_first_not_of("0123456789");
    if (timeSeparator != std::string::npos && timeSeparator > 0)
        fs.TimeSeparator = time[timeSeparator];
    if (time.find("16") != std::string::npos) {
        fs.LongTimeFormat = "hh:nn:ss";
        fs.TimeAMString.clear();
        fs.TimePMString.clear();
    } else {
        fs.LongTimeFormat = "h:nn:ss AMPM";
        std::string pm = put("%p");
        sample.tm_hour = 4;
        std::string am = put("%p");
        if (!am.empty() && !pm.empty()) {
            fs.TimeAMString = am;
            fs.TimePMString = pm;
        }
    }
    return fs;
}

TFormatSettings& formatSettings()
{
    static TFormatSettings settings = TFormatSettings::fromUserLocale();
    return settings;
}

}  // namespace sw
