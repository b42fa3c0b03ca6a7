#include "frmSysSettingsPage.h"

#include "CommonRoutines.h"
#include "Messages.h"
#include "SettingsCatalogue.h"
#include "SettingsTexts.h"
#include "SharedState.h"
#include "Text.h"
#include "TextFields.h"
#include "WidgetRoutines.h"
#include "WireCodec.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <cstring>

namespace corvane {

namespace {

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

/// The fixed labels a page carries besides its header.
struct PageLabels {
    int page;
    const char* intro;
    const char* note;
};

const PageLabels pageLabels[] = {
    {2, "You can enter number of days to show in Account Inquiry.", "NOTE: Number of days must be between 1 and 500."},
    {13, "You can enter number of minutes for Lockup setting.", "NOTE: Number between 0 and 999."},
    {26, "", "NOTE: Number of days must be between (0 - 999).  If 0, system default will be used."},
    {28, "", "NOTE: SETTING NOT FOR USE BY CLIENTS"},
    {25, "", "NOTE: Value must be between 0 and 999.99"},
    {14, "You can enter number of days for AutoPost/Date Range setting.", ""},
    {21, "", "NOTE: 0 days show all"},
    {33, "", "NOTE: set to 0 to never expire"},
    {35, "", "* Leave empty to use system default"},
    {30, "WARNING: DO NOT MODIFY EXCEPT BY ZEL", "NOTE: USE SEMICOLON (;) TO SEPARATE MULTIPLE SETTINGS"},
};

/// The words before and after one field.
struct FieldLabels {
    const char* objectName;
    const char* before;
    const char* after;
};

const FieldLabels fieldLabels[] = {
    {"txtLockup", "", "min."},
    {"txtZelMsg", "Ignore messages older then", "day(s)"},
    {"txtAutopostRange", "", "day(s)"},
    {"txtReconHistory", "", "day(s)"},
    {"txtPWExpDays", "Operator\x92s password expires after", "days"},
    {"txtPWWarnDays", "Display warning", "days prior to expiration"},
    {"cmbAutoPostSet", "Open:", ""},
    {"cmbAutoPostedSet", "Posted:", ""},
    {"txtAutopostMsgWidth", "Message column", "characters wide"},
};

const PageLabels* labelsOfPage(int page)
{
    for (const PageLabels& labels : pageLabels) {
        if (labels.page == page)
            return &labels;
    }
    return nullptr;
}

const FieldLabels* labelsOfField(const std::string& objectName)
{
    for (const FieldLabels& labels : fieldLabels) {
        if (objectName == labels.objectName)
            return &labels;
    }
    return nullptr;
}

/// The message for a key a field drops as it is typed, with its title; nothing for fields that drop keys silently.
std::optional<std::pair<const char*, const char*>> keyRefusal(const std::string& objectName)
{
    if (objectName == "txtZelMsg")
        return std::pair {"Please enter number of days (0-999)!", "System Settings"};
    if (objectName == "txtAmntCalc")
        return std::pair {"Please enter letters only!", "System Settings"};
    if (objectName == "txtAutopostMsgWidth")
        return std::pair {"Numbers only", "Invalid entry"};
    return std::nullopt;
}

/// The name of a control that belongs to a field: the field's prefix replaced ("txtLookup" -> "cmdLookup").
QString companionName(const std::string& objectName, const char* prefix)
{
    return QString::fromLatin1(prefix) + wire(std::string_view(objectName).substr(3));
}

bool maskIsEmpty(const QLineEdit* edit)
{
    for (QChar c : edit->text()) {
        if (c.isDigit())
            return false;
    }
    return true;
}

QString headerName(int page)
{
    if (page == choicePage)
        return QStringLiteral("lblTitle");
    if (page == lookupPage)
        return QStringLiteral("lblTitle1");
    if (page == 32)
        return QStringLiteral("lblTextGeneric");
    return QStringLiteral("lblHeader");
}

} // namespace

frmSysSettingsPage::frmSysSettingsPage(PageModel model, QWidget* parent)
    : QFrame(parent)
    , m_model(std::move(model))
    , m_editors(m_model.fields().size())
{
    const PageSlot* slot = SettingsCatalogue::page(m_model.page());
    setObjectName(slot && !slot->frame.empty() ? wire(slot->frame) : QStringLiteral("fraPage"));

    auto* layout = new QVBoxLayout(this);
    auto* header = new QLabel(wire(m_model.texts().header), this);
    header->setObjectName(headerName(m_model.page()));
    header->setWordWrap(true);
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    layout->addWidget(header);

    const PageLabels* labels = labelsOfPage(m_model.page());
    if (labels && std::strlen(labels->intro) > 0) {
        auto* intro = new QLabel(wire(labels->intro), this);
        intro->setObjectName(QStringLiteral("lblIntro"));
        intro->setWordWrap(true);
        layout->addWidget(intro);
    }

    auto* area = new QWidget(this);
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 6, 0, 6);
    int row = 0;
    for (std::size_t i = 0; i < m_editors.size(); ++i)
        buildEditor(i, area, grid, row);
    grid->setColumnStretch(3, 1);
    layout->addWidget(area);

