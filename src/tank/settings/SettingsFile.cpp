#include "tank/settings/SettingsFile.h"

#include "tank/platform/Folders.h"
#include "tank/settings/IniFile.h"
#include "tank/settings/ProfileInt.h"
#include "tank/settings/SettingsKeys.h"

namespace quelmarine {

std::string settingsFilePath() {
    std::string folder = settingsFolder();
    return folder.empty() ? std::string() : folder + kSettingsFileName;
}

IniDocument readSettingsDocument() {
    const std::string folder = settingsFolderPath();
    if (folder.empty())
        return {};
    return loadIniFile(folder + kSettingsFileName).document;
}

std::string readIniString(std::string_view section, std::string_view key, std::size_t limit) {
    return loadIniFile(settingsFilePath()).document.read(section, key, limit);
}

std::int32_t readIniInt(std::string_view section, std::string_view key) {
    return parseAtoi(readIniString(section, key));
}

bool writeIniString(std::string_view section, std::string_view key, std::string_view value) {
    bool stored = false;
    bool saved = updateSettingsFile(
        [&](IniDocument& document) { stored = document.write(section, key, value); });
    return stored && saved;
}

bool writeIniInt(std::string_view section, std::string_view key, std::int32_t value) {
    return writeIniString(section, key, std::to_string(value));
}

bool updateSettingsFile(const std::function<void(IniDocument&)>& edit) {
    const std::string path = settingsFilePath();
    LoadedIni ini = loadIniFile(path);
    edit(ini.document);
    if (ini.state == IniFileState::Unreadable)
        return false;
    if (!ini.document.changed())
        return true;
    return writeFileAtomically(path, ini.document.bytes());
}

} // namespace quelmarine
