#pragma once

#include <QCollator>
#include <QStringView>
#include <array>
#include <optional>

// Text order as a German reader expects it, whatever the process locale (the C locale would fall
// back to code-unit order): ignoring letter case, never numeric. Printable ASCII, what most file
// names are, is compared by a table of the collation's own ranks, without collation keys.
class TextOrder {
  public:
    TextOrder();

    // Whether compare() orders text without the collator; otherwise collation keys sort faster.
    bool ranked(QStringView text) const;
    // <0, 0 or >0 as a comes before, with or after b.
    int compare(QStringView a, QStringView b) const;
    const QCollator& collator() const;

  private:
    mutable std::optional<QCollator> m_collator;
    std::array<quint8, 128> m_rank{};  // 0: no rank, ask the collator
};
