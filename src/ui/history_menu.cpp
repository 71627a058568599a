#include "ui/history_menu.h"

#include <QAction>
#include <QMenu>

#include "ui/scenario_history.h"

HistoryMenu::HistoryMenu(QWidget* parent) : QObject(parent), m_menu(new QMenu(parent)) {
    m_menu->setObjectName(QStringLiteral("pummain"));
    for (int member = 1; member <= kScenarioSlotCount; ++member) {
        QAction* action = m_menu->addAction(QString());
        action->setObjectName(QStringLiteral("pum%1").arg(member));
        action->setData(member);
        // Member 1 exists from the start; the others are created hidden.
        action->setVisible(member == 1);
        m_pum[static_cast<size_t>(member - 1)] = action;
    }
    m_pum[30] = m_menu->addSeparator();
    m_pum[30]->setObjectName(QStringLiteral("pum31"));
    m_pum[31] = m_menu->addAction(QStringLiteral("Abbrechen"));
    m_pum[31]->setObjectName(QStringLiteral("pum32"));
    m_menu->setDefaultAction(m_pum[31]);

    connect(m_menu, &QMenu::triggered, this, [this](QAction* action) {
        const int member = action->data().toInt();
        if (member >= 1 && member <= kScenarioSlotCount) {
            Q_EMIT memberChosen(member);
        }
    });
}

void HistoryMenu::fill(const QStringList& captions) {
    m_captions = captions;
    for (int member = 1; member <= kScenarioSlotCount; ++member) {
        const QString caption = captions.value(member - 1);
        QAction* action = m_pum[static_cast<size_t>(member - 1)];
        // A mask may hold "&", which a menu would take for an access key.
        action->setText(QString(caption).replace(u'&', QStringLiteral("&&")));
        action->setVisible(!caption.isEmpty());
    }
}

void HistoryMenu::popup(const QPoint& position) {
    m_menu->popup(position);
}
