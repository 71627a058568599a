#include "ui/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>
#include <QTextDocument>
#include <QToolTip>
#include <QTreeView>
#include <array>
#include <utility>

#include "filesystem/journal_store.h"
#include "plan/messages.h"
#include "ui/button_indexes.h"
#include "ui/delay_timer.h"
#include "ui/field_behaviour.h"
#include "ui/history_menu.h"
#include "ui/info_window.h"
#include "ui/list_view_behaviour.h"
#include "ui/run_texts.h"
#include "ui/settings_store.h"
#include "ui/shell.h"
#include "ui/tooltips.h"

namespace {

const QString kToolTipsKey = QStringLiteral("ToolTips");

// The text each token button inserts into the mask.
constexpr std::array<std::pair<int, QStringView>, 13> kTokenOfButton{{
    {kBtnTokenName, u"[NAME]"},
    {kBtnTokenTyp, u"[TYP]"},
    {kBtnTokenZahl, u"[ZAHL]"},
    {kBtnTokenS, u"[S]"},
    {kBtnTokenJahr, u"[JAHR]"},
    {kBtnTokenMonat, u"[MONAT]"},
    {kBtnTokenTag, u"[TAG]"},
    {kBtnTokenRDatum, u"[RDATUM]"},
    {kBtnTokenDatum, u"[DATUM]"},
    {kBtnTokenM, u"[M]"},
    {kBtnTokenH, u"[H]"},
    {kBtnTokenZeit, u"[ZEIT]"},
    {kBtnEmptyBrackets, u"[]"},
}};

QStringView tokenOfButton(int index) {
    for (const auto& [button, token] : kTokenOfButton) {
        if (button == index) {
            return token;
        }
    }
    return {};
}

// The failure dialog's text for an entry, lines separated by "\n".
QString failureDialogText(const FileEntry& entry) {
    return QStringList{
        QStringLiteral("Folgende Datei ließ sich nicht umbenennen:"),
        QString(),
        entry.PfadName(),
        QStringLiteral("-->"),
        entry.newPath(),
        QString(),
        QStringLiteral(
            "Klicken Sie 'OK', um fortzusetzen oder 'Abbrechen' um die Aktion zu beenden."),
    }
        .join(u'\n');
}

// Asks the user after a failed renaming: OK goes on, Cancel ends the run.
class MessageBoxDecision : public FailureDecision {
  public:
    explicit MessageBoxDecision(QWidget* parent) : m_parent(parent) {}

    // The report of the run: the new names in its order, each on a line of its own.
    void renamed(const FileEntry& entry) override {
        report += entry.NeuerName;
        report += u'\n';
    }
    QString report;

    bool continueAfterFailure(const FileEntry& entry, const RenameResult& result) override {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Taufix"), failureDialogText(entry),
                        QMessageBox::Ok | QMessageBox::Cancel, m_parent);
        box.setDefaultButton(QMessageBox::Ok);
        // The dialog's own text says no reason; its details do.
        box.setDetailedText(QStringLiteral("Grund: ") + reasonText(result));
        return box.exec() == QMessageBox::Ok;
    }

  private:
    QWidget* m_parent;
};

// Collects what an undo could not restore, for one dialog at its end.
class UndoReport : public UndoListener {
  public:
    void notRestored(const NotRestored& file) override {
        const JournalEntry& entry = file.entry;
        lines << entry.folder + entry.to + QStringLiteral(" --> ") + entry.from +
                     QStringLiteral(" (") + undoReasonText(file) + u')';
    }
    QStringList lines;
};

void setTextIfDifferent(QLineEdit* field, const QString& text) {
    // Writing the same text would move the caret.
    if (field->text() != text) {
        field->setText(text);
    }
}

}  // namespace

