#include "frmChargeSetItems.h"

#include "ChargeSet.h"
#include "CommonRoutines.h"
#include "Log.h"
#include "Messages.h"
#include "SharedState.h"
#include "Text.h"
#include "WidgetRoutines.h"
#include "WireCodec.h"
#include "grid/CorvaneGrid.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace corvane {

frmChargeSetItems::frmChargeSetItems(ChargeSet& set, bool readOnly, int groupPosition, QWidget* parent)
    : QDialog(parent)
    , m_set(set)
    , m_readOnly(readOnly)
    , m_groupPosition(set.group(groupPosition) ? groupPosition : 0)
{
    setObjectName(QStringLiteral("frmChargeSetItems"));
    setWindowTitle(readOnly ? QStringLiteral("Charge Group Details") + QString(24, QLatin1Char(' '))
                           + QStringLiteral("READ ONLY")
                            : QStringLiteral("Charge Group Details"));
    auto* nameLabel = new QLabel(tr("Group &name:"), this);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("txtName"));
    m_name->setMaxLength(60);
    nameLabel->setBuddy(m_name);
    auto* typeBox = new QGroupBox(tr("Type"), this);
    m_diagnosis = new QRadioButton(QStringLiteral("Diagnosis"), typeBox);
    m_diagnosis->setObjectName(QStringLiteral("optType0"));
    m_procedures = new QRadioButton(QStringLiteral("Procedures"), typeBox);
    m_procedures->setObjectName(QStringLiteral("optType1"));
    auto* typeLayout = new QHBoxLayout(typeBox);
    typeLayout->addWidget(m_diagnosis);
    typeLayout->addWidget(m_procedures);
    typeLayout->addStretch(1);
    m_grid = new CorvaneGrid(this);
    m_grid->setObjectName(QStringLiteral("grdItems"));
    m_grid->setStyleSource(this);
    m_grid->setColumnCount(2);
    m_grid->setColumnWidth(1, 110);
    m_grid->setColumnWidth(2, 360);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    // Tab leaves the grid; Enter moves down the codes.
    m_grid->setTabKeyNavigation(false);
    m_grid->keyDownHook = [this](QKeyEvent* key) {
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || m_grid->isEditing())
            return false;
        int row = 0;
        int col = 0;
        m_grid->currentCell(row, col);
        moveToNextCode(row);
        return true;
    };
    m_insert = makeButton(this, "cmdInsert", QStringLiteral("&Insert Row"));
    m_delete = makeButton(this, "cmdDelRow", QStringLiteral("&Delete Row"));
    m_up = makeButton(this, "cmdUp", tr("Move &Up"));
    m_down = makeButton(this, "cmdDn", tr("Move Do&wn"));
    m_ok = makeButton(this, "cmdOK", tr("&OK"));
    m_cancel = makeButton(this, "cmdCancel", tr("&Cancel"));
    m_ok->setDefault(true);

    auto* top = new QHBoxLayout;
    top->addWidget(nameLabel);
    top->addWidget(m_name, 1);
    auto* rowButtons = new QVBoxLayout;
    for (QPushButton* b : {m_insert, m_delete, m_up, m_down})
        rowButtons->addWidget(b);
    rowButtons->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_grid, 1);
    middle->addLayout(rowButtons);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(m_ok);
    bottom->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(typeBox);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);
    resize(620, 440);

    connect(m_insert, &QPushButton::clicked, this, &frmChargeSetItems::cmdInsert_Click);
    connect(m_delete, &QPushButton::clicked, this, &frmChargeSetItems::cmdDelRow_Click);
    connect(m_up, &QPushButton::clicked, this, [this] { moveRow(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveRow(1); });
    connect(m_ok, &QPushButton::clicked, this, &frmChargeSetItems::cmdOK_Click);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_grid, &CorvaneGrid::clickedButton, this, [this](int row, int col) {
        if (col == 1 && !m_readOnly)
            codeButton(row);
    });
    connect(m_grid, &CorvaneGrid::startEditing, this, [this](int row, int col) {
        if (QWidget* editor = m_grid->cellAnchor(row, col); editor && m_grid->isEditing())
            editor->installEventFilter(this);
    });
    showGroupDetails();
}

frmChargeSetItems::~frmChargeSetItems()
{
    // An open cell editor is committed as the window hides; by then the rows are gone.
    m_grid->setStyleSource(nullptr);
}

