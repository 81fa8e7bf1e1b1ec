#include "store/AcceleratedIniFile.h"
#include "store/FormatSettings.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TFormatSettings german()
{
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    fs.DateSeparator = '.';
    fs.ShortDateFormat = "dd/mm/yyyy";
    fs.LongTimeFormat = "hh:nn:ss";
    fs.TimeAMString = fs.TimePMString = "";
    return fs;
}

TFormatSettings american()
{
    return TFormatSettings{};  // M/d/yyyy, h:nn:ss AM/PM
}

TEST(FormatSettings, FloatsInGeneralFormat)
{
    struct Case {
        double value;
        const char* dot;
        const char* comma;
    } cases[] = {
        {0, "0", "0"},
        {1.5, "1.5", "1,5"},
        {-2.25, "-2.25", "-2,25"},
        {100, "100", "100"},
        {0.1, "0.1", "0,1"},
        {1.0 / 3, "0.333333333333333", "0,333333333333333"},
        {123456789012345, "123456789012345", "123456789012345"},
        {1e15, "1E15", "1E15"},
        {1.5e20, "1.5E20", "1,5E20"},
        {0.00001, "0.00001", "0,00001"},
        {0.000001, "1E-6", "1E-6"},
        {-1.25e-7, "-1.25E-7", "-1,25E-7"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(floatToStr(c.value, american()), c.dot) << c.value;
        EXPECT_EQ(floatToStr(c.value, german()), c.comma) << c.value;
        double back = 0;
        EXPECT_TRUE(tryStrToFloat(c.comma, back, german())) << c.comma;
        EXPECT_EQ(floatToStr(back, german()), c.comma);
    }
    struct Bad {
        const char* text;
        bool dotOk, commaOk;
    } texts[] = {{"1.5", true, false}, {"1,5", false, true}, {" 2 ", true, true}, {"", false, false},
                 {"1e", false, false}, {"e5", false, false}, {"1.5x", false, false}, {"-.5", true, false},
                 {"+3E2", true, true}};
    for (const Bad& b : texts) {
        double v;
        EXPECT_EQ(tryStrToFloat(b.text, v, american()), b.dotOk) << b.text;
        EXPECT_EQ(tryStrToFloat(b.text, v, german()), b.commaOk) << b.text;
    }
}

TEST(FormatSettings, DatesAndTimesInTheLocalesForms)
{
    TDateTime moment = encodeDate(2026, 12, 7) + encodeTime(21, 5, 9);
    EXPECT_EQ(dateToStr(moment, german()), "07.12.2026");
    EXPECT_EQ(timeToStr(moment, german()), "21:05:09");
    EXPECT_EQ(dateTimeToStr(moment, german()), "07.12.2026 21:05:09");
    EXPECT_EQ(dateTimeToStr(encodeDate(2026, 12, 7), german()), "07.12.2026");  // midnight: no time
    EXPECT_EQ(dateToStr(moment, american()), "12/7/2026");
    EXPECT_EQ(timeToStr(moment, american()), "9:05:09 PM");
    EXPECT_EQ(timeToStr(encodeTime(0, 30, 0), american()), "12:30:00 AM");
    EXPECT_EQ(encodeDate(1899, 12, 30), 0);
    EXPECT_EQ(encodeDate(2000, 1, 1), 36526);

    struct Case {
        const char* text;
        bool german;
        double expected;  // -1: does not convert as a date-time
    } cases[] = {
        {"07.12.2026 21:05:09", true, moment},
        {"7.12.2026", true, encodeDate(2026, 12, 7)},
        {"7.12.26", true, encodeDate(2026, 12, 7)},
        {"7.12.99", true, encodeDate(1999, 12, 7)},
        {"12/7/2026 9:05:09 PM", false, moment},
        {"12/7/2026 21:05:09", false, moment},
        {"21:05", true, encodeTime(21, 5, 0)},
        {"31.02.2026", true, -1},
        {"2026", true, -1},
        {"12/7/2026 25:00", false, -1},
        {"1.2.3.4", true, -1},
    };
    for (const Case& c : cases) {
        TDateTime value = -1;
        bool ok = tryStrToDateTime(c.text, value, c.german ? german() : american());
        EXPECT_EQ(ok, c.expected != -1) << c.text;
        if (ok) {
            EXPECT_NEAR(value, c.expected, 1e-9) << c.text;
        }
    }
}

TEST(FormatSettings, TypedStoreValuesUseTheProcessSettings)
{
    TFormatSettings saved = formatSettings();
    formatSettings() = german();
    TAcceleratedIniFile ini("");
    ini.WriteFloat("S", "f", 2.5);
    ini.WriteDate("S", "d", encodeDate(2001, 2, 3));
    ini.WriteTime("S", "t", encodeTime(4, 5, 6));
    ini.WriteDateTime("S", "dt", encodeDate(2001, 2, 3) + encodeTime(4, 5, 6));
    ini.WriteString("S", "bad", "2.5");
    EXPECT_EQ(ini.Text(), "[S]\r\nf=2,5\r\nd=03.02.2001\r\nt=04:05:06\r\ndt=03.02.2001 04:05:06\r\nbad=2.5\r\n\r\n");
    EXPECT_EQ(ini.ReadFloat("S", "f", 0), 2.5);
    EXPECT_EQ(ini.ReadFloat("S", "bad", -1), -1);
    EXPECT_EQ(ini.ReadFloat("S", "missing", -2), -2);
    EXPECT_EQ(ini.ReadDate("S", "d", 0), encodeDate(2001, 2, 3));
    EXPECT_NEAR(ini.ReadTime("S", "t", 0), encodeTime(4, 5, 6), 1e-9);
    EXPECT_NEAR(ini.ReadDateTime("S", "dt", 0), encodeDate(2001, 2, 3) + encodeTime(4, 5, 6), 1e-9);
    EXPECT_EQ(ini.ReadDate("S", "f", 7), 7);
    int year, month, day;  // "2.5" reads as a day and a month of this year
    decodeDate(ini.ReadDate("S", "bad", 7), year, month, day);
    EXPECT_EQ(month * 100 + day, 502);
    formatSettings() = saved;
}

}  // namespace
}  // namespace sw
