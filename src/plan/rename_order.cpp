#include "plan/rename_order.h"

#include <optional>
#include <unordered_map>

#include "filesystem/name_table.h"

namespace {

// For each renaming, the other one whose current name is its target in the same folder; -1 for
// none.
std::vector<int> waitsFor(const QList<JournalEntry>& renamings) {
    std::unordered_map<QString, NameTable> currentNames;  // by folder
    NameTable* names = nullptr;
    QStringView folder;
    const auto tableOf = [&](QStringView of) -> NameTable& {
        if (names == nullptr || of != folder) {
            folder = of;
            names = &currentNames[of.toString()];
        }
        return *names;
    };
    const auto count = static_cast<size_t>(renamings.size());
    for (size_t i = 0; i < count; ++i) {
        tableOf(renamings[i].folder).insertView(renamings[i].from, i);
    }
    std::vector<int> next(count, -1);
    for (size_t i = 0; i < count; ++i) {
        const NameTable::Entry* bearer = tableOf(renamings[i].folder).find(renamings[i].to);
        if (bearer != nullptr && bearer->number != i) {
            next[i] = static_cast<int>(bearer->number);
        }
    }
    return next;
}

// The renamings in the order given by the index each had before, rearranged where they stand:
// a plan is held once, however large.
QList<JournalEntry> permuted(QList<JournalEntry> renamings, const std::vector<int>& from) {
    std::vector<bool> settled(from.size(), false);
    for (size_t start = 0; start < from.size(); ++start) {
        if (settled[start]) {
            continue;
        }
        JournalEntry first = std::move(renamings[start]);
        size_t at = start;
        for (auto next = static_cast<size_t>(from[at]); next != start;
             next = static_cast<size_t>(from[at])) {
            renamings[at] = std::move(renamings[next]);
            settled[at] = true;
            at = next;
        }
        renamings[at] = std::move(first);
        settled[at] = true;
    }
    return renamings;
}

}  // namespace

OrderedPlan orderPlan(QList<JournalEntry> renamings) {
    const std::vector<int> next = waitsFor(renamings);
    const auto count = static_cast<int>(renamings.size());
    OrderedPlan order;
    order.given.reserve(static_cast<size_t>(count));
    order.steps.reserve(static_cast<size_t>(count));
    order.tiedFrom.reserve(static_cast<size_t>(count));
    // Each renaming waits for one other at most, so the waits form paths, each ending in a renaming
    // that waits for none, in one placed already, or in a cycle.
    constexpr int kUnseen = -1, kPlaced = -2;
    std::vector<int> onPath(static_cast<size_t>(count),
                            kUnseen);  // else the position on the path at hand
    std::vector<int> path;
    std::vector<int> stepOf(static_cast<size_t>(count));
    // The steps placed for one start form a block, tied to the one placed before that it waits for.
    int tie = 0;
    const auto addStep = [&](RenamingStep step) {
        order.tiedFrom.push_back(tie);
        order.steps.push_back(step);
    };
    const auto place = [&](int i) {
        onPath[i] = kPlaced;
        stepOf[i] = static_cast<int>(order.steps.size());
        addStep({static_cast<int>(order.given.size()), false});
        order.given.push_back(i);
    };
    for (int start = 0; start < count; ++start) {
        path.clear();
        int i = start;
        while (i >= 0 && onPath[i] == kUnseen) {
            onPath[i] = static_cast<int>(path.size());
            path.push_back(i);
            i = next[i];
        }
        auto end = path.size();
        tie = i >= 0 && onPath[i] == kPlaced ? stepOf[i] : static_cast<int>(order.steps.size());
        if (i >= 0 && onPath[i] >= 0) {
            // The cycle from i on: i steps aside, the others follow it back, and i takes the name
            // the last of them freed. Its step ends the cycle, so its index is known already.
            const auto head = static_cast<size_t>(onPath[i]);
            addStep({static_cast<int>(order.given.size() + end - head - 1), true});
            for (size_t p = end - 1; p > head; --p) {
                place(path[p]);
            }
            place(i);
            end = head;
        }
        while (end > 0) {
            place(path[--end]);
        }
    }
    order.plan = permuted(std::move(renamings), order.given);
    return order;
}

namespace {

// The last step of a file set aside: to its new name, or else back to its old one.
RenameResult moveOn(StepRecords& record, FileSystem& fileSystem, int e, const JournalEntry& entry,
                    const QString& temporary) {
    const RenameResult result =
        record.rename(fileSystem, e, entry.folder, temporary, entry.to, entry.identity);
    if (!result.renamed()) {
        fileSystem.rename(entry.folder, temporary, entry.from, entry.identity);
    }
    return result;
}

}  // namespace

OrderedEnd renameInOrder(StepRecords& record, FileSystem& fileSystem,
                         const QList<JournalEntry>& plan, std::span<const RenamingStep> steps,
                         StepOutcomes& outcomes) {
    struct Aside {
        int e;
        QString name;
    };
    std::optional<Aside> aside;
    bool ended = false;
    for (const RenamingStep& step : steps) {
        if (!aside && outcomes.stopRequested()) {
            return OrderedEnd::Stopped;
        }
        const JournalEntry& entry = plan.at(step.e);
        RenameResult result;
        if (step.aside) {
            // One that cannot step aside tries its own renaming when its turn comes.
            result = record.setAside(fileSystem, step.e, entry);
            if (result.renamed()) {
                aside = Aside{step.e, result.temporaryName};
            }
        } else if (aside && aside->e == step.e) {
            result = moveOn(record, fileSystem, step.e, entry, aside->name);
            aside.reset();
        } else {
            result = record.rename(fileSystem, step.e, entry);
        }
        if ((!step.aside && !outcomes.ended(step.e, result, true)) || record.failed()) {
            ended = true;
            break;
        }
    }
    if (aside) {
        const JournalEntry& entry = plan.at(aside->e);
        outcomes.ended(aside->e, moveOn(record, fileSystem, aside->e, entry, aside->name), false);
    }
    return ended ? OrderedEnd::Ended : OrderedEnd::Completed;
}
