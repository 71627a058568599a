#include "plan/two_thread_run.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "plan/journal.h"

namespace {

// Below this many steps a second thread saves less than it costs to start.
constexpr size_t kSharedFrom = 256;
// How far from the middle the second part may begin, as a share of the steps.
constexpr size_t kMiddleShare = 4;
// The first thread, waiting for the second, looks this often whether the run is to stop.
constexpr auto kStopPoll = std::chrono::milliseconds(10);
// Each thread wakes the other after this many outcomes, not after each.
constexpr size_t kWakeEvery = 256;
// How many renamings the second thread may make beyond those the first has told of its own: a
// run stopped, or whose output is blocked, has not gone on far beyond what it told.
constexpr size_t kLead = 4096;

struct Outcome {
    int e = 0;
    RenameResult result;
    bool mayAsk = true;
};

// The outcomes of the second thread, handed to the first as they come: written into room made
// beforehand, each made visible by the count.
class Handover {
  public:
    explicit Handover(size_t steps) : m_outcomes(std::make_unique<Outcome[]>(steps)) {}

    void put(int e, const RenameResult& result, bool mayAsk) {
        const size_t n = m_count.load(std::memory_order_relaxed);
        m_outcomes[n] = {e, result, mayAsk};
        m_count.store(n + 1, std::memory_order_release);
        if ((n + 1) % kWakeEvery == 0) {
            const std::lock_guard lock(m_mutex);
            m_arrived.notify_all();
        }
    }
    void finish() {
        {
            const std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_arrived.notify_all();
    }
    // The second thread ends after the file at hand.
    void requestStop() {
        stop = true;
        unpace();
    }
    // The first thread has told the outcome of one more renaming of its own part.
    void firstTold() {
        const size_t told = m_firstTold.fetch_add(1, std::memory_order_release) + 1;
        if (told % kWakeEvery == 0) {
            m_firstTold.notify_all();
        }
    }
    // The first thread's part is over: the second goes on at its own pace.
    void firstPartOver() {
        m_firstPartOver = true;
        unpace();
    }
    // Waits while the second thread is too far ahead of the first.
    void keepPace() {
        for (size_t told = m_firstTold.load(std::memory_order_acquire);
             !stop && !m_firstPartOver && m_count.load(std::memory_order_relaxed) > told + kLead;
             told = m_firstTold.load(std::memory_order_acquire)) {
            m_firstTold.wait(told);
        }
    }
    // Outcome i, waited for; nothing once the second thread has ended before it. Meanwhile poll
    // is asked every little while.
    template <typename Poll>
    const Outcome* take(size_t i, Poll poll) {
        if (i < m_count.load(std::memory_order_acquire)) {
            return &m_outcomes[i];  // there already: the lock is for waiting only
        }
        std::unique_lock lock(m_mutex);
        while (i >= m_count.load(std::memory_order_acquire)) {
            if (m_finished) {
                return i < m_count.load(std::memory_order_acquire) ? &m_outcomes[i] : nullptr;
            }
            m_arrived.wait_for(lock, kStopPoll);
            poll();
        }
        return &m_outcomes[i];
    }

    std::atomic<bool> stop = false;

  private:
    void unpace() {
        m_firstTold.fetch_add(1, std::memory_order_release);  // wakes a waiting second thread
        m_firstTold.notify_all();
    }

    std::unique_ptr<Outcome[]> m_outcomes;
    std::atomic<size_t> m_count = 0;
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    bool m_finished = false;
    std::atomic<size_t> m_firstTold = 0;
    std::atomic<bool> m_firstPartOver = false;
};

// The second thread's view of the run: it stops when told, and hands over what became of each
// renaming.
class HeldOutcomes : public StepOutcomes {
  public:
    explicit HeldOutcomes(Handover& handover) : m_handover(handover) {}
    bool stopRequested() override {
        m_handover.keepPace();
        return m_handover.stop;
    }
    bool ended(int e, const RenameResult& result, bool mayAsk) override {
        m_handover.put(e, result, mayAsk);
        return !m_handover.stop;
    }