    std::string note = m_model.texts().note;
    if (labels && std::strlen(labels->note) > 0)
        note = labels->note;
    if (!text::trim(note).empty()) {
        auto* noteLabel = new QLabel(
            wire(text::replaceAll(note, "\n", "\r\n")).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), this);
        noteLabel->setObjectName(m_model.page() == lookupPage ? QStringLiteral("lblNote1") : QStringLiteral("lblNote"));
        noteLabel->setWordWrap(true);
        layout->addWidget(noteLabel);
    }
    layout->addStretch(1);
    showValues();
}

void frmSysSettingsPage::buildEditor(std::size_t field, QWidget* area, QGridLayout* grid, int& row)
{
    const PageField& spec = m_model.fields()[field];
    Editor& editor = m_editors[field];
    const QString name = wire(spec.objectName);
    const FieldLabels* labels = labelsOfField(spec.objectName);
    const bool labelled = m_model.fields().size() > 1 || labels;
    if (labels && std::strlen(labels->before) > 0)
        grid->addWidget(new QLabel(wire(labels->before), area), row, 0);
    else if (labelled && spec.kind != EditorKind::Check && spec.kind != EditorKind::Choice)
        grid->addWidget(new QLabel(wire(spec.label) + QLatin1Char(':'), area), row, 0);
    if (labels && std::strlen(labels->after) > 0)
        grid->addWidget(new QLabel(wire(labels->after), area), row, 2);

    const auto makeLine = [&](const QString& pattern) {
        editor.line = new QLineEdit(area);
        editor.line->setObjectName(name);
        if (!pattern.isEmpty())
            editor.line->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), editor.line));
        editor.line->installEventFilter(this);
        connect(editor.line, &QLineEdit::textEdited, this, [this, field] { lineEdited(field); });
        return editor.line;
    };

    switch (spec.kind) {
    case EditorKind::Choice: {
        editor.group = new QButtonGroup(area);
        editor.group->setExclusive(true);
        if (m_model.fields().size() > 1) {
            grid->addWidget(new QLabel(wire(spec.label) + QLatin1Char(':'), area), row++, 0, 1, 4);
        }
        for (std::size_t c = 0; c < spec.choices.size(); ++c) {
            auto* option = new QRadioButton(wire(spec.choices[c]), area);
            option->setObjectName(QStringLiteral("%1_%2").arg(name).arg(c));
            editor.group->addButton(option, static_cast<int>(c));
            editor.options.push_back(option);
            grid->addWidget(option, row++, 0, 1, 4);
        }
        connect(editor.group, &QButtonGroup::idClicked, this, [this, field] { choiceClicked(field); });
        return;
    }
    case EditorKind::Check:
        editor.check = new QCheckBox(wire(spec.label), area);
        editor.check->setObjectName(name);
        connect(editor.check, &QCheckBox::clicked, this, [this, field] { choiceClicked(field); });
        grid->addWidget(editor.check, row++, 0, 1, 4);
        return;
    case EditorKind::Combo:
        editor.combo = new QComboBox(area);
        editor.combo->setObjectName(name);
        connect(editor.combo, &QComboBox::activated, this, [this, field] { choiceClicked(field); });
        grid->addWidget(editor.combo, row++, 1);
        return;
    case EditorKind::OrderedList: {
        editor.list = new QListWidget(area);
        editor.list->setObjectName(name);
        editor.list->installEventFilter(this);
        auto* up = makeButton(area, "cmdUp", tr("&Up"));
        auto* down = makeButton(area, "cmdDown", tr("Do&wn"));
        editor.buttons = {up, down};
        connect(up, &QPushButton::clicked, this, [this, field] { moveEntry(field, -1); });
        connect(down, &QPushButton::clicked, this, [this, field] { moveEntry(field, 1); });
        auto* buttons = new QVBoxLayout;
        buttons->addWidget(up);
        buttons->addWidget(down);
        buttons->addStretch(1);
        grid->addWidget(editor.list, row, 0, 1, 2);
        grid->addLayout(buttons, row++, 2);
        return;
    }
    case EditorKind::Lookup: {
        makeLine({});
        editor.description = new QLabel(area);
        editor.description->setObjectName(spec.objectName == "txtLookup" ? QStringLiteral("lblDescription")
                                                                         : companionName(spec.objectName, "lbl"));
        auto* button = makeButton(area, "", QStringLiteral("..."));
        button->setObjectName(companionName(spec.objectName, "cmd"));
        button->setToolTip(tr("Look the code up (F4)"));
        editor.buttons = {button};
        connect(button, &QPushButton::clicked, this, [this, field] { openLookup(field); });
        connect(editor.line, &QLineEdit::editingFinished, this, [this, field] { checkLookup(field, true); });
        grid->addWidget(editor.line, row, 1);
        grid->addWidget(button, row, 2);
        grid->addWidget(editor.description, row++, 3);
        return;
    }
    case EditorKind::Date: {
        makeLine({});
        editor.line->setInputMask(QStringLiteral("99/99/9999;_"));
        auto* button = makeButton(area, "", QStringLiteral("..."));
        button->setObjectName(companionName(spec.objectName, "cmd"));
        button->setToolTip(tr("Calendar (F4)"));
        editor.buttons = {button};
        connect(button, &QPushButton::clicked, this, [this, field] { pickDate(field); });
        grid->addWidget(editor.line, row, 1);
        grid->addWidget(button, row++, 2);
        return;
    }
    case EditorKind::WholeNumber:
        makeLine(QStringLiteral("[0-9]*"));
        break;
    case EditorKind::Decimal:
        makeLine(QStringLiteral("[0-9.]*"));
        break;
    case EditorKind::Letter:
        makeLine(QStringLiteral("[A-Za-z]?"));
        editor.line->setMaxLength(1);
        break;
    case EditorKind::Text:
        makeLine({});
        break;
    }
    const bool wide = spec.kind == EditorKind::Text;
    grid->addWidget(editor.line, row++, 1, 1, wide ? 3 : 1);
    if (!wide)
        editor.line->setMaximumWidth(120);
}

