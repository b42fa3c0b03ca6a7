#include "frmSysSettings.h"

#include "CheckForErrorOnSave.h"
#include "CommonRoutines.h"
#include "Log.h"
#include "Messages.h"
#include "ProtectedSettings.h"
#include "ReplyFraming.h"
#include "ServerRequest.h"
#include "ServerSettings.h"
#include "SettingValue.h"
#include "SettingsPages.h"
#include "SettingsRequests.h"
#include "SettingsTexts.h"
#include "SharedState.h"
#include "Text.h"
#include "WaitPointer.h"
#include "WidgetRoutines.h"
#include "WindowRunner.h"
#include "WireCodec.h"
#include "frmCodeTablesPage.h"
#include "frmOwnSettingsPage.h"
#include "frmSysSettingsPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
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
#include <QWebEngineView>

#include <set>
#include <span>

namespace corvane {

namespace {

constexpr int keyRole = Qt::UserRole;
constexpr int tagRole = Qt::UserRole + 1;
constexpr int imageRole = Qt::UserRole + 2;
constexpr int markRole = Qt::UserRole + 3;

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

std::string keyOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, keyRole).toByteArray().toStdString() : std::string();
}

} // namespace

frmSysSettings::frmSysSettings(QWidget* parent)
    : GuardedDialog(parent)
{
    setObjectName(QStringLiteral("frmSysSettings"));
    buildWindow();
}

frmSysSettings::~frmSysSettings() = default;

void frmSysSettings::buildWindow()
{
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("tvwSystemSettings"));
    m_tree->setHeaderHidden(true);
    m_tree->installEventFilter(this);

    m_findBar = new QFrame(this);
    m_findBar->setObjectName(QStringLiteral("fraFindBottom"));
    auto* findLabel = new QLabel(tr("&Find:"), m_findBar);
    findLabel->setObjectName(QStringLiteral("lblFind"));
    m_findText = new QLineEdit(m_findBar);
    m_findText->setObjectName(QStringLiteral("txtFind"));
    m_findText->setPlaceholderText(tr("a setting, a choice, a key..."));
    m_findText->setClearButtonEnabled(true);
    findLabel->setBuddy(m_findText);
    m_find = makeButton(m_findBar, "cmdFind", tr("Find (F3)"));
    m_findResult = new QLabel(m_findBar);
    m_findResult->setObjectName(QStringLiteral("lblFindResult"));
    auto* findLayout = new QGridLayout(m_findBar);
    findLayout->setContentsMargins(0, 0, 0, 0);
    findLayout->addWidget(findLabel, 0, 0);
    findLayout->addWidget(m_findText, 0, 1);
    findLayout->addWidget(m_find, 0, 2);
    findLayout->addWidget(m_findResult, 1, 1, 1, 2);

    m_protectedBar = new QFrame(this);
    m_protectedBar->setObjectName(QStringLiteral("fraProtectedBottom"));
    m_protectedCheck = new QCheckBox(tr("Protected"), m_protectedBar);
    m_protectedCheck->setObjectName(QStringLiteral("chkProtected"));
    m_saveProtected = makeButton(m_protectedBar, "cmdSaveProtected", tr("Save"));
    m_protectedInfo = makeButton(m_protectedBar, "cmdProtectedInfo", tr("Info"));
    auto* protectedLayout = new QHBoxLayout(m_protectedBar);
    protectedLayout->setContentsMargins(0, 0, 0, 0);
    protectedLayout->addWidget(m_protectedCheck);
    protectedLayout->addStretch(1);
    protectedLayout->addWidget(m_saveProtected);
    protectedLayout->addWidget(m_protectedInfo);
    m_protectedBar->setVisible(false);

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(m_tree, 1);
    leftLayout->addWidget(m_findBar);
    leftLayout->addWidget(m_protectedBar);

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("fraPages"));
    m_noPage = new QWidget(m_pages);
    m_cover = makeCoverPage(m_pages, "fraCover", "lblCover", wire(SettingsTexts::cover));
    m_browserFrame = new QFrame(m_pages);
    m_browserFrame->setObjectName(QStringLiteral("frBrowser"));
    new QVBoxLayout(m_browserFrame);
    m_pages->addWidget(m_noPage);
    m_pages->addWidget(m_cover);
    m_pages->addWidget(m_browserFrame);

    m_gateNote = new QLabel(this);
    m_gateNote->setObjectName(QStringLiteral("lblGateNote"));
    m_gateNote->setWordWrap(true);
    m_gateNote->setVisible(false);

    m_reset = makeButton(this, "cmdResetDefault", tr("&Reset to default"));
    m_save = makeButton(this, "cmdSaveCommon", tr("&Save"));
    m_exit = makeButton(this, "cmdCancelCommon", tr("E&xit"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_reset);
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_exit);

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(m_pages, 1);
    rightLayout->addWidget(m_gateNote);
    rightLayout->addLayout(buttons);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({340, 620});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    resize(980, 620);

    m_toolTipTimer = makeToolTipTimer(m_tree);

    connect(m_tree, &QTreeWidget::currentItemChanged, this, &frmSysSettings::tvwSystemSettings_NodeClick);
    connect(m_tree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        item->setIcon(0, style()->standardIcon(QStyle::SP_DirOpenIcon));
        item->setData(0, imageRole, QStringLiteral("Open"));
    });
    connect(m_tree, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        item->setIcon(0, style()->standardIcon(QStyle::SP_DirClosedIcon));
        item->setData(0, imageRole, QStringLiteral("Closed"));
    });
    connect(m_save, &QPushButton::clicked, this, &frmSysSettings::cmdSaveCommon_Click);
    connect(m_exit, &QPushButton::clicked, this, &frmSysSettings::reject);
    connect(m_reset, &QPushButton::clicked, this, &frmSysSettings::cmdResetDefault_Click);
    connect(m_find, &QPushButton::clicked, this, &frmSysSettings::cmdFind_Click);
    connect(m_findText, &QLineEdit::returnPressed, this, &frmSysSettings::cmdFind_Click);
    connect(m_findText, &QLineEdit::textChanged, this, &frmSysSettings::filterTree);
    connect(m_saveProtected, &QPushButton::clicked, this, &frmSysSettings::cmdSaveProtected_Click);
    connect(m_protectedInfo, &QPushButton::clicked, this, &frmSysSettings::cmdProtectedInfo_Click);
    auto* findNext = new QShortcut(QKeySequence(Qt::Key_F3), this);
    connect(findNext, &QShortcut::activated, this, &frmSysSettings::cmdFind_Click);
    auto* findBox = new QShortcut(QKeySequence::Find, this);
    connect(findBox, &QShortcut::activated, this, [this] {
        m_findText->setFocus();
        m_findText->selectAll();
    });
}

