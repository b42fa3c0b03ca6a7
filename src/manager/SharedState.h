#pragma once

#include "CorvaneCodeTables.h"
#include "CorvaneLookups.h"
#include "CorvaneServerUtils.h"
#include "CorvaneUtils.h"
#include "Prompter.h"
#include "Quillon.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

/// The display values copied from the display settings object at every refresh.
struct DisplayValues {
    std::int32_t first = 0;
    std::string lookupSeparator;
    std::int32_t second = 0;
    std::int32_t third = 0;
    double columnWidthMultiplier = 1.0;
    std::int32_t disabledCellColour = 0xC0C0C0;
};

/// The library-wide state every window reads; one copy for the host's user-interface thread.
class SharedState {
public:
    static SharedState& instance();
    /// Forgets everything; used when a host tears the library down and between tests.
    void reset();

    std::shared_ptr<Quillon> quillon;
    std::shared_ptr<CorvaneUtils> utils;
    std::shared_ptr<CorvaneCodeTables> codeTables;
    std::shared_ptr<CorvaneLookups> lookups;
    std::shared_ptr<CorvaneServerUtils> serverUtils;

    std::string contextKey;
    std::string operatorName;
    std::string helpFile;

    std::vector<std::string> palette;
    std::shared_ptr<Preferences> preferences;
    std::shared_ptr<DisplaySettings> displaySettings;
    DisplayValues display;
    std::uint32_t lightBackground = 0xEFF0F0;

    bool saveErrorShown = false;

    /// Colour 0x00BBGGRR of a palette letter (entry = letter code minus 64); fallback when absent or unreadable.
    std::uint32_t colourForLetter(char letter, std::uint32_t fallback) const;

    /// The prompter in use: the one set with setPrompter, else the one the default factory offers at the time of
    /// the first message (so a host may create the manager before its application object), else a stand-in that
    /// logs the text and answers the safe button (the default, or Cancel / No).
    Prompter& prompter();
    void setPrompter(std::shared_ptr<Prompter> prompter);
    /// The window layer's default; it may return nothing while no application object exists.
    void setDefaultPrompterFactory(std::function<std::shared_ptr<Prompter>()> factory);

    /// The application title for message boxes (utilities component), empty without one.
    std::string messageTitle() const;
    bool developerMode() const;

private:
    SharedState();
    std::shared_ptr<Prompter> m_prompter;
    std::shared_ptr<Prompter> m_standIn;
    std::function<std::shared_ptr<Prompter>()> m_prompterFactory;
};

} // namespace corvane
