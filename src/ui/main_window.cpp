#include "ui/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTreeView>
#include <array>

#include "plan/counter_fields.h"
#include "plan/delay_timer.h"
#include "ui/file_list_model.h"
#include "ui/history_menu.h"
#include "ui/info_window.h"
#include "ui/settings_store.h"
#include "ui/shell.h"
#include "ui/tooltips.h"

namespace {

const QString kToolTipsKey = QStringLiteral("ToolTips");

// The text each token button inserts into the mask, by button index; empty for the others.
constexpr std::array<QStringView, kBtnCount> kTokenOfButton{
    u"",         u"",        u"",    u"",    u"[NAME]", u"[TYP]", u"[ZAHL]", u"[S]",     u"",
    u"",         u"",        u"",    u"",    u"",       u"",      u"[JAHR]", u"[MONAT]", u"[TAG]",
    u"[RDATUM]", u"[DATUM]", u"[M]", u"[H]", u"[ZEIT]", u"[]",    u"",       u""};

// Asks the user after a failed renaming: OK goes on, Cancel ends the run.
class MessageBoxDecision : public FailureDecision {
  public:
    explicit MessageBoxDecision(QWidget* parent) : m_parent(parent) {}

    bool continueAfterFailure(const FileEntry& entry) override {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Taufix"), failureDialogText(entry),
                        QMessageBox::Ok | QMessageBox::Cancel, m_parent);
        box.setDefaultButton(QMessageBox::Ok);
        return box.exec() == QMessageBox::Ok;
    }

  private:
    QWidget* m_parent;
};

// A choice made in code runs the same handling as one of the user.
template <typename Handler>
void chooseInCode(QComboBox* list, int index, Handler handler) {
    list->setCurrentIndex(index);
    handler(index);
}

}  // namespace

Form1::Form1(SettingsStore& store, Shell& shell, FileSystem& fileSystem,
             const QByteArrayList& arguments, DelayTimer* timer, QWidget* parent)
    : QMainWindow(parent),
      m_store(store),
      m_shell(shell),
      m_ownTimer(timer ? nullptr : std::make_unique<QtDelayTimer>([this] { Timer1Tick(); })),
      m_plan(fileSystem, timer ? timer : m_ownTimer.get()),
      m_history(store) {
    setObjectName(QStringLiteral("Form1"));
    m_ui = buildMainWindowControls(*this);

    m_model = new FileListModel(m_plan, this);
    m_ui.Liste->setModel(m_model);
    for (int k = 0; k < kColumnCount; ++k) {
        const int width = FileListModel::columnWidth(k);
        m_ui.Liste->setColumnWidth(k, width);
        m_ui.Liste->setColumnHidden(k, width == 0);
    }
    for (const size_t i : {size_t{8}, size_t{12}, size_t{13}}) {
        m_ui.Btn[i]->setEnabled(false);
    }

    connectPlan();
    connectControls();

    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(sizeHint());
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    startUp(arguments);
}

Form1::~Form1() {
    // The view and its model are children, which outlive the members; the plan the model reads
    // goes first, so they must go before it.
    m_ui.Liste->setModel(nullptr);
    delete m_model;
}

void Form1::Timer1Tick() {
    m_plan.timerTick();
}

void Form1::connectPlan() {
    connect(&m_plan, &RenamePlan::userInfo, m_ui.StatusPanel[1], &QLabel::setText);
    connect(&m_plan, &RenamePlan::progress, this, &Form1::showProgress);
    // The model has reset itself on the same signal before.
    connect(&m_plan, &RenamePlan::rowsChanged, this, &Form1::selectMarkedRows);
    connect(&m_plan, &RenamePlan::checked, this, [this] {
        showVerdict();
        selectMarkedRows();
    });
    connect(&m_plan, &RenamePlan::renameEnabledChanged, m_ui.Btn[8], &QPushButton::setEnabled);
    connect(&m_plan, &RenamePlan::counterTextsNormalised, this, [this] {
        // The plan has armed the delayed check for the rewritten fields already.
        const QSignalBlocker zahl(m_ui.Zahl);
        const QSignalBlocker schrittweite(m_ui.Schrittweite);
        m_ui.Zahl->setText(m_plan.zahlText());
        m_ui.Schrittweite->setText(m_plan.schrittweiteText());
    });
    connect(&m_plan, &RenamePlan::digitChoicesChanged, this, &Form1::showDigitChoices);
}