Form1::Form1(SettingsStore& store, Shell& shell, FileSystem& fileSystem, JournalStore& journal,
             const QByteArrayList& arguments, std::unique_ptr<DelayTimer> timer, QWidget* parent)
    : QMainWindow(parent),
      m_store(store),
      m_shell(shell),
      m_history(store),
      m_presenter(fileSystem, m_history, journal, std::move(timer)),
      m_model(m_presenter),
      m_marks(&m_model) {
    setObjectName(QStringLiteral("Form1"));
    m_ui = buildMainWindowControls(*this);
    m_presenter.setRenameCaption(m_ui.Btn[kBtnRename]->text());

    m_ui.Liste->setModel(&m_model);
    m_ui.Liste->setSelectionModel(&m_marks);
    for (int k = 0; k < kColumnCount; ++k) {
        const int width = FileListModel::columnWidth(k);
        m_ui.Liste->setColumnWidth(k, width);
        m_ui.Liste->setColumnHidden(k, width == 0);
    }
    m_ui.Liste->setItemDelegate(new ListRowDelegate(m_ui.Liste));
    new NameColumnsStretch(m_ui.Liste);
    m_maskCaret = new CaretKeeper(m_ui.Maske);
    m_historyMenu = new HistoryMenu(this);

    connectPresenter();
    connectControls();
    showCommandStates();

    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    fitToScreen();

    startUp(arguments);
}

Form1::~Form1() = default;

void Form1::connectPresenter() {
    connect(&m_presenter, &PlanPresenter::userInfo, m_ui.StatusPanel[1], &QLabel::setText);
    connect(&m_presenter, &PlanPresenter::noticeChanged, this, [this](const QString& text) {
        m_ui.NoticePanel->setText(text);
        // A long hint line leaves the panel too little room; the tooltip shows what is cut off.
        m_ui.NoticePanel->setToolTip(text);
    });
    connect(&m_presenter, &PlanPresenter::progress, this, &Form1::showProgress);
    connect(&m_presenter, &PlanPresenter::checked, this, [this] {
        m_ui.StatusPanel[0]->setText(m_presenter.markedText());
        // Telling the view of every row costs it a pass over all of them; rows out of sight are
        // read afresh when they come into it.
        const QRect shown = m_ui.Liste->viewport()->rect();
        m_model.newNamesChanged(m_ui.Liste->indexAt(shown.topLeft()).row(),
                                m_ui.Liste->indexAt(shown.bottomLeft()).row());
    });
    connect(&m_presenter, &PlanPresenter::commandStatesChanged, this, &Form1::showCommandStates);
    connect(&m_presenter, &PlanPresenter::optionsChanged, this, &Form1::showOptions);
    connect(&m_presenter, &PlanPresenter::summaryChanged, this,
            [this](const QString& text, const QString& toolTip) {
                m_ui.SummaryPanel->setText(text);
                m_ui.SummaryPanel->setToolTip(toolTip);
            });
    connect(&m_presenter, &PlanPresenter::rowsChanged, this, &Form1::showSortIndicator);
    connect(&m_marks, &MarkSelectionModel::userSelected, &m_presenter, &PlanPresenter::listClicked);
}

void Form1::connectControls() {
    for (int i = 0; i < kBtnCount; ++i) {
        if (QPushButton* button = m_ui.Btn[static_cast<size_t>(i)]) {
            connect(button, &QPushButton::clicked, this, [this, i] { BtnClick(i); });
        }
    }

    // The mask field is the mask's editor; the counter, search and replace fields report only
    // the user's edits, since the presenter writes them back.
    connect(m_ui.Maske, &QLineEdit::textChanged, &m_presenter, &PlanPresenter::setMaske);
    connect(m_ui.Zahl, &QLineEdit::textEdited, &m_presenter, &PlanPresenter::setZahlText);
    connect(m_ui.Schrittweite, &QLineEdit::textEdited, &m_presenter,
            &PlanPresenter::setSchrittweiteText);
    connect(m_ui.SucheText, &QLineEdit::textEdited, &m_presenter, &PlanPresenter::setSucheText);
    connect(m_ui.ErsetzeText, &QLineEdit::textEdited, &m_presenter, &PlanPresenter::setErsetzeText);

    // activated reports every choice of the user, by mouse, keys or wheel, and none made in code.
    connect(m_ui.Schreibweise, &QComboBox::activated, &m_presenter,
            &PlanPresenter::chooseLetterCase);
    connect(m_ui.StellenAnzahl, &QComboBox::activated, &m_presenter,
            &PlanPresenter::chooseDigitCount);
    connect(m_ui.Vornullenzeichen, &QComboBox::activated, &m_presenter,
            &PlanPresenter::chooseLeadZeros);

    connect(m_ui.DirItCheck, &QCheckBox::clicked, &m_presenter, &PlanPresenter::setDirIt);
    connect(m_ui.ToolTipCheck, &QCheckBox::toggled, this, &Form1::ToolTipCheckClick);

    connect(m_ui.Liste->header(), &QHeaderView::sectionClicked, this,
            [this](int section) { m_presenter.headerClicked(section + 1); });
    connect(m_historyMenu, &HistoryMenu::memberChosen, this, &Form1::LoadScenario);
    connect(m_ui.UndoButton, &QPushButton::clicked, this, &Form1::undoLastRun);
    auto* undoKey =
        new QShortcut(QKeySequence::Undo, m_ui.Liste, nullptr, nullptr, Qt::WidgetShortcut);
    connect(undoKey, &QShortcut::activated, this, &Form1::undoLastRun);
    auto* troubleKey = new QShortcut(Qt::Key_F8, this);
    connect(troubleKey, &QShortcut::activated, this, &Form1::showNextRowInTrouble);

    auto* digitKeys = new DigitKeysOnly(this);
    for (QLineEdit* counter : {m_ui.Zahl, m_ui.Schrittweite}) {
        counter->installEventFilter(digitKeys);
    }
    auto* selectAll = new SelectAllOnEntry(this);
    for (QLineEdit* field : {m_ui.Zahl, m_ui.Schrittweite, m_ui.SucheText, m_ui.ErsetzeText}) {
        field->installEventFilter(selectAll);
    }
    auto* banner = new ClickReporter(this);
    m_ui.Image1->installEventFilter(banner);
    connect(banner, &ClickReporter::clicked, this, [this] { m_shell.open(kMagazinePage); });
}

