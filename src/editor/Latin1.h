// Personality files are single-byte text kept as bytes; widgets show them as Latin-1,
// so a byte read from a file comes back unchanged when it is written.
#pragma once

#include <QString>

#include <string>

namespace sw {

inline QString fromBytes(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

inline std::string toBytes(const QString& text)
{
    return text.toLatin1().toStdString();
}

}  // namespace sw
