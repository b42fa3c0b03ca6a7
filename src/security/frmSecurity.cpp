#include "frmSecurity.h"

#include "CommonRoutines.h"
#include "CorvaneCodeTables.h"
#include "Log.h"
#include "Messages.h"
#include "SecurityCopy.h"
#include "SecurityReply.h"
#include "SecurityTree.h"
#include "ServerRequest.h"
#include "SharedState.h"
#include "Text.h"
#include "WaitPointer.h"
#include "WheelHook.h"
#include "WidgetRoutines.h"
#include "WindowRunner.h"
#include "WireCodec.h"
#include "frmSecurityCopy.h"
#include "frmSecurityDistribute.h"
#include "frmSecurityEntity.h"
#include "frmSecurityModuleAccess.h"
#include "frmSecurityPrograms.h"
#include "frmSecurityTransDetail.h"
#include "frmSecurityTransGroups.h"
#include "grid/CorvaneGrid.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace corvane {

namespace {

constexpr int keyRole = Qt::UserRole;
constexpr int tagRole = Qt::UserRole + 1;
const char* const windowCaption = "Security Settings";
// Typed letters belong to one operator code while they follow each other this closely.
constexpr qint64 typeAheadPause = 1000;

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

// Node keys are kept as the server's bytes, so a key always reads back exactly.
QByteArray keyBytes(std::string_view key)
{
    return QByteArray(key.data(), static_cast<qsizetype>(key.size()));
}

std::string keyOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, keyRole).toByteArray().toStdString() : std::string();
}

bool sameCode(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

} // namespace

frmSecurity::frmSecurity(QWidget* parent)
    : GuardedDialog(parent)
{
    setObjectName(QStringLiteral("frmSecurity"));
    buildWindow();
}

frmSecurity::~frmSecurity()
{
    WheelHook::remove(this);
}

void frmSecurity::buildWindow()
{
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("tvwUsersAndGroups"));
    m_tree->setHeaderHidden(true);
    m_tree->installEventFilter(this);

    auto* titles = new QFrame(this);
    titles->setObjectName(QStringLiteral("frTitle"));
    m_title1 = new QLabel(titles);
    m_title1->setObjectName(QStringLiteral("lblTitle1"));
    m_title2 = new QLabel(titles);
    m_title2->setObjectName(QStringLiteral("lblTitle2"));
    QFont bold = m_title1->font();
    bold.setBold(true);
    m_title1->setFont(bold);
    m_title2->setFont(bold);
    auto* titleLayout = new QVBoxLayout(titles);
    titleLayout->setContentsMargins(0, 0, 0, 0);
    titleLayout->addWidget(m_title1);
    titleLayout->addWidget(m_title2);

    m_findBar = new QFrame(this);
    m_findBar->setObjectName(QStringLiteral("fraFind"));
    auto* findLabel = new QLabel(tr("&Find:"), m_findBar);
    findLabel->setObjectName(QStringLiteral("lblFind"));
    m_findText = new QLineEdit(m_findBar);
    m_findText->setObjectName(QStringLiteral("txtFind"));
    m_findText->setPlaceholderText(tr("code or description: text, text* or *text"));
    findLabel->setBuddy(m_findText);
    m_find = makeButton(m_findBar, "cmdFind", tr("Find (F3)"));
    auto* findLayout = new QHBoxLayout(m_findBar);
    findLayout->setContentsMargins(0, 0, 0, 0);
    findLayout->addWidget(findLabel);
    findLayout->addWidget(m_findText, 1);
    findLayout->addWidget(m_find);
    m_findBar->setVisible(false);

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("fraPages"));
    m_noPage = new QWidget(m_pages);
    m_cover = makeCoverPage(m_pages, "frCover", "lblNoData", wire(ModuleAccess::noDataText));
    m_moduleAccess = new frmSecurityModuleAccess(m_pages);
    m_entity = new frmSecurityEntity(m_pages);
    m_transDetail = new frmSecurityTransDetail(m_pages);
    m_transGroups = new frmSecurityTransGroups(m_pages);
    m_programsPage
        = new frmSecurityPrograms([this] { return programList(); }, [this] { reloadProgramList(); }, m_pages);
    m_copy = new frmSecurityCopy([this] { return programList(); }, m_pages);
    m_distribute = new frmSecurityDistribute(m_pages);
    m_pages->addWidget(m_noPage);
    m_pages->addWidget(m_cover);
    for (frmSecurityPage* page : std::initializer_list<frmSecurityPage*> {
             m_moduleAccess, m_entity, m_transDetail, m_transGroups, m_programsPage, m_copy, m_distribute}) {
        m_pages->addWidget(page);
        connect(page, &frmSecurityPage::saveStateChanged, this, &frmSecurity::updateSaveButton);
    }

    m_save = makeButton(this, "cmdSave", tr("S&ave"));
    m_exit = makeButton(this, "cmdCancel", tr("E&xit"));
    m_exit->setToolTip(tr("Ignore Changes & Exit"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_exit);

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(titles);
    rightLayout->addWidget(m_findBar);
    rightLayout->addWidget(m_pages, 1);
    rightLayout->addLayout(buttons);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_tree);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({280, 720});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    resize(1040, 660);
    setSizeGripEnabled(true);

    m_toolTipTimer = makeToolTipTimer(m_tree);

    connect(m_tree, &QTreeWidget::currentItemChanged, this, &frmSecurity::tvwUsersAndGroups_NodeClick);
    connect(m_tree, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* item) { item->setIcon(0, style()->standardIcon(QStyle::SP_DirOpenIcon)); });
    connect(m_tree, &QTreeWidget::itemCollapsed, this, &frmSecurity::tvwUsersAndGroups_Collapse);
    connect(m_save, &QPushButton::clicked, this, &frmSecurity::cmdSave_Click);
    connect(m_exit, &QPushButton::clicked, this, &frmSecurity::reject);
    connect(m_find, &QPushButton::clicked, this, &frmSecurity::FindNext);
    connect(m_findText, &QLineEdit::returnPressed, this, &frmSecurity::FindNext);
    auto* findNext = new QShortcut(QKeySequence(Qt::Key_F3), this);
    connect(findNext, &QShortcut::activated, this, &frmSecurity::FindNext);
    auto* findBox = new QShortcut(QKeySequence::Find, this);
    connect(findBox, &QShortcut::activated, this, [this] {
        if (m_findBar->isVisible()) {
            m_findText->setFocus();
            m_findText->selectAll();
        }
    });
    connect(this, &QDialog::finished, this, [this] { WheelHook::remove(this); });
}

