#include "ui/main_window_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeView>
#include <QVBoxLayout>

#include "list/file_entry.h"
#include "ui/file_list_model.h"

namespace {

constexpr int kGap = 6;
constexpr int kRowHeight = 24;
constexpr int kBannerWidth = 234;  // the banner at a fifth of its size

// The family the symbol glyphs are drawn with; any font with the geometric shapes does.
QFont symbolFont(const QFont& base) {
    QFont font = base;
    if (QFontDatabase::families().contains(QStringLiteral("DejaVu Sans"))) {
        font.setFamily(QStringLiteral("DejaVu Sans"));
    }
    font.setPointSizeF(base.pointSizeF() + 1);
    return font;
}

QPushButton* makeButton(QWidget* parent, std::array<QPushButton*, kBtnCount>& btn, int index,
                        const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QStringLiteral("Btn%1").arg(index));
    button->setAutoDefault(false);
    btn[static_cast<size_t>(index)] = button;
    return button;
}

// A button just wide enough for its caption; the style's minimum would make the token rows
// twice as long.
QPushButton* makeCompactButton(QWidget* parent, std::array<QPushButton*, kBtnCount>& btn, int index,
                               const QString& caption, int minimumWidth = 0) {
    QPushButton* button = makeButton(parent, btn, index, caption);
    const QString shown = QString(caption).remove(u'&');
    const int width = button->fontMetrics().horizontalAdvance(shown) + 14;
    button->setFixedSize(qMax(width, minimumWidth), kRowHeight);
    return button;
}

QPushButton* makeGlyphButton(QWidget* parent, std::array<QPushButton*, kBtnCount>& btn, int index,
                             const QString& glyph) {
    QPushButton* button = makeButton(parent, btn, index, glyph);
    button->setFont(symbolFont(button->font()));
    button->setFixedSize(kRowHeight + 4, kRowHeight);
    return button;
}

QLabel* makeLabel(QWidget* parent, std::array<QLabel*, 6>& labels, int index, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("Label1_%1").arg(index));
    labels[static_cast<size_t>(index)] = label;
    return label;
}

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QGroupBox* makeFrame(QWidget* parent, const char* name, const QString& caption) {
    return named(new QGroupBox(caption, parent), name);
}

void buildListFrame(MainWindowControls& c, QWidget* parent) {
    c.Frame1 = makeFrame(parent, "Frame1", QStringLiteral("Kandidaten zum Umbenennen"));
    auto* layout = new QVBoxLayout(c.Frame1);
    layout->setSpacing(kGap);

    c.Liste = named(new QTreeView(c.Frame1), "Liste");
    c.Liste->setRootIsDecorated(false);
    c.Liste->setItemsExpandable(false);
    c.Liste->setUniformRowHeights(true);
    c.Liste->setAllColumnsShowFocus(true);
    c.Liste->setSortingEnabled(false);
    c.Liste->setSelectionMode(QAbstractItemView::ExtendedSelection);
    c.Liste->setSelectionBehavior(QAbstractItemView::SelectRows);
    c.Liste->setEditTriggers(QAbstractItemView::NoEditTriggers);
    c.Liste->setAcceptDrops(true);
    c.Liste->viewport()->setAcceptDrops(true);
    c.Liste->setDragDropMode(QAbstractItemView::DropOnly);
    c.Liste->header()->setStretchLastSection(false);
    c.Liste->header()->setSectionsMovable(false);
    c.Liste->header()->setSectionsClickable(true);
    c.Liste->header()->setSortIndicatorShown(false);
    int visibleWidth = 0;
    for (int k = 0; k < kColumnCount; ++k) {
        visibleWidth += FileListModel::columnWidth(k);
    }
    c.Liste->setMinimumSize(visibleWidth + 24, 230);
    layout->addWidget(c.Liste);

    auto* row = new QHBoxLayout;
    row->setSpacing(kGap);
    c.Bar = named(new QProgressBar(c.Frame1), "Bar");
    c.Bar->setTextVisible(false);
    c.Bar->setRange(0, 100);
    c.Bar->setValue(0);
    c.Bar->setFixedHeight(kRowHeight - 6);
    row->addWidget(c.Bar, 1);
    const int listButtonWidth = 118;
    row->addWidget(
        makeCompactButton(c.Frame1, c.Btn, 1, QStringLiteral("&Alle auswählen"), listButtonWidth));
    row->addWidget(
        makeCompactButton(c.Frame1, c.Btn, 2, QStringLiteral("&Keine Auswahl"), listButtonWidth));
    row->addWidget(makeCompactButton(c.Frame1, c.Btn, 3, QStringLiteral("Auswahl &umkehren"),
                                     listButtonWidth));
    row->addWidget(
        makeCompactButton(c.Frame1, c.Btn, 0, QStringLiteral("Liste l&öschen"), listButtonWidth));
    layout->addLayout(row);
}