void frmSysSettingsPage::setComboItems(const std::vector<std::string>& items)
{
    m_showing = true;
    for (Editor& editor : m_editors) {
        if (!editor.combo)
            continue;
        editor.combo->clear();
        // An empty entry lets the operator go back to the system default.
        editor.combo->addItem(QString());
        for (const std::string& item : items)
            editor.combo->addItem(wire(item));
    }
    m_showing = false;
    showValues();
}

void frmSysSettingsPage::showValues()
{
    for (std::size_t i = 0; i < m_editors.size(); ++i)
        showValue(i);
    setWritable(m_writable);
}

void frmSysSettingsPage::showValue(std::size_t field)
{
    m_showing = true;
    Editor& editor = m_editors[field];
    const std::string& value = m_model.value(field);
    editor.refusal.clear();
    if (editor.group) {
        editor.group->setExclusive(false);
        for (QRadioButton* option : editor.options)
            option->setChecked(false);
        editor.group->setExclusive(true);
        const auto index = value.empty() ? -1 : std::atoi(value.c_str());
        if (index >= 0 && index < static_cast<int>(editor.options.size()))
            editor.options[static_cast<std::size_t>(index)]->setChecked(true);
    } else if (editor.check) {
        editor.check->setChecked(value == "1");
    } else if (editor.combo) {
        int index = editor.combo->findText(wire(value), Qt::MatchExactly);
        if (index < 0) {
            editor.combo->addItem(wire(value));
            index = editor.combo->count() - 1;
        }
        editor.combo->setCurrentIndex(index);
    } else if (editor.list) {
        editor.list->clear();
        for (const std::string_view entry : text::split(value, '\t')) {
            if (!entry.empty())
                editor.list->addItem(wire(entry));
        }
        if (editor.list->count() > 0)
            editor.list->setCurrentRow(0);
    } else if (editor.line) {
        if (m_model.fields()[field].kind == EditorKind::Lookup) {
            std::string code;
            std::string description;
            TextFields::splitInTwo(value, "^", code, description);
            editor.line->setText(wire(code));
            editor.description->setText(wire(description));
            editor.lookupUnchecked = false;
        } else {
            editor.line->setText(wire(value));
        }
    }
    m_showing = false;
}

