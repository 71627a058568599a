#include "ui/field_behaviour.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "plan/counter_fields.h"

bool DigitKeysOnly::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    for (const QChar ch : key->text()) {
        if (!ch.isPrint()) {
            continue;
        }
        int keyAscii = ch.unicode();
        ChkForValidNumKeys(keyAscii);
        if (keyAscii == 0) {
            return true;
        }
    }
    return false;
}

bool SelectAllOnEntry::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            // Deferred: a mouse press that gave the focus places the caret after this event.
            QMetaObject::invokeMethod(static_cast<QLineEdit*>(watched), &QLineEdit::selectAll,
                                      Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

CaretKeeper::CaretKeeper(QLineEdit* field) : QObject(field), m_field(field) {
    field->installEventFilter(this);
    // A change made while the field has no focus (a restored history entry) moves the caret.
    connect(field, &QLineEdit::textChanged, this, [this] {
        if (!m_field->hasFocus()) {
            remember();
        }
    });
}

void CaretKeeper::insert(const QString& text, int offset) {
    // A click on a button has taken the focus and the selection with it; an access key has not.
    if (m_field->hasFocus()) {
        remember();
    }
    const int length = static_cast<int>(m_field->text().size());
    const int start = qBound(0, m_selectionStart, length);
    const int selected = qBound(0, m_selectionLength, length - start);
    m_field->setSelection(start, selected);
    m_field->insert(text);
    m_field->setCursorPosition(m_field->cursorPosition() + offset);
    m_field->setFocus();
}

bool CaretKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Before the field drops its selection.
        remember();
    }
    return QObject::eventFilter(watched, event);
}

void CaretKeeper::remember() {
    if (m_field->hasSelectedText()) {
        m_selectionStart = m_field->selectionStart();
        m_selectionLength = m_field->selectionLength();
    } else {
        m_selectionStart = m_field->cursorPosition();
        m_selectionLength = 0;
    }
}

bool ClickReporter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Q_EMIT clicked();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
