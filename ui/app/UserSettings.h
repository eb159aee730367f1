#pragma once
// The user's settings of Tonegraph: the remembered folders, the chart look
// and the recent files all live here.

#include <QSettings>

// Named explicitly: the settings must not depend on what the application
// object was told its organisation is.
inline QSettings UserSettings() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tonegraph"),
                   QStringLiteral("Tonegraph"));
}
