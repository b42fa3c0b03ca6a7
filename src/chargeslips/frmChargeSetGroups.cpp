#include "frmChargeSetGroups.h"

#include "ChargeSet.h"
#include "Log.h"
#include "WidgetRoutines.h"
#include "WindowRunner.h"
#include "WireCodec.h"
#include "frmChargeSetItems.h"
#include "grid/CorvaneGrid.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

frmChargeSetGroups::frmChargeSetGroups(ChargeSet& set, bool readOnly, QWidget* parent)
    : QDialog(parent)
    , m_set(set)
    , m_readOnly(readOnly)
{
    setObjectName(QStringLiteral("frmChargeSetGroups"));
    setWindowTitle(readOnly ? QStringLiteral("Charge Slip Groups") + QString(24, QLatin1Char(' '))
                           + QStringLiteral("READ ONLY")
                            : QStringLiteral("Charge Slip Groups"));
    m_groups = new QListWidget(this);
    m_groups->setObjectName(QStringLiteral("lstGroups"));
    m_groups->installEventFilter(this);
    auto* groupsLabel = new QLabel(tr("&Groups:"), this);
    groupsLabel->setBuddy(m_groups);
    m_details = new CorvaneGrid(this);
    m_details->setObjectName(QStringLiteral("grdDetails"));
    m_details->setStyleSource(this);
    m_details->setColumnCount(4);
    m_details->setColumnWidth(1, 150);
    m_details->setColumnWidth(2, 90);
    m_details->setColumnWidth(3, 80);
    m_details->setColumnWidth(4, 300);
    m_details->horizontalHeader()->setStretchLastSection(true);
    m_details->verticalHeader()->setVisible(false);
    m_details->setTabKeyNavigation(false);
    m_new = makeButton(this, "cmdNew", tr("&New"));
    m_edit = makeButton(this, "cmdEdit", readOnly ? QStringLiteral("&View") : QStringLiteral("&Edit"));
    m_delete = makeButton(this, "cmdDelete", QStringLiteral("De&lete"));
    m_up = makeButton(this, "cmdUp", tr("Move &Up"));
    m_down = makeButton(this, "cmdDn", tr("Move Do&wn"));
    m_ok = makeButton(this, "cmdOK", tr("&OK"));
    m_cancel = makeButton(this, "cmdCancel", QStringLiteral("&Cancel"));
    m_ok->setDefault(true);

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {m_new, m_edit, m_delete, m_up, m_down})
        side->addWidget(b);
    side->addStretch(1);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(groupsLabel);
    listColumn->addWidget(m_groups, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(listColumn, 1);
    top->addLayout(side);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(m_ok);
    bottom->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 2);
    layout->addWidget(m_details, 3);
    layout->addLayout(bottom);
    resize(700, 560);

    connect(m_groups, &QListWidget::currentRowChanged, this, &frmChargeSetGroups::enableButtons);
    connect(m_groups, &QListWidget::itemActivated, this, [this] { openGroup(selectedGroup()); });
    connect(m_new, &QPushButton::clicked, this, [this] { openGroup(0); });
    connect(m_edit, &QPushButton::clicked, this, [this] { openGroup(selectedGroup()); });
    connect(m_delete, &QPushButton::clicked, this, &frmChargeSetGroups::cmdDelete_Click);
    connect(m_up, &QPushButton::clicked, this, [this] { moveGroup(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveGroup(1); });
    connect(m_ok, &QPushButton::clicked, this, [this] {
        m_cancelled = false;
        accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    showChargeGroupList(1);
}

frmChargeSetGroups::~frmChargeSetGroups()
{
    // The grid may repaint while the window hides; by then the rows are gone.
    m_details->setStyleSource(nullptr);
    m_groups->removeEventFilter(this);
}

int frmChargeSetGroups::selectedGroup() const
{
    return m_groups->currentRow() + 1;
}

void frmChargeSetGroups::showChargeGroupList(int select)
{
    try {
        m_groups->clear();
        m_detailRows.clear();
        for (int position = 1; position <= m_set.count(); ++position) {
            const ChargeSetGroup& group = *m_set.group(position);
            m_groups->addItem(WireCodec::toQString(group.GroupName));
            m_detailRows.emplace_back(position, 0);
            for (int item = 1; item <= group.Count(); ++item)
                m_detailRows.emplace_back(position, item);
        }
        m_details->setRowCount(static_cast<int>(m_detailRows.size()));
        m_details->redraw();
        if (m_set.count() > 0)
            m_groups->setCurrentRow(std::clamp(select, 1, m_set.count()) - 1);
        enableButtons();
    } catch (...) {
        Log::error("frmChargeSetGroups/showChargeGroupList: ", Log::describeCurrentException());
    }
}

void frmChargeSetGroups::enableButtons()
{
    const int selected = selectedGroup();
    const bool any = selected >= 1 && selected <= m_set.count();
    const bool editable = !m_readOnly;
    m_new->setEnabled(editable);
    m_edit->setEnabled(any);
    m_delete->setEnabled(editable && any);
    m_up->setEnabled(editable && any && selected > 1);
    m_down->setEnabled(editable && any && selected < m_set.count());
}

void frmChargeSetGroups::GetStyleRowCol(int row, int col, CellStyle& style)
{
    static const QString headings[] = {QString(), QStringLiteral("Name"), QStringLiteral("Type"),
                                       QStringLiteral("Code"), QStringLiteral("Description")};
    style.readOnly = true;
    if (row == 0) {
        style.value = col >= 1 && col <= 4 ? headings[col] : QString();
        return;
    }
    if (row > static_cast<int>(m_detailRows.size()) || col < 1)
        return;
    const auto [position, itemNumber] = m_detailRows[static_cast<std::size_t>(row - 1)];
    const ChargeSetGroup& group = *m_set.group(position);
    if (itemNumber == 0) {
        style.font.setBold(true);
        style.hasFont = true;
        style.background = QColor(0xEE, 0xF2, 0xF8);
        if (col == 1)
            style.value = WireCodec::toQString(group.GroupName);
        else if (col == 2)
            style.value = group.GroupType == "D" ? QStringLiteral("Diagnosis")
                : group.GroupType == "P"         ? QStringLiteral("Procedures")
                                                 : WireCodec::toQString(group.GroupType);
        return;
    }
    const ChargeSetItem& item = *group.Item(itemNumber);
    if (col == 3)
        style.value = WireCodec::toQString(item.ItemCode);
    else if (col == 4)
        style.value = WireCodec::toQString(item.ItemDescription);
}

void frmChargeSetGroups::openGroup(int position)
{
    if (position == 0 && m_readOnly)
        return;
    if (position != 0 && !m_set.group(position))
        return;
    frmChargeSetItems editor(m_set, m_readOnly, position, this);
    if (WindowRunner::run(editor) == QDialog::Accepted)
        showChargeGroupList(position == 0 ? m_set.count() : position);
    m_groups->setFocus();
}

bool frmChargeSetGroups::eventFilter(QObject* watched, QEvent* event)
{
    // Enter on a group opens it; the key is used up here and never presses the window's default button.
    if (watched == m_groups && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            if (m_edit->isEnabled())
                openGroup(selectedGroup());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmChargeSetGroups::cmdDelete_Click()
{
    try {
        const int selected = selectedGroup();
        if (m_readOnly || !m_set.group(selected))
            return;
        m_set.remove(selected);
        showChargeGroupList(std::min(selected, m_set.count()));
    } catch (...) {
        Log::error("frmChargeSetGroups/cmdDelete_Click: ", Log::describeCurrentException());
    }
}

void frmChargeSetGroups::moveGroup(int step)
{
    try {
        const int selected = selectedGroup();
        const int target = selected + step;
        if (m_readOnly || !m_set.group(selected) || !m_set.group(target))
            return;
        m_set.swap(selected, target);
        showChargeGroupList(target);
    } catch (...) {
        Log::error("frmChargeSetGroups/cmdUp_Click: ", Log::describeCurrentException());
    }
}

} // namespace corvane