void frmSysSettings::ShowSettings(bool modal)
{
    try {
        auto& state = SharedState::instance();
        resetSettled();
        m_changeRight = programRights("PRGL").mayChange;
        m_developer = state.developerMode();
        m_base = wire(SettingsTexts::systemCaption);
        Form_Load();
        updateCaption();
        disableTreeToolTips(m_tree);
        m_toolTipTimer->start();
        m_tree->setFocus();
        // Once the tree shows: the protected list and the marks of settings changed from their defaults.
        QTimer::singleShot(0, this, [this] {
            if (!m_protectedKnown)
                readProtectedList();
            markChangedFromDefault();
            applyGate();
            updateButtons();
        });
        WindowRunner::open(*this, modal);
    } catch (...) {
        Log::error("ERR in frmSysSettings.ShowSettings   ", Log::describeCurrentException());
    }
}

void frmSysSettings::Form_Load()
{
    LoadTreeView();
    m_findBar->setVisible(true);
    m_protectedBar->setVisible(false);
    m_pages->setCurrentWidget(m_noPage);
    m_pageNumber = 0;
    updateButtons();
}

std::vector<ServerItem> frmSysSettings::LoadDynamicItems()
{
    try {
        for (const std::string_view request : {SettingsTree::serverItemsRequest, SettingsTree::serverItemsFallback}) {
            const StringReply reply = ServerRequest::viaString(std::string(request));
            if (!reply.sent) {
                Log::commFailure("GetServerStringData", "frmSysSettings.LoadDynamicItems");
                return {};
            }
            if (auto items = SettingsTree::readServerItems(reply.text))
                return std::move(*items);
        }
    } catch (...) {
        Log::error("LoadDynamicItems - System Settings error: ", Log::describeCurrentException());
    }
    return {};
}