void Form1::connectControls() {
    for (int i = 0; i < kBtnCount; ++i) {
        if (QPushButton* button = m_ui.Btn[static_cast<size_t>(i)]) {
            connect(button, &QPushButton::clicked, this, [this, i] { BtnClick(i); });
        }
    }

    connect(m_ui.Maske, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_ui.Maske->hasFocus()) {
            rememberMaskCaret();
        }
        m_plan.setMaske(text);
    });
    connect(m_ui.Zahl, &QLineEdit::textChanged, &m_plan, &RenamePlan::setZahlText);
    connect(m_ui.Schrittweite, &QLineEdit::textChanged, &m_plan, &RenamePlan::setSchrittweiteText);
    connect(m_ui.SucheText, &QLineEdit::textChanged, &m_plan, &RenamePlan::setSucheText);
    connect(m_ui.ErsetzeText, &QLineEdit::textChanged, &m_plan, &RenamePlan::setErsetzeText);

    // activated reports every choice of the user, by mouse, keys or wheel, and none made in code.
    connect(m_ui.Schreibweise, &QComboBox::activated, this, &Form1::chooseLetterCase);
    connect(m_ui.StellenAnzahl, &QComboBox::activated, this, &Form1::chooseDigitCount);
    connect(m_ui.Vornullenzeichen, &QComboBox::activated, this, &Form1::chooseLeadZeros);

    connect(m_ui.DirItCheck, &QCheckBox::toggled, this,
            [this](bool on) { m_plan.setDirIt(on ? 1 : 0); });
    connect(m_ui.ToolTipCheck, &QCheckBox::toggled, this, &Form1::ToolTipCheckClick);

    connect(m_ui.Liste->header(), &QHeaderView::sectionClicked, this,
            [this](int section) { m_plan.headerClicked(section + 1); });
    connect(m_ui.Liste->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Form1::takeMarksFromView);

    for (QObject* watched :
         {static_cast<QObject*>(m_ui.Zahl), static_cast<QObject*>(m_ui.Schrittweite),
          static_cast<QObject*>(m_ui.SucheText), static_cast<QObject*>(m_ui.ErsetzeText),
          static_cast<QObject*>(m_ui.Maske), static_cast<QObject*>(m_ui.Liste->viewport()),
          static_cast<QObject*>(m_ui.Image1)}) {
        watched->installEventFilter(this);
    }
}

void Form1::startUp(const QByteArrayList& arguments) {
    setWindowTitle(QStringLiteral("Taufix"));
    m_ui.Image1->setToolTip(kImage1ToolTip);
    m_ui.Zahl->setText(QStringLiteral("1"));
    m_ui.Schrittweite->setText(QStringLiteral("1"));
    m_ui.Maske->setText(QStringLiteral("[NAME][TYP]"));
    m_ui.ToolTipCheck->setChecked(
        m_store.GetSettingValue(kToolTipsKey, QStringLiteral("0")).toInt() != 0);

    m_ui.Schreibweise->addItems({QStringLiteral("beibehalten"), QStringLiteral("alles groß"),
                                 QStringLiteral("alles klein"), QStringLiteral("anfangs groß")});
    chooseInCode(m_ui.Schreibweise, 0, [this](int index) { chooseLetterCase(index); });
    showDigitChoices();
    chooseInCode(m_ui.StellenAnzahl, 0, [this](int index) { chooseDigitCount(index); });
    m_ui.Vornullenzeichen->addItems({QStringLiteral("keine"), QStringLiteral("Null"),
                                     QStringLiteral("Leerzeichen"), QStringLiteral("Unterstrich")});
    chooseInCode(m_ui.Vornullenzeichen, 0, [this](int index) { chooseLeadZeros(index); });

    m_historyMenu = new HistoryMenu(this);
    connect(m_historyMenu, &HistoryMenu::memberChosen, this, &Form1::LoadScenario);

    // The field changes above have armed the delayed check; the check below replaces it.
    m_plan.cancelDelayedCheck();
    m_plan.clearList();
    if (!arguments.isEmpty()) {
        m_plan.fill(arguments, FillMode::CommandLine);
    }
}

void Form1::BtnClick(int index) {
    const QStringView token = kTokenOfButton.at(static_cast<size_t>(index));
    if (!token.isEmpty()) {
        // The empty brackets leave the caret between them, for a range to be typed.
        InsertText(token.toString(), token == u"[]" ? -1 : 0);
        return;
    }
    switch (index) {
        case 0:
            m_plan.clearList();
            m_ui.Liste->setFocus();
            break;
        case 1:
        case 2:
        case 3:
            m_plan.markRows(index == 1 ? MarkAll : index == 2 ? UnmarkAll : InvertMarks);
            m_ui.Liste->setFocus();
            break;
        case 8:
            UmTaufen();
            break;
        case 9:
            // At once and without saving anything: the event loop ends here.
            QCoreApplication::exit(0);
            break;
        case 10:
            OpenHelp(m_shell, helpFilePath());
            break;
        case 11:
            m_ui.Maske->setText(QString());
            m_ui.Maske->setFocus();
            break;
        case 12:
        case 13:
            if (!m_plan.EintragVerschieben(index == 13)) {
                QApplication::beep();
            }
            break;
        case 24:
            ShowScenarioMenu();
            break;
        case 25:
            showInfo();
            break;
        default:
            break;
    }
}

