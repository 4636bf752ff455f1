// Feeds arbitrary bytes to the templates file reader. The tree read keeps its invariants, and
// writing it reads back.

#include "core/persistence/TemplateFile.h"

#include "support/RecordingDataFileHost.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

using namespace kelvo;

namespace {

void CheckInvariants(TTemplateTree& tree) {
    const int count = tree.Root().ChildCount();
    if (count == 0 || tree.Root().Child(count - 1).Text() != DefaultTemplateName)
        __builtin_trap();
    std::unordered_set<std::string> names;
    tree.ForEach([&](TTemplateNode& node) {
        if (node.Template() == nullptr || !names.insert(node.Text()).second)
            __builtin_trap();
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    test::RecordingDataFileHost host(true);
    TTemplateTree tree;
    try {
        ReadTemplates(bytes, tree, host);
    } catch (const EpaError&) {
        return 0;
    }
    CheckInvariants(tree);
    // One generation may still change (an empty message reads back as the default one);
    // after that the bytes stay the same.
    std::string previous = WriteTemplates(tree);
    for (int generation = 0; generation < 2; ++generation) {
        TTemplateTree again;
        try {
            ReadTemplates(previous, again, host);
        } catch (const EpaError&) {
            __builtin_trap();
        }
        CheckInvariants(again);
        std::string next = WriteTemplates(again);
        if (generation == 1 && next != previous)
            __builtin_trap();
        previous = std::move(next);
    }
    return 0;
}