void frmSecurity::ShowSecurityList(bool modal)
{
    try {
        resetSettled();
        m_mayEdit = programRights("PRGL").mayChange;
        m_entityMix = TypeOfEntitiesInSystem();
        m_developer = SharedState::instance().developerMode();
        Form_Load();
        m_moduleAccess->clearPage();
        hideAllFrames();
        m_caption = QString::fromLatin1(windowCaption);
        if (!m_mayEdit)
            m_caption += QString(24, QLatin1Char(' ')) + QStringLiteral("READ ONLY");
        setWindowTitle(m_caption);
        disableTreeToolTips(m_tree);
        m_toolTipTimer->start();
        m_tree->setFocus();
        WindowRunner::open(*this, modal);
    } catch (...) {
        Log::error("ERR in frmSecurity.ShowSecurityList   ", Log::describeCurrentException());
    }
}

void frmSecurity::Form_Load()
{
    LoadTreeView();
    if (!m_developer) {
        // Over the grid the wheel moves one row instead of the grid's own three; elsewhere it is left alone.
        QWidget* viewport = m_moduleAccess->grid().viewport();
        viewport->removeEventFilter(this);
        viewport->installEventFilter(this);
        WheelHook::install(this, [this](bool up) {
            m_pendingWheel = up ? 1 : -1;
            QTimer::singleShot(0, this, [this] { m_pendingWheel = 0; });
        });
    }
}

QTreeWidgetItem* frmSecurity::addNode(QTreeWidgetItem* parent, const std::string& key, const QString& text, bool leaf)
{
    if (!m_nodeKeys.insert(key).second) {
        const std::string parentText
            = parent ? WireCodec::toWire(parent->text(0)).value_or(keyOf(parent)) : std::string();
        const std::string error = "Key is not unique in collection: " + key;
        Log::line("Failed to load list: \r\n" + error);
        tell("Failed to load list of " + parentText + ".\r\n" + error, PromptIcon::Critical);
        return nullptr;
    }
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
    item->setText(0, text);
    item->setData(0, keyRole, keyBytes(key));
    item->setIcon(0, style()->standardIcon(leaf ? QStyle::SP_FileIcon : QStyle::SP_DirClosedIcon));
    return item;
}

