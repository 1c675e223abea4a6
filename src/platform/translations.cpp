#include "platform/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

void install(QCoreApplication& app, const QLocale& locale, const QString& name,
             const QString& folder) {
    auto* translator = new QTranslator(&app);
    if (translator->load(locale, name, QStringLiteral("_"), folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void installTranslations(QCoreApplication& app, const QLocale& locale) {
    // The program's own texts are built in; Qt's come from the system. A
    // plural is written once, with %n: its English forms come from a
    // translation too, which the language's own goes before.
    install(app, QLocale(QLocale::English), QStringLiteral("songbinder"), QStringLiteral(":/i18n"));
    install(app, locale, QStringLiteral("songbinder"), QStringLiteral(":/i18n"));
    install(app, locale, QStringLiteral("qtbase"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}