void frmSysSettings::LoadTreeView()
{
    try {
        m_revertingNode = true;
        m_tree->clear();
        m_revertingNode = false;
        m_items.clear();
        std::vector<std::pair<std::string, std::string>> operators;
        if (auto table = GetCodeTable("OP", 0)) {
            std::vector<std::vector<std::string>> rows;
            if (table->GetRows(SharedState::instance().contextKey, rows)) {
                for (const auto& row : rows) {
                    if (!row.empty())
                        operators.emplace_back(row[0], row.size() > 1 ? row[1] : std::string());
                }
            }
        }
        const std::vector<ServerItem> items = LoadDynamicItems();
        const std::vector<TreeNode> nodes = SettingsTree::build(m_developer, operators, items);
        std::vector<QTreeWidgetItem*> made;
        made.reserve(nodes.size());
        for (const TreeNode& node : nodes) {
            QTreeWidgetItem* parent = node.parent >= 0 ? made[static_cast<std::size_t>(node.parent)] : nullptr;
            auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
            item->setText(0, wire(node.text));
            // The key is kept as the server's bytes: it goes back to the server as it came.
            item->setData(0, keyRole, QByteArray(node.key.data(), static_cast<qsizetype>(node.key.size())));
            item->setData(0, tagRole, wire(node.tag));
            item->setData(0, imageRole, wire(node.image));
            item->setToolTip(0, wire(node.toolTip));
            item->setIcon(0,
                          style()->standardIcon(node.image == "Leaf" ? QStyle::SP_FileIcon : QStyle::SP_DirClosedIcon));
            made.push_back(item);
            m_items[node.key] = item;
        }
        if (!made.empty())
            made.front()->setExpanded(true);
        buildSearch(nodes);
    } catch (...) {
        Log::error("ERR in frmSysSettings.LoadTreeView   ", Log::describeCurrentException());
    }
}

void frmSysSettings::buildSearch(const std::vector<TreeNode>& nodes)
{
    m_search = std::make_unique<SettingsSearch>(m_developer);
    for (const TreeNode& node : nodes) {
        if (node.leaf || node.image != "Leaf")
            continue;
        const std::string parentText
            = node.parent >= 0 ? std::string(text::trim(nodes[static_cast<std::size_t>(node.parent)].text)) : "";
        const std::string path = parentText + " / " + node.text;
        m_search->add(node.key, path, node.key + "\t" + node.toolTip);
    }
}

bool frmSysSettings::readProtectedList()
{
    const SysSettingRead read = readSysSetting("PROTECTED");
    m_protectedKnown = read.answered();
    m_protected = m_protectedKnown ? read.value : std::string();
    return m_protectedKnown;
}

void frmSysSettings::markChangedFromDefault()
{
    try {
        // Only numbers travel in a multi-key read (a comma inside a text would end it early).
        std::vector<std::string_view> keys;
        std::set<std::string_view> seen;
        for (const TreeLeaf& leaf : SettingsCatalogue::leaves()) {
            if (leaf.key.empty() || (leaf.developerOnly && !m_developer) || !seen.insert(leaf.key).second)
                continue;
            const SettingKey* entry = SettingsCatalogue::findKey(leaf.key);
            if (entry && SettingValue::isNumeric(entry->kind))
                keys.push_back(leaf.key);
        }
        const std::vector<std::string> requests = SettingsRequests::getSysMany(keys);
        for (std::size_t r = 0; r < requests.size(); ++r) {
            const std::size_t first = r * SettingsRequests::keysPerRead;
            const std::span<const std::string_view> chunk(keys.data() + first,
                                                          std::min(SettingsRequests::keysPerRead, keys.size() - first));
            const StringReply reply = ServerRequest::viaString(requests[r]);
            if (!reply.sent) {
                Log::commFailure("GetServerStringData", "frmSysSettings.markChangedFromDefault");
                return;
            }
            const std::vector<SysSettingRead> reads = SettingsRequests::readMany(reply.text, chunk);
            for (std::size_t k = 0; k < chunk.size() && k < reads.size(); ++k) {
                if (!reads[k].answered())
                    continue;
                const SettingKey* entry = SettingsCatalogue::findKey(chunk[k]);
                const std::string value = reads[k].state == SysSettingRead::State::Value ? reads[k].value : "";
                markLeaves(std::string(chunk[k]), !SettingValue::isDefault(*entry, value));
            }
        }
    } catch (...) {
        Log::error("ERR in frmSysSettings.markChangedFromDefault   ", Log::describeCurrentException());
    }
}

