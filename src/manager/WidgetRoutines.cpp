#include "WidgetRoutines.h"

#include "CommonRoutines.h"
#include "DateRule.h"
#include "Messages.h"
#include "SharedState.h"
#include "Text.h"
#include "WireCodec.h"
#include "grid/CorvaneGrid.h"

#include <QColor>
#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace corvane {

namespace {

bool maskedEditIsEmpty(const QLineEdit* edit)
{
    // A masked edit's text keeps its literal separators ("//" for an empty date); only input characters count.
    for (QChar c : edit->text()) {
        if (c.isLetterOrNumber())
            return false;
    }
    return true;
}

const char* const toolTipsOffProperty = "corvaneToolTipsOff";

class ToolTipBlocker final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ToolTip) {
            auto* tree = qobject_cast<QTreeView*>(parent());
            if (tree && !treeToolTipsEnabled(tree))
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

bool DateIsValid(QLineEdit* edit, bool futureAllowed, bool quiet)
{
    if (!edit)
        return false;
    const bool masked = !edit->inputMask().isEmpty();
    if (masked ? maskedEditIsEmpty(edit) : edit->text().trimmed().isEmpty())
        return true;
    // A masked edit is judged, and quoted, with its prompt characters, so a half-filled date reads as such.
    const QString shown = masked ? edit->displayText() : edit->text();
    const WireCodec::TypedText typed = WireCodec::encodeTyped(shown, QStringLiteral("The date"));
    bool valid = false;
    bool wantsFocus = true;
    if (typed.wire) {
        std::string normalised;
        valid = DateIsValidText(*typed.wire, futureAllowed, quiet, normalised, wantsFocus);
        if (!normalised.empty() && normalised != std::string(text::trim(*typed.wire)))
            edit->setText(WireCodec::toQString(normalised));
    } else if (!quiet) {
        tell(typed.refusal, PromptIcon::Critical, "Date Validation");
    }
    if (wantsFocus && edit->isVisible() && edit->isEnabled())
        edit->setFocus();
    return valid;
}

bool DateIsValid(CorvaneGrid* grid, bool futureAllowed, bool quiet, std::string& normalised)
{
    if (!grid)
        return false;
    const QString current = grid->activeEditorText();
    if (current.trimmed().isEmpty())
        return true;
    const WireCodec::TypedText typed = WireCodec::encodeTyped(current, QStringLiteral("The date"));
    if (!typed.wire) {
        if (!quiet)
            tell(typed.refusal, PromptIcon::Critical, "Date Validation");
        grid->setFocus();
        return false;
    }
    bool wantsFocus = false;
    std::string rewritten;
    const bool valid = DateIsValidText(*typed.wire, futureAllowed, quiet, rewritten, wantsFocus);
    if (!rewritten.empty())
        normalised = rewritten;
    if (wantsFocus)
        grid->setFocus();
    return valid;
}

void applyFontCode(QFont& font, char code)
{
    const auto spec = fontSpecForCode(code);
    if (!spec)
        return;
    font.setPointSize(spec->pointSize);
    font.setBold(spec->bold);
    font.setItalic(spec->italic);
}

bool shiftKeyDown()
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

bool controlKeyDown()
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

void selectAllText(QLineEdit* edit)
{
    if (!edit || !edit->isEnabled())
        return;
    if (edit->inputMask().isEmpty()) {
        edit->setSelection(0, static_cast<int>(edit->text().size()));
        return;
    }
    if (!edit->text().isEmpty())
        edit->setSelection(0, edit->maxLength());
}

QPushButton* makeButton(QWidget* parent, const char* objectName, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    // An auto-default button takes Enter while it has the focus and hands it back to the default button after.
    button->setAutoDefault(true);
    return button;
}

QColor colourFromBgr(std::uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

QColor paletteColour(char letter, const QColor& fallback)
{
    constexpr std::uint32_t absent = 0xFFFFFFFF;
    const std::uint32_t value = SharedState::instance().colourForLetter(letter, absent);
    return value == absent ? fallback : colourFromBgr(value);
}

void focusWhenVisible(QWidget* widget)
{
    if (widget && widget->isVisible())
        widget->setFocus();
}

void disableTreeToolTips(QTreeView* tree)
{
    if (!tree)
        return;
    const QString blockerName = QStringLiteral("corvaneToolTipBlocker");
    if (!tree->findChild<QObject*>(blockerName, Qt::FindDirectChildrenOnly)) {
        auto* blocker = new ToolTipBlocker(tree);
        blocker->setObjectName(blockerName);
        tree->viewport()->installEventFilter(blocker);
    }
    tree->setProperty(toolTipsOffProperty, true);
}

void enableTreeToolTips(QTreeView* tree)
{
    if (tree && !treeToolTipsEnabled(tree))
        tree->setProperty(toolTipsOffProperty, false);
}

bool treeToolTipsEnabled(const QTreeView* tree)
{
    return tree && !tree->property(toolTipsOffProperty).toBool();
}

QTimer* makeToolTipTimer(QTreeView* tree)
{
    auto* timer = new QTimer(tree);
    timer->setObjectName(QStringLiteral("tmrReanableToolTip"));
    timer->setSingleShot(true);
    timer->setInterval(1000);
    QObject::connect(timer, &QTimer::timeout, tree, [tree] { enableTreeToolTips(tree); });
    return timer;
}

QFrame* makeCoverPage(QWidget* parent, const char* frameName, const char* labelName, const QString& text)
{
    auto* cover = new QFrame(parent);
    cover->setObjectName(QString::fromLatin1(frameName));
    auto* label = new QLabel(text, cover);
    label->setObjectName(QString::fromLatin1(labelName));
    label->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(cover);
    layout->addWidget(label);
    return cover;
}

} // namespace corvane
