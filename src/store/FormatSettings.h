// Locale-dependent forms of floats, dates and times, as the INI stores read and
// write them: the user's decimal separator, short date format and long time format.
#pragma once

#include <string>
#include <string_view>

namespace sw {

// Days since 30 December 1899; the fraction is the time of day.
using TDateTime = double;

struct TFormatSettings {
    char DecimalSeparator = '.';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    // Tokens: d dd m mm yy yyyy for dates; h hh n nn s ss and AMPM for times.
    // "/" and ":" in a format stand for the separators above.
    std::string ShortDateFormat = "M/d/yyyy";
    std::string LongTimeFormat = "h:nn:ss AMPM";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";

    // The settings of the user's locale (the environment's LC_* / LANG), or the
    // forms above when that locale cannot be read.
    static TFormatSettings fromUserLocale();
};

// The settings used by the stores; read from the user's locale on first use.
// Tests replace them to get the same forms on every machine.
TFormatSettings& formatSettings();

TDateTime encodeDate(int year, int month, int day);
TDateTime encodeTime(int hour, int minute, int second, int millisecond = 0);
void decodeDate(TDateTime value, int& year, int& month, int& day);
void decodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);

// General format, up to 15 significant digits, scientific only for very large or
// very small values ("1E20", "1.5E-7").
std::string floatToStr(double value, const TFormatSettings& settings);
bool tryStrToFloat(std::string_view text, double& value, const TFormatSettings& settings);

std::string dateToStr(TDateTime value, const TFormatSettings& settings);
std::string timeToStr(TDateTime value, const TFormatSettings& settings);
std::string dateTimeToStr(TDateTime value, const TFormatSettings& settings);
bool tryStrToDate(std::string_view text, TDateTime& value, const TFormatSettings& settings);
bool tryStrToTime(std::string_view text, TDateTime& value, const TFormatSettings& settings);
bool tryStrToDateTime(std::string_view text, TDateTime& value, const TFormatSettings& settings);

}  // namespace sw