void frmSysSettings::markLeaves(const std::string& key, bool changed)
{
    for (const auto& [itemKey, item] : m_items) {
        const NodeKey node = NodeKey::parse(itemKey);
        if (node.type != "S" || node.key != key || node.name == SettingsTree::browserItemName)
            continue;
        QFont font = item->font(0);
        font.setBold(changed);
        item->setFont(0, font);
        item->setData(0, markRole, changed);
        QString tip = item->toolTip(0);
        const QString note = tr(" - changed from the default");
        if (tip.endsWith(note))
            tip.chop(note.size());
        item->setToolTip(0, changed ? tip + note : tip);
    }
}

bool frmSysSettings::markedChanged(const std::string& nodeKey) const
{
    const QTreeWidgetItem* item = itemFor(nodeKey);
    return item && item->data(0, markRole).toBool();
}

QTreeWidgetItem* frmSysSettings::itemFor(const std::string& nodeKey) const
{
    const auto found = m_items.find(nodeKey);
    return found == m_items.end() ? nullptr : found->second;
}

bool frmSysSettings::selectNode(const std::string& nodeKey)
{
    QTreeWidgetItem* item = itemFor(nodeKey);
    if (!item)
        return false;
    for (QTreeWidgetItem* p = item->parent(); p; p = p->parent())
        p->setExpanded(true);
    m_tree->setCurrentItem(item);
    m_tree->scrollToItem(item);
    return m_tree->currentItem() == item;
}

bool frmSysSettings::selectLeaf(std::string_view name)
{
    const TreeLeaf* leaf = SettingsCatalogue::findLeaf(name);
    return leaf && selectNode(SettingsTree::leafKey(*leaf));
}

void frmSysSettings::tvwSystemSettings_NodeClick(QTreeWidgetItem* item, QTreeWidgetItem* previous)
{
    if (m_revertingNode || !item)
        return;
    try {
        const std::string key = keyOf(item);
        if (key == m_currentKey)
            return;
        if (!settlePendingChanges()) {
            // The operator stays with the page and its edits.
            m_revertingNode = true;
            m_tree->setCurrentItem(previous);
            m_revertingNode = false;
            return;
        }
        const NodeKey node = NodeKey::parse(key);
        if (node.isBranch()) {
            m_base = wire(node.type == "U" ? SettingsTexts::operatorCaption : SettingsTexts::systemCaption);
            m_current = {};
            m_currentKey.clear();
            m_leafText.clear();
            showPage(m_noPage, 0);
        } else {
            m_currentKey = key;
            ShowSetting(node, WireCodec::toWireLossy(item->text(0)));
        }
        updateProtectedStrip();
        updateCaption();
        updateButtons();
    } catch (...) {
        Log::error("ERR in frmSysSettings.tvwSystemSettings_NodeClick   ", Log::describeCurrentException());
    }
}

void frmSysSettings::showCover()
{
    showPage(m_cover, coverPage);
}

void frmSysSettings::showPage(QWidget* page, int number)
{
    m_pages->setCurrentWidget(page);
    m_pageNumber = number;
    if (m_page && page != m_page) {
        // Out of the window at once (nothing finds a page that is gone); deleted once its events are done.
        m_pages->removeWidget(m_page);
        m_page->hide();
        m_page->setParent(nullptr);
        m_page->deleteLater();
        m_page = nullptr;
    }
    if (m_own && page != m_own) {
        m_pages->removeWidget(m_own);
        m_own->hide();
        m_own->setParent(nullptr);
        m_own->deleteLater();
        m_own = nullptr;
    }
}

bool frmSysSettings::ownPageShown() const
{
    return m_own && m_pages->currentWidget() == m_own;
}

void frmSysSettings::showOwnPage(frmOwnSettingsPage* page)
{
    if (!m_protectedKnown)
        readProtectedList();
    page->setWriteCheck([this] { return confirmPageWrite(); });
    if (!page->load()) {
        page->deleteLater();
        return;
    }
    connect(page, &frmOwnSettingsPage::edited, this, &frmSysSettings::updateButtons);
    m_pages->addWidget(page);
    showPage(page, page->pageNumber());
    m_own = page;
    applyGate();
    orderTabs(page);
}

