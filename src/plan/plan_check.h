#pragma once

#include <functional>
#include <optional>

#include "engine/mask_compiler.h"
#include "engine/new_names.h"
#include "engine/rename_settings.h"
#include "filesystem/progress.h"
#include "plan/name_checks.h"

class FileList;
class FileSystem;
class FolderIndexCache;

// What one check of the plan found.
struct PlanVerdict {
    bool MaskOK = false;
    std::optional<MaskError> maskError;
    std::optional<SearchError> searchError;  // the search's expression does not compile
    int MarkedCount = 0;
    bool counterInRange = true;  // the last counter value fits 32 bits
    MediaKinds mediaKinds;       // what the mask reads from the files' contents
    NameChecks names;
    bool PlanOK = false;
    // What the hint line reports: the first failure, none when the plan passed or when an empty
    // mask or an empty list leave nothing to report.
    std::optional<PlanFailure> failure;
};

// Where the values a mask takes from the files' contents are read.
enum class MediaReads {
    Here,       // by the check, before the names are made
    Elsewhere,  // by the caller; files not read yet fail the check until then
};

// Writes the new name of every entry and checks those of the marked ones. folders keeps the
// folder indexes for the next check. Once the names are made, meanwhile runs on a thread of its
// own beside the check of them, which returns when both are done; it may read the list.
PlanVerdict checkPlan(FileList& list, const RenameSettings& settings, const FileSystem& fileSystem,
                      FolderIndexCache& folders, const ProgressCallback& progress = {},
                      MediaReads reads = MediaReads::Here,
                      const std::function<void()>& meanwhile = {});