void frmSecurity::addPages(QTreeWidgetItem* parent, const std::string& kind, const std::string& code)
{
    for (const SecurityPage& page : SecurityTree::pages(kind, m_entityMix, m_mayEdit, m_developer))
        addNode(parent, SecurityTree::nodeKey(kind, code, page.word), wire(page.text), true);
}

void frmSecurity::LoadTreeView()
{
    try {
        m_revertingNode = true;
        m_tree->clear();
        m_revertingNode = false;
        m_nodeKeys.clear();
        m_operators.clear();
        QTreeWidgetItem* operators = addNode(nullptr, "O", tr("Operators"), false);
        operators->setData(0, tagRole, tr("Operators"));
        if (auto table = GetCodeTable("OP", 0)) {
            std::vector<std::vector<std::string>> rows;
            if (table->GetRows(SharedState::instance().contextKey, rows)) {
                for (const auto& row : rows) {
                    if (row.empty())
                        continue;
                    // A row holds the code and the table's record: code, description, security group.
                    const std::string& code = row[0];
                    const auto fields = row.size() > 1 ? text::split(row[1], '\t') : std::vector<std::string_view> {};
                    const std::string description(fields.size() > 1    ? fields[1]
                                                      : fields.empty() ? std::string_view()
                                                                       : fields[0]);
                    const std::string text = SecurityTree::operatorText(code, description);
                    QTreeWidgetItem* node
                        = addNode(operators, SecurityTree::nodeKey("O", code, {}, 2), wire(text), true);
                    if (!node)
                        continue;
                    m_operators.emplace_back(code, text);
                    addPages(node, "O", code);
                }
            }
        }
        QTreeWidgetItem* groups = addNode(nullptr, "G", tr("Groups"), false);
        groups->setData(0, tagRole, tr("Groups"));
        for (int g = 0; g < 10; ++g) {
            const std::string number = std::to_string(g);
            QTreeWidgetItem* node
                = addNode(groups, SecurityTree::nodeKey("G", number, {}, 2), wire(SecurityTree::groupName(g)), true);
            if (node)
                addPages(node, "G", number);
        }
        QTreeWidgetItem* system = addNode(nullptr, "S", tr("System"), false);
        system->setData(0, tagRole, tr("System"));
        addPages(system, "S", {});
        system->setExpanded(true);
        m_save->setVisible(m_mayEdit);
        m_copy->setOperators(m_operators, SharedState::instance().operatorName);
    } catch (...) {
        Log::error("ERR in frmSecurity.LoadTreeView   ", Log::describeCurrentException());
    }
}

void frmSecurity::hideAllFrames()
{
    m_pages->setCurrentWidget(m_noPage);
    m_findBar->setVisible(false);
}

frmSecurityPage* frmSecurity::pageFor(const std::string& word) const
{
    if (word == "mod")
        return m_moduleAccess;
    if (word == "entity")
        return m_entity;
    if (word == "modify_trans" || word == "modify_trans_anest")
        return m_transDetail;
    if (word == "mod_trans_group_setup" || word == "mod_trans_group_setup_anest")
        return m_transGroups;
    if (word == "copy_security_settings")
        return m_copy;
    if (word == "distribute_security_settings")
        return m_distribute;
    if (word == "mod_security_programs")
        return m_programsPage;
    return nullptr;
}

frmSecurityPage* frmSecurity::currentPage() const
{
    if (m_word.empty())
        return nullptr;
    return qobject_cast<frmSecurityPage*>(m_pages->currentWidget());
}

QString frmSecurity::pageText(const std::string& word) const
{
    for (const SecurityPage& page : SecurityTree::pages(m_kind, m_entityMix, m_mayEdit, m_developer)) {
        if (page.word == word)
            return wire(page.text);
    }
    return wire(word);
}

void frmSecurity::showNoPage(const std::string& kind, const std::string& code)
{
    m_moduleAccess->clearPage();
    hideAllFrames();
    std::string title = SecurityTree::kindTitle(kind);
    if (!code.empty())
        title += ":  " + code;
    m_title1->setText(wire(title));
    m_title2->clear();
    m_kind = kind;
    m_code = code;
    m_word.clear();
    m_save->setEnabled(false);
}

