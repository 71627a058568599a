#pragma once

#include <taglib/mpegfile.h>
#include <taglib/tag.h>
#include <QFile>
#include <QString>
#include <exiv2/exiv2.hpp>

// Small sample files made by the libraries that read them: a blank JPEG with the EXIF values
// given, and two silent MPEG frames with an ID3 tag.
struct PhotoValues {
    const char* dateTimeOriginal = nullptr;  // "YYYY:MM:DD HH:MM:SS"; none when null
    const char* model = nullptr;
};

inline void writeJpeg(const QString& path, const PhotoValues& values) {
    const auto image =
        Exiv2::ImageFactory::create(Exiv2::ImageType::jpeg, QFile::encodeName(path).toStdString());
    Exiv2::ExifData exif;
    if (values.dateTimeOriginal != nullptr) {
        exif["Exif.Photo.DateTimeOriginal"] = std::string(values.dateTimeOriginal);
    }
    if (values.model != nullptr) {
        exif["Exif.Image.Model"] = std::string(values.model);
    }
    image->setExifData(exif);
    image->writeMetadata();
}

struct AudioValues {
    const char* artist = "";
    const char* title = "";
    const char* album = "";
    unsigned track = 0;
    unsigned year = 0;
};

inline void writeMp3(const QString& path, const AudioValues& values) {
    // MPEG-1 layer III, 128 kbit/s, 44.1 kHz: 417 bytes a frame.
    QByteArray frame(417, '\0');
    frame[0] = '\xFF';
    frame[1] = '\xFB';
    frame[2] = '\x90';
    frame[3] = '\x64';
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(frame + frame);
    file.close();
    TagLib::MPEG::File mp3(QFile::encodeName(path).constData(), false);
    TagLib::Tag* tag = mp3.tag();
    tag->setArtist(TagLib::String(values.artist, TagLib::String::UTF8));
    tag->setTitle(TagLib::String(values.title, TagLib::String::UTF8));
    tag->setAlbum(TagLib::String(values.album, TagLib::String::UTF8));
    tag->setTrack(values.track);
    tag->setYear(values.year);
    mp3.save();
}
