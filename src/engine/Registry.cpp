#include "engine/Registry.h"

#include "store/PlatformPaths.h"

#include <QSettings>
#include <QStringList>

#include <memory>

namespace sw {

namespace {

QString fromLocal(std::string_view text)
{
    return QString::fromLocal8Bit(text.data(), qsizetype(text.size()));
}

std::string toLocal(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

QStringList keyParts(std::string_view key)
{
    QString path = fromLocal(key);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

bool validValueName(std::string_view name)
{
    return name.find_first_of("\\/") == std::string_view::npos;
}

// QSettings reaches the default value of a key by this name, on Windows as here.
QString settingsName(std::string_view name)
{
    return name.empty() ? QStringLiteral("Default") : fromLocal(name);
}

QString findIgnoringCase(const QStringList& names, const QString& name)
{
    for (const QString& candidate : names)
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return candidate;
    return {};
}

// Enters the groups of the key, taking the letter case of parts that already exist.
// Without create, false when a part is missing.
bool enterKey(QSettings& settings, std::string_view key, bool create)
{
    for (const QString& part : keyParts(key)) {
        QString existing = findIgnoringCase(settings.childGroups(), part);
        if (existing.isEmpty() && !create)
            return false;
        settings.beginGroup(existing.isEmpty() ? part : existing);
    }
    return true;
}

// The hive itself on Windows; elsewhere its INI file.
std::unique_ptr<QSettings> openHive([[maybe_unused]] RegistryHive hive,
                                    [[maybe_unused]] const std::filesystem::path& file)
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(
        hive == RegistryHive::CurrentUser ? QStringLiteral("HKEY_CURRENT_USER") : QStringLiteral("HKEY_CLASSES_ROOT"),
        QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QString::fromLocal8Bit(file.string()), QSettings::IniFormat);
#endif
}

QString existingValueName(QSettings& settings, std::string_view name)
{
    return findIgnoringCase(settings.childKeys(), settingsName(name));
}

}  // namespace

Registry::Registry(RegistryHive hive) : hive_(hive) {}

std::filesystem::path Registry::hiveFile() const
{
    return registryFolder() /
           (hive_ == RegistryHive::CurrentUser ? "HKEY_CURRENT_USER.ini" : "HKEY_CLASSES_ROOT.ini");
}

bool Registry::keyExists(std::string_view key) const
{
    auto settings = openHive(hive_, hiveFile());
    return enterKey(*settings, key, false);
}

bool Registry::valueExists(std::string_view key, std::string_view name) const
{
    return read(key, name).has_value();
}

std::optional<std::string> Registry::read(std::string_view key, std::string_view name) const
{
    if (!validValueName(name))
        return std::nullopt;
    auto settings = openHive(hive_, hiveFile());
    if (!enterKey(*settings, key, false))
        return std::nullopt;
    QString existing = existingValueName(*settings, name);
    if (existing.isEmpty())
        return std::nullopt;
    QVariant value = settings->value(existing);
    // An INI line with unquoted commas reads back as a list; it was one text.
    if (value.typeId() == QMetaType::QStringList)
        return toLocal(value.toStringList().join(QLatin1Char(',')));
    return toLocal(value.toString());
}

std::string Registry::readString(std::string_view key, std::string_view name) const
{
    return read(key, name).value_or(std::string());
}

bool Registry::writeString(std::string_view key, std::string_view name, std::string_view value)
{
    if (!validValueName(name))
        return false;
    auto settings = openHive(hive_, hiveFile());
    enterKey(*settings, key, true);
    QString existing = existingValueName(*settings, name);
    settings->setValue(existing.isEmpty() ? settingsName(name) : existing, fromLocal(value));
    settings->sync();
    return settings->status() == QSettings::NoError;
}

bool Registry::deleteValue(std::string_view key, std::string_view name)
{
    if (!validValueName(name))
        return false;
    auto settings = openHive(hive_, hiveFile());
    if (!enterKey(*settings, key, false))
        return false;
    QString existing = existingValueName(*settings, name);
    if (existing.isEmpty())
        return false;
    // QSettings removes a subkey of the same name with the value; the registry keeps
    // values and subkeys apart, so the subkey's values are put back.
    QList<std::pair<QString, QVariant>> subkeyValues;
    QString subkey = findIgnoringCase(settings->childGroups(), existing);
    if (!subkey.isEmpty()) {
        settings->beginGroup(subkey);
        for (const QString& path : settings->allKeys())
            subkeyValues.append({subkey + QLatin1Char('/') + path, settings->value(path)});
        settings->endGroup();
    }
    settings->remove(existing);
    for (const auto& [path, value] : subkeyValues)
        settings->setValue(path, value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

}  // namespace sw
