#pragma once

#include <QInputDialog>
#include <QLineEdit>
#include <QString>

#include <CorvaneDialogsMgr.h>
#include <string>

/// A lookup that asks for the code in a plain input box; a real host shows its searchable code list. Wire text is
/// Windows-1252; this example keeps to ASCII codes.
class ExampleLookups final : public corvane::CorvaneLookups {
public:
    void SetUp(const corvane::LookupSetup& setup) override { m_separator = setup.separator; }

    std::string Lookup(const corvane::LookupCall& call) override
    {
        bool ok = false;
        const QString code = QInputDialog::getText(
            call.parent, QStringLiteral("Lookup"), QStringLiteral("Code:"), QLineEdit::Normal,
            QString::fromLatin1(call.searchText.data(), static_cast<qsizetype>(call.searchText.size())), &ok);
        if (!ok || code.isEmpty())
            return "CANCEL";
        m_chosen = code.toLatin1().toStdString();
        return m_chosen + m_separator + "Chosen in the example";
    }

    std::int16_t ChosenNumber() override { return 1; }
    std::string ChosenDescription() override { return "Chosen in the example"; }
    std::string CheckCode(const std::string&, const std::string& code, long, long) override { return code; }

private:
    std::string m_separator = " ~";
    std::string m_chosen;
};
