#pragma once

// The templates file: the header "Reminder notebook template file", the version 1, then per
// template in pre-order the marker "TT_FILE_BEGIN_TEMPLATE", the node kind, the node's index,
// its parent's index and the template's object entry.

#include "core/entities/EventTemplate.h"
#include "core/persistence/DataFile.h"
#include "core/persistence/SafeSave.h"

#include <array>
#include <string>
#include <string_view>

namespace kelvo {

enum TNodeType : std::uint8_t {
    ntRoot,
    ntTemplateGroup,
    ntDefaultTemplate,
    ntTemplate,
    ntEvent,
    ntAction,
    ntInitialize,
    ntReminder,
};
template <> struct TEnumNames<TNodeType> {
    static constexpr std::array<std::string_view, 8> Names = {
        "ntRoot",  "ntTemplateGroup", "ntDefaultTemplate", "ntTemplate",
        "ntEvent", "ntAction",        "ntInitialize",      "ntReminder"};
};

// Replaces the tree by the file's templates. A damaged record is shown through the host and
// skipped. A wrong header, a missing version or a declined newer version is ETemplateError
// and leaves the tree as it was.
void ReadTemplates(std::string_view bytes, TTemplateTree& tree, IDataFileHost& host,
                   const TClassRegistry& registry = TClassRegistry::Global());
void LoadTemplatesFile(const std::string& fileName, TTemplateTree& tree, IDataFileHost& host,
                       const TClassRegistry& registry = TClassRegistry::Global());

// Makes sure of the default template first.
std::string WriteTemplates(TTemplateTree& tree);
void SaveTemplatesFile(const std::string& fileName, TTemplateTree& tree);
void SafeSaveTemplatesFile(const std::string& fileName, TTemplateTree& tree, TDateTime now,
                           TDateOrder order);

} // namespace kelvo
