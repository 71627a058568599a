#pragma once

#include <QRegularExpression>
#include <QString>
#include <optional>

#include "engine/mask_compiler.h"
#include "engine/rename_settings.h"
#include "filesystem/media_tags.h"
#include "filesystem/progress.h"

class FileList;
class FileEntry;

// Where a regular expression does not compile: the 1-based position in the search text and
// why, in the words of the expression library.
struct SearchError {
    qsizetype position = 0;
    QString reason;
};

// The search and replace of a pass; a regular expression is compiled once, with the pass.
class NameSearch {
  public:
    explicit NameSearch(const RenameSettings& settings);

    // Why the expression does not compile; none for a literal search or a valid expression.
    std::optional<SearchError> error() const;
    // Replaces every match in name: a literal search as ReplaceAll ignoring letter case, an
    // expression with \0 to \9 in the replacement standing for the match and its groups.
    void replaceIn(QString& name) const;
    bool searches() const { return !m_search.isEmpty(); }

  private:
    QString m_search;
    QString m_replacement;
    std::optional<QRegularExpression> m_expression;
};

// Writes every entry's new name ("< ? >" in every row while the mask or the search's expression
// is not valid) and returns the number of marked entries (MarkedCount).
int FillNewNameColumn(FileList& list, const MaskCompilation& mask, const NameSearch& search,
                      const RenameSettings& settings, const ProgressCallback& progress = {});
// The same with the search compiled from settings.
int FillNewNameColumn(FileList& list, const MaskCompilation& mask, const RenameSettings& settings,
                      const ProgressCallback& progress = {});

// Builds new names from a compiled mask and the options, read once for a whole pass.
class NameGenerator {
  public:
    NameGenerator(const std::vector<MaskToken>& tokens, const RenameSettings& settings,
                  const NameSearch& search);

    // The new name of entry for the given counter value; the entry must not lack a value.
    QString newName(const FileEntry& entry, qint64 counter) const;
    // The first value the mask takes from the file that the entry lacks or has not read.
    std::optional<MediaField> missingValue(const FileEntry& entry) const;

  private:
    const std::vector<MaskToken>& m_tokens;
    bool m_takesValues;  // whether a token takes a value from the file's contents or folder
    const RenameSettings& m_settings;
    const NameSearch& m_search;
    mutable QString m_name;
};

// Replaces every occurrence of search in text; inserted text is never searched again.
// search must not be empty.
void ReplaceAll(QString& text, const QString& search, const QString& replacement, bool ignoreCase);

QString applyLetterCase(const QString& name, LetterCase letterCase);

// Whether the mask puts the counter into the names.
bool usesCounter(const std::vector<MaskToken>& tokens);
// Whether the mask puts a part of the files' modification time into the names.
bool usesModificationTime(const std::vector<MaskToken>& tokens);

// The counter value of list position p (1-based), in 64 bits so that it never wraps.
inline qint64 counterValue(qint64 start, qint64 step, qint64 p) {
    return start + (p - 1) * step;
}
