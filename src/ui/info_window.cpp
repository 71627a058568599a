#include "ui/info_window.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "ui/shell.h"

namespace {

constexpr int kTwipsPerPixel = 15;

QRect twips(int left, int top, int width, int height) {
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel};
}

// A push button whose caption wraps onto several lines, as the narrow buttons need.
class WrappingButton : public QPushButton {
  public:
    WrappingButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);
        const int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
        const QRect textRect = rect().adjusted(4, 2, -4, -2);
        painter.drawItemText(textRect, flags, palette(), isEnabled(), text(), QPalette::ButtonText);
    }
};

// Arial, or a face drawn to its measures where it is not installed.
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
    setObjectName(QStringLiteral("InfoForm"));
    setWindowTitle(QStringLiteral("Info"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    setFixedSize(twips(0, 0, 9390, 6405).size());

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Picture1"));
    m_picture->setGeometry(twips(120, 120, 1635, 6135));
    m_picture->setFrameShape(QFrame::StyledPanel);
    m_picture->setFrameShadow(QFrame::Sunken);
    m_picture->setAlignment(Qt::AlignCenter);
    // The strip fills the box; what the box's proportions leave over is cut off evenly.
    const QSize inner = m_picture->contentsRect().size();
    const QPixmap strip =
        QPixmap(QStringLiteral(":/images/artwork-strip.png"))
            .scaled(inner, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    m_picture->setPixmap(strip.copy(
        QRect(QPoint((strip.width() - inner.width()) / 2, (strip.height() - inner.height()) / 2),
              inner)));

    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label0"));
    m_label->setGeometry(twips(1920, 120, 7335, 5415));
    m_label->setFont(arialLike(9.75, true));
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label->setTextFormat(Qt::PlainText);

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    const QRect rule = twips(1920, 5580, 9300 - 1920, 0);
    line->setGeometry(rule.left(), rule.top() - 1, rule.width(), 2);

    const QFont buttonFont = arialLike(8.25, false);
    const auto makeButton = [this, &buttonFont](const char* name, const QString& caption,
                                                const QRect& geometry) {
        QPushButton* button = new WrappingButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setFont(buttonFont);
        button->setAutoDefault(false);
        button->setGeometry(geometry);
        return button;
    };
    m_mailButton = makeButton("MailButton", QStringLiteral("Eine &E-Mail an mich schreiben"),
                              twips(1920, 5700, 1455, 555));
    m_newsButton =
        makeButton("NewsButton", QStringLiteral("Die Seite 'Aktuelles' auf meiner Web-Site öffnen"),
                   twips(3540, 5700, 1995, 555));
    m_closeButton = makeButton("CloseButton", QStringLiteral("Dieses Fenster &schliessen"),
                               twips(7860, 5700, 1455, 555));
    m_closeButton->setToolTip(QStringLiteral("... bringt Sie zurück zum Programm"));
    setTabOrder(m_mailButton, m_newsButton);
    setTabOrder(m_newsButton, m_closeButton);

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
