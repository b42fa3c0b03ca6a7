#pragma once

#include <cstdint>
#include <string>

class QColor;
class QFrame;
class QFont;
class QLineEdit;
class QPushButton;
class QString;
class QTimer;
class QTreeView;
class QWidget;

namespace corvane {

class CorvaneGrid;

/// DateIsValid on a text box, or on a masked edit (a line edit with an input mask): a normalised date is written
/// back into the control; after a refusal the control gets the focus back when it is visible and enabled.
bool DateIsValid(QLineEdit* edit, bool futureAllowed, bool quiet);
/// DateIsValid on the grid's current cell: judges its active editor's text, writes the normalised date into
/// normalised (not into the grid) and gives the grid the focus back after a refusal.
bool DateIsValid(CorvaneGrid* grid, bool futureAllowed, bool quiet, std::string& normalised);

/// Applies a font code ("0" to "8") to font; any other code leaves it unchanged.
void applyFontCode(QFont& font, char code);

/// True while the Shift key is held down.
bool shiftKeyDown();
/// True while the Control key is held down.
bool controlKeyDown();

/// Selects all the text of an enabled edit control as it gets the focus.
void selectAllText(QLineEdit* edit);

/// A push button named as the system names it. The one keyboard rule of every window: Enter on a focused button
/// presses that button; the window's default button takes Enter only while the focus is not on a button; Esc
/// cancels the window.
QPushButton* makeButton(QWidget* parent, const char* objectName, const QString& caption);

/// The colour of a 0x00BBGGRR value as the server and the palette write it.
QColor colourFromBgr(std::uint32_t bgr);
/// The colour of a palette letter (entry = letter code minus 64), or fallback when the palette has no such entry.
QColor paletteColour(char letter, const QColor& fallback);

/// Gives widget the focus when it is visible, ignoring everything else.
void focusWhenVisible(QWidget* widget);

/// Tree tool tips: windows switch them off while the tree is busy and back on with this helper.
void disableTreeToolTips(QTreeView* tree);
/// Enables the tree's tool tips when they have been switched off.
void enableTreeToolTips(QTreeView* tree);
bool treeToolTipsEnabled(const QTreeView* tree);
/// The timer ("tmrReanableToolTip") that switches the tree's tool tips back on a second after it is started.
QTimer* makeToolTipTimer(QTreeView* tree);

/// The page a window shows where it has nothing to show: its text centred in a frame.
QFrame* makeCoverPage(QWidget* parent, const char* frameName, const char* labelName, const QString& text);

} // namespace corvane
