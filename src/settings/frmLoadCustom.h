#pragma once

#include "CustomFormFile.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace corvane {

class CustomFormSelection;

/// "Load Custom Form from file": reads a form layout file (".ldt") with the images its header names and uploads
/// them. Code, name and type come from the file's header and are shown read-only: the uploaded text keeps its
/// header, so what is shown is what the server stores.
class frmLoadCustom final : public QDialog {
    Q_OBJECT
public:
    /// forms is the list of forms on the server (for the questions about existing forms); mayWrite is the
    /// settings window's write gate, asked before anything is sent.
    frmLoadCustom(const CustomFormSelection& forms, std::function<bool()> mayWrite, QWidget* parent = nullptr);

    /// The file dialog: returns the chosen path, or empty when the operator cancelled.
    std::function<QString(QWidget* parent)> chooseFile;

    /// cmdLoadForm(index): 0 browses for a file, 1 saves, 2 closes.
    void cmdLoadForm_Click(int index);
    /// Takes a layout file as if it had been chosen in the file dialog; false when it is not valid.
    bool CustomFormGetFileName(const QString& path);
    /// Uploads the layout and its images; true when everything was stored.
    bool CustomFormSaveForm();
    /// Something was stored on the server while the window was open.
    bool formLoaded() const { return m_formLoaded; }

    QLineEdit* field(int index) const { return m_fields.at(static_cast<std::size_t>(index)); }

private:
    bool CustomFormSaveLargeImageToDB(const std::string& code, const std::string& image, const std::string& data);
    void showCodeState(bool exists);
    void updateButtons();

    const CustomFormSelection& m_forms;
    std::function<bool()> m_mayWrite;
    std::optional<CustomFormCheck> m_file; ///< the valid file last chosen
    bool m_formLoaded = false;

    std::array<QLineEdit*, 4> m_fields {};
    QLabel* m_size = nullptr;
    QCheckBox* m_overwrite = nullptr;
    std::array<QPushButton*, 3> m_buttons {};
};

} // namespace corvane
