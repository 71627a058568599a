#pragma once

#include <optional>

#include "engine/mask_compiler.h"
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
    int MarkedCount = 0;
    bool counterInRange = true;  // the last counter value fits 32 bits
    NameChecks names;
    bool PlanOK = false;
    // What the hint line reports: the first failure, none when the plan passed or when an empty
    // mask or an empty list leave nothing to report.
    std::optional<PlanFailure> failure;
};

// Writes the new name of every entry and checks those of the marked ones. folders keeps the
// folder indexes for the next check.
PlanVerdict checkPlan(FileList& list, const RenameSettings& settings, const FileSystem& fileSystem,
                      FolderIndexCache& folders, const ProgressCallback& progress = {});
