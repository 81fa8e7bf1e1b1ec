// Small builders and conversions shared by the preferences dialog's source files.
#pragma once

#include <QPushButton>
#include <QString>

#include <string>

namespace sw::properties {

inline QString bytesToText(const std::string& bytes)
{
    return QString::fromLocal8Bit(bytes);
}

inline std::string textToBytes(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

inline QPushButton* button(const char* name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

}  // namespace sw::properties
