#include "app/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

#include "app/DataFiles.h"

namespace zv {

namespace {

const QString kKey = QStringLiteral("interface/language");

bool Load(QCoreApplication& app, const QString& path) {
    auto* translator = new QTranslator(&app);
    if (path.isEmpty() || !translator->load(path)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

}  // namespace

QString StoredLanguageChoice() {
    const QString v = QSettings().value(kKey).toString();
    return v == LanguageChoice::Chinese || v == LanguageChoice::English ? v
                                                                        : LanguageChoice::System;
}

void StoreLanguageChoice(const QString& choice) {
    QSettings().setValue(kKey, choice);
}

bool InterfaceIsChinese(const QString& choice, const QLocale& system) {
    if (choice == LanguageChoice::Chinese) return true;
    if (choice == LanguageChoice::English) return false;
    return system.language() == QLocale::Chinese;
}

bool InstallTranslations(QCoreApplication& app, const QString& choice, const QLocale& system) {
    if (InterfaceIsChinese(choice, system))
        return Load(app, QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                             QStringLiteral("/qtbase_zh_CN.qm"));
    return Load(app, DataFile(QStringLiteral("translations/zorvane_en.qm")));
}

}  // namespace zv
