#include "ui/main_window.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QShortcut>
#include <array>
#include <utility>

#include "ui/button_indexes.h"
#include "ui/field_behaviour.h"
#include "ui/folder_dialog.h"
#include "ui/history_menu.h"
#include "ui/info_window.h"
#include "ui/media_tokens.h"
#include "ui/run_dialogs.h"
#include "ui/settings_store.h"
#include "ui/shell.h"
#include "ui/tooltips.h"
#include "ui/window_layout.h"
#include "ui_main_window.h"

namespace {

const QString kToolTipsKey = QStringLiteral("ToolTips");
const QString kChainsKey = QStringLiteral("TauschenErlauben");

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

void setTextIfDifferent(QLineEdit* field, const QString& text) {
    // Writing the same text would move the caret.
    if (field->text() != text) {
        field->setText(text);
    }
}

}  // namespace

// Outside the namespace: the resource's initialiser is declared where it is called.
static std::unique_ptr<Ui::Form1> setUpForm(QMainWindow& window) {
    // The banner is in this static library's resource, which the linker drops unless referred to.
    Q_INIT_RESOURCE(taufix);
    window.setObjectName(QStringLiteral("Form1"));
    auto form = std::make_unique<Ui::Form1>();
    form->setupUi(&window);
    return form;
}

Form1::Form1(SettingsStore& store, Shell& shell, FileSystem& fileSystem, JournalStore& journal,
             const QByteArrayList& arguments, std::unique_ptr<DelayTimer> timer, QWidget* parent)
    : QMainWindow(parent),
      m_store(store),
      m_shell(shell),
      m_history(store),
      m_presenter(fileSystem, m_history, journal, std::move(timer)),
      m_ui(setUpForm(*this)),
      m_list(m_presenter, m_ui->Liste),
      m_status(addStatusPanels(*m_ui->Status, m_presenter)) {
    m_presenter.setRenameCaption(m_ui->Btn8->text());
    m_maskCaret = new CaretKeeper(m_ui->Maske);
    SetupMediaTokenMenu(m_ui->MediaTokens,
                        [this](const QString& token) { m_maskCaret->insert(token, 0); });
    m_historyMenu = new HistoryMenu(this);

    connectControls();
    showCommandStates();

    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    new WindowLayout(*this, *m_ui);

    startUp(arguments);
}

Form1::~Form1() = default;

void Form1::connectControls() {
    connect(&m_presenter, &PlanPresenter::progress, this, &Form1::showProgress);
    connect(&m_presenter, &PlanPresenter::commandStatesChanged, this, &Form1::showCommandStates);
    connect(&m_presenter, &PlanPresenter::optionsChanged, this, &Form1::showOptions);

    for (int i = 0; i < kBtnCount; ++i) {
        if (QPushButton* button = Btn(*m_ui, i)) {
            connect(button, &QPushButton::clicked, this, [this, i] { BtnClick(i); });
        }
    }

    // The mask field is the mask's editor; the counter, search and replace fields report only
    // the user's edits, since the presenter writes them back.
    connect(m_ui->Maske, &QLineEdit::textChanged, &m_presenter, &PlanPresenter::setMaske);
    connect(m_ui->Zahl, &QLineEdit::textEdited, &m_presenter, &PlanPresenter::setZahlText);
    connect(m_ui->Schrittweite, &QLineEdit::textEdited, &m_presenter,
            &PlanPresenter::setSchrittweiteText);
    connect(m_ui->SucheText, &QLineEdit::textEdited, &m_presenter, &PlanPresenter::setSucheText);
    connect(m_ui->RegexCheck, &QCheckBox::clicked, &m_presenter, &PlanPresenter::chooseRegex);
    connect(m_ui->ErsetzeText, &QLineEdit::textEdited, &m_presenter,
            &PlanPresenter::setErsetzeText);

    // activated reports every choice of the user, by mouse, keys or wheel, and none made in code.
    connect(m_ui->Schreibweise, &QComboBox::activated, &m_presenter,
            &PlanPresenter::chooseLetterCase);
    connect(m_ui->StellenAnzahl, &QComboBox::activated, &m_presenter,
            &PlanPresenter::chooseDigitCount);
    connect(m_ui->Vornullenzeichen, &QComboBox::activated, &m_presenter,
            &PlanPresenter::chooseLeadZeros);

    connect(m_ui->DirItCheck, &QCheckBox::clicked, &m_presenter, &PlanPresenter::setDirIt);
    connect(m_ui->ToolTipCheck, &QCheckBox::toggled, this, &Form1::ToolTipCheckClick);
    connect(m_ui->ChainsCheck, &QCheckBox::toggled, this, [this](bool on) {
        m_store.SaveSettingValue(kChainsKey, on ? QStringLiteral("1") : QStringLiteral("0"));
        m_presenter.setChains(on);
    });

    connect(m_historyMenu, &HistoryMenu::memberChosen, this, &Form1::LoadScenario);
    const auto undo = [this] { undoWithDialogs(m_presenter, this); };
    connect(m_ui->UndoButton, &QPushButton::clicked, this, undo);
    connect(m_ui->FolderButton, &QPushButton::clicked, this, &Form1::addFolder);
    auto* undoKey =
        new QShortcut(QKeySequence::Undo, m_ui->Liste, nullptr, nullptr, Qt::WidgetShortcut);
    connect(undoKey, &QShortcut::activated, this, undo);
    auto* troubleKey = new QShortcut(Qt::Key_F8, this);
    connect(troubleKey, &QShortcut::activated, this, [this] { m_list.showNextRowInTrouble(); });

    auto* digitKeys = new DigitKeysOnly(this);
    for (QLineEdit* counter : {m_ui->Zahl, m_ui->Schrittweite}) {
        counter->installEventFilter(digitKeys);
    }
    auto* selectAll = new SelectAllOnEntry(this);
    for (QLineEdit* field : {m_ui->Zahl, m_ui->Schrittweite, m_ui->SucheText, m_ui->ErsetzeText}) {
        field->installEventFilter(selectAll);
    }
    auto* banner = new ClickReporter(this);
    m_ui->Image1->installEventFilter(banner);
    connect(banner, &ClickReporter::clicked, this, [this] { m_shell.open(kMagazinePage); });
}