void Form1::startUp(const QByteArrayList& arguments) {
    setWindowTitle(QStringLiteral("Taufix"));
    m_ui.Image1->setToolTip(kImage1ToolTip);
    m_ui.Maske->setText(m_presenter.options().settings().Maske);
    m_ui.ToolTipCheck->setChecked(
        m_store.GetSettingValue(kToolTipsKey, QStringLiteral("0")).toInt() != 0);
    m_ui.Schreibweise->addItems({QStringLiteral("beibehalten"), QStringLiteral("alles groß"),
                                 QStringLiteral("alles klein"), QStringLiteral("anfangs groß")});
    m_ui.Vornullenzeichen->addItems({QStringLiteral("keine"), QStringLiteral("Null"),
                                     QStringLiteral("Leerzeichen"), QStringLiteral("Unterstrich")});
    showOptions();

    m_presenter.clearList();
    if (!arguments.isEmpty()) {
        m_presenter.fill(arguments, FillMode::CommandLine);
    }
    if (!m_store.problem().isEmpty()) {
        // After the check that ends the fill, which writes the hint line.
        const auto showProblem = [this] { m_ui.StatusPanel[1]->setText(m_store.problem()); };
        if (m_presenter.filling()) {
            connect(&m_presenter, &PlanPresenter::filled, this, showProblem,
                    Qt::SingleShotConnection);
        } else {
            showProblem();
        }
    }
}

void Form1::BtnClick(int index) {
    const QStringView token = tokenOfButton(index);
    if (!token.isEmpty()) {
        // The empty brackets leave the caret between them, for a range to be typed.
        m_maskCaret->insert(token.toString(), index == kBtnEmptyBrackets ? -1 : 0);
        return;
    }
    switch (index) {
        case kBtnClearList:
            m_presenter.clearList();
            m_ui.Liste->setFocus();
            break;
        case kBtnMarkAll:
        case kBtnMarkNone:
        case kBtnInvertMarks:
            m_presenter.markRows(index == kBtnMarkAll    ? SelectMode::MarkAll
                                 : index == kBtnMarkNone ? SelectMode::UnmarkAll
                                                         : SelectMode::InvertMarks);
            m_ui.Liste->setFocus();
            break;
        case kBtnRename:
            UmTaufen();
            break;
        case kBtnEnd:
            // At once and without saving anything: the event loop ends here.
            QCoreApplication::exit(0);
            break;
        case kBtnHelp:
            OpenHelp(m_shell, helpFilePath());
            break;
        case kBtnClearMask:
            m_ui.Maske->setText(QString());
            m_ui.Maske->setFocus();
            break;
        case kBtnMoveDown:
        case kBtnMoveUp:
            if (!m_presenter.EintragVerschieben(index == kBtnMoveUp)) {
                QApplication::beep();
            }
            break;
        case kBtnHistory:
            ShowScenarioMenu();
            break;
        case kBtnInfo:
            showInfo();
            break;
        default:
            break;
    }
}