void Form1::rememberMaskCaret() {
    if (m_ui.Maske->hasSelectedText()) {
        m_maskSelectionStart = m_ui.Maske->selectionStart();
        m_maskSelectionLength = m_ui.Maske->selectionLength();
    } else {
        m_maskSelectionStart = m_ui.Maske->cursorPosition();
        m_maskSelectionLength = 0;
    }
}

void Form1::InsertText(const QString& s, int p) {
    // A click on a button has taken the focus and the selection with it; an access key has not.
    if (m_ui.Maske->hasFocus()) {
        rememberMaskCaret();
    }
    const int length = static_cast<int>(m_ui.Maske->text().size());
    const int start = qBound(0, m_maskSelectionStart, length);
    const int selected = qBound(0, m_maskSelectionLength, length - start);
    m_ui.Maske->setSelection(start, selected);
    m_ui.Maske->insert(s);
    m_ui.Maske->setCursorPosition(m_ui.Maske->cursorPosition() + p);
    m_ui.Maske->setFocus();
}

void Form1::UmTaufen() {
    MessageBoxDecision decision(this);
    const RenameRunResult result =
        m_plan.UmTaufen(decision, [this] { m_history.SaveScenario(currentScenario()); });
    if (m_plan.settings().DirIt != 0) {
        m_ui.DirItTextBox->setPlainText(result.DirText);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setText(m_ui.DirItTextBox->toPlainText());
        m_ui.DirItTextBox->clear();
    }
}

Scenario Form1::currentScenario() const {
    Scenario scenario;
    scenario.mask = m_ui.Maske->text();
    scenario.startText = m_ui.Zahl->text();
    scenario.stepText = m_ui.Schrittweite->text();
    scenario.digitsPosition = qMax(0, m_ui.StellenAnzahl->currentIndex());
    scenario.leadZerosPosition = qMax(0, m_ui.Vornullenzeichen->currentIndex());
    scenario.letterCasePosition = qMax(0, m_ui.Schreibweise->currentIndex());
    scenario.searchText = m_ui.SucheText->text();
    scenario.replaceText = m_ui.ErsetzeText->text();
    scenario.dirIt = m_ui.DirItCheck->isChecked() ? 1 : 0;
    return scenario;
}

void Form1::ShowScenarioMenu() {
    m_historyMenu->fill(m_history.FillScenarioMenu());
    m_historyMenu->popup(QCursor::pos());
}

