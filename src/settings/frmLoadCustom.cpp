#include "frmLoadCustom.h"

#include "CheckForErrorOnSave.h"
#include "CustomFormSelection.h"
#include "Log.h"
#include "Messages.h"
#include "ServerRequest.h"
#include "WaitPointer.h"
#include "WidgetRoutines.h"
#include "WireCodec.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <filesystem>

namespace corvane {

namespace {

QString wire(std::string_view text)
{
    return WireCodec::toQString(text);
}

std::filesystem::path pathOf(const QString& text)
{
    return std::filesystem::path(text.toStdU16String());
}

} // namespace

frmLoadCustom::frmLoadCustom(const CustomFormSelection& forms, std::function<bool()> mayWrite, QWidget* parent)
    : QDialog(parent)
    , m_forms(forms)
    , m_mayWrite(std::move(mayWrite))
{
    setObjectName(QStringLiteral("frmLoadCustom"));
    setWindowTitle(tr("Load Custom Form from file"));
    chooseFile = [](QWidget* owner) {
        QFileDialog dialog(owner, tr("Load Custom Form from file"));
        dialog.setObjectName(QStringLiteral("CommonDialog1"));
        dialog.setNameFilters({tr("Form layout (*.ldt)"), tr("All (*)")});
        dialog.setDefaultSuffix(QStringLiteral("ldt"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().front();
    };

    static const char* const labels[] = {" File Name:", " Form:", " Description:", " Type:"};
    static const char* const tips[] = {"Form Location", "Form", "Description", "Form Type"};
    auto* grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("txtLoadForm_%1").arg(i));
        edit->setToolTip(tr(tips[i]));
        edit->setReadOnly(true);
        auto* label = new QLabel(tr(labels[i]), this);
        label->setObjectName(QStringLiteral("lblLoadForm_%1").arg(i));
        label->setBuddy(edit);
        grid->addWidget(label, i, 0);
        grid->addWidget(edit, i, 1);
        m_fields[static_cast<std::size_t>(i)] = edit;
    }
    m_fields[0]->setMinimumWidth(360);

    m_buttons[0] = makeButton(this, "cmdLoadForm_0", QString());
    m_buttons[0]->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    m_buttons[0]->setToolTip(tr("Choose a form layout file"));
    m_buttons[0]->setAccessibleName(tr("Browse"));
    m_buttons[1] = makeButton(this, "cmdLoadForm_1", tr("Save"));
    m_buttons[1]->setToolTip(tr("Load Form"));
    m_buttons[2] = makeButton(this, "cmdLoadForm_2", tr("Exit"));
    grid->addWidget(m_buttons[0], 0, 2);

    m_size = new QLabel(this);
    m_size->setObjectName(QStringLiteral("lblFileSize"));
    grid->addWidget(m_size, 0, 3);

    m_overwrite = new QCheckBox(tr("Overwrite Existing"), this);
    m_overwrite->setObjectName(QStringLiteral("chkFormOverwrite"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_overwrite);
    buttons->addStretch(1);
    buttons->addWidget(m_buttons[1]);
    buttons->addWidget(m_buttons[2]);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    for (int i = 0; i < 3; ++i)
        connect(m_buttons[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { cmdLoadForm_Click(i); });
    setTabOrder(m_buttons[0], m_overwrite);
    setTabOrder(m_overwrite, m_buttons[1]);
    setTabOrder(m_buttons[1], m_buttons[2]);
    m_buttons[0]->setFocus();
    updateButtons();
}

void frmLoadCustom::cmdLoadForm_Click(int index)
{
    switch (index) {
    case 0: {
        const QString path = chooseFile ? chooseFile(this) : QString();
        if (!path.isEmpty())
            CustomFormGetFileName(path);
        break;
    }
    case 1:
        CustomFormSaveForm();
        break;
    case 2:
        reject();
        break;
    default:
        break;
    }
}

bool frmLoadCustom::CustomFormGetFileName(const QString& path)
{
    try {
        m_fields[0]->setText(path);
        m_file.reset();
        m_size->clear();
        CustomFormCheck checked = CustomFormFile::check(pathOf(path));
        if (!checked.valid) {
            tell(checked.errors, PromptIcon::Warning);
            updateButtons();
            return false;
        }
        m_size->setText(wire(CustomFormFile::sizeText(checked.text.size())));
        m_fields[1]->setText(wire(checked.header.code));
        m_fields[2]->setText(wire(checked.header.name));
        m_fields[3]->setText(wire(checked.header.type));
        const bool exists = m_forms.codeExists(checked.header.code);
        m_file = std::move(checked);
        showCodeState(exists);
        if (exists)
            tell("Form: '" + m_file->header.code + "' already exists.", PromptIcon::Information);
        updateButtons();
        m_buttons[1]->setFocus();
        return true;
    } catch (...) {
        Log::error("Error in frmLoadCustom/CustomFormGetFileName, ", Log::describeCurrentException());
        updateButtons();
        return false;
    }
}

void frmLoadCustom::showCodeState(bool exists)
{
    QPalette palette = m_fields[1]->palette();
    palette.setColor(QPalette::Text, exists ? QColor(Qt::darkRed) : QApplication::palette().color(QPalette::Text));
    m_fields[1]->setPalette(palette);
    QFont font = m_fields[1]->font();
    font.setBold(exists);
    m_fields[1]->setFont(font);
    m_fields[1]->setToolTip(exists ? tr("Form - a form with this code is already on the server") : tr("Form"));
}

void frmLoadCustom::updateButtons()
{
    m_buttons[1]->setEnabled(m_file.has_value());
}

bool frmLoadCustom::CustomFormSaveForm()
{
    try {
        if (!m_file) {
            tell("Choose a form layout file first.", PromptIcon::Warning);
            return false;
        }
        const std::string& code = m_file->header.code;
        const std::string& name = m_file->header.name;
        const std::string& type = m_file->header.type;
        const bool codeExists = m_forms.codeExists(code);
        const bool nameExists = m_forms.nameExists(name);
        if (!m_overwrite->isChecked() && (codeExists || nameExists)) {
            std::string question = "Form Already Exisits.\r\n\r\n";
            if (codeExists)
                question += "Form: " + code + "\r\n";
            if (nameExists)
                question += "Description: " + name + "\r\n";
            question += "The select item will be overwritten. ";
            if (ask(question, PromptButtons::OkCancel, PromptAnswer::Cancel, PromptIcon::Question) != PromptAnswer::Ok)
                return false;
        }
        if (const auto refused = CustomFormUpload::refusal(code, name, type)) {
            tell(*refused, PromptIcon::Warning);
            return false;
        }
        if (!m_mayWrite || !m_mayWrite())
            return false;

        const WaitPointer wait;
        const StringReply reply
            = ServerRequest::viaString(CustomFormUpload::layoutRequest(code, name, type, m_file->text));
        if (!reply.sent) {
            Log::commFailure("GetServerStringData", "frmLoadCustom.CustomFormSaveForm");
            tell("mcomm.GetServerStringData failed in frmLoadCustom.CustomFormSaveForm", PromptIcon::Critical);
            return false;
        }
        if (!CheckForErrorOnSave(reply.text))
            return false;
        m_formLoaded = true;
        for (std::size_t i = 0; i < m_file->imagePaths.size(); ++i) {
            std::string error;
            const auto data = CustomFormFile::readBytes(m_file->imagePaths[i], error);
            if (!data) {
                tell(error, PromptIcon::Critical);
                return false;
            }
            if (!CustomFormSaveLargeImageToDB(code, m_file->header.images[i], *data))
                return false;
        }
        tell("Form loaded.", PromptIcon::Information);
        return true;
    } catch (...) {
        Log::error("Error in frmLoadCustom/CustomFormSaveForm, ", Log::describeCurrentException());
        return false;
    }
}

bool frmLoadCustom::CustomFormSaveLargeImageToDB(const std::string& code, const std::string& image,
                                                 const std::string& data)
{
    try {
        for (const std::string& request : CustomFormUpload::imageRequests(code, image, data)) {
            const StringReply reply = ServerRequest::viaString(request);
            if (!reply.sent) {
                Log::line("Error in frmLoadCustom/CustomFormSaveLargeImageToDB, " + reply.errorText);
                tell("Error saving the ImageFile. ", PromptIcon::Critical);
                return false;
            }
            // A refusal is shown with the server's own text.
            if (!CheckForErrorOnSave(reply.text))
                return false;
        }
        return true;
    } catch (...) {
        Log::error("Error in frmLoadCustom/CustomFormSaveLargeImageToDB, ", Log::describeCurrentException());
        return false;
    }
}

} // namespace corvane