void Form1::UmTaufen() {
    MessageBoxDecision decision(this);
    const RenameRunResult result = m_presenter.UmTaufen(decision);
    if (result.journalError) {
        QMessageBox::warning(this, QStringLiteral("Taufix"),
                             journalRefusalText(*result.journalError));
    }
    if (m_presenter.options().dirIt()) {
        m_ui.DirItTextBox->setPlainText(decision.report);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setText(m_ui.DirItTextBox->toPlainText());
        m_ui.DirItTextBox->clear();
    }
}

void Form1::undoLastRun() {
    // The plan holds the run's journal until it goes: what the question names is what is undone.
    UndoPlan plan = m_presenter.planUndo();
    if (plan.nothingToUndo) {
        QApplication::beep();
        return;
    }
    if (plan.busy) {
        QMessageBox::information(this, QStringLiteral("Taufix"), undoBusyText() + u'.');
        return;
    }
    // No by default: an undo cannot itself be taken back.
    if (QMessageBox::question(this, QStringLiteral("Taufix"), undoQuestionText(plan),
                              QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) != QMessageBox::Yes) {
        return;
    }
    UndoReport report;
    const UndoResult result = m_presenter.undo(plan, report);
    if (result.journalError) {
        report.lines << journalRefusalText(*result.journalError);
    }
    if (result.journalFailure) {
        report.lines << QStringLiteral("Das Protokoll ließ sich nicht mehr schreiben (") +
                            *result.journalFailure + QStringLiteral("); angehalten.");
    }
    if (!report.lines.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("Taufix"),
                             QStringLiteral("Diese Dateien ließen sich nicht zurückbenennen:\n\n") +
                                 report.lines.join(u'\n'));
    }
}

void Form1::ShowScenarioMenu() {
    m_historyMenu->fill(m_history.FillScenarioMenu());
    m_historyMenu->popup(QCursor::pos());
}

void Form1::LoadScenario(int index) {
    const int digitChoiceCount = static_cast<int>(m_presenter.options().digitChoiceTexts().size());
    m_presenter.restoreScenario(
        m_history.LoadScenario(index, m_historyMenu->captions(), digitChoiceCount));
}

void Form1::showInfo() {
    if (!m_infoForm) {
        m_infoForm = std::make_unique<InfoForm>(m_shell, this);
    }
    m_infoForm->main(QStringLiteral("Taufix"),
                     QStringLiteral("Ein praktisches Umbenennungsutility"));
}

void Form1::ToolTipCheckClick(bool on) {
    m_store.SaveSettingValue(kToolTipsKey, on ? QStringLiteral("1") : QStringLiteral("0"));
    LoadToolTips(m_ui, on ? 1 : 0);
}

void Form1::showCommandStates() {
    m_ui.Btn[kBtnRename]->setEnabled(m_presenter.renameEnabled());
    m_ui.Btn[kBtnMoveDown]->setEnabled(m_presenter.moveDownEnabled());
    m_ui.Btn[kBtnMoveUp]->setEnabled(m_presenter.moveUpEnabled());
    // A fill refuses them; the list's header and drops go with the list, last, so that the focus
    // it hands on skips the list commands.
    const bool listFree = !m_presenter.filling();
    m_ui.UndoButton->setEnabled(listFree);
    for (int index : {kBtnClearList, kBtnMarkAll, kBtnMarkNone, kBtnInvertMarks}) {
        m_ui.Btn[index]->setEnabled(listFree);
    }
    if (listFree != m_ui.Liste->isEnabled()) {
        showListFree(listFree);
    }
}

void Form1::showListFree(bool free) {
    // Disabling the list hands its focus on; it comes back unless the user has moved it since.
    // Before the window is shown the list is still to get the first focus.
    if (!free) {
        m_listHadFocus = !isVisible() || m_ui.Liste->hasFocus();
    }
    m_ui.Liste->setEnabled(free);
    if (!free) {
        m_focusStandIn = isVisible() ? QApplication::focusWidget() : nullptr;
    } else if (m_listHadFocus &&
               (m_focusStandIn.isNull() || QApplication::focusWidget() == m_focusStandIn)) {
        m_ui.Liste->setFocus();
    }
}

