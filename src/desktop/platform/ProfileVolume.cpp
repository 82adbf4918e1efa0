#include "desktop/platform/ProfileVolume.h"

#include "tank/platform/ProgramNames.h"
#include "tank/settings/ProfileInt.h"
#include "tank/settings/SettingsKeys.h"

#include <QSettings>
#include <QString>

namespace quelmarine {

namespace {
QString volumeKey() {
    return QString::fromLatin1(kProfileSection) + u'/' + QString::fromLatin1(kProfileVolumeKey);
}
} // namespace

int readProfileVolume() {
    QSettings profile(QString::fromLatin1(kProfileOrganisation),
                      QString::fromLatin1(kApplicationName));
    const QString key = volumeKey();
    if (!profile.contains(key))
        return kProfileVolumeDefault;
    return parseAtoi(profile.value(key).toString().toStdString());
}

void writeProfileVolume(int volume) {
    QSettings profile(QString::fromLatin1(kProfileOrganisation),
                      QString::fromLatin1(kApplicationName));
    profile.setValue(volumeKey(), volume);
}

} // namespace quelmarine