void frmSysSettingsPage::setWritable(bool writable)
{
    m_writable = writable;
    for (Editor& editor : m_editors) {
        for (QRadioButton* option : editor.options)
            option->setEnabled(writable || option->isChecked());
        if (editor.check)
            editor.check->setEnabled(writable);
        if (editor.combo)
            editor.combo->setEnabled(writable);
        if (editor.list)
            editor.list->setEnabled(writable);
        if (editor.line)
            editor.line->setEnabled(writable);
        for (QPushButton* button : editor.buttons)
            button->setEnabled(writable);
    }
}

bool frmSysSettingsPage::hasChanges() const
{
    if (m_model.changed())
        return true;
    for (const Editor& editor : m_editors) {
        if (!editor.refusal.empty())
            return true;
    }
    return false;
}

std::optional<FieldRefusal> frmSysSettingsPage::typedRefusal() const
{
    for (std::size_t i = 0; i < m_editors.size(); ++i) {
        if (!m_editors[i].refusal.empty())
            return FieldRefusal {i, m_editors[i].refusal, std::string(SettingsTexts::validationTitle)};
    }
    return std::nullopt;
}

void frmSysSettingsPage::lineEdited(std::size_t field)
{
    if (m_showing)
        return;
    Editor& editor = m_editors[field];
    const PageField& spec = m_model.fields()[field];
    if (spec.kind == EditorKind::Letter && editor.line->text() != editor.line->text().toUpper()) {
        const int cursor = editor.line->cursorPosition();
        editor.line->setText(editor.line->text().toUpper());
        editor.line->setCursorPosition(cursor);
    }
    const QString shown = spec.kind == EditorKind::Date && maskIsEmpty(editor.line) ? QString() : editor.line->text();
    const WireCodec::TypedText typed = WireCodec::encodeTyped(shown, wire(spec.label));
    if (!typed.wire) {
        editor.refusal = typed.refusal;
        Q_EMIT edited();
        return;
    }
    editor.refusal.clear();
    if (spec.kind == EditorKind::Lookup) {
        // A typed code has no description until it has been looked up.
        editor.description->clear();
        const std::string_view code = text::trim(*typed.wire);
        editor.lookupUnchecked = !code.empty();
        m_model.setValue(field, code.empty() ? std::string() : std::string(code) + "^");
    } else {
        m_model.setValue(field, *typed.wire);
    }
    Q_EMIT edited();
}