void frmChargeSetItems::showGroupDetails()
{
    try {
        if (const ChargeSetGroup* group = m_set.group(m_groupPosition)) {
            m_name->setText(WireCodec::toQString(group->GroupName));
            m_diagnosis->setChecked(group->GroupType == "D");
            m_procedures->setChecked(group->GroupType == "P");
            for (const ChargeSetItem& item : *group)
                m_rows.emplace_back(item.ItemCode, item.ItemDescription);
        }
        const bool isNew = m_groupPosition == 0;
        m_diagnosis->setEnabled(isNew && !m_readOnly);
        m_procedures->setEnabled(isNew && !m_readOnly);
        m_name->setReadOnly(m_readOnly);
        for (QPushButton* b : {m_insert, m_delete, m_up, m_down})
            b->setEnabled(!m_readOnly);
        refreshGrid();
    } catch (...) {
        Log::error("frmChargeSetItems/showGroupDetails: ", Log::describeCurrentException());
    }
}

void frmChargeSetItems::refreshGrid()
{
    m_grid->setRowCount(rowCount());
    m_grid->redraw();
}

std::string frmChargeSetItems::chosenType() const
{
    if (m_diagnosis->isChecked())
        return "D";
    if (m_procedures->isChecked())
        return "P";
    return {};
}

void frmChargeSetItems::GetStyleRowCol(int row, int col, CellStyle& style)
{
    if (row == 0) {
        style.value = col == 1 ? QStringLiteral("Code") : col == 2 ? QStringLiteral("Description") : QString();
        return;
    }
    if (col == 0) {
        style.value = QString::number(row);
        return;
    }
    const auto& [code, description] = m_rows[static_cast<std::size_t>(row - 1)];
    style.value = WireCodec::toQString(col == 1 ? code : description);
    style.editor = col == 1 ? CellEditor::TextButton : CellEditor::Text;
    style.readOnly = m_readOnly || col == 2;
    if (col == 2)
        style.background = QColor(0xF4, 0xF4, 0xF4);
}

bool frmChargeSetItems::StoreValueRowCol(int row, int col, const QString& value)
{
    if (m_readOnly || col != 1 || row < 1 || row > rowCount())
        return false;
    const auto typed = WireCodec::toWireChecked(value, tr("The code"));
    if (!typed)
        return false;
    // A code left as it was, blanks included, is not looked up again.
    if (*typed == m_rows[static_cast<std::size_t>(row - 1)].first)
        return true;
    return lookUpCode(row, *typed);
}

bool frmChargeSetItems::lookUpCode(int row, const std::string& typed)
{
    const std::string type = chosenType();
    if (type.empty()) {
        tell("Please select a group type.");
        return false;
    }
    LookupCall call;
    call.searchText = std::string(text::trim(typed));
    call.parent = this;
    const std::string result = GeneralLookup(type == "D" ? "DG" : "PC", call, [this] { m_grid->redraw(); });
    auto& cells = m_rows[static_cast<std::size_t>(row - 1)];
    if (result.empty() || text::equalsNoCase(result, "CANCEL")) {
        cells = {};
    } else if (result.find('\t') != std::string::npos) {
        // Code and description are the first two TAB fields of the chosen entry; anything after them is not ours.
        const auto fields = text::split(result, '\t');
        cells.first = std::string(text::trim(fields[0]));
        cells.second = std::string(text::trim(fields[1]));
    } else {
        const std::string& separator = SharedState::instance().display.lookupSeparator;
        const std::size_t at = separator.empty() ? std::string::npos : result.find(separator);
        cells.first = std::string(text::trim(result.substr(0, at)));
        cells.second
            = at == std::string::npos ? std::string() : std::string(text::trim(result.substr(at + separator.size())));
    }
    m_grid->redraw();
    return true;
}

void frmChargeSetItems::codeButton(int row)
{
    const bool editing = m_grid->isEditing();
    std::string typed = m_rows[static_cast<std::size_t>(row - 1)].first;
    if (editing) {
        const auto wire = WireCodec::toWireChecked(m_grid->activeEditorText(), tr("The code"));
        if (!wire)
            return;
        typed = *wire;
    }
    if (!lookUpCode(row, typed))
        return;
    // The editor closes on the chosen code, which is already stored, so it is not looked up a second time.
    if (editing)
        m_grid->acceptValue(row, 1, WireCodec::toQString(m_rows[static_cast<std::size_t>(row - 1)].first));
    moveToNextCode(row);
}

