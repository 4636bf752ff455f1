#include "core/util/paTranslate.h"

namespace kelvo {

namespace {

ITranslator* installed = nullptr;

} // namespace

ITranslator* InstallTranslator(ITranslator* translator) {
    ITranslator* previous = installed;
    installed = translator;
    return previous;
}

std::string Translate(const char* context, const char* text) {
    return installed ? installed->Translate(context, text) : std::string(text);
}

} // namespace kelvo
