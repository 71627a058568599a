#include "engine/media_values.h"

#include "list/file_entry.h"

namespace {

// What the token takes from the file's contents; nothing for the other tokens.
std::optional<MediaKind> mediaKind(MaskTokenKind kind) {
    if (kind >= MaskTokenKind::TokFotoDatum && kind <= MaskTokenKind::TokKamera) {
        return MediaKind::Photo;
    }
    if (kind >= MaskTokenKind::TokInterpret && kind <= MaskTokenKind::TokAlbumJahr) {
        return MediaKind::Audio;
    }
    return std::nullopt;
}

// The name of the entry's folder; empty for the root and for a path without a folder.
QStringView folderName(const FileEntry& entry) {
    const QStringView folder = entry.InOrdner().chopped(entry.InOrdner().isEmpty() ? 0 : 1);
    return folder.sliced(folder.lastIndexOf(u'/') + 1);
}

// A text read from a file, where a folder separator or a NUL, which no name can hold, shows as
// "-".
void appendNameSafe(QString& name, const QString& text) {
    const qsizetype from = name.size();
    name += text;
    for (qsizetype i = from; i < name.size(); ++i) {
        if (name.at(i) == u'/' || name.at(i) == QChar(u'\0')) {
            name[i] = u'-';
        }
    }
}

}  // namespace

std::optional<MediaField> lackedValue(MaskTokenKind kind, const FileEntry& entry) {
    const std::optional<MediaKind> reads = mediaKind(kind);
    if (reads && (!entry.media || !entry.media->read.testFlag(*reads))) {
        return MediaField::NotRead;
    }
    const auto lacks = [](bool empty, MediaField field) {
        return empty ? std::optional(field) : std::nullopt;
    };
    switch (kind) {
        case MaskTokenKind::TokFotoDatum:
        case MaskTokenKind::TokFotoZeit:
        case MaskTokenKind::TokFotoJahr:
        case MaskTokenKind::TokFotoMonat:
        case MaskTokenKind::TokFotoTag:
            return lacks(!entry.media->taken, MediaField::Taken);
        case MaskTokenKind::TokKamera:
            return lacks(entry.media->camera.isEmpty(), MediaField::Camera);
        case MaskTokenKind::TokInterpret:
            return lacks(entry.media->artist.isEmpty(), MediaField::Artist);
        case MaskTokenKind::TokTitel:
            return lacks(entry.media->title.isEmpty(), MediaField::Title);
        case MaskTokenKind::TokAlbum:
            return lacks(entry.media->album.isEmpty(), MediaField::Album);
        case MaskTokenKind::TokTitelNr:
            return lacks(entry.media->track <= 0, MediaField::Track);
        case MaskTokenKind::TokAlbumJahr:
            return lacks(entry.media->year <= 0, MediaField::Year);
        case MaskTokenKind::TokOrdner:
            return lacks(folderName(entry).isEmpty(), MediaField::Folder);
        default:
            return std::nullopt;
    }
}

void appendValue(QString& name, MaskTokenKind kind, const FileEntry& entry) {
    const MediaTags* media = entry.media.get();
    switch (kind) {
        case MaskTokenKind::TokFotoDatum:
            name += formatTime(*media->taken, u"dd.MM.yyyy");
            return;
        case MaskTokenKind::TokFotoZeit:
            name += formatTime(*media->taken, u"HH.mm.ss");
            return;
        case MaskTokenKind::TokFotoJahr:
            name += formatTime(*media->taken, u"yyyy");
            return;
        case MaskTokenKind::TokFotoMonat:
            name += formatTime(*media->taken, u"MM");
            return;
        case MaskTokenKind::TokFotoTag:
            name += formatTime(*media->taken, u"dd");
            return;
        case MaskTokenKind::TokKamera:
            appendNameSafe(name, media->camera);
            return;
        case MaskTokenKind::TokInterpret:
            appendNameSafe(name, media->artist);
            return;
        case MaskTokenKind::TokTitel:
            appendNameSafe(name, media->title);
            return;
        case MaskTokenKind::TokAlbum:
            appendNameSafe(name, media->album);
            return;
        case MaskTokenKind::TokTitelNr:
            // Two digits, as a CD counts its tracks.
            name += QString::number(media->track).rightJustified(2, u'0');
            return;
        case MaskTokenKind::TokAlbumJahr:
            name += QString::number(media->year);
            return;
        case MaskTokenKind::TokOrdner:
            name += folderName(entry);
            return;
        default:
            return;
    }
}

MediaKinds mediaKinds(const std::vector<MaskToken>& tokens) {
    MediaKinds kinds;
    for (const MaskToken& token : tokens) {
        if (const std::optional<MediaKind> kind = mediaKind(token.Kind)) {
            kinds |= *kind;
        }
    }
    return kinds;
}

bool takesValue(MaskTokenKind kind) {
    return kind >= MaskTokenKind::TokFotoDatum;
}
