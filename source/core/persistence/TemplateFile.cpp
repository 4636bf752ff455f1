#include "core/persistence/TemplateFile.h"

#include "core/persistence/EventFile.h"
#include "core/util/paFormat.h"
#include "core/util/paTranslate.h"

#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace kelvo {

namespace {

// One read of a record's value; a value that cannot be read fails the record with text.
template <class F> void Require(const std::string& text, F read) {
    bool ok = false;
    try {
        ok = read();
    } catch (const EClassReadingError& e) {
        if (e.Reach() != EClassReadingError::TReach::Value)
            throw;
    }
    if (!ok)
        throw ETemplateError(text);
}

class TTemplatesReader {
public:
    TTemplatesReader(TTemplateTree& tree) : tree_(tree) {
        tree_.ForEach([&](TTemplateNode& node) { names_.insert(node.Text()); });
    }

    void ReadRecord(TClassReader& r) {
        int kind = 0;
        Require(KELVO_TR("TemplateFile", "Can not read node type"),
                [&] { return r.ReadEnum(kind, EnumNames<TNodeType>(), false); });
        if (kind != ntDefaultTemplate && kind != ntTemplate)
            throw ETemplateError(Format(KELVO_TR("TemplateFile", "Bad saved template type %d"),
                                        {std::to_string(kind)}));
        std::int32_t index = 0, parentIndex = 0;
        Require(KELVO_TR("TemplateFile", "Can not read abs index of template"),
                [&] { return r.ReadInteger(index, false); });
        Require(KELVO_TR("TemplateFile", "Can not read parent index of template"),
                [&] { return r.ReadInteger(parentIndex, false); });
        std::unique_ptr<TPersistent> object;
        Require(KELVO_TR("TemplateFile", "Can not read template properties"),
                [&] { return r.ReadObject(object, true); });
        auto* typed = dynamic_cast<TEventTemplate*>(object.get());
        if (typed == nullptr)
            throw ETemplateError(
                Format(KELVO_TR("TemplateFile", "Unexpected class of loaded object %s"),
                       {object->ClassName()}));
        object.release();
        std::unique_ptr<TEventTemplate> t(typed);

        // Saved indexes name nodes, not positions: later insertions move positions.
        TTemplateNode* parent = &tree_.Root();
        if (auto it = nodes_.find(parentIndex); it != nodes_.end())
            parent = it->second;
        TTemplateNode* node = nullptr;
        // A nameless template would come back from the next save as the default one.
        if (t->Template().empty())
            throw ETemplateError(KELVO_TR("TemplateFile", "Template must have name"));
        if (t->Template() == DefaultTemplateName) {
            node = &tree_.SetDefaultTemplate(std::move(t));
        } else {
            if (names_.contains(t->Template()))
                throw ETemplateError(Format(
                    KELVO_TR("TemplateFile", "Template \"%s\" always exist"), {t->Template()}));
            names_.insert(t->Template());
            node = &tree_.InsertTemplate(parent, -1, std::move(t));
        }
        nodes_[index] = node;
    }

private:
    TTemplateTree& tree_;
    std::unordered_set<std::string> names_;
    std::unordered_map<std::int32_t, TTemplateNode*> nodes_;
};

} // namespace

TDataFileReport ReadTemplates(std::string_view bytes, TTemplateTree& tree, IDataFileHost& host,
                              const TClassRegistry& registry) {
    TStreamView stream{bytes};
    TClassReader reader(stream, true, registry);
    if (std::string error = CheckDataFileHeader(reader, TemplatesFileFormat, host); !error.empty())
        throw ETemplateError(error);
    tree.Clear();
    tree.EnsureDefaultTemplate();
    TTemplatesReader records(tree);
    TDataFileReport report;
    try {
        report = ReadDataFileRecords(stream, reader, TemplatesFileFormat, host,
                                     [&](TClassReader& r) { records.ReadRecord(r); });
    } catch (...) {
        tree.Clear();
        tree.EnsureDefaultTemplate();
        throw;
    }
    try {
        tree.EnsureDefaultTemplate();
    } catch (const EpaError&) {
    }
    return report;
}

std::string ReadTemplatesFileBytes(const std::string& fileName) {
    return ReadDataFileBytes<ETemplateError>(fileName, TemplatesFileFormat);
}

void LoadTemplatesFile(const std::string& fileName, TTemplateTree& tree, IDataFileHost& host,
                       const TClassRegistry& registry) {
    ReadTemplates(ReadTemplatesFileBytes(fileName), tree, host, registry);
}

bool TemplatesReadBackCompletely(std::string_view bytes) {
    TAnswerNoHost host;
    TTemplateTree tree;
    try {
        return !ReadTemplates(bytes, tree, host).Damaged();
    } catch (const std::exception&) {
        return false;
    }
}

int RemoveIncompleteTemplateSaves(const std::string& fileName) {
    return RemoveIncompleteSaves(fileName, TemplatesReadBackCompletely);
}

std::string WriteTemplates(TTemplateTree& tree) {
    try {
        tree.EnsureDefaultTemplate();
    } catch (const EpaError&) {
    }
    std::string out;
    TClassWriter writer(out);
    WriteDataFileHeader(writer, TemplatesFileFormat);
    // Pre-order with each node's index and its parent's, in one pass.
    std::unordered_map<const TTemplateNode*, std::int32_t> indexes;
    indexes[&tree.Root()] = 0;
    std::int32_t next = 0;
    tree.ForEach([&](TTemplateNode& node) {
        const std::int32_t index = ++next;
        indexes[&node] = index;
        WriteRecordMarker(writer, TemplatesFileFormat);
        writer.WriteEnum(ntTemplate, EnumNames<TNodeType>());
        writer.WriteInteger(index);
        writer.WriteInteger(indexes.at(node.Parent()));
        writer.WriteObject(*node.Template());
    });
    return out;
}

void SaveTemplatesFile(const std::string& fileName, TTemplateTree& tree) {
    WriteDataFileBytes(fileName, WriteTemplates(tree));
}

void SafeSaveTemplatesFile(const std::string& fileName, TTemplateTree& tree, TDateTime now,
                           TDateOrder order) {
    SafeSave(fileName, WriteTemplates(tree), now, order);
}

} // namespace kelvo