void frmSecurity::tvwUsersAndGroups_NodeClick(QTreeWidgetItem* item, QTreeWidgetItem* previous)
{
    if (m_revertingNode || !item)
        return;
    try {
        if (!settlePendingChanges()) {
            // The operator stays with the page and its edits.
            m_revertingNode = true;
            m_tree->setCurrentItem(previous);
            m_revertingNode = false;
            return;
        }
        m_findText->clear();
        const SecurityNodeKey key = SecurityTree::splitKey(keyOf(item));
        if (key.parts < 3) {
            showNoPage(key.kind, key.code);
            return;
        }
        ShowSecurity(key.kind, key.code, key.word);
    } catch (...) {
        Log::error("ERR in frmSecurity.tvwUsersAndGroups_NodeClick   ", Log::describeCurrentException());
    }
}

void frmSecurity::tvwUsersAndGroups_Collapse(QTreeWidgetItem* item)
{
    item->setIcon(0, style()->standardIcon(QStyle::SP_DirClosedIcon));
    if (item->parent() || m_revertingNode)
        return;
    const std::string rootKind = keyOf(item);
    // Only the branch that holds the page shown gives it up.
    if (m_kind != rootKind)
        return;
    if (!settlePendingChanges()) {
        m_revertingNode = true;
        item->setExpanded(true);
        m_revertingNode = false;
        return;
    }
    m_revertingNode = true;
    m_tree->setCurrentItem(item);
    m_revertingNode = false;
    showNoPage(rootKind, {});
}

bool frmSecurity::selectPage(const std::string& kind, const std::string& code, const std::string& word)
{
    const int parts = !word.empty() ? 3 : code.empty() ? 1 : 2;
    const std::string key = SecurityTree::nodeKey(kind, code, word, parts);
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        if (keyOf(*it) == key) {
            for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent())
                p->setExpanded(true);
            m_tree->setCurrentItem(*it);
            return m_tree->currentItem() == *it;
        }
    }
    return false;
}

void frmSecurity::ShowSecurity(const std::string& kind, const std::string& code, const std::string& word)
{
    try {
        const WaitPointer wait;
        m_ownSettings = false;
        m_moduleAccess->clearPage();
        m_pages->setCurrentWidget(m_cover);
        m_findBar->setVisible(false);
        m_title1->clear();
        m_title2->clear();
        m_title1->setText(wire(SecurityTree::kindTitle(kind) + ":  " + code));
        m_kind = kind;
        m_code = code;
        m_word = word;
        frmSecurityPage* page = pageFor(word);
        if (!page) {
            Log::line("ERR in frmSecurity.ShowSecurity   no page " + word);
            m_save->setEnabled(false);
            return;
        }
        const bool viewOnly = SecurityTree::viewOnly(kind, code, m_mayEdit);
        m_ownSettings = kind == "O" && sameCode(code, SharedState::instance().operatorName);
        m_context = {kind, code, word, m_entityMix, !viewOnly, m_ownSettings};
        const bool loaded = page->loadPage(m_context);
        QString title = page->pageTitle();
        if (loaded)
            m_pages->setCurrentWidget(page);
        m_findBar->setVisible(loaded && word == "mod");
        // The view-only operator's pages read as views, with a note why.
        if (viewOnly && kind == "O" && sameCode(code, SecurityCopy::viewOnlyOperator))
            title += wire(SecurityTree::viewOnlyNote);
        m_title2->setText(title);
        m_save->setVisible(m_mayEdit && !viewOnly);
        updateSaveButton();
    } catch (...) {
        Log::error("ERR in frmSecurity.ShowSecurity   ", Log::describeCurrentException());
    }
}

void frmSecurity::updateSaveButton()
{
    frmSecurityPage* page = currentPage();
    m_save->setEnabled(page && page->canSave() && m_context.mayEdit);
}

bool frmSecurity::cmdSave_Click()
{
    try {
        frmSecurityPage* page = currentPage();
        if (!page || m_save->isHidden() || !m_save->isEnabled())
            return false;
        if (page == m_transGroups && !m_transGroups->grid().commitEditor())
            return false;
        m_findText->clear();
        if (page == m_moduleAccess && m_ownSettings && m_moduleAccess->removesSecurityRight()
            && ask("You are removing your own right to change security. Continue?", PromptButtons::YesNo,
                   PromptAnswer::No, PromptIcon::Warning)
                != PromptAnswer::Yes)
            return false;
        std::optional<std::string> saved;
        {
            const WaitPointer wait;
            saved = page->savePage(m_context);
        }
        if (!saved)
            return false;
        const std::string title = WireCodec::toWireLossy(windowTitle() + QStringLiteral(":  ") + m_title2->text());
        ShowSecurity(m_kind, m_code, m_word);
        tell(*saved, PromptIcon::None, title);
        return true;
    } catch (...) {
        Log::error("ERR in frmSecurity.cmdSave_Click  ", Log::describeCurrentException());
        return false;
    }
}

