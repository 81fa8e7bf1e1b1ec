#include "store/CustomIniFile.h"

#include "store/StringOps.h"

namespace sw {

TCustomIniFile::TCustomIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

TCustomIniFile::~TCustomIniFile() = default;

int32_t TCustomIniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def)
{
    std::string text = ReadString(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text = "$" + text.substr(2);
    return strToIntDef(text, def);
}

void TCustomIniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value)
{
    WriteString(section, key, intToStr(value));
}

bool TCustomIniFile::ReadBool(std::string_view section, std::string_view key, bool def)
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

namespace {

template <typename Convert>
double readConverted(TCustomIniFile& ini, std::string_view section, std::string_view key, double def,
                     Convert convert)
{
    std::string text = ini.ReadString(section, key, "");
    if (text.empty())
        return def;
    double value = def;
    return convert(text, value, formatSettings()) ? value : def;
}

}  // namespace

TDateTime TCustomIniFile::ReadDate(std::string_view section, std::string_view key, TDateTime def)
{
    return readConverted(*this, section, key, def, tryStrToDate);
}

TDateTime TCustomIniFile::ReadDateTime(std::string_view section, std::string_view key, TDateTime def)
{
    return readConverted(*this, section, key, def, tryStrToDateTime);
}

double TCustomIniFile::ReadFloat(std::string_view section, std::string_view key, double def)
{
    return readConverted(*this, section, key, def, tryStrToFloat);
}

TDateTime TCustomIniFile::ReadTime(std::string_view section, std::string_view key, TDateTime def)
{
    return readConverted(*this, section, key, def, tryStrToTime);
}

void TCustomIniFile::WriteDate(std::string_view section, std::string_view key, TDateTime value)
{
    WriteString(section, key, dateToStr(value, formatSettings()));
}

void TCustomIniFile::WriteDateTime(std::string_view section, std::string_view key, TDateTime value)
{
    WriteString(section, key, dateTimeToStr(value, formatSettings()));
}

void TCustomIniFile::WriteFloat(std::string_view section, std::string_view key, double value)
{
    WriteString(section, key, floatToStr(value, formatSettings()));
}

void TCustomIniFile::WriteTime(std::string_view section, std::string_view key, TDateTime value)
{
    WriteString(section, key, timeToStr(value, formatSettings()));
}

bool TCustomIniFile::SectionExists(std::string_view section)
{
    TStrings keys;
    ReadSection(section, keys);
    return !keys.empty();
}

bool TCustomIniFile::ValueExists(std::string_view section, std::string_view key)
{
    return ReadString(section, key, kMissingValue) != kMissingValue;
}

}  // namespace sw
