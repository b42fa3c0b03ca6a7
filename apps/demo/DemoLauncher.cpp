#include "DemoLauncher.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>

namespace corvane::demo {

DemoLauncher::DemoLauncher(CorvaneDialogsMgr&, std::vector<DemoEntry> entries, const QString& operatorName)
    : m_entries(std::move(entries))
    , m_log(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("DemoLauncher"));
    setWindowTitle(tr("CorvaneDialogs demo host"));
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(tr("<b>Riverside Medical Group</b> &mdash; signed in as %1").arg(operatorName), this);
    layout->addWidget(heading);
    auto* box = new QGroupBox(tr("Dialogs"), this);
    auto* grid = new QGridLayout(box);
    int index = 0;
    for (const DemoEntry& entry : m_entries) {
        auto* button = new QPushButton(entry.caption, box);
        button->setObjectName(QStringLiteral("cmdOpen") + entry.objectName);
        grid->addWidget(button, index / 2, index % 2);
        connect(button, &QPushButton::clicked, this,
                [this, &entry] { entry.open(this, [this](const QString& line) { report(line); }); });
        ++index;
    }
    layout->addWidget(box);
    m_log->setObjectName(QStringLiteral("txtResults"));
    m_log->setReadOnly(true);
    m_log->setPlaceholderText(tr("What each dialog returns is written here."));
    layout->addWidget(m_log, 1);
    resize(560, 420);
}

void DemoLauncher::report(const QString& line)
{
    m_log->appendPlainText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss ")) + line);
}

} // namespace corvane::demo