void Form1::showOptions() {
    const OptionState& options = m_presenter.options();
    setTextIfDifferent(m_ui.Maske, options.settings().Maske);
    setTextIfDifferent(m_ui.Zahl, options.zahlText());
    setTextIfDifferent(m_ui.Schrittweite, options.schrittweiteText());
    setTextIfDifferent(m_ui.SucheText, options.settings().SucheText);
    setTextIfDifferent(m_ui.ErsetzeText, options.settings().ErsetzeText);
    const QStringList digitChoices = options.digitChoiceTexts();
    QStringList shown;
    for (int i = 0; i < m_ui.StellenAnzahl->count(); ++i) {
        shown << m_ui.StellenAnzahl->itemText(i);
    }
    if (shown != digitChoices) {
        m_ui.StellenAnzahl->clear();
        m_ui.StellenAnzahl->addItems(digitChoices);
    }
    m_ui.StellenAnzahl->setCurrentIndex(options.digitIndex());
    m_ui.Vornullenzeichen->setCurrentIndex(options.leadZerosIndex());
    m_ui.Schreibweise->setCurrentIndex(options.letterCaseIndex());
    m_ui.DirItCheck->setChecked(options.dirIt());
}

void Form1::showProgress(int value, int maximum) {
    if (m_ui.Bar->maximum() != qMax(1, maximum)) {
        m_ui.Bar->setRange(0, qMax(1, maximum));
    }
    m_ui.Bar->setValue(value);
}

void Form1::showSortIndicator() {
    QHeaderView* header = m_ui.Liste->header();
    const int sorted = m_presenter.sortedHeader();
    header->setSortIndicatorShown(sorted != 0);
    if (sorted != 0) {
        header->setSortIndicator(sorted - 1, m_presenter.list().SortOrder() == 0
                                                 ? Qt::AscendingOrder
                                                 : Qt::DescendingOrder);
    }
}

void Form1::showNextRowInTrouble() {
    const QModelIndex current = m_ui.Liste->currentIndex();
    const int p = m_presenter.nextRowInTrouble(current.isValid() ? current.row() + 1 : 0);
    if (p == 0) {
        QApplication::beep();
        return;
    }
    const QModelIndex row = m_model.index(p - 1, NeuerNameColumn);
    m_ui.Liste->setFocus();
    // The selection is the marks: only the current row moves.
    m_marks.setCurrentIndex(row, QItemSelectionModel::NoUpdate);
    m_ui.Liste->scrollTo(row);
    const QRect cell = m_ui.Liste->visualRect(row);
    QToolTip::showText(m_ui.Liste->viewport()->mapToGlobal(cell.bottomLeft()),
                       Qt::convertFromPlainText(row.data(Qt::ToolTipRole).toString()),
                       m_ui.Liste->viewport(), cell);
}

void Form1::fitToScreen() {
    const QSize design = sizeHint();
    const QScreen* screen = this->screen();
    if (screen == nullptr) {
        setFixedSize(design);
        return;
    }
    const QRect available = screen->availableGeometry();
    // The window manager's frame is unknown until the window is shown; the style's frame of a
    // window inside a window stands in for it.
    const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    const QSize frame(2 * border, titleBar + 2 * border);
    const QSize room = available.size() - frame;
    if (design.width() <= room.width() && design.height() <= room.height()) {
        setFixedSize(design);
    } else {
        // A small screen or a large scale: the window fits the screen and can be resized. The
        // list and the search fields give up the space; what still does not fit scrolls.
        m_ui.Liste->setMinimumSize(m_ui.Liste->minimumSizeHint());
        for (QLineEdit* field : {m_ui.SucheText, m_ui.ErsetzeText}) {
            field->setMinimumWidth(field->minimumWidth() / 2);
        }
        auto* scroller = new QScrollArea(this);
        scroller->setFrameShape(QFrame::NoFrame);
        // A frame around the controls, never a stop of the focus between them.
        scroller->setFocusPolicy(Qt::NoFocus);
        scroller->setWidgetResizable(true);
        scroller->setWidget(takeCentralWidget());
        setCentralWidget(scroller);
        setWindowFlag(Qt::WindowMaximizeButtonHint);
        resize(design.boundedTo(room));
    }
    move(available.x() + qMax(0, (room.width() - width()) / 2),
         available.y() + qMax(0, (room.height() - height()) / 2));
}
