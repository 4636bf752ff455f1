#pragma once

#include <string>

namespace kelvo {

// Every user-visible text of the core goes through KELVO_TR, which looks it up in the
// installed translator. lupdate reads KELVO_TR and KELVO_TR_NOOP as QT_TRANSLATE_NOOP (see
// translations/CMakeLists.txt), so both take a literal context and a literal text.
#define KELVO_TR(context, text) ::kelvo::Translate(context, text)
// Marks a text kept in a table; it is translated where it is shown, with the same context.
#define KELVO_TR_NOOP(context, text) text

class ITranslator {
public:
    virtual ~ITranslator() = default;
    // The text in the user's language, or text itself when there is no translation.
    virtual std::string Translate(const char* context, const char* text) const = 0;
};

// Installs translator (an observer: the caller keeps it alive); nullptr restores the
// program's own English texts. Answers the translator that was installed before.
ITranslator* InstallTranslator(ITranslator* translator);

std::string Translate(const char* context, const char* text);

} // namespace kelvo
