#include "plan/plan_check.h"

#include <limits>
#include <thread>

#include "engine/media_values.h"
#include "engine/new_names.h"
#include "list/file_list.h"
#include "list/media_reading.h"

PlanVerdict checkPlan(FileList& list, const RenameSettings& settings, const FileSystem& fileSystem,
                      FolderIndexCache& folders, const ProgressCallback& progress, MediaReads reads,
                      const std::function<void()>& meanwhile) {
    PlanVerdict verdict;
    const MaskCompilation mask = TranslateMaske(settings.Maske);
    verdict.mediaKinds = mask.MaskOK ? mediaKinds(mask.MaskTokens) : MediaKinds();
    if (reads == MediaReads::Here) {
        MediaReading reading = mediaToRead(list, verdict.mediaKinds);
        if (!reading.files.empty()) {
            readFiles(reading, progress);
            takeMediaRead(list, reading);
        }
    }
    verdict.MaskOK = mask.MaskOK;
    verdict.maskError = mask.error;
    const NameSearch search(settings);
    verdict.searchError = search.error();
    verdict.MarkedCount = FillNewNameColumn(list, mask, search, settings, progress);
    if (mask.error) {
        verdict.failure = PlanFailure::MaskError;
    } else if (verdict.searchError) {
        verdict.failure = PlanFailure::SearchError;
    }
    if (!mask.MaskOK || verdict.searchError || list.isEmpty()) {
        return verdict;
    }
    // Only a counter that stands in the names can be too large for them.
    verdict.counterInRange = !usesCounter(mask.MaskTokens) ||
                             counterValue(settings.Start, settings.Step, list.count()) <=
                                 std::numeric_limits<qint32>::max();
    std::jthread beside = meanwhile ? std::jthread(meanwhile) : std::jthread();
    verdict.names = checkNames(list, fileSystem, folders, settings.chains);
    verdict.failure = verdict.counterInRange ? verdict.names.firstFailure()
                                             : std::optional(PlanFailure::CounterTooLarge);
    verdict.PlanOK = !verdict.failure;
    return verdict;
}