void frmSysSettings::orderTabs(QWidget* page)
{
    // The keyboard goes from the tree into the page, then to its buttons, then to the find box.
    QWidget* previous = m_tree;
    for (QWidget* widget : page->findChildren<QWidget*>()) {
        if (!(widget->focusPolicy() & Qt::TabFocus))
            continue;
        setTabOrder(previous, widget);
        previous = widget;
    }
    for (QWidget* widget : std::initializer_list<QWidget*> {m_reset, m_save, m_exit, m_findText, m_find}) {
        setTabOrder(previous, widget);
        previous = widget;
    }
}

bool frmSysSettings::confirmPageWrite()
{
    // Asked afresh before every write: another workstation may have changed the list.
    readProtectedList();
    const WriteVerdict verdict = writeGate(m_changeRight, currentIsProtected(), m_developer);
    if (!verdict.mayWrite) {
        tell(std::string(SettingsTexts::notAllowed), PromptIcon::Critical);
        applyGate();
        return false;
    }
    return !verdict.confirm
        || ask(std::string(SettingsTexts::protectedQuestion), PromptButtons::YesNo, PromptAnswer::No)
        == PromptAnswer::Yes;
}

bool frmSysSettings::saveOwnPage()
{
    if (!m_own->usesCommonSave() || !m_own->hasChanges() || !confirmPageWrite())
        return false;
    bool saved = false;
    {
        const WaitPointer wait;
        saved = m_own->save();
    }
    updateButtons();
    if (saved)
        showSaved(m_own->logoffNote());
    return saved;
}

void frmSysSettings::ShowSetting(const NodeKey& node, const std::string& nodeText)
{
    const WaitPointer wait;
    m_current = node;
    showCover();
    m_base = wire(node.type == "U" ? SettingsTexts::operatorCaption : SettingsTexts::systemCaption);
    m_leafText = node.type == "U" ? nodeText : node.caption;
    updateCaption();
    if (node.type == "U") {
        // An operator leaf shows that operator's own preferences on the code tables page.
        if (node.name == "username")
            showOwnPage(new frmCodeTablesPage(node.caption, m_pages));
        else
            m_exit->setFocus();
        return;
    }
    if (node.name == SettingsTree::browserItemName) {
        if (loadBrowserPage(node))
            showPage(m_browserFrame, browserPage);
        return;
    }
    const TreeLeaf* leaf = SettingsCatalogue::findLeaf(node.name);
    if (frmOwnSettingsPage* own = leaf ? makeOwnSettingsPage(*leaf, m_pages) : nullptr) {
        showOwnPage(own);
        return;
    }
    std::optional<PageModel> model = leaf ? SettingsPages::forLeaf(*leaf) : std::nullopt;
    if (!model) {
        Log::line("ERR in frmSysSettings.ShowSetting   no page for " + node.name);
        return;
    }
    if (!m_protectedKnown)
        readProtectedList();
    if (!model->load())
        return;
    const int number = model->page();
    auto* page = new frmSysSettingsPage(std::move(*model), m_pages);
    if (number == 35) {
        const std::string request(SettingsPages::postSetsRequest);
        const StringReply reply = ServerRequest::viaString(request);
        const auto sets = reply.sent ? SettingsPages::readPostSets(reply.text) : std::nullopt;
        if (!sets)
            tell("Error when  " + request, PromptIcon::Critical);
        page->setComboItems(sets.value_or(std::vector<std::string> {}));
    }
    connect(page, &frmSysSettingsPage::edited, this, &frmSysSettings::updateButtons);
    m_pages->addWidget(page);
    showPage(page, number);
    m_page = page;
    applyGate();
    orderTabs(page);
}

