#include "ui/info_window.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "ui/shell.h"
#include "ui_info_window.h"

namespace {

// Arial, or a face drawn to its measures where it is not installed; a form file can name one
// family only, and no fractional point size.
QFont arialLike(double pointSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arimo"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

}  // namespace

InfoForm::InfoForm(Shell& shell, QWidget* parent) : QDialog(parent), m_shell(shell) {
    // The strip is in this static library's resource, which the linker drops unless referred to.
    Q_INIT_RESOURCE(taufix);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    Ui::InfoForm ui;
    ui.setupUi(this);
    m_picture = ui.Picture1;
    m_label = ui.Label0;
    m_mailButton = ui.MailButton;
    m_newsButton = ui.NewsButton;
    m_closeButton = ui.CloseButton;

    // The strip fills the box; what the box's proportions leave over is cut off evenly.
    const QSize inner = m_picture->contentsRect().size();
    const QPixmap strip =
        QPixmap(QStringLiteral(":/images/artwork-strip.png"))
            .scaled(inner, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    m_picture->setPixmap(strip.copy(
        QRect(QPoint((strip.width() - inner.width()) / 2, (strip.height() - inner.height()) / 2),
              inner)));

    m_label->setFont(arialLike(9.75, true));
    for (QPushButton* button : {m_mailButton, m_newsButton, m_closeButton}) {
        button->setFont(arialLike(8.25, false));
    }

    connect(m_mailButton, &QPushButton::clicked, this,
            [this] { m_shell.open(QStringLiteral("mailto:") + kContactAddress); });
    connect(m_newsButton, &QPushButton::clicked, this, [this] { m_shell.open(kNewsPage); });
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

QString InfoForm::informationText(const QString& name, const QString& description) {
    return name + QStringLiteral(" \u2013 ") + description + QStringLiteral("\n\n") +
           QStringLiteral(
               "Dieses Programm ist Freeware: Sie dürfen es kostenlos benutzen und "
               "unverändert an andere weitergeben.") +
           u'\n' +
           QStringLiteral(
               "Die Benutzung geschieht auf eigene Gefahr; für Schäden durch den "
               "Gebrauch des Programms wird keine Haftung übernommen.") +
           QStringLiteral("\n\n") +
           QStringLiteral(
               "Verbesserungsvorschläge sind mir gerne willkommen. Weitere "
               "interessante Tools/Infos finden Sie auf meiner Web-Site unter ") +
           kMakerHost;
}

void InfoForm::load(const QString& name, const QString& description) {
    m_mailButton->setToolTip(
        QStringLiteral("... startet Ihr E-Mail-Programm für eine Nachricht an mich unter ") +
        kContactAddress);
    m_newsButton->setToolTip(QStringLiteral("... startet Ihren Internet-Browser mit dem Ziel ") +
                             kNewsPage);
    setWindowTitle(QStringLiteral("Info über ") + name);
    m_label->setText(informationText(name, description));
}

void InfoForm::main(const QString& name, const QString& description) {
    load(name, description);
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    m_mailButton->setFocus();
    exec();
}