  private:
    Handover& m_handover;
};

// The second thread's records: only a temporary name goes into the journal at once, as it must be
// durable before a file takes it; the first thread records the outcomes when it tells them.
class HeldRecords : public StepRecords {
  public:
    explicit HeldRecords(RunJournal& journal) : m_journal(journal) {}
    using StepRecords::rename;
    RenameResult rename(FileSystem& fileSystem, int, QStringView folder, QStringView from,
                        QStringView to, const FileIdentity& identity) override {
        return fileSystem.rename(folder, from, to, identity);
    }
    RenameResult setAside(FileSystem& fileSystem, int e, const JournalEntry& entry) override {
        return m_journal.setAside(fileSystem, e, entry);
    }
    bool failed() const override { return m_journal.failed(); }

  private:
    RunJournal& m_journal;
};

// The first thread's view: whatever ends or stops its part stops the second thread too.
class FirstOutcomes : public StepOutcomes {
  public:
    FirstOutcomes(StepOutcomes& outcomes, Handover& handover)
        : m_outcomes(outcomes), m_handover(handover) {}
    bool stopRequested() override {
        if (m_outcomes.stopRequested()) {
            stopped = true;
            m_handover.requestStop();
        }
        return stopped;
    }
    bool ended(int e, const RenameResult& result, bool mayAsk) override {
        const bool goOn = m_outcomes.ended(e, result, mayAsk);
        m_handover.firstTold();
        if (!goOn) {
            m_handover.requestStop();
        }
        return goOn;
    }

    bool stopped = false;

  private:
    StepOutcomes& m_outcomes;
    Handover& m_handover;
};

}  // namespace

std::optional<size_t> secondThreadFrom(const std::vector<int>& tiedFrom,
                                       const std::function<bool(size_t)>& mayBeginAt) {
    const size_t count = tiedFrom.size();
    if (count < kSharedFrom) {
        return std::nullopt;
    }
    // Step s may begin the second part when no step from s on is tied to one before it.
    std::vector<int> earliestTie(count + 1, static_cast<int>(count));
    for (size_t s = count; s-- > 0;) {
        earliestTie[s] = std::min(earliestTie[s + 1], tiedFrom[s]);
    }
    const size_t middle = count / 2;
    for (size_t distance = 0; distance <= count / kMiddleShare; ++distance) {
        for (const size_t s : {middle - distance, middle + distance}) {
            if (earliestTie[s] >= static_cast<int>(s) && mayBeginAt(s)) {
                return s;
            }
        }
    }
    return std::nullopt;
}

OrderedEnd renameOnTwoThreads(RunJournal& record, FileSystem& fileSystem, FileSystem& second,
                              const QList<JournalEntry>& plan, std::span<const RenamingStep> steps,
                              size_t from, StepOutcomes& outcomes) {
    Handover handover(steps.size() - from);
    std::jthread secondThread([&] {
        HeldRecords held(record);
        HeldOutcomes heldOutcomes(handover);
        renameInOrder(held, second, plan, steps.subspan(from), heldOutcomes);
        handover.finish();
    });
    FirstOutcomes first(outcomes, handover);
    OrderedEnd end = renameInOrder(record, fileSystem, plan, steps.first(from), first);
    if (end != OrderedEnd::Completed) {
        handover.requestStop();
    }
    handover.firstPartOver();
    // The second part is recorded and told after the first, as if one thread had made it.
    for (size_t i = 0;; ++i) {
        const Outcome* outcome = handover.take(i, [&] { first.stopRequested(); });
        if (outcome == nullptr) {
            break;
        }
        record.record(outcome->e, outcome->result, plan.at(outcome->e).identity);
        const bool goOn = first.ended(outcome->e, outcome->result, outcome->mayAsk);
        if ((!goOn || record.failed()) && end == OrderedEnd::Completed) {
            end = OrderedEnd::Ended;
            handover.requestStop();
        }
    }
    if (first.stopped && end != OrderedEnd::Ended) {
        return OrderedEnd::Stopped;
    }
    return end;
}