void frmSysSettingsPage::choiceClicked(std::size_t field)
{
    if (m_showing)
        return;
    Editor& editor = m_editors[field];
    if (editor.group) {
        const int id = editor.group->checkedId();
        m_model.setValue(field, id < 0 ? std::string() : std::to_string(id));
    } else if (editor.check) {
        m_model.setValue(field, editor.check->isChecked() ? "1" : "0");
    } else if (editor.combo) {
        m_model.setValue(field, WireCodec::toWireLossy(editor.combo->currentText()));
    }
    Q_EMIT edited();
}

void frmSysSettingsPage::listChanged(std::size_t field)
{
    Editor& editor = m_editors[field];
    std::vector<std::string> entries;
    for (int i = 0; i < editor.list->count(); ++i)
        entries.push_back(WireCodec::toWireLossy(editor.list->item(i)->text()));
    m_model.setValue(field, text::join(entries, "\t"));
    Q_EMIT edited();
}

void frmSysSettingsPage::moveEntry(std::size_t field, int by)
{
    Editor& editor = m_editors[field];
    if (!m_writable || !editor.list)
        return;
    const int row = editor.list->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= editor.list->count())
        return;
    QListWidgetItem* item = editor.list->takeItem(row);
    editor.list->insertItem(to, item);
    editor.list->setCurrentRow(to);
    listChanged(field);
}

void frmSysSettingsPage::openLookup(std::size_t field)
{
    Editor& editor = m_editors[field];
    if (!m_writable || !editor.line)
        return;
    const PageField& spec = m_model.fields()[field];
    const auto typed = WireCodec::toWireChecked(editor.line->text().trimmed(), wire(spec.label));
    if (!typed)
        return;
    LookupCall call;
    call.searchText = *typed;
    call.parent = window();
    const std::string chosen = GeneralLookup(spec.lookupType, call);
    editor.line->setFocus();
    if (chosen == "CANCEL" || chosen.empty())
        return;
    std::string code;
    std::string description;
    TextFields::splitInTwo(chosen, SharedState::instance().display.lookupSeparator, code, description);
    setLookup(field, std::string(text::trim(code)), std::string(text::trim(description)));
}

void frmSysSettingsPage::setLookup(std::size_t field, const std::string& code, const std::string& description)
{
    Editor& editor = m_editors[field];
    m_showing = true;
    editor.line->setText(wire(code));
    editor.description->setText(wire(description));
    m_showing = false;
    editor.lookupUnchecked = false;
    editor.refusal.clear();
    m_model.setValue(field, code.empty() ? std::string() : code + "^" + description);
    Q_EMIT edited();
}

bool frmSysSettingsPage::checkLookup(std::size_t field, bool quiet)
{
    Editor& editor = m_editors[field];
    if (!editor.lookupUnchecked || !editor.refusal.empty())
        return true;
    const PageField& spec = m_model.fields()[field];
    const QString typed = editor.line->text().trimmed();
    if (!LookupCodeIsValid(typed, quiet)) {
        if (!quiet)
            focusField(field);
        return false;
    }
    const WireCodec::TypedText encoded = WireCodec::encodeTyped(typed, wire(spec.label));
    if (!encoded.wire) {
        if (!quiet) {
            tell(encoded.refusal, PromptIcon::Warning, std::string(SettingsTexts::validationTitle));
            focusField(field);
        }
        return false;
    }
    const std::string code = *encoded.wire;
    CodeVerdict verdict;
    auto& state = SharedState::instance();
    if (state.serverUtils)
        state.serverUtils->ValidateCode(spec.lookupType, code, state.contextKey, verdict);
    if (verdict.status != "VALID") {
        if (!quiet) {
            tell("'" + code + "' is not a valid code for " + spec.label + ".", PromptIcon::Warning,
                 std::string(SettingsTexts::validationTitle));
            focusField(field);
        }
        return false;
    }
    // The description is what the lookup shows; a second field after a bar is not part of it.
    const std::string description(text::trim(verdict.description.substr(0, verdict.description.find('|'))));
    setLookup(field, code, description);
    return true;
}

