#pragma once

#include <QString>
#include <QStringView>
#include <memory>
#include <optional>

#include "filesystem/file_system.h"
#include "filesystem/media_tags.h"

// Column indexes of a list row; 6 exists but is never written.
enum Column : int {
    AlterNameColumn = 0,
    NeuerNameColumn = 1,
    InOrdnerColumn = 2,
    GroesseColumn = 3,
    TypColumn = 4,
    LetzteAenderungColumn = 5,
    EmptyColumn = 6,
    SortDatumColumn = 7,
    SortGroesseColumn = 8,
    PfadNameColumn = 9,
    NurNameColumn = 10,
};
inline constexpr int kColumnCount = 11;

// One row of the candidate list: one file. The path is kept once; its parts are views into it,
// and the shown texts of size and time are made when a column is shown or sorted by.
class FileEntry {
  public:
    FileEntry() = default;
    // A marked entry from the path as it enters the list, the file's length and its
    // modification time.
    FileEntry(const QString& path, qint64 length, const LocalTime& modified,
              const FileIdentity& identity = {});

    // The full path as it entered the list; the entry's identity in the list.
    const QString& PfadName() const { return m_path; }
    // The folder part including its final "/".
    QStringView InOrdner() const { return QStringView(m_path).first(m_nameAt); }
    // The file name with extension.
    QStringView AlterName() const { return QStringView(m_path).sliced(m_nameAt); }
    // The file name without extension and its dot.
    QStringView NurName() const { return QStringView(m_path).sliced(m_nameAt, m_dotAt - m_nameAt); }
    // The extension without the dot.
    QStringView Typ() const {
        return m_dotAt < m_path.size() ? QStringView(m_path).sliced(m_dotAt + 1) : QStringView();
    }
    // The extension with its dot; empty when the name has no dot, so that no name gains one.
    QStringView dottedTyp() const { return QStringView(m_path).sliced(m_dotAt); }
    qint64 length() const { return m_length; }
    const LocalTime& modified() const { return m_modified; }

    // The path the file would bear under its new name.
    QString newPath() const;

    // Another path for the same file, as when its stored spelling replaces the one given.
    void setPath(const QString& path);

    // The text of column k as the list shows it.
    QString column(int k) const;
    // The text of column k where the entry holds it; nothing for the texts made when asked.
    std::optional<QStringView> heldText(int k) const;

    QString NeuerName;      // proposed new name, "< ? >" while none is current
    FileIdentity identity;  // the file that entered the list, which alone is ever renamed
    // What was read from the file's contents, each kind once; shared by the copies of the entry.
    std::shared_ptr<const MediaTags> media;

  private:
    QString m_path;
    qint64 m_length = 0;
    LocalTime m_modified;
    qint32 m_nameAt = 0;  // where the name begins
    qint32 m_dotAt = 0;   // where the extension's dot stands; the path's length without one

  public:
    bool Selected = true;  // last, in the room the fields before leave
    // The value the mask takes from the file but the file lacks; then there is no new name.
    std::optional<MediaField> missingValue;
};

// The size text: "1,5 KB", "1024 Byte", " Byte" for 0.
QString FormatFileSize(double size);

// The time by a pattern in which each run of d, M, y, H, m or s is that field with as many
// digits as the run is long; every other character stands as it is.
QString formatTime(const LocalTime& t, QStringView pattern);

inline const QString kPlaceholderName = QStringLiteral("< ? >");
