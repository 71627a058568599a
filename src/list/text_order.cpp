#include "list/text_order.h"

#include <QLocale>
#include <QString>
#include <algorithm>
#include <vector>

namespace {

// Control characters are left to the collator, which ignores some of them.
constexpr char16_t kFirstRanked = u' ';
constexpr char16_t kLastRanked = u'~';

}  // namespace

TextOrder::TextOrder() : m_collator(QLocale(QLocale::German, QLocale::Germany)) {
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_collator.setNumericMode(false);
    // Each printable character on its own, in collation order: letters of either case share a
    // rank. Without contractions among them, as in every German collation, comparing rank by
    // rank is comparing the texts.
    std::vector<QString> characters;
    for (char16_t c = kFirstRanked; c <= kLastRanked; ++c) {
        characters.emplace_back(QChar(c));
    }
    std::stable_sort(characters.begin(), characters.end(), [&](const QString& a, const QString& b) {
        return m_collator.compare(a, b) < 0;
    });
    quint8 rank = 0;
    for (size_t i = 0; i < characters.size(); ++i) {
        if (i == 0 || m_collator.compare(characters[i - 1], characters[i]) != 0) {
            ++rank;
        }
        m_rank[characters[i].at(0).unicode()] = rank;
    }
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
            return m_collator.compare(a, b);
        }
        if (rankA != rankB) {
            return rankA - rankB;
        }
    }
    // The rest of the longer text may still be ignored by the collation.
    const QStringView rest = (a.size() > b.size() ? a : b).sliced(common);
    if (!std::all_of(rest.begin(), rest.end(), rank)) {
        return m_collator.compare(a, b);
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}
