// Qt's own texts (the dialog buttons, the boxes' context menus) in Japanese,
// like the rest of the window, whatever the user's locale.
#pragma once

class QObject;

namespace numplace::app {

// Loads Qt's Japanese translation (Debian: qt6-translations-l10n) into the
// application; false when it is not installed, and Qt's texts stay English.
// `owner` keeps the translator alive.
bool installQtTranslations(QObject *owner);

}  // namespace numplace::app
