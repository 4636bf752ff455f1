#pragma once

#include "core/util/paTranslate.h"

#include <QLocale>
#include <QString>

namespace kelvo {

// The core's texts looked up in the translations Qt has loaded.
class TQtTranslator : public ITranslator {
public:
    std::string Translate(const char* context, const char* text) const override;
};

// Where the program's .qm files are: "translations" beside the program (a build tree or an
// unpacked copy), else ../share/kelvo-rem/translations (an installation under a prefix).
QString TranslationsFolder();

// Loads the program's translation for locale, and Qt's own for its dialogs, into the
// application, and installs the core's translator. KELVO_LANGUAGE, when set, names the
// translation instead of the locale (e.g. "en_XA", the pseudo-translation). Answers
// whether the program's translation was found. Kept for the process's lifetime.
bool InstallTranslations(const QString& folder = TranslationsFolder(),
                         const QLocale& locale = QLocale::system());

} // namespace kelvo
