#include "filesystem/name_table.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "filesystem/capitals.h"

namespace {

// Name i in one of four spellings; some beyond ASCII, some with "ß" (in capitals "SS"), some
// longer than a first block of names.
QString spelling(int i, int variant) {
    static const QString kPatterns[] = {u"bild-%1.JPG"_qs, u"Äpfel %1.txt"_qs, u"Straße%1"_qs,
                                        u"x%1"_qs + QString(300, u'y')};
    const QString name = kPatterns[i % 4].arg(i), upper = name.toUpper();
    const QString spellings[] = {name, upper, name.toLower(),
                                 QString(upper).replace(u"SS"_qs, u"ss"_qs)};
    return spellings[variant % 4];
}

TEST(NameTable, KeepsEveryNameThroughGrowthAndSqueezeAsAMapOfCapitalsDoes) {
    constexpr int kNames = 3000;
    struct Case {
        const char* what;
        qsizetype reserved;  // -1 for none
        int squeezeAt;       // names in before a squeeze
    };
    for (const Case c : {Case{"from empty", -1, kNames}, Case{"reserved too few", 100, kNames},
                         Case{"reserved too many, squeezed halfway", 5000, kNames / 2}}) {
        SCOPED_TRACE(c.what);
        NameTable table;
        // By capitals: the first spelling, its number, and how often the capitals came again.
        std::map<QString, std::tuple<QString, quint64, quint32>> firsts;
        const auto seen = [](const NameTable::Entry& entry) {
            return std::tuple(NameTable::nameOf(entry).toString(), entry.number, entry.repeats());
        };
        const auto add = [&](const QString& name, quint64 number) {
            const auto [entry, added] = table.insert(name, number);
            const auto [first, expected] = firsts.try_emplace(capitals(name), name, number, 0);
            ASSERT_EQ(added, expected) << name.toStdString();
            std::get<2>(first->second) += added ? 0 : 1;
            EXPECT_EQ(seen(*entry), first->second);
        };
        const auto expectAllFound = [&] {
            ASSERT_EQ(table.size(), static_cast<qsizetype>(firsts.size()));
            for (const auto& [key, first] : firsts) {
                for (const QString& name : {std::get<0>(first), key}) {
                    const NameTable::Entry* entry = table.find(name);
                    ASSERT_NE(entry, nullptr) << name.toStdString();
                    EXPECT_EQ(seen(*entry), first);
                }
            }
            for (int i = kNames; i < kNames + 100; ++i) {
                EXPECT_EQ(table.find(spelling(i, i / 4)), nullptr) << i;
            }
        };
        if (c.reserved >= 0) {
            table.reserve(c.reserved);
        }
        add(QString(), 7);
        for (int i = 0; i < kNames; ++i) {
            if (i == c.squeezeAt) {
                table.squeeze();
                expectAllFound();
            }
            add(spelling(i, i / 4), quint64(i) << 32);
            add(spelling(i / 2, i + 1), 1);  // an earlier name in another spelling
        }
        expectAllFound();
    }
}

}  // namespace