void buildCounterFrame(MainWindowControls& c, QWidget* parent) {
    c.Frame3 = makeFrame(parent, "Frame3", QStringLiteral("Zähler"));
    auto* grid = new QGridLayout(c.Frame3);
    grid->setHorizontalSpacing(kGap);
    grid->setVerticalSpacing(kGap);

    c.Zahl = named(new QLineEdit(c.Frame3), "Zahl");
    c.Zahl->setMaxLength(8);
    c.Schrittweite = named(new QLineEdit(c.Frame3), "Schrittweite");
    c.Schrittweite->setMaxLength(5);
    c.StellenAnzahl = named(new QComboBox(c.Frame3), "StellenAnzahl");
    c.Vornullenzeichen = named(new QComboBox(c.Frame3), "Vornullenzeichen");
    for (QWidget* field :
         {static_cast<QWidget*>(c.Zahl), static_cast<QWidget*>(c.Schrittweite),
          static_cast<QWidget*>(c.StellenAnzahl), static_cast<QWidget*>(c.Vornullenzeichen)}) {
        field->setFixedSize(104, kRowHeight);
    }

    grid->addWidget(makeLabel(c.Frame3, c.Label1, 0, QStringLiteral("Start")), 0, 0);
    grid->addWidget(c.Zahl, 0, 1);
    grid->addWidget(makeLabel(c.Frame3, c.Label1, 2, QStringLiteral("Step")), 1, 0);
    grid->addWidget(c.Schrittweite, 1, 1);
    grid->addWidget(makeLabel(c.Frame3, c.Label1, 3, QStringLiteral("Länge")), 2, 0);
    grid->addWidget(c.StellenAnzahl, 2, 1);
    grid->addWidget(makeLabel(c.Frame3, c.Label1, 1, QStringLiteral("Vornullen")), 3, 0);
    grid->addWidget(c.Vornullenzeichen, 3, 1);
}

void buildMaskFrame(MainWindowControls& c, QWidget* parent) {
    c.Frame2 = makeFrame(parent, "Frame2", QStringLiteral("Maske"));
    // One grid, so that the mask row and the token rows spread evenly over the frame.
    auto* grid = new QGridLayout(c.Frame2);
    grid->setHorizontalSpacing(kGap);

    auto* maskRow = new QHBoxLayout;
    maskRow->setSpacing(kGap);
    c.Maske = named(new QLineEdit(c.Frame2), "Maske");
    c.Maske->setFixedHeight(kRowHeight);
    maskRow->addWidget(c.Maske, 1);
    maskRow->addWidget(makeGlyphButton(c.Frame2, c.Btn, 11, QStringLiteral("\u2715")));
    grid->addLayout(maskRow, 0, 0, 1, 3);

    const struct {
        int index;
        const char16_t* caption;
    } tokens[2][3] = {
        {{4, u"[&name]"}, {5, u"[&typ]"}, {6, u"[&zahl]"}},
        {{19, u"[&datum]"}, {22, u"[&zeit]"}, {23, u"[ ]"}},
    };
    for (int r = 0; r < 2; ++r) {
        for (int k = 0; k < 3; ++k) {
            QPushButton* button = makeButton(c.Frame2, c.Btn, tokens[r][k].index,
                                             QString::fromUtf16(tokens[r][k].caption));
            button->setFixedHeight(kRowHeight);
            button->setMinimumWidth(60);
            grid->addWidget(button, r + 1, k);
        }
    }
}

