#include "WidgetRoutines.h"

#include "CommonRoutines.h"
#include "DateRule.h"
#include "Text.h"
#include "WireCodec.h"
#include "grid/CorvaneGrid.h"

#include <QEvent>
#include <QFont>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

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
    const std::string typed = WireCodec::toWireLossy(edit->text());
    std::string normalised;
    bool wantsFocus = false;
    const bool valid = DateIsValidText(typed, futureAllowed, quiet, normalised, wantsFocus);
    if (!normalised.empty() && normalised != std::string(text::trim(typed)))
        edit->setText(WireCodec::toQString(normalised));
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
    bool wantsFocus = false;
    std::string rewritten;
    const bool valid = DateIsValidText(WireCodec::toWireLossy(current), futureAllowed, quiet, rewritten, wantsFocus);
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
    button->setAutoDefault(false);
    return button;
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

} // namespace corvane
