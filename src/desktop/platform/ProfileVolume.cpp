#include "desktop/platform/ProfileVolume.h"

#include "tank/settings/ProfileInt.h"
#include "tank/settings/SettingsKeys.h"

#include <QSettings>
#include <QString>

namespace quelmarine {

int readProfileVolume() {
    QSettings profile(QString::fromLatin1(kProfileOrganisation),
                      QString::fromLatin1(kProfileApplication));
    const QString key =
        QString::fromLatin1(kProfileSection) + u'/' + QString::fromLatin1(kProfileVolumeKey);
    if (!profile.contains(key))
        return kProfileVolumeDefault;
    return parseAtoi(profile.value(key).toString().toStdString());
}

} // namespace quelmarine
