// The collection reader of the core (board/collection.h) in Qt's types, its
// messages in the window's language.
#pragma once

#include <QString>
#include <QStringList>

#include "board/collection.h"

namespace numplace::app {

// puzzlesInText of the core, on the text as UTF-8.
QStringList puzzlesInText(const QString &text);

// Why the core's reader found a file unusable, in the window's language.
QString openedFileMessage(const numplace::OpenedFile &opened);

}  // namespace numplace::app
