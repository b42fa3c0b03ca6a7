#include "DemoLauncher.h"

#include "WireCodec.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
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
        // An entry without an open routine is there for its picture only.
        if (!entry.open)
            continue;
        auto* button = new QPushButton(entry.caption, box);
        button->setObjectName(QStringLiteral("cmdOpen") + entry.objectName);
        grid->addWidget(button, index / 2, index % 2);
        connect(button, &QPushButton::clicked, this,
                [this, &entry] { entry.open(this, [this](const QString& line) { report(line); }); });
        ++index;
    }
    layout->addWidget(box);
    addSampleEditors(layout);
    m_log->setObjectName(QStringLiteral("txtResults"));
    m_log->setReadOnly(true);
    m_log->setPlaceholderText(tr("What each dialog returns is written here."));
    layout->addWidget(m_log, 1);
    resize(760, 520);
}

void DemoLauncher::addSampleEditors(QVBoxLayout* layout)
{
    auto* samples = new QGroupBox(tr("Strings handed to the dialogs (\u2192 is a tab, \u00b6 ends a record)"), this);
    auto* sampleLayout = new QGridLayout(samples);
    int row = 0;
    for (const DemoEntry& entry : m_entries) {
        if (!entry.sample)
            continue;
        auto* edit = new QLineEdit(showSample(*entry.sample), samples);
        edit->setObjectName(QStringLiteral("txtSample") + entry.objectName);
        edit->setCursorPosition(0);
        auto* label = new QLabel(entry.caption + QLatin1Char(':'), samples);
        label->setBuddy(edit);
        sampleLayout->addWidget(label, row, 0);
        sampleLayout->addWidget(edit, row, 1);
        ++row;
        const std::shared_ptr<std::string> sample = entry.sample;
        connect(edit, &QLineEdit::textEdited, this, [sample](const QString& text) { *sample = readSample(text); });
    }
    if (row > 0)
        layout->addWidget(samples);
    else
        delete samples;
}

QString DemoLauncher::showSample(const std::string& sample)
{
    QString shown = WireCodec::toQString(sample);
    shown.replace(QLatin1Char('\t'), QChar(0x2192));
    shown.replace(QChar(0x00E6), QChar(0x00B6));
    return shown;
}

std::string DemoLauncher::readSample(const QString& shown)
{
    QString text = shown;
    text.replace(QChar(0x2192), QLatin1Char('\t'));
    text.replace(QChar(0x00B6), QChar(0x00E6));
    return WireCodec::toWireLossy(text);
}

void DemoLauncher::report(const QString& line)
{
    m_log->appendPlainText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss ")) + line);
}

} // namespace corvane::demo
