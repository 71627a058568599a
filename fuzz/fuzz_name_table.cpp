// Any bytes as operations on a name table and on a plain map by capitals: both agree on which
// names are there, in which spelling and with which number, through every growth and squeeze.
#include <deque>
#include <map>

#include "filesystem/capitals.h"
#include "filesystem/name_table.h"
#include "fuzz_input.h"

namespace {

// Pieces of names whose capitals meet in more than one way: "ß" and "SS", "ſ" and "S", the
// dotless and dotted i, a ligature of two letters, a letter beyond the BMP in both cases.
const char16_t* const kPieces[] = {u"a", u"A", u"s", u"S", u"ß", u"ſ", u"ä", u"Ä", u"i",
                                   u"I", u"ı", u"İ", u"ﬀ", u"F", u".", u"𐐨", u"𐐀"};

// More names than this in one run only make it slow.
constexpr qsizetype kMostNames = 1 << 11;

struct Input {
    const uint8_t* data;
    size_t size;
    size_t at = 0;

    uint8_t byte() { return at < size ? data[at++] : 0; }

    QString name() {
        QString name;
        for (int length = byte() % 16; length > 0; --length) {
            const uint8_t b = byte();
            if (b >= 0xf0) {  // any unit, a lone surrogate too
                const uint8_t low = byte();
                name += QChar(static_cast<char16_t>(low | byte() << 8));
            } else {
                name += QStringView(kPieces[b % std::size(kPieces)]);
            }
        }
        return name;
    }
};

struct First {
    QString name;
    quint64 number;
    quint32 repeats = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in{data, size};
    NameTable table;
    std::map<QString, First> firsts;  // by capitals
    std::deque<QString> viewed;       // the names the table keeps only views of
    quint64 next = 0;

    // As the plan's check does, a repeat changes the number of the first.
    const auto insert = [&](const QString& name, bool view, bool renumber) {
        const quint64 number = ++next;
        const QString& kept = view ? viewed.emplace_back(name) : name;
        const auto [entry, added] =
            view ? table.insertView(kept, number) : table.insert(kept, number);
        const auto [first, expected] = firsts.try_emplace(capitals(name), First{name, number});
        FUZZ_CHECK(added == expected);
        FUZZ_CHECK(NameTable::nameOf(*entry) == first->second.name);
        FUZZ_CHECK(entry->number == first->second.number);
        first->second.repeats += added ? 0 : 1;
        FUZZ_CHECK(entry->repeats() == first->second.repeats);
        if (!added && renumber) {
            entry->number = first->second.number = number;
        }
        FUZZ_CHECK(table.size() == static_cast<qsizetype>(firsts.size()));
    };
    const auto expectSame = [&](const QString& name) {
        const NameTable::Entry* entry = table.find(name);
        const auto first = firsts.find(capitals(name));
        FUZZ_CHECK((entry == nullptr) == (first == firsts.end()));
        FUZZ_CHECK(entry == nullptr || (NameTable::nameOf(*entry) == first->second.name &&
                                        entry->number == first->second.number &&
                                        entry->repeats() == first->second.repeats));
    };

    while (in.at < in.size) {
        switch (in.byte() % 7) {
            case 0:
                insert(in.name(), false, false);
                break;
            case 1:
                insert(in.name(), true, false);
                break;
            case 2:
                insert(in.name(), false, true);
                break;
            case 3:
                expectSame(in.name());
                break;
            case 4: {  // many names at once, every other in capitals, to make the table grow
                const QString stem = in.name();
                const int count = in.byte() * 4;
                for (int i = 0; i < count && table.size() < kMostNames; ++i) {
                    insert((i % 2 == 0 ? stem : capitals(stem)) + QString::number(i / 2), false,
                           false);
                }
                break;
            }
            case 5:
                table.reserve(in.byte() * 64);
                break;
            default:
                table.squeeze();
                break;
        }
    }
    for (const auto& [key, first] : firsts) {
        expectSame(first.name);
        expectSame(key);
    }
    return 0;
}
