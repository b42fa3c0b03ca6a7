#include "SettingsPages.h"

#include "ReplyFraming.h"
#include "Text.h"

#include <cstdint>

namespace corvane {

namespace {

std::string failedIn(std::string_view routine)
{
    return "mcomm.GetServerStringData failed in frmSysSettings." + std::string(routine);
}

PageField wholeNumber(std::string objectName, std::string key, std::string label, EmptyRule empty, std::int64_t min,
                      std::int64_t max, std::string invalid, std::string emptyMessage = {})
{
    PageField field;
    field.objectName = std::move(objectName);
    field.kind = EditorKind::WholeNumber;
    field.key = std::move(key);
    field.label = std::move(label);
    field.empty = empty;
    field.min = min;
    field.max = max;
    field.invalidMessage = std::move(invalid);
    field.emptyMessage = std::move(emptyMessage);
    return field;
}

PageField plain(std::string objectName, EditorKind kind, std::string key, std::string label)
{
    PageField field;
    field.objectName = std::move(objectName);
    field.kind = kind;
    field.key = std::move(key);
    field.label = std::move(label);
    return field;
}

PageField configChoice(std::string objectName, std::string name, std::string label, ConfigRule rule,
                       std::vector<std::string> choices)
{
    PageField field = plain(std::move(objectName), EditorKind::Choice, std::move(name), std::move(label));
    field.store = ValueStore::Configuration;
    field.config = rule;
    field.choices = std::move(choices);
    return field;
}

PageTexts texts(std::string header, std::string failure, FailureForm form = FailureForm::Plain, bool logoff = false)
{
    PageTexts t;
    t.header = std::move(header);
    t.failureText = std::move(failure);
    t.failureForm = form;
    t.logoffNote = logoff;
    return t;
}

constexpr std::int64_t longMax = INT32_MAX;

} // namespace

const std::vector<std::string>& SettingsPages::defaultReminderTabs()
{
    static const std::vector<std::string> tabs = {"Post Op Limits", "Referrals", "Reminders", "Patient Reminders"};
    return tabs;
}

std::optional<std::vector<std::string>> SettingsPages::readPostSets(std::string_view reply)
{
    if (ReplyFraming::isErrorLine(text::trim(reply)))
        return std::nullopt;
    std::vector<std::string> sets;
    for (std::string_view line : text::split(reply, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!text::trim(line).empty())
            sets.emplace_back(line);
    }
    return sets;
}

std::optional<PageModel> SettingsPages::forLeaf(std::string_view name)
{
    const TreeLeaf* leaf = SettingsCatalogue::findLeaf(name);
    if (!leaf)
        return std::nullopt;
    return forLeaf(*leaf);
}

std::optional<PageModel> SettingsPages::forLeaf(const TreeLeaf& leaf)
{
    const std::string key(leaf.key);
    switch (leaf.page) {
    case choicePage: {
        const ChoiceList* choice = SettingsCatalogue::choiceFor(leaf.name);
        if (!choice)
            return std::nullopt;
        PageField field = plain("optChoice", EditorKind::Choice, key, std::string(choice->title));
        field.choices.assign(choice->captions.begin(), choice->captions.end());
        PageTexts t
            = texts(std::string(choice->title), "mComm.GetServerStringData failed.", FailureForm::RequestFirst, true);
        t.note = std::string(choice->note);
        return PageModel(choicePage, std::move(t), {std::move(field)});
    }
    case lookupPage: {
        const LookupLeaf* lookup = SettingsCatalogue::lookupFor(leaf.name);
        if (!lookup)
            return std::nullopt;
        PageField field = plain("txtLookup", EditorKind::Lookup, key, std::string(lookup->title));
        field.lookupType = std::string(lookup->lookupType);
        return PageModel(
            lookupPage,
            texts(std::string(lookup->title), "mComm.GetServerStringData failed.", FailureForm::RequestFirst, true),
            {std::move(field)});
    }
    case 2:
        return PageModel(2, texts("Number of days to show in Account Inquiry", failedIn("SaveSetAIdays")),
                         {wholeNumber("txtAIdays", "AIDAYS", "Number of days", EmptyRule::Refuse, 1, 500,
                                      "Number of days is invalid. Must be between (1 - 500).",
                                      "Please enter number of days. Must be between (1 - 500).")});
    case 13:
        return PageModel(
            13,
            texts("Minutes of workstation inactivity before Corvane Vantor is locked.", failedIn("SaveLockupTimeout")),
            {wholeNumber("txtLockup", "LOCKUPTIMEOUT", "Minutes", EmptyRule::Zero, 0, 999,
                         "Number of minutes is invalid. Must be between (0 - 999).")});
    case 14:
        return PageModel(14, texts("Maximum Date Range for Autopost", failedIn("SaveAutoPostDateRange")),
                         {wholeNumber("txtAutopostRange", "AUTOPOSTDATERANGE", "Date range", EmptyRule::Refuse, 1,
                                      longMax, "Number of days is invalid.")});
    case 21:
        return PageModel(
            21, texts("Reconciliation History: Not to display files posted prior to:", failedIn("SaveReconHistory")),
            {wholeNumber("txtReconHistory", "EISXIDAYS", "Days", EmptyRule::Zero, 0, 999998,
                         "Number of days is invalid.")});
    case 26:
        return PageModel(26, texts("Ignore messages older than", failedIn("SaveZelMessages")),
                         {wholeNumber("txtZelMsg", "ZELMSGDAYS", "Days", EmptyRule::Zero, 0, 999,
                                      "Number of days is invalid. Must be between (0 - 999).")});
    case 25: {
        PageField field = plain("txtPercentage", EditorKind::Decimal, "MEDICARESEQPERCENT", "Percentage");
        field.empty = EmptyRule::Zero;
        field.max = 99999;
        field.invalidMessage = "Percentage is invalid. Must be between (0 - 999.99).";
        return PageModel(25, texts("Sequestration Percentage", failedIn("SaveSequestrationPercentage")),
                         {std::move(field)});
    }
    case 28: {
        PageField field = plain("txtAmntCalc", EditorKind::Letter, "POSTCHGAMTCALC", "Amount Calculation Method");
        field.invalidMessage = "Value is invalid. Must be 1 letter only.";
        return PageModel(28, texts("Amount Calculation Method", failedIn("SaveAmntCalc")), {std::move(field)});
    }
    case 27:
        return PageModel(27, texts("ICD-10 Effective Date", failedIn("SaveICD10EffectiveDate")),
                         {plain("mskICD10EffDt", EditorKind::Date, "DG10DATE", "ICD-10 Effective Date")});
    case 33:
        return PageModel(
            33, texts(std::string(leaf.caption), failedIn("SavePasswordExpiration"), FailureForm::AfterRequest),
            {wholeNumber("txtPWExpDays", "PWDDAYS", "Password expiration days", EmptyRule::Zero, 0, longMax,
                         "Number of days is invalid."),
             wholeNumber("txtPWWarnDays", "PWDWARN", "Warning days", EmptyRule::Zero, 0, longMax,
                         "Number of days is invalid.")});
    case 32:
        return PageModel(32, texts(std::string(leaf.caption), "Failed in SysSettings-SaveGenericText"),
                         {plain("txtTextGeneric", EditorKind::Text, key, std::string(leaf.caption))});
    case 24:
        return PageModel(24,
                         texts("Use Alternate Patient Record Display", failedIn("SaveAltPatientRecordDisplay"),
                               FailureForm::Plain, true),
                         {plain("txtAltPatientRecord", EditorKind::Text, key, "Alternate Patient Record Display")});
    case 23: {
        PageField field = plain("lstTabsOrder", EditorKind::OrderedList, key, "Patient Reminder Tabs Order");
        field.choices = defaultReminderTabs();
        return PageModel(
            23,
            texts("Patient Reminder Tabs Order", failedIn("SavePatientReminderTabsOrder"), FailureForm::Plain, true),
            {std::move(field)});
    }
    case 35: {
        PageField width = wholeNumber("txtAutopostMsgWidth", "AUTOPOSTMSGCHARS", "Message column width",
                                      EmptyRule::Keep, 0, longMax, "Numbers only");
        width.invalidTitle = "Invalid entry";
        return PageModel(35, texts("Posting Charges Set to use for Autopost", failedIn("SaveAutoPostSet")),
                         {std::move(width), plain("cmbAutoPostSet", EditorKind::Combo, "AUTOPOSTSET", "Open set"),
                          plain("cmbAutoPostedSet", EditorKind::Combo, "AUTOPOSTEDSET", "Posted set")});
    }
    case 30:
        return PageModel(30, texts("Protected System Settings", failedIn("SaveProtectedSysSettings")),
                         {plain("txtProtectedSettings", EditorKind::Text, "PROTECTED", "Protected System Settings")});
    case 36: {
        static const std::pair<const char*, const char*> forms[] = {
            {"Itemized Statement:", "CUSTOMITEMIZEDFORM"},
            {"Itemized Statement Custom:", "CUSTOMITEMIZEDFORM-CUST"},
            {"Itemized Statement Pat. Bal.:", "CUSTOMITEMIZEDFORM-PAT"},
            {"Receipt:", "CUSTOMRECEIPTFORM"},
            {"Statement:", "CUSTOMSTATEMENTFORM"},
            {"EOB:", "CUSTOMEOBFORM"},
        };
        std::vector<PageField> fields;
        for (std::size_t i = 0; i < std::size(forms); ++i) {
            std::string label = forms[i].first;
            label.pop_back();
            fields.push_back(plain("txtForm_" + std::to_string(i), EditorKind::Text, forms[i].second, label));
        }
        PageField hide
            = plain("chkHideAttLine", EditorKind::Check, "STPXML6,NEWBUCKETS", "Hide attached payments line");
        hide.store = ValueStore::Configuration;
        hide.config = ConfigRule::PresenceIsTicked;
        fields.push_back(std::move(hide));
        PageTexts t = texts("Forms", failedIn("SaveCustomForms"));
        t.note = "* Leave field(s) empty to use default.";
        return PageModel(36, std::move(t), std::move(fields));
    }
    case 29: {
        PageField browser = plain("chkEligUseBrowser", EditorKind::Check, "ELIGUSEBROWSER", "Use Browser");
        PageField vendor = plain("optEligVendor", EditorKind::Choice, "ELIGVENDOR", "Eligibility Vendor");
        vendor.choices = {"Emdeon", "Gateway"};
        PageField service
            = plain("txtEligTypeOfService", EditorKind::Lookup, "ELIGTOS", "Default Eligibility Service Type");
        service.lookupType = "ELGTOS";
        return PageModel(
            29, texts(std::string(leaf.caption), "mComm.GetServerStringData failed.", FailureForm::RequestFirst),
            {std::move(browser), std::move(vendor), std::move(service)});
    }
    case 37:
        return PageModel(37, texts("Include Credit Balance", failedIn("SaveIncludeCreditBalance")),
                         {configChoice("optStNegBal", "STP,NEGBAL", "Include Credit Balance",
                                       ConfigRule::PresenceMeansSecond, {"No", "Yes"})});
    case 38:
        return PageModel(38, texts("Use claim # or acct #", failedIn("SaveInsuranceSubmission")),
                         {configChoice("optInsSubm", "INVINTERNAL", "Use claim # or acct #",
                                       ConfigRule::StoredOneMeansSecond, {"Claim #", "Account #"})});
    default:
        return std::nullopt;
    }
}

} // namespace corvane
