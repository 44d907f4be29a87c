#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace numplace::app {

bool installQtTranslations(QObject *owner) {
  auto *translator = new QTranslator(owner);
  if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

bool installShellTranslations(QObject *owner, const QLocale &locale) {
  if (locale.language() == QLocale::Japanese) return false;
  auto *translator = new QTranslator(owner);
  if (!translator->load(QStringLiteral(":/translations/numplace_en.qm"))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  // The grade's name and numbers follow the language of the texts.
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  return true;
}

bool installTranslations(QObject *owner, const QLocale &locale) {
  if (locale.language() != QLocale::Japanese) {
    installShellTranslations(owner, locale);
    return false;
  }
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  return installQtTranslations(owner);
}

}  // namespace numplace::app
