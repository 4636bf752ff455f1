#include "core/util/paTranslate.h"

#include "core/entities/Event.h"

#include <gtest/gtest.h>
#include <string>

using namespace kelvo;

namespace {

// Answers context and text, so that a test sees which context a text was looked up in.
class TRecordingTranslator : public ITranslator {
public:
    std::string Translate(const char* context, const char* text) const override {
        return std::string("<") + context + "|" + text + ">";
    }
};

} // namespace

TEST(Translate, CoreTextsGoThroughTheInstalledTranslatorUntilItIsRemoved) {
    TRecordingTranslator translator;
    EXPECT_EQ(InstallTranslator(&translator), nullptr);
    EXPECT_EQ(EventStateText(esEnabled), "<EventState|Enabled>");
    EXPECT_EQ(InstallTranslator(nullptr), &translator);
    // Without a translator the program's own English texts stay.
    EXPECT_EQ(EventStateText(esEnabled), "Enabled");
    EXPECT_EQ(Translate("DataFile", "Can'not read "), "Can'not read ");
}
