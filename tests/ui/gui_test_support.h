#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPointer>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "ui/shell.h"

// Remembers every target handed to the shell instead of opening it.
class RecordingShell : public Shell {
  public:
    void open(const QString& target) override { targets.append(target); }

    QStringList targets;
};

// Runs check on the next modal window (a dialog's exec) once it is up; check ends it.
inline void whenModalShown(std::function<void(QWidget*)> check) {
    QTimer::singleShot(0, qApp, [check] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            whenModalShown(check);
            return;
        }
        check(modal);
    });
}

// A choice as the user makes it with the keyboard: from the first entry down.
inline void chooseByKeys(QComboBox* list, int index) {
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < index; ++i) {
        QTest::keyClick(list, Qt::Key_Down);
    }
}

inline QStringList itemTexts(const QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts.append(list->itemText(i));
    }
    return texts;
}

inline void click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// A check box reacts to clicks on its box and caption only, not on the rest of its width.
inline void click(QCheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator =
        box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator.center());
}
