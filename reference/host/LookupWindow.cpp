#include "LookupWindow.h"

#include "WireCodec.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace corvane::reference {

LookupWindow::LookupWindow(const QString& caption, std::vector<Entry> entries, QWidget* parent)
    : QDialog(parent)
    , m_search(new QLineEdit(this))
    , m_list(new QTreeWidget(this))
    , m_entries(std::move(entries))
{
    setObjectName(QStringLiteral("LookupWindow"));
    setWindowTitle(caption);
    m_search->setObjectName(QStringLiteral("txtSearch"));
    m_search->setPlaceholderText(tr("Type a code or part of a description"));
    m_search->setClearButtonEnabled(true);
    m_list->setObjectName(QStringLiteral("lstCodes"));
    m_list->setHeaderLabels({tr("Code"), tr("Description")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        auto* item = new QTreeWidgetItem(
            m_list, {WireCodec::toQString(m_entries[i].code), WireCodec::toQString(m_entries[i].description)});
        item->setData(0, Qt::UserRole, static_cast<int>(i));
    }
    auto* searchLabel = new QLabel(tr("&Search:"), this);
    searchLabel->setBuddy(m_search);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(searchLabel);
    layout->addWidget(m_search);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(520, 420);

    connect(m_search, &QLineEdit::textChanged, this, &LookupWindow::filter);
    connect(m_list, &QTreeWidget::itemActivated, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Up and Down in the search box move through the list, so the keyboard never has to leave the box.
    m_search->installEventFilter(this);
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
}

void LookupWindow::setSearchText(const QString& text)
{
    m_search->setText(text);
    m_search->selectAll();
}

void LookupWindow::filter(const QString& text)
{
    const QString needle = text.trimmed();
    QTreeWidgetItem* first = nullptr;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        const bool match = needle.isEmpty() || item->text(0).startsWith(needle, Qt::CaseInsensitive)
            || item->text(1).contains(needle, Qt::CaseInsensitive);
        item->setHidden(!match);
        if (match && !first)
            first = item;
    }
    m_list->setCurrentItem(first);
}

bool LookupWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_search && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            QKeyEvent copy(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(m_list, &copy);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int LookupWindow::chosenIndex() const
{
    const QTreeWidgetItem* item = m_list->currentItem();
    return item && !item->isHidden() ? item->data(0, Qt::UserRole).toInt() : -1;
}

} // namespace corvane::reference