void Form1::startUp(const QByteArrayList& arguments) {
    setWindowTitle(QStringLiteral("Taufix"));
    m_ui->Image1->setToolTip(kImage1ToolTip);
    m_ui->Maske->setText(m_presenter.options().settings().Maske);
    m_ui->ToolTipCheck->setChecked(
        m_store.GetSettingValue(kToolTipsKey, QStringLiteral("0")).toInt() != 0);
    m_ui->ChainsCheck->setChecked(
        m_store.GetSettingValue(kChainsKey, QStringLiteral("0")).toInt() != 0);
    m_ui->Schreibweise->addItems({QStringLiteral("beibehalten"), QStringLiteral("alles groß"),
                                  QStringLiteral("alles klein"), QStringLiteral("anfangs groß"),
                                  QStringLiteral("Wörter groß")});
    m_ui->Vornullenzeichen->addItems({QStringLiteral("keine"), QStringLiteral("Null"),
                                      QStringLiteral("Leerzeichen"),
                                      QStringLiteral("Unterstrich")});
    showOptions();

    m_presenter.clearList();
    if (!arguments.isEmpty()) {
        m_presenter.fill(arguments, FillMode::CommandLine);
    }
    if (!m_store.problem().isEmpty()) {
        // After the check that ends the fill, which writes the hint line.
        const auto showProblem = [this] { m_status.hint->setText(m_store.problem()); };
        if (m_presenter.listBusy()) {
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
            m_ui->Liste->setFocus();
            break;
        case kBtnMarkAll:
        case kBtnMarkNone:
        case kBtnInvertMarks:
            m_presenter.markRows(index == kBtnMarkAll    ? SelectMode::MarkAll
                                 : index == kBtnMarkNone ? SelectMode::UnmarkAll
                                                         : SelectMode::InvertMarks);
            m_ui->Liste->setFocus();
            break;
        case kBtnRename:
            runWithDialogs(m_presenter, this, m_ui->DirItTextBox);
            break;
        case kBtnEnd:
            // At once and without saving anything: the event loop ends here.
            QCoreApplication::exit(0);
            break;
        case kBtnHelp:
            OpenHelp(m_shell, helpFilePath());
            break;
        case kBtnClearMask:
            m_ui->Maske->setText(QString());
            m_ui->Maske->setFocus();
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

void Form1::addFolder() {
    if (const std::optional<FolderChoice> choice = chooseFolder(this, m_withSubfolders)) {
        m_withSubfolders = choice->withSubfolders;
        m_presenter.fill({QFile::encodeName(choice->folder)}, FillMode::Drop,
                         m_withSubfolders ? FolderScope::FilesInSubfolders : FolderScope::Files);
    }
}

void Form1::ToolTipCheckClick(bool on) {
    m_store.SaveSettingValue(kToolTipsKey, on ? QStringLiteral("1") : QStringLiteral("0"));
    LoadToolTips(*m_ui, m_status, on ? 1 : 0);
}

void Form1::showCommandStates() {
    m_ui->Btn8->setEnabled(m_presenter.renameEnabled());
    m_ui->Btn12->setEnabled(m_presenter.moveDownEnabled());
    m_ui->Btn13->setEnabled(m_presenter.moveUpEnabled());
    // A fill refuses them; the list's header and drops go with the list, last, so that the focus
    // it hands on skips the list commands.
    const bool listFree = !m_presenter.listBusy();
    m_ui->UndoButton->setEnabled(listFree);
    m_ui->FolderButton->setEnabled(listFree);
    for (int index : {kBtnClearList, kBtnMarkAll, kBtnMarkNone, kBtnInvertMarks}) {
        Btn(*m_ui, index)->setEnabled(listFree);
    }
    m_list.setFree(listFree);
}

void Form1::showOptions() {
    const OptionState& options = m_presenter.options();
    setTextIfDifferent(m_ui->Maske, options.settings().Maske);
    setTextIfDifferent(m_ui->Zahl, options.zahlText());
    setTextIfDifferent(m_ui->Schrittweite, options.schrittweiteText());
    setTextIfDifferent(m_ui->SucheText, options.settings().SucheText);
    setTextIfDifferent(m_ui->ErsetzeText, options.settings().ErsetzeText);
    const QStringList digitChoices = options.digitChoiceTexts();
    QStringList shown;
    for (int i = 0; i < m_ui->StellenAnzahl->count(); ++i) {
        shown << m_ui->StellenAnzahl->itemText(i);
    }
    if (shown != digitChoices) {
        m_ui->StellenAnzahl->clear();
        m_ui->StellenAnzahl->addItems(digitChoices);
    }
    m_ui->StellenAnzahl->setCurrentIndex(options.digitIndex());
    m_ui->Vornullenzeichen->setCurrentIndex(options.leadZerosIndex());
    m_ui->Schreibweise->setCurrentIndex(options.letterCaseIndex());
    m_ui->DirItCheck->setChecked(options.dirIt());
    m_ui->RegexCheck->setChecked(options.settings().searchKind == SearchKind::Pattern);
}

void Form1::showProgress(int value, int maximum) {
    if (m_ui->Bar->maximum() != qMax(1, maximum)) {
        m_ui->Bar->setRange(0, qMax(1, maximum));
    }
    m_ui->Bar->setValue(value);
}