bool frmSysSettings::loadBrowserPage(const NodeKey& node)
{
    const std::string request = "|SET|WEB|" + node.key + "|";
    const StringReply reply = ServerRequest::viaString(request);
    if (!reply.sent) {
        Log::commFailure("GetServerStringData", "frmSysSettings.ShowSetting");
        return false;
    }
    const std::string_view trimmed = text::trim(reply.text);
    if (trimmed.empty() || text::startsWithNoCase(trimmed, "ERROR") || ReplyFraming::isErrorLine(trimmed)) {
        Log::line("ERR in frmSysSettings.ShowSetting   " + request + " " + std::string(trimmed.substr(0, 200)));
        return false;
    }
    if (!m_browser) {
        m_browser = new QWebEngineView(m_browserFrame);
        m_browser->setObjectName(QStringLiteral("WB1"));
        m_browserFrame->layout()->addWidget(m_browser);
    }
    m_browserHtml = wire(reply.text);
    m_browser->setHtml(m_browserHtml);
    return true;
}

bool frmSysSettings::currentIsProtected() const
{
    // A list that could not be read protects everything: nothing is written on a guess.
    if (!m_protectedKnown)
        return true;
    return ProtectedSettings::isProtected(m_protected, m_currentKey);
}

void frmSysSettings::applyGate()
{
    const WriteVerdict verdict = writeGate(m_changeRight, currentIsProtected(), m_developer);
    if (m_page)
        m_page->setWritable(verdict.mayWrite);
    if (m_own)
        m_own->setWritable(verdict.mayWrite);
    const bool pageShown = (m_page && m_pages->currentWidget() == m_page) || ownPageShown();
    m_gateNote->setText(wire(verdict.reason));
    m_gateNote->setVisible(pageShown && !verdict.reason.empty());
    updateButtons();
}

void frmSysSettings::updateButtons()
{
    const WriteVerdict verdict = writeGate(m_changeRight, currentIsProtected(), m_developer);
    if (ownPageShown()) {
        m_save->setVisible(m_changeRight && m_own->usesCommonSave());
        m_save->setEnabled(verdict.mayWrite && m_own->usesCommonSave() && m_own->hasChanges());
        m_reset->setVisible(false);
        return;
    }
    const bool pageShown = m_page && m_pages->currentWidget() == m_page;
    m_save->setVisible(m_changeRight && m_current.name != SettingsTree::browserItemName);
    m_save->setEnabled(pageShown && verdict.mayWrite && m_page->hasChanges());
    m_reset->setVisible(pageShown && m_changeRight);
    m_reset->setEnabled(pageShown && verdict.mayWrite && m_page->differsFromDefaults());
}

void frmSysSettings::updateCaption()
{
    const bool readOnly = !m_changeRight && !m_leafText.empty();
    setWindowTitle(wire(SettingsTexts::caption(WireCodec::toWireLossy(m_base), m_leafText, readOnly)));
}

void frmSysSettings::updateProtectedStrip()
{
    const bool shown = m_developer && m_current.type == "S" && !m_current.isBranch() && m_current.key != "PROTECTED"
        && !m_currentKey.empty();
    m_protectedBar->setVisible(shown);
    if (shown)
        m_protectedCheck->setChecked(m_protectedKnown && ProtectedSettings::isProtected(m_protected, m_currentKey));
}

void frmSysSettings::showSaved(bool logoffNote)
{
    const std::string text(logoffNote ? SettingsTexts::savedWithLogoff : SettingsTexts::saved);
    auto& state = SharedState::instance();
    if (state.utils)
        state.utils->ShowMessage(text, state.messageTitle());
    else
        tell(text);
}

