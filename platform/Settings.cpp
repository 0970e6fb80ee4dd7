#include "platform/Settings.h"
#include "platform/AppInfo.h"
#include <QSettings>

namespace platform {

namespace {
QString fullKey(const QString& section, const QString& key) { return section + QLatin1Char('/') + key; }
} // namespace

QString getSetting(const QString& section, const QString& key, const QString& defaultValue)
{
    QSettings s(appInfo().title, appInfo().title);
    const QVariant v = s.value(fullKey(section, key));
    return v.isValid() ? v.toString() : defaultValue;
}

void saveSetting(const QString& section, const QString& key, const QString& value)
{
    QSettings s(appInfo().title, appInfo().title);
    s.setValue(fullKey(section, key), value);
    s.sync();
}

void deleteSetting(const QString& section, const QString& key)
{
    QSettings s(appInfo().title, appInfo().title);
    s.remove(key.isEmpty() ? section : fullKey(section, key));
    s.sync();
}

} // namespace platform
