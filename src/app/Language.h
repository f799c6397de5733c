#pragma once
// The interface's language. Chinese texts are the source texts; an English
// translation is loaded when the user chose English, or chose nothing and the
// system's language is not Chinese. The choice is kept with QSettings and applies
// from the next start.

#include <QLocale>
#include <QString>

#include "editor/CommandTable.h"

class QCoreApplication;

namespace zv {

QString StoredLanguageChoice();
void StoreLanguageChoice(const QString& choice);

// Whether the interface is Chinese for this choice on a system of this locale.
bool InterfaceIsChinese(const QString& choice, const QLocale& system);

// Loads and installs the translations for the choice: ours for English, Qt's own
// (its dialogs and buttons) for Chinese. Returns false when a translation the
// choice needs could not be loaded; the interface then stays in its source texts.
bool InstallTranslations(QCoreApplication& app, const QString& choice,
                         const QLocale& system = QLocale::system());

}  // namespace zv
