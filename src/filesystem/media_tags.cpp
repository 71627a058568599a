#include "filesystem/media_tags.h"

#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <QFile>
#include <exiv2/exiv2.hpp>
#include <mutex>

namespace {

// The library's global state is set once, before any thread reads an image.
void prepareExiv2() {
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize();
#ifdef EXV_ENABLE_BMFF
        Exiv2::enableBMFF(true);
#endif
    });
}

QString exifText(const Exiv2::ExifData& exif, const char* key) {
    const auto found = exif.findKey(Exiv2::ExifKey(key));
    return found == exif.end() ? QString() : QString::fromStdString(found->toString()).trimmed();
}

// "YYYY:MM:DD HH:MM:SS"; nothing for a blank or malformed stamp, which cameras write unset.
std::optional<LocalTime> exifTime(const QString& text) {
    if (text.size() < 19 || text.at(4) != u':' || text.at(7) != u':' || text.at(13) != u':' ||
        text.at(16) != u':') {
        return std::nullopt;
    }
    const auto field = [&text](int from, int length) { return text.mid(from, length).toInt(); };
    LocalTime t;
    t.year = field(0, 4);
    const int month = field(5, 2);
    const int day = field(8, 2);
    const int hour = field(11, 2);
    const int minute = field(14, 2);
    const int second = field(17, 2);
    if (t.year < 1 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 ||
        second > 60) {
        return std::nullopt;
    }
    t.month = static_cast<quint8>(month);
    t.day = static_cast<quint8>(day);
    t.hour = static_cast<quint8>(hour);
    t.minute = static_cast<quint8>(minute);
    t.second = static_cast<quint8>(second);
    return t;
}

void readPhoto(const std::string& path, MediaTags& tags) {
    prepareExiv2();
    try {
        const auto image = Exiv2::ImageFactory::open(path);
        image->readMetadata();
        const Exiv2::ExifData& exif = image->exifData();
        tags.taken = exifTime(exifText(exif, "Exif.Photo.DateTimeOriginal"));
        tags.camera = exifText(exif, "Exif.Image.Model");
    } catch (const Exiv2::AnyError&) {
        // Not an image the library knows, or unreadable: no values.
    }
}

QString tagText(const TagLib::String& text) {
    return QString::fromStdString(text.to8Bit(true)).trimmed();
}

void readAudio(const std::string& path, MediaTags& tags) {
    // Without the audio properties, which take a walk through the stream.
    const TagLib::FileRef file(path.c_str(), false);
    if (file.isNull() || file.tag() == nullptr) {
        return;
    }
    const TagLib::Tag& tag = *file.tag();
    tags.artist = tagText(tag.artist());
    tags.title = tagText(tag.title());
    tags.album = tagText(tag.album());
    tags.track = static_cast<int>(tag.track());
    tags.year = static_cast<int>(tag.year());
}

}  // namespace

void readMediaTags(const QString& path, MediaKinds kinds, MediaTags& tags) {
    const std::string nativePath = QFile::encodeName(path).toStdString();
    if (kinds.testFlag(MediaKind::Photo) && !tags.read.testFlag(MediaKind::Photo)) {
        readPhoto(nativePath, tags);
    }
    if (kinds.testFlag(MediaKind::Audio) && !tags.read.testFlag(MediaKind::Audio)) {
        readAudio(nativePath, tags);
    }
    tags.read |= kinds;
}