void buildControlFrame(MainWindowControls& c, QWidget* parent) {
    c.Frame5 = makeFrame(parent, "Frame5", QStringLiteral("Steuerung"));
    auto* grid = new QGridLayout(c.Frame5);
    grid->setSpacing(kGap);

    QPushButton* rename = makeButton(c.Frame5, c.Btn, 8, QStringLiteral("Jetzt &umtaufen!"));
    QFont bold = rename->font();
    bold.setBold(true);
    rename->setFont(bold);
    rename->setMinimumWidth(
        rename->fontMetrics().horizontalAdvance(QStringLiteral("Jetzt umtaufen!")) + 28);
    rename->setFixedHeight(2 * kRowHeight + kGap);
    grid->addWidget(rename, 0, 0, 2, 1);

    QPushButton* help = makeCompactButton(c.Frame5, c.Btn, 10, QStringLiteral("&Hilfe"), 72);
    QPushButton* end = makeCompactButton(c.Frame5, c.Btn, 9, QStringLiteral("&Ende"), 72);
    QPushButton* info = makeCompactButton(c.Frame5, c.Btn, 25, QStringLiteral("&Info"), 72);
    grid->addWidget(help, 0, 1);
    grid->addWidget(info, 1, 1);
    grid->addWidget(end, 2, 1);

    c.ToolTipCheck = named(new QCheckBox(QStringLiteral("ToolTips"), c.Frame5), "ToolTipCheck");
    grid->addWidget(c.ToolTipCheck, 2, 0);

    c.Image1 = named(new QLabel(c.Frame5), "Image1");
    const QPixmap banner(QStringLiteral(":/images/banner.png"));
    c.Image1->setPixmap(banner.scaledToWidth(kBannerWidth, Qt::SmoothTransformation));
    c.Image1->setFixedSize(c.Image1->pixmap().size());
    c.Image1->setCursor(Qt::PointingHandCursor);
    grid->addWidget(c.Image1, 3, 0, 1, 2, Qt::AlignCenter);
    grid->setRowStretch(4, 1);
}

void buildSearchFrame(MainWindowControls& c, QWidget* parent) {
    c.Frame4[1] = makeFrame(parent, "Frame4_1", QStringLiteral("Suchen && ersetzen"));
    auto* layout = new QHBoxLayout(c.Frame4[1]);
    layout->setSpacing(kGap);
    c.SucheText = named(new QLineEdit(c.Frame4[1]), "SucheText");
    c.ErsetzeText = named(new QLineEdit(c.Frame4[1]), "ErsetzeText");
    for (QLineEdit* field : {c.SucheText, c.ErsetzeText}) {
        field->setFixedSize(100, kRowHeight);
    }
    layout->addWidget(makeLabel(c.Frame4[1], c.Label1, 4, QStringLiteral("Ersetze")));
    layout->addWidget(c.SucheText);
    layout->addWidget(makeLabel(c.Frame4[1], c.Label1, 5, QStringLiteral("durch")));
    layout->addWidget(c.ErsetzeText);

    c.Frame4[0] = makeFrame(parent, "Frame4_0", QStringLiteral("Schreibweise"));
    auto* caseLayout = new QHBoxLayout(c.Frame4[0]);
    c.Schreibweise = named(new QComboBox(c.Frame4[0]), "Schreibweise");
    c.Schreibweise->setFixedHeight(kRowHeight);
    c.Schreibweise->setFixedWidth(124);
    caseLayout->addWidget(c.Schreibweise);
}