void frmChargeSetItems::moveToNextCode(int row)
{
    if (rowCount() == 0)
        return;
    m_grid->setCurrentCell(std::clamp(row + 1, 1, rowCount()), 1);
    m_grid->takeFocus();
}

bool frmChargeSetItems::eventFilter(QObject* watched, QEvent* event)
{
    // The open code editor: Enter stores the code (looking it up) and moves to the next code; Tab stores it and
    // leaves the grid.
    if (event->type() != QEvent::KeyPress || !m_grid->isEditing())
        return QDialog::eventFilter(watched, event);
    int row = 0;
    int col = 0;
    m_grid->currentCell(row, col);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if ((!enter && !tab) || watched != m_grid->cellAnchor(row, col))
        return QDialog::eventFilter(watched, event);
    if (!m_grid->commitEditor())
        return true;
    if (enter)
        moveToNextCode(row);
    else
        m_grid->leaveGrid(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
    return true;
}

void frmChargeSetItems::cmdInsert_Click()
{
    int row = 0;
    int col = 0;
    m_grid->currentCell(row, col);
    // After the current row, so that codes entered one after another keep their order.
    const int at = row >= 1 ? row + 1 : rowCount() + 1;
    m_rows.insert(m_rows.begin() + (at - 1), std::pair<std::string, std::string>());
    refreshGrid();
    m_grid->setCurrentCell(at, 1);
    m_grid->takeFocus();
}

void frmChargeSetItems::cmdDelRow_Click()
{
    try {
        if (m_rows.empty()) {
            tell("You have no rows to delete.");
            return;
        }
        int row = 0;
        int col = 0;
        m_grid->currentCell(row, col);
        if (row < 1 || row > rowCount()) {
            tell("Please select a row to delete.");
            return;
        }
        m_rows.erase(m_rows.begin() + (row - 1));
        refreshGrid();
        if (!m_rows.empty())
            m_grid->setCurrentCell(std::min(row, rowCount()), 1);
    } catch (...) {
        Log::error("frmChargeSetGroups/cmdDelRow_Click: ", Log::describeCurrentException());
    }
}

void frmChargeSetItems::moveRow(int step)
{
    try {
        int row = 0;
        int col = 0;
        m_grid->currentCell(row, col);
        const int target = row + step;
        if (row < 1 || target < 1 || target > rowCount())
            return;
        std::swap(m_rows[static_cast<std::size_t>(row - 1)], m_rows[static_cast<std::size_t>(target - 1)]);
        m_grid->redraw();
        m_grid->setCurrentCell(target, std::max(col, 1));
    } catch (...) {
        Log::error("frmChargeSetItems/cmdUp_Click: ", Log::describeCurrentException());
    }
}

void frmChargeSetItems::getCurrentGroupDetails(ChargeSetGroup& group) const
{
    try {
        group.RemoveAll();
        std::int16_t number = 0;
        for (const auto& [code, description] : m_rows) {
            const std::string trimmed(text::trim(code));
            if (trimmed.empty())
                continue;
            ++number;
            group.Add(code, description, group.GroupType, number, std::to_string(number));
        }
    } catch (...) {
        Log::error("CorvaneDialogs/frmChargeSetItems/getCurrentGroupDetails: ", Log::describeCurrentException());
    }
}

void frmChargeSetItems::cmdOK_Click()
{
    if (m_readOnly) {
        accept();
        return;
    }
    if (!m_grid->commitEditor())
        return;
    const auto name = WireCodec::toWireChecked(m_name->text(), tr("The group name"));
    if (!name) {
        m_name->setFocus();
        return;
    }
    const std::string trimmed(text::trim(*name));
    if (trimmed.empty()) {
        tell("Please enter group name!");
        if (m_name->isVisible() && m_name->isEnabled())
            m_name->setFocus();
        return;
    }
    const bool isNew = m_groupPosition == 0;
    if (isNew && chosenType().empty()) {
        tell("Please select a group type.");
        m_diagnosis->setFocus();
        return;
    }
    ChargeSetGroup* group = nullptr;
    if (isNew) {
        ChargeSetGroup created;
        created.GroupType = chosenType();
        group = &m_set.add(std::move(created));
    } else {
        group = m_set.group(m_groupPosition);
    }
    group->GroupName = trimmed;
    getCurrentGroupDetails(*group);
    accept();
}

} // namespace corvane