bool frmSysSettingsPage::checkLookups()
{
    for (std::size_t i = 0; i < m_editors.size(); ++i) {
        if (!checkLookup(i, false))
            return false;
    }
    return true;
}

void frmSysSettingsPage::pickDate(std::size_t field)
{
    Editor& editor = m_editors[field];
    auto utils = SharedState::instance().utils;
    if (!m_writable || !editor.line || !utils)
        return;
    // A date the codec cannot carry is no date; the calendar then starts from today.
    const std::string current
        = maskIsEmpty(editor.line) ? std::string() : WireCodec::toWire(editor.line->text()).value_or(std::string());
    const std::string chosen = utils->PickDate(current, editor.buttons.front(), window());
    if (chosen.empty() || !editor.line->isEnabled())
        return;
    editor.line->setText(wire(chosen));
    lineEdited(field);
    focusWhenVisible(editor.line);
}

void frmSysSettingsPage::resetToDefaults()
{
    for (std::size_t i = 0; i < m_editors.size(); ++i) {
        m_model.setValue(i, m_model.defaultValue(i));
        showValue(i);
    }
    setWritable(m_writable);
    Q_EMIT edited();
}

bool frmSysSettingsPage::differsFromDefaults() const
{
    for (std::size_t i = 0; i < m_editors.size(); ++i) {
        if (m_model.value(i) != m_model.defaultValue(i))
            return true;
    }
    return false;
}

QWidget* frmSysSettingsPage::editor(std::size_t field) const
{
    if (field >= m_editors.size())
        return nullptr;
    const Editor& editor = m_editors[field];
    if (editor.line)
        return editor.line;
    if (editor.group) {
        for (QRadioButton* option : editor.options) {
            if (option->isChecked())
                return option;
        }
        return editor.options.empty() ? nullptr : editor.options.front();
    }
    if (editor.check)
        return editor.check;
    if (editor.combo)
        return editor.combo;
    return editor.list;
}

QWidget* frmSysSettingsPage::firstEditor() const
{
    for (std::size_t i = 0; i < m_editors.size(); ++i) {
        QWidget* widget = editor(i);
        if (widget && widget->isEnabled())
            return widget;
    }
    return nullptr;
}

void frmSysSettingsPage::focusField(std::size_t field)
{
    QWidget* widget = editor(field);
    if (!widget || !widget->isEnabled())
        return;
    widget->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        selectAllText(line);
}

std::optional<std::size_t> frmSysSettingsPage::fieldOf(QObject* widget) const
{
    for (std::size_t i = 0; i < m_editors.size(); ++i) {
        if (m_editors[i].line == widget || m_editors[i].list == widget)
            return i;
    }
    return std::nullopt;
}

bool frmSysSettingsPage::dropKey(std::size_t field, const QKeyEvent* key)
{
    const PageField& spec = m_model.fields()[field];
    const QString typed = key->text();
    if (typed.isEmpty() || !typed.at(0).isPrint() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const QChar c = typed.at(0);
    bool allowed = true;
    switch (spec.kind) {
    case EditorKind::WholeNumber:
        allowed = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        break;
    case EditorKind::Letter:
        allowed = (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
        break;
    default:
        return false;
    }
    if (allowed)
        return false;
    if (const auto refusal = keyRefusal(spec.objectName))
        tell(refusal->first, PromptIcon::Warning, refusal->second);
    return true;
}

bool frmSysSettingsPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (const auto field = fieldOf(watched)) {
            const PageField& spec = m_model.fields()[*field];
            if (key->key() == Qt::Key_F4 && key->modifiers() == Qt::NoModifier) {
                if (spec.kind == EditorKind::Lookup)
                    openLookup(*field);
                else if (spec.kind == EditorKind::Date)
                    pickDate(*field);
                return true;
            }
            if (spec.kind == EditorKind::OrderedList && (key->modifiers() & Qt::ControlModifier)
                && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
                moveEntry(*field, key->key() == Qt::Key_Up ? -1 : 1);
                return true;
            }
            if (m_editors[*field].line && dropKey(*field, key))
                return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace corvane