bool frmSysSettings::cmdSaveCommon_Click()
{
    try {
        if (ownPageShown() && !m_save->isHidden() && m_save->isEnabled())
            return saveOwnPage();
        if (!m_page || m_pages->currentWidget() != m_page || m_save->isHidden() || !m_save->isEnabled())
            return false;
        // Whether the setting is protected is asked afresh: another workstation may have changed the list.
        readProtectedList();
        const WriteVerdict verdict = writeGate(m_changeRight, currentIsProtected(), m_developer);
        if (!verdict.mayWrite) {
            tell(std::string(SettingsTexts::notAllowed), PromptIcon::Critical);
            applyGate();
            return false;
        }
        if (verdict.confirm
            && ask(std::string(SettingsTexts::protectedQuestion), PromptButtons::YesNo, PromptAnswer::No)
                != PromptAnswer::Yes)
            return false;
        if (const auto refusal = m_page->typedRefusal()) {
            tell(refusal->message, PromptIcon::Warning, refusal->title);
            m_page->focusField(refusal->field);
            return false;
        }
        if (!m_page->checkLookups())
            return false;
        PageModel& model = m_page->model();
        if (const auto refusal = model.validate()) {
            tell(refusal->message, PromptIcon::Warning, refusal->title);
            m_page->focusField(refusal->field);
            return false;
        }
        const std::vector<SaveRequest> requests = model.saveRequests();
        SaveOutcome outcome;
        {
            const WaitPointer wait;
            outcome = model.save();
        }
        // What the server took is what the page shows now, even after a partial save.
        for (std::size_t i = 0; i < outcome.saved && i < requests.size(); ++i) {
            const PageField& field = model.fields()[requests[i].field];
            if (field.store != ValueStore::System)
                continue;
            if (field.key == "PROTECTED")
                m_protected = requests[i].value;
            const SettingKey* entry = SettingsCatalogue::findKey(field.key);
            if (entry && SettingValue::isNumeric(entry->kind))
                markLeaves(field.key, !SettingValue::isDefault(*entry, requests[i].value));
        }
        updateButtons();
        if (!outcome.complete)
            return false;
        if (outcome.planned > 0)
            showSaved(model.texts().logoffNote);
        m_page->showValues();
        applyGate();
        updateProtectedStrip();
        return true;
    } catch (...) {
        Log::error("ERR in frmSysSettings.cmdSaveCommon_Click   ", Log::describeCurrentException());
        return false;
    }
}

void frmSysSettings::cmdResetDefault_Click()
{
    if (!m_page || !writeGate(m_changeRight, currentIsProtected(), m_developer).mayWrite)
        return;
    m_page->resetToDefaults();
    updateButtons();
}

bool frmSysSettings::settlePendingChanges()
{
    if (ownPageShown()) {
        if (!m_own->hasChanges() || !m_changeRight)
            return true;
        switch (ask("Save changes to " + m_leafText + "?", PromptButtons::YesNoCancel, PromptAnswer::Yes)) {
        case PromptAnswer::Yes:
            if (m_own->usesCommonSave())
                return m_save->isEnabled() && cmdSaveCommon_Click();
            return confirmPageWrite() && m_own->save();
        case PromptAnswer::No:
            return true;
        default:
            return false;
        }
    }
    if (!m_page || m_pages->currentWidget() != m_page || !m_page->hasChanges() || m_save->isHidden())
        return true;
    switch (ask("Save changes to " + m_leafText + "?", PromptButtons::YesNoCancel, PromptAnswer::Yes)) {
    case PromptAnswer::Yes:
        return cmdSaveCommon_Click();
    case PromptAnswer::No:
        return true;
    default:
        return false;
    }
}

void frmSysSettings::filterTree(const QString& typed)
{
    const QString trimmed = typed.trimmed();
    m_matches.clear();
    std::set<std::string> matching;
    const WireCodec::TypedText query = WireCodec::encodeTyped(trimmed, tr("Find"));
    const bool filtering = !trimmed.isEmpty() && query.wire && m_search;
    if (filtering) {
        m_matches = m_search->find(*query.wire);
        for (const std::size_t index : m_matches)
            matching.insert(m_search->entry(index).nodeKey);
    }
    const auto visit = [&](QTreeWidgetItem* item, auto& self) -> bool {
        const bool branch = NodeKey::parse(keyOf(item)).isBranch();
        bool shown = !filtering;
        if (branch) {
            bool any = false;
            for (int i = 0; i < item->childCount(); ++i)
                any = self(item->child(i), self) || any;
            shown = !filtering || any;
            if (filtering && any)
                item->setExpanded(true);
        } else if (filtering) {
            shown = matching.count(keyOf(item)) > 0;
        }
        item->setHidden(!shown);
        return shown;
    };
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        visit(m_tree->topLevelItem(i), visit);
    if (trimmed.isEmpty())
        m_findResult->clear();
    else if (!query.wire)
        m_findResult->setText(wire(query.refusal));
    else if (m_matches.empty())
        m_findResult->setText(wire(SettingsTexts::cannotFind(*query.wire)));
    else
        m_findResult->setText(
            tr("%n setting(s) found: Enter or F3 opens the next", nullptr, static_cast<int>(m_matches.size())));
}

