#pragma once

#include <QObject>

class QLineEdit;
class QWidget;

// Swallows every printable key but a digit; editing keys and shortcuts pass, and pasted text is
// left for the plan check to read.
class DigitKeysOnly : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Selects a field's whole text when the user enters it, so that typing replaces it.
class SelectAllOnEntry : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Remembers the caret and selection a field had when it lost the focus to a button, so that
// text can be inserted there.
class CaretKeeper : public QObject {
  public:
    explicit CaretKeeper(QLineEdit* field);

    // Replaces the kept selection (or inserts at the kept caret) and moves the caret by offset.
    void insert(const QString& text, int offset);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void remember();

    QLineEdit* m_field;
    int m_selectionStart = 0;
    int m_selectionLength = 0;
};

// Reports a click with the left mouse button on a widget that has no click of its own.
class ClickReporter : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;

  Q_SIGNALS:
    void clicked();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
