#pragma once
// The per-user settings store: string values by program title, section and
// key (QSettings under the program's title).
#include <QString>

namespace platform {

QString getSetting(const QString& section, const QString& key, const QString& defaultValue = {});
void saveSetting(const QString& section, const QString& key, const QString& value);
void deleteSetting(const QString& section, const QString& key = {});

} // namespace platform
