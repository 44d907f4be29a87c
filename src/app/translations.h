// The languages of the window around the form: Japanese under a Japanese
// locale (Qt's own texts too: the dialog buttons, the file dialog, the boxes'
// context menus), English under any other; the form keeps its own texts.
#pragma once

class QLocale;
class QObject;

namespace numplace::app {

// Loads Qt's Japanese translation (Debian: qt6-translations-l10n) into the
// application; false when it is not installed, and Qt's texts stay English.
// `owner` keeps the translator alive.
bool installQtTranslations(QObject *owner);

// The texts of the menus, the status bar and the panels (written in
// Japanese) in English when the system's language is not Japanese; the
// form's own texts stay as they are. True when the English was loaded.
bool installShellTranslations(QObject *owner, const QLocale &locale);

// Both, as the program starts: under a Japanese `locale` Qt's Japanese,
// else the shell's English. True when Qt's Japanese was loaded.
bool installTranslations(QObject *owner, const QLocale &locale);

}  // namespace numplace::app