bool frmSecurity::settlePendingChanges()
{
    frmSecurityPage* page = currentPage();
    if (!page || m_save->isHidden() || !page->hasChanges())
        return true;
    std::string question = "Save changes to " + WireCodec::toWireLossy(pageText(m_word));
    if (!m_code.empty())
        question += " for " + (m_kind == "G" ? SecurityTree::groupName(std::stoi(m_code)) : m_code);
    switch (ask(question + "?", PromptButtons::YesNoCancel, PromptAnswer::Yes)) {
    case PromptAnswer::Yes:
        return cmdSave_Click();
    case PromptAnswer::No:
        return true;
    default:
        return false;
    }
}

void frmSecurity::FindNext()
{
    try {
        if (m_word != "mod" || !m_findBar->isVisible())
            return;
        const QString typed = m_findText->text().trimmed();
        if (typed.isEmpty())
            return;
        const auto text = WireCodec::toWireChecked(typed, tr("Find"));
        if (!text)
            return;
        if (m_moduleAccess->findFrom(*text, false)) {
            m_moduleAccess->grid().setFocus();
            return;
        }
        int row = 0;
        int col = 0;
        m_moduleAccess->grid().currentCell(row, col);
        const std::string notFound = "Cannot find \"" + WireCodec::toWire(typed.toUpper()).value_or(*text) + "\".";
        if (row >= 1) {
            if (ask(notFound + "\r\nDo you want to start from the beginning?", PromptButtons::YesNo, PromptAnswer::Yes)
                != PromptAnswer::Yes)
                return;
            if (m_moduleAccess->findFrom(*text, true)) {
                m_moduleAccess->grid().setFocus();
                return;
            }
        }
        tell(notFound);
        m_findText->setFocus();
        m_findText->selectAll();
    } catch (...) {
        Log::error("ERR in frmSecurity.FindNext   ", Log::describeCurrentException());
    }
}

void frmSecurity::ScrollGrid(bool up)
{
    m_moduleAccess->scrollOneRow(up);
}

const SecurityPrograms* frmSecurity::programList()
{
    if (m_programs.loaded())
        return &m_programs;
    const StringReply reply = ServerRequest::viaString(SecurityPrograms::readRequest());
    if (!reply.sent) {
        Log::commFailure("GetServerStringData", "frmSecurity.ShowCodeForSecurPrograms");
        return nullptr;
    }
    if (SecurityReply::failed(reply.text) || !m_programs.load(reply.text)) {
        Log::line("ERR in frmSecurity.ShowCodeForSecurPrograms   " + reply.text.substr(0, 200));
        m_programs = {};
        return nullptr;
    }
    return &m_programs;
}

void frmSecurity::reloadProgramList()
{
    m_programs = {};
    programList();
}

bool frmSecurity::typeAhead(const QString& text)
{
    if (!m_typedAt.isValid() || m_typedAt.elapsed() > typeAheadPause)
        m_typed.clear();
    m_typed += text;
    m_typedAt.start();
    // A letter no code can hold matches nothing.
    const std::optional<std::string> wireTyped = WireCodec::toWire(m_typed);
    if (!wireTyped)
        return false;
    const std::string& typed = *wireTyped;
    for (const auto& [code, shown] : m_operators) {
        if (code.size() >= typed.size() && sameCode(std::string_view(code).substr(0, typed.size()), typed))
            return selectPage("O", code, {});
    }
    return false;
}

bool frmSecurity::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel && watched == m_moduleAccess->grid().viewport()
        && WheelHook::hookedWindow() == this) {
        if (m_pendingWheel != 0)
            ScrollGrid(m_pendingWheel > 0);
        m_pendingWheel = 0;
        return true;
    }
    if (watched == m_tree && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (!text.isEmpty() && text.at(0).isLetterOrNumber()
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            typeAhead(text);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace corvane
