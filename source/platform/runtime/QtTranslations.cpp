#include "platform/runtime/QtTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace kelvo {

std::string TQtTranslator::Translate(const char* context, const char* text) const {
    return QCoreApplication::translate(context, text).toStdString();
}

QString TranslationsFolder() {
    const QDir program(QCoreApplication::applicationDirPath());
    if (program.exists(QStringLiteral("translations")))
        return program.filePath(QStringLiteral("translations"));
    const QString installed = program.filePath(QStringLiteral("../share/kelvo-rem/translations"));
    if (QDir(installed).exists())
        return QDir::cleanPath(installed);
    return program.filePath(QStringLiteral("translations"));
}

bool InstallTranslations(const QString& folder, const QLocale& locale) {
    // Loaded once; a second call only replaces what the first loaded.
    static QTranslator* program = nullptr;
    static QTranslator* qt = nullptr;
    static TQtTranslator core;
    for (QTranslator** t : {&program, &qt}) {
        if (*t) {
            QCoreApplication::removeTranslator(*t);
            delete *t;
            *t = nullptr;
        }
    }
    InstallTranslator(&core);

    bool found = false;
    auto* own = new QTranslator(QCoreApplication::instance());
    const QString language = qEnvironmentVariable("KELVO_LANGUAGE");
    if (language.isEmpty())
        found = own->load(locale, QStringLiteral("kelvo-rem"), QStringLiteral("_"), folder);
    else
        found = own->load(QStringLiteral("kelvo-rem_") + language, folder);
    if (found) {
        QCoreApplication::installTranslator(own);
        program = own;
    } else {
        delete own;
    }

    auto* base = new QTranslator(QCoreApplication::instance());
    if (base->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(base);
        qt = base;
    } else {
        delete base;
    }
    return found;
}

} // namespace kelvo
