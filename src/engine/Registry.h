// The current user's and the classes root's registry keys, through QSettings: the
// real registry on Windows, elsewhere one INI file per hive in registryFolder().
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sw {

enum class RegistryHive { CurrentUser, ClassesRoot };

// Keys are paths such as "Software\Corvane\Veneerix\VX5.ini\VXLiteFX" ("/" works too);
// their parts, like value names, are matched without regard to letter case. The
// empty value name is the key's default value. Value names cannot hold "\" or "/".
// Values are strings; text is passed in the local 8-bit encoding, as file paths are.
class Registry {
public:
    explicit Registry(RegistryHive hive = RegistryHive::CurrentUser);

    // True when the key is there. Elsewhere than Windows a key exists while it or
    // one of its subkeys holds a value.
    bool keyExists(std::string_view key) const;
    bool valueExists(std::string_view key, std::string_view name) const;
    // The value's text, or nothing when the key or value is missing.
    std::optional<std::string> read(std::string_view key, std::string_view name) const;
    // The value's text; empty when missing.
    std::string readString(std::string_view key, std::string_view name) const;

    // Creates the key when needed. False when the value could not be stored.
    bool writeString(std::string_view key, std::string_view name, std::string_view value);
    // True when there was such a value and it is gone.
    bool deleteValue(std::string_view key, std::string_view name);

    // The INI file that holds the hive elsewhere than Windows (read anew every
    // time, so SKINWRT_REGISTRY_DIR may change between calls).
    std::filesystem::path hiveFile() const;

private:
    RegistryHive hive_;
};

}  // namespace sw
