#include "MessageBoxPrompter.h"

#include "Log.h"
#include "WireCodec.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace corvane {

namespace {

QMessageBox::Icon iconFor(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Critical:
        return QMessageBox::Critical;
    case PromptIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsFor(PromptButtons buttons)
{
    switch (buttons) {
    case PromptButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case PromptButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton buttonFor(PromptAnswer answer)
{
    switch (answer) {
    case PromptAnswer::Cancel:
        return QMessageBox::Cancel;
    case PromptAnswer::Yes:
        return QMessageBox::Yes;
    case PromptAnswer::No:
        return QMessageBox::No;
    case PromptAnswer::Ok:
        break;
    }
    return QMessageBox::Ok;
}

// A message box grows with its text; past these a server's error text would push the buttons off the screen.
constexpr qsizetype longestShownText = 2000;
constexpr qsizetype mostShownLines = 30;

QString cutForDisplay(const QString& text, bool& cut)
{
    qsizetype end = std::min(text.size(), longestShownText);
    qsizetype lines = 0;
    for (qsizetype i = 0; i < end; ++i) {
        if (text[i] == QLatin1Char('\n') && ++lines == mostShownLines) {
            end = i;
            break;
        }
    }
    cut = end < text.size();
    if (!cut)
        return text;
    return text.left(end) + QStringLiteral("\n\n[The text was cut here; the whole text is in the log.]");
}

void showWhole(const Prompt& prompt, const QString& text)
{
    QDialog window(QApplication::activeWindow());
    window.setObjectName(QStringLiteral("frmWholeText"));
    window.setWindowTitle(WireCodec::toQString(prompt.title));
    auto* layout = new QVBoxLayout(&window);
    auto* view = new QPlainTextEdit(text, &window);
    view->setObjectName(QStringLiteral("txtWholeText"));
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(view);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &window);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &window, &QDialog::accept);
    layout->addWidget(buttons);
    window.resize(760, 520);
    window.exec();
}

} // namespace

PromptAnswer MessageBoxPrompter::ask(const Prompt& prompt)
{
    QString text = WireCodec::toQString(prompt.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (prompt.wholeText && prompt.buttons == PromptButtons::Ok) {
        showWhole(prompt, text);
        return PromptAnswer::Ok;
    }
    bool cut = false;
    const QString shown = cutForDisplay(text, cut);
    if (cut)
        Log::line("CorvaneDialogs: message shown cut, whole text: " + prompt.text);
    QMessageBox box(iconFor(prompt.icon), WireCodec::toQString(prompt.title), shown, buttonsFor(prompt.buttons),
                    QApplication::activeWindow());
    if (prompt.defaultAnswer)
        box.setDefaultButton(buttonFor(*prompt.defaultAnswer));
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return PromptAnswer::Cancel;
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::Ok:
        return PromptAnswer::Ok;
    default:
        return PromptAnswer::Cancel;
    }
}

void MessageBoxPrompter::beep()
{
    QApplication::beep();
}

std::optional<std::string> MessageBoxPrompter::askText(const Prompt& prompt, bool masked)
{
    QString label = WireCodec::toQString(prompt.text);
    label.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QInputDialog input(QApplication::activeWindow());
    input.setObjectName(QStringLiteral("frmAskText"));
    input.setWindowTitle(WireCodec::toQString(prompt.title));
    input.setLabelText(label);
    input.setInputMode(QInputDialog::TextInput);
    input.setTextEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
    if (input.exec() != QDialog::Accepted)
        return std::nullopt;
    // Typed text reaches the wire only through the codec; what it refuses is said here and counts as cancelled.
    const WireCodec::TypedText typed = WireCodec::encodeTyped(input.textValue(), QStringLiteral("The text"));
    if (!typed.wire) {
        QMessageBox::warning(QApplication::activeWindow(), WireCodec::toQString(prompt.title),
                             WireCodec::toQString(typed.refusal));
        return std::nullopt;
    }
    return typed.wire;
}

} // namespace corvane
