#include "list/text_order.h"

#include <QLocale>
#include <QString>
#include <algorithm>

namespace {

// Printable ASCII in the German collation's order, ignoring letter case: the characters of one
// entry share a rank. Without contractions among them, as in every German collation, comparing
// rank by rank is comparing the texts; a test sorts random names both ways. Control characters
// are left to the collator, which ignores some of them.
constexpr const char* kRankedCharacters[] = {
    " ",  "_",  "-",  ",",  ";",  ":",  "!",  "?",  ".",  "'",  "\"", "(",  ")",  "[",
    "]",  "{",  "}",  "@",  "*",  "/",  "\\", "&",  "#",  "%",  "`",  "^",  "+",  "<",
    "=",  ">",  "|",  "~",  "$",  "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",
    "9",  "Aa", "Bb", "Cc", "Dd", "Ee", "Ff", "Gg", "Hh", "Ii", "Jj", "Kk", "Ll", "Mm",
    "Nn", "Oo", "Pp", "Qq", "Rr", "Ss", "Tt", "Uu", "Vv", "Ww", "Xx", "Yy", "Zz"};

}  // namespace

TextOrder::TextOrder() {
    quint8 rank = 0;
    for (const char* characters : kRankedCharacters) {
        ++rank;
        for (const char* c = characters; *c != 0; ++c) {
            m_rank[static_cast<unsigned char>(*c)] = rank;
        }
    }
}

const QCollator& TextOrder::collator() const {
    // Made when first needed: its data is megabytes that lists of ASCII names never touch.
    if (!m_collator) {
        m_collator.emplace(QLocale(QLocale::German, QLocale::Germany));
        m_collator->setCaseSensitivity(Qt::CaseInsensitive);
        m_collator->setNumericMode(false);
    }
    return *m_collator;
}

bool TextOrder::ranked(QStringView text) const {
    return std::all_of(text.begin(), text.end(), [&](QChar c) {
        return c.unicode() < m_rank.size() && m_rank[c.unicode()] != 0;
    });
}

int TextOrder::compare(QStringView a, QStringView b) const {
    const auto rank = [&](QChar c) {
        return c.unicode() < m_rank.size() ? m_rank[c.unicode()] : 0;
    };
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const int rankA = rank(a[i]);
        const int rankB = rank(b[i]);
        if (rankA == 0 || rankB == 0) {
            return collator().compare(a, b);
        }
        if (rankA != rankB) {
            return rankA - rankB;
        }
    }
    // The rest of the longer text may still be ignored by the collation.
    const QStringView rest = (a.size() > b.size() ? a : b).sliced(common);
    if (!std::all_of(rest.begin(), rest.end(), rank)) {
        return collator().compare(a, b);
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}