void Form1::LoadScenario(int index) {
    const Scenario scenario =
        m_history.LoadScenario(index, m_historyMenu->captions(), m_ui.StellenAnzahl->count());
    // Each value goes through its control, so that the control's own handling runs.
    m_ui.Maske->setText(scenario.mask);
    m_ui.Zahl->setText(scenario.startText);
    m_ui.Schrittweite->setText(scenario.stepText);
    chooseInCode(m_ui.StellenAnzahl, scenario.digitsPosition,
                 [this](int i) { chooseDigitCount(i); });
    chooseInCode(m_ui.Vornullenzeichen, scenario.leadZerosPosition,
                 [this](int i) { chooseLeadZeros(i); });
    chooseInCode(m_ui.Schreibweise, scenario.letterCasePosition,
                 [this](int i) { chooseLetterCase(i); });
    m_ui.SucheText->setText(scenario.searchText);
    m_ui.ErsetzeText->setText(scenario.replaceText);
    m_ui.DirItCheck->setChecked(scenario.dirIt != 0);
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

void Form1::chooseLetterCase(int index) {
    m_plan.setLetterCase(index);
}

void Form1::chooseDigitCount(int index) {
    m_plan.chooseDigitCount(index);
}

void Form1::chooseLeadZeros(int index) {
    m_plan.chooseLeadZeros(index);
}

void Form1::showVerdict() {
    const PlanVerdict& verdict = m_plan.verdict();
    m_ui.StatusPanel[0]->setText(verdict.markedText);
    m_ui.Btn[8]->setEnabled(m_plan.renameEnabled());
    m_ui.Btn[12]->setEnabled(verdict.moveDownEnabled);
    m_ui.Btn[13]->setEnabled(verdict.moveUpEnabled);
}

void Form1::showDigitChoices() {
    const QSignalBlocker blocker(m_ui.StellenAnzahl);
    const QStringList& choices = m_plan.digitChoices();
    bool same = m_ui.StellenAnzahl->count() == choices.size();
    for (int i = 0; same && i < choices.size(); ++i) {
        same = m_ui.StellenAnzahl->itemText(i) == choices.at(i);
    }
    if (!same) {
        m_ui.StellenAnzahl->clear();
        m_ui.StellenAnzahl->addItems(choices);
    }
    m_ui.StellenAnzahl->setCurrentIndex(m_plan.digitIndex());
}

void Form1::showProgress(int value, int maximum) {
    if (m_ui.Bar->maximum() != qMax(1, maximum)) {
        m_ui.Bar->setRange(0, qMax(1, maximum));
    }
    // A pass over a long list reports every row; a hundredth of the bar is enough to see.
    const int step = qMax(1, maximum / 100);
    if (value == 0 || value == maximum || qAbs(value - m_barValue) >= step) {
        m_barValue = value;
        m_ui.Bar->setValue(value);
    }
}

void Form1::selectMarkedRows() {
    const FileList& list = m_plan.list();
    QItemSelection selection;
    const int count = list.count();
    for (int p = 1; p <= count; ++p) {
        if (!list.at(p).Selected) {
            continue;
        }
        const int first = p;
        while (p < count && list.at(p + 1).Selected) {
            ++p;
        }
        selection.select(m_model->index(first - 1, 0), m_model->index(p - 1, kColumnCount - 1));
    }
    m_showingMarks = true;
    m_ui.Liste->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    m_showingMarks = false;
}

void Form1::takeMarksFromView(const QItemSelection& selected, const QItemSelection& deselected) {
    if (m_showingMarks) {
        return;
    }
    for (const QItemSelectionRange& range : deselected) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            m_plan.setSelected(row + 1, false);
        }
    }
    for (const QItemSelectionRange& range : selected) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            m_plan.setSelected(row + 1, true);
        }
    }
    // No check has seen these marks yet: the rename command waits for the delayed one.
    m_plan.listClicked();
}

void Form1::dropFiles(const QMimeData* data) {
    QByteArrayList paths;
    if (data && data->hasUrls()) {
        const QList<QUrl> urls = data->urls();
        for (const QUrl& url : urls) {
            if (url.isLocalFile()) {
                // The bytes the file manager named: a name that is no valid text stays visible
                // as such instead of turning into another name.
                paths << QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
            }
        }
    }
    if (paths.isEmpty()) {
        QApplication::beep();
        return;
    }
    m_plan.fill(paths, FillMode::Drop);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((watched == m_ui.Zahl || watched == m_ui.Schrittweite) && type == QEvent::KeyPress) {
        // Printable keys other than digits are swallowed; editing keys and shortcuts pass.
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text =
            key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)
                ? QString()
                : key->text();
        for (const QChar ch : text) {
            if (!ch.isPrint()) {
                continue;
            }
            int keyAscii = ch.unicode();
            ChkForValidNumKeys(keyAscii);
            if (keyAscii == 0) {
                return true;
            }
        }
    }
    if (type == QEvent::FocusIn && (watched == m_ui.Zahl || watched == m_ui.Schrittweite ||
                                    watched == m_ui.SucheText || watched == m_ui.ErsetzeText)) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            // Deferred: a mouse press that gave the focus places the caret after this event.
            QMetaObject::invokeMethod(static_cast<QLineEdit*>(watched), &QLineEdit::selectAll,
                                      Qt::QueuedConnection);
        }
    }
    if (watched == m_ui.Maske && type == QEvent::FocusOut) {
        // Before the field drops its selection.
        rememberMaskCaret();
    }
    if (watched == m_ui.Liste->viewport()) {
        switch (type) {
            case QEvent::DragEnter:
            case QEvent::DragMove:
                static_cast<QDropEvent*>(event)->acceptProposedAction();
                return true;
            case QEvent::Drop: {
                auto* drop = static_cast<QDropEvent*>(event);
                // Copy where offered: a source that took the drop for a move would delete the
                // files it sent.
                if (drop->possibleActions() & Qt::CopyAction) {
                    drop->setDropAction(Qt::CopyAction);
                }
                drop->accept();
                dropFiles(drop->mimeData());
                return true;
            }
            case QEvent::MouseButtonRelease:
                m_plan.listClicked();
                break;
            default:
                break;
        }
    }
    if (watched == m_ui.Image1 && type == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        m_shell.open(kMagazinePage);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
