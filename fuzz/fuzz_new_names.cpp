// Mask, file name, search and replace text (literal or a regular expression) from one input:
// every generated name is well-formed when the inputs are, and no plan the checks accept holds a
// folder separator.
#include "engine/new_names.h"
#include "filesystem/capitals.h"
#include "filesystem/file_system.h"
#include "filesystem/folder_index_cache.h"
#include "fuzz_input.h"
#include "list/file_list.h"
#include "plan/name_checks.h"

namespace {

// Folders that hold nothing: only the checks of the names themselves decide.
class EmptyFileSystem : public FileSystem {
  public:
    std::optional<PathFacts> statPath(const QString&) const override { return std::nullopt; }
    QString storedName(const QString&) const override { return {}; }
    FolderListing readFolder(const QString&) const override { return {{}, true, 255}; }
    std::optional<FolderContents> folderContents(const QByteArray&) const override {
        return FolderContents{{}, {}, true};
    }
    NameLookup lookup(const QString&, const QString&) const override { return {}; }
    std::optional<QString> findByIdentity(const QString&, const FileIdentity&) const override {
        return std::nullopt;
    }
    std::optional<FolderStamp> folderStamp(const QString&) const override { return std::nullopt; }
    RenameResult rename(QStringView, QStringView, QStringView, const FileIdentity&) override {
        return {RenameFailure::Other, {}};
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) {
        return 0;
    }
    const QStringList parts = utf16Of(data + 4, size - 4).split(QChar(1));
    RenameSettings settings;
    settings.Maske = parts.value(0);
    settings.SucheText = parts.value(2);
    settings.ErsetzeText = parts.value(3);
    settings.letterCase = static_cast<LetterCase>(data[0] % 5);
    settings.searchKind = data[0] & 0x80 ? SearchKind::Pattern : SearchKind::Literal;
    const char16_t padding[] = {u'0', u' ', u'_'};
    settings.LeadZeros =
        data[1] % 4 == 0 ? std::nullopt : std::optional(QChar(padding[data[1] % 4 - 1]));
    settings.Start = data[2];
    settings.Step = data[3] % 7;
    settings.chains = data[3] & 0x80 ? Chains::Allowed : Chains::Refused;
    settings.Digits = 1 + data[1] % 12;

    FileList list;
    const LocalTime time{2003, 8, 5, 14, 7, 9};
    list.append(FileEntry(QStringLiteral("/f/") + parts.value(1), 1, time));
    list.append(
        FileEntry(QStringLiteral("/f/x") + parts.value(1) + QStringLiteral(".jpg"), 2, time));
    const MaskCompilation mask = TranslateMaske(settings.Maske);
    FUZZ_CHECK(FillNewNameColumn(list, mask, settings) == 2);

    bool wellFormedInput = true;
    for (const QString& part : parts) {
        wellFormedInput = wellFormedInput && isWellFormedUtf16(part);
    }
    for (const FileEntry& entry : list) {
        FUZZ_CHECK(!wellFormedInput || isWellFormedUtf16(entry.NeuerName));
        FUZZ_CHECK(mask.MaskOK || entry.NeuerName == kPlaceholderName);
    }
    if (!mask.MaskOK) {
        return 0;
    }
    EmptyFileSystem fileSystem;
    FolderIndexCache cache;
    const NameChecks checks = checkNames(list, fileSystem, cache, settings.chains);
    if (checks.allPassed()) {
        for (const FileEntry& entry : list) {
            FUZZ_CHECK(!entry.NeuerName.contains(u'/') && !entry.NeuerName.contains(QChar(0)));
            FUZZ_CHECK(!entry.NeuerName.startsWith(u'.'));
            FUZZ_CHECK(!QString(entry.NeuerName).remove(u' ').isEmpty());
        }
        // Text that is not well-formed has no letter case to compare by.
        FUZZ_CHECK(!wellFormedInput ||
                   capitals(list.at(1).newPath()) != capitals(list.at(2).newPath()));
    }
    return 0;
}