QLayout* buildLowerRow(MainWindowControls& c, QWidget* parent) {
    auto* row = new QHBoxLayout;
    row->setSpacing(kGap);
    // The loose buttons stand level with the fields inside the two frames.
    const auto add = [row](QWidget* widget) { row->addWidget(widget, 0, Qt::AlignBottom); };
    auto* buttons = new QWidget(parent);
    auto* buttonRow = new QHBoxLayout(buttons);
    buttonRow->setContentsMargins(0, 0, 0, 9);
    buttonRow->setSpacing(3);
    buttonRow->addWidget(makeGlyphButton(buttons, c.Btn, 13, QStringLiteral("\u25B2")));
    buttonRow->addWidget(makeGlyphButton(buttons, c.Btn, 12, QStringLiteral("\u25BC")));
    buttonRow->addSpacing(kGap);
    buttonRow->addWidget(makeGlyphButton(buttons, c.Btn, 24, QStringLiteral("\u25C0")));
    buttonRow->addSpacing(kGap);
    buttonRow->addWidget(makeCompactButton(buttons, c.Btn, 18, QStringLiteral("[&rdatum]")));
    buttonRow->addWidget(makeCompactButton(buttons, c.Btn, 17, QStringLiteral("[&tag]")));
    buttonRow->addWidget(makeCompactButton(buttons, c.Btn, 16, QStringLiteral("[&monat]")));
    buttonRow->addWidget(makeCompactButton(buttons, c.Btn, 15, QStringLiteral("[&jahr]")));
    buttonRow->addSpacing(kGap);
    buttonRow->addWidget(makeCompactButton(buttons, c.Btn, 21, QStringLiteral("[&h]"), 32));
    buttonRow->addWidget(makeCompactButton(buttons, c.Btn, 20, QStringLiteral("[&m]"), 32));
    buttonRow->addWidget(makeCompactButton(buttons, c.Btn, 7, QStringLiteral("[&s]"), 32));
    buttonRow->addSpacing(kGap);
    c.DirItCheck = named(new QCheckBox(QStringLiteral("Dir-It!"), buttons), "DirItCheck");
    buttonRow->addWidget(c.DirItCheck);
    c.DirItTextBox = named(new QPlainTextEdit(buttons), "DirItTextBox");
    c.DirItTextBox->setVisible(false);
    add(buttons);

    buildSearchFrame(c, parent);
    row->addWidget(c.Frame4[1], 1);
    row->addWidget(c.Frame4[0]);
    return row;
}

QStatusBar* buildStatusBar(MainWindowControls& c, QMainWindow& window) {
    c.Status = named(new QStatusBar(&window), "Status");
    c.Status->setSizeGripEnabled(false);
    c.StatusPanel[0] = named(new QLabel(c.Status), "StatusPanel1");
    c.StatusPanel[0]->setMinimumWidth(190);
    c.StatusPanel[1] = named(new QLabel(c.Status), "StatusPanel2");
    for (QLabel* panel : c.StatusPanel) {
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(3, 0, 3, 0);
    }
    c.Status->addWidget(c.StatusPanel[0]);
    c.Status->addWidget(c.StatusPanel[1], 1);
    return c.Status;
}

void setTabOrder(const MainWindowControls& c) {
    const auto btn = [&c](int i) -> QWidget* { return c.Btn[static_cast<size_t>(i)]; };
    const QList<QWidget*> order{
        c.Liste,        btn(1),          btn(2),
        btn(3),         btn(0),          c.Zahl,
        c.Schrittweite, c.StellenAnzahl, c.Vornullenzeichen,
        c.Schreibweise, c.SucheText,     c.ErsetzeText,
        c.Maske,        btn(11),         btn(4),
        btn(5),         btn(6),          btn(19),
        btn(22),        btn(23),         c.DirItTextBox,
        c.DirItCheck,   btn(24),         btn(21),
        btn(20),        btn(18),         btn(17),
        btn(16),        btn(15),         btn(7),
        btn(13),        btn(12),         btn(8),
        btn(10),        btn(25),         btn(9),
        c.ToolTipCheck,
    };
    for (qsizetype i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
    }
}

}  // namespace

MainWindowControls buildMainWindowControls(QMainWindow& window) {
    // The banner is in this static library's resource, which the linker drops unless referred to.
    Q_INIT_RESOURCE(taufix);
    MainWindowControls c;
    auto* central = new QWidget(&window);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(kGap, kGap, kGap, 2);
    layout->setSpacing(kGap);

    buildListFrame(c, central);
    layout->addWidget(c.Frame1);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(kGap);
    buildCounterFrame(c, central);
    buildMaskFrame(c, central);
    buildControlFrame(c, central);
    middle->addWidget(c.Frame3);
    middle->addWidget(c.Frame2, 1);
    middle->addWidget(c.Frame5);
    layout->addLayout(middle);

    layout->addLayout(buildLowerRow(c, central));

    window.setCentralWidget(central);
    window.setStatusBar(buildStatusBar(c, window));
    setTabOrder(c);
    return c;
}