void frmSysSettings::cmdFind_Click()
{
    try {
        const QString typed = m_findText->text().trimmed();
        if (typed.isEmpty() || !m_search)
            return;
        const auto text = WireCodec::toWireChecked(typed, tr("Find"));
        if (!text)
            return;
        const std::vector<std::size_t> matches = m_search->find(*text);
        if (matches.empty()) {
            tell(SettingsTexts::cannotFind(*text), PromptIcon::None, std::string(SettingsTexts::findTitle));
            return;
        }
        const std::optional<std::size_t> current = m_search->entryFor(m_currentKey);
        const auto step = SettingsSearch::next(matches, current);
        if (current && step->entry == *current)
            return;
        if (step->wrapped
            && ask(std::string(SettingsTexts::searchAgain), PromptButtons::YesNo, PromptAnswer::Yes,
                   PromptIcon::Question, std::string(SettingsTexts::findTitle))
                != PromptAnswer::Yes)
            return;
        const std::string& key = m_search->entry(step->entry).nodeKey;
        if (QTreeWidgetItem* item = itemFor(key))
            item->setExpanded(true);
        selectNode(key);
        // The focus stays in the find box, so that Enter steps on to the next match.
        if (m_findText->isVisible())
            m_findText->setFocus();
    } catch (...) {
        Log::error("ERR in frmSysSettings.cmdFind_Click   ", Log::describeCurrentException());
    }
}

void frmSysSettings::cmdSaveProtected_Click()
{
    try {
        const auto id = ProtectedSettings::identifierOf(m_currentKey);
        if (!m_developer || !m_changeRight || !id || id->empty())
            return;
        readProtectedList();
        if (!m_protectedKnown) {
            updateProtectedStrip();
            return;
        }
        const bool protect = m_protectedCheck->isChecked();
        const bool isProtected = ProtectedSettings::contains(m_protected, *id);
        if (isProtected && protect) {
            tell(std::string(SettingsTexts::alreadyProtected), PromptIcon::Warning);
            return;
        }
        if (!isProtected && !protect)
            return;
        const std::string description = "Setting Name: " + m_current.caption + "\r\nSetting Code: " + m_current.name
            + "\r\nSetting Key:   "
            + (m_current.key.empty() ? std::string("Null (will use Setting Code, see above)") : m_current.key);
        if (ask(description + "\r\n\r\n" + std::string(SettingsTexts::protectedQuestion), PromptButtons::YesNo,
                PromptAnswer::No)
            != PromptAnswer::Yes) {
            updateProtectedStrip();
            return;
        }
        bool found = false;
        const std::string list
            = protect ? ProtectedSettings::add(m_protected, *id) : ProtectedSettings::remove(m_protected, *id, found);
        const auto request = SettingsRequests::setSys("PROTECTED", list);
        if (!request) {
            tell(SettingsTexts::keyCannotBeSent("PROTECTED"), PromptIcon::Critical);
            updateProtectedStrip();
            return;
        }
        const StringReply reply = ServerRequest::viaString(*request);
        if (!reply.sent)
            tell("mcomm.GetServerStringData failed in frmSysSettings.UpdateProtectedSysSettings", PromptIcon::Critical);
        else if (CheckForErrorOnSave(reply.text))
            m_protected = list;
        updateProtectedStrip();
        applyGate();
    } catch (...) {
        Log::error("ERR in frmSysSettings.cmdSaveProtected_Click   ", Log::describeCurrentException());
    }
}

void frmSysSettings::cmdProtectedInfo_Click()
{
    tell("  Selected Setting: \r\nName: " + m_current.caption + "\r\nCode: " + m_current.name
             + "\r\nKey:   " + m_current.key + "\r\n\r\n  Current Protected Settings: \r\n" + m_protected,
         PromptIcon::None, "(DBG only)");
}

bool frmSysSettings::eventFilter(QObject* watched, QEvent* event)
{
    // Enter on a tree leaf moves into its page rather than pressing a button.
    if (watched == m_tree && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
            if (m_page && m_pages->currentWidget() == m_page) {
                if (QWidget* editor = m_page->firstEditor())
                    editor->setFocus();
            }
            if (ownPageShown()) {
                if (QWidget* editor = m_own->firstEditor())
                    editor->setFocus();
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace corvane
