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
// Answers how many records were read and skipped and whether the file ended early.
TDataFileReport ReadTemplates(std::string_view bytes, TTemplateTree& tree, IDataFileHost& host,
                              const TClassRegistry& registry = TClassRegistry::Global());
// The header is looked at before the rest is read; only a regular file of at most 1 GiB is
// read (EFileError otherwise).
void LoadTemplatesFile(const std::string& fileName, TTemplateTree& tree, IDataFileHost& host,
                       const TClassRegistry& registry = TClassRegistry::Global());
std::string ReadTemplatesFileBytes(const std::string& fileName);
// Every record read, nothing skipped, nothing cut off.
bool TemplatesReadBackCompletely(std::string_view bytes);
// The temporary files of killed or failed saves of fileName that are not complete.
int RemoveIncompleteTemplateSaves(const std::string& fileName);

// Makes sure of the default template first.
std::string WriteTemplates(TTemplateTree& tree);
// A plain write, for tests and tools; the programs write through SafeSaveTemplatesFile.
void SaveTemplatesFile(const std::string& fileName, TTemplateTree& tree);
void SafeSaveTemplatesFile(const std::string& fileName, TTemplateTree& tree, TDateTime now,
                           TDateOrder order);

} // namespace kelvo
