#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "engine/mask_compiler.h"
#include "filesystem/media_tags.h"

class FileEntry;

// The tokens that take a value from the file beside its name and times: a photo's EXIF, a sound
// file's tags, the name of its folder.
bool takesValue(MaskTokenKind kind);
// Which value the token takes that entry lacks or has not read yet; nothing when it has it.
std::optional<MediaField> lackedValue(MaskTokenKind kind, const FileEntry& entry);
// Appends the value of such a token, which entry has; what no file name can hold, a folder
// separator or NUL, shows as "-".
void appendValue(QString& name, MaskTokenKind kind, const FileEntry& entry);
// What the mask reads from the files' contents.
MediaKinds mediaKinds(const std::vector<MaskToken>& tokens);
