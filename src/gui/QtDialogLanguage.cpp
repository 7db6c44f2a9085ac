#include "gui/QtDialogLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace quorvel {

namespace {

const char* qtLocaleOf(LanguageId id) {
    switch (id) {
    case kItalian:
        return "it";
    case kDutch:
        return "nl";
    case kGerman:
        return "de";
    case kDanish:
        return "da";
    case kSpanish:
        return "es";
    default:
        return nullptr;
    }
}

} // namespace

void useQtDialogLanguage(LanguageId id) {
    static QPointer<QTranslator> installed;
    if (installed != nullptr) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    const char* locale = qtLocaleOf(id);
    if (locale == nullptr || QCoreApplication::instance() == nullptr) {
        return;
    }
    auto* translator = new QTranslator(QCoreApplication::instance());
    // Without Qt's translation files the dialogs stay in English, as before.
    if (!translator->load(QStringLiteral("qtbase_") + QLatin1String(locale),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
}

} // namespace quorvel
