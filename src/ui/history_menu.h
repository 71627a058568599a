#pragma once

#include <QObject>
#include <QStringList>
#include <array>

class QAction;
class QMenu;
class QWidget;

// The mask-history popup "pummain": members 1 to 30 show the history, 31 is the separator and
// 32 "Abbrechen", the default member.
class HistoryMenu : public QObject {
    Q_OBJECT

  public:
    explicit HistoryMenu(QWidget* parent);

    // Captions of members 1 to 30 as FillScenarioMenu gives them; an empty caption hides.
    void fill(const QStringList& captions);
    const QStringList& captions() const { return m_captions; }
    // Pops up at a global position; a chosen member arrives as memberChosen.
    void popup(const QPoint& position);

  Q_SIGNALS:
    // A history member 1 to 30 was chosen; the separator and "Abbrechen" do nothing.
    void memberChosen(int index);

  private:
    QMenu* m_menu;
    std::array<QAction*, 32> m_pum{};  // members 1 to 32 at 0 to 31
    QStringList m_captions;
};
