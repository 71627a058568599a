#include "plan/plan_check.h"

#include <limits>

#include "engine/new_names.h"
#include "list/file_list.h"

PlanVerdict checkPlan(FileList& list, const RenameSettings& settings, const FileSystem& fileSystem,
                      FolderIndexCache& folders, const ProgressCallback& progress) {
    PlanVerdict verdict;
    const MaskCompilation mask = TranslateMaske(settings.Maske);
    verdict.MaskOK = mask.MaskOK;
    verdict.maskError = mask.error;
    verdict.MarkedCount = FillNewNameColumn(list, mask, settings, progress);
    if (mask.error) {
        verdict.failure = PlanFailure::MaskError;
    }
    if (!mask.MaskOK || list.isEmpty()) {
        return verdict;
    }
    // Only a counter that stands in the names can be too large for them.
    verdict.counterInRange = !usesCounter(mask.MaskTokens) ||
                             counterValue(settings.Start, settings.Step, list.count()) <=
                                 std::numeric_limits<qint32>::max();
    verdict.names = checkNames(list, fileSystem, folders, settings.chains);
    verdict.failure = verdict.counterInRange ? verdict.names.firstFailure()
                                             : std::optional(PlanFailure::CounterTooLarge);
    verdict.PlanOK = !verdict.failure;
    return verdict;
}
