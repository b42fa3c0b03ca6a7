// The replies of the other security pages: transaction groups, modify-transaction settings, entity access and
// the program catalogue. Each is read and written; what the settings and entity pages write reads back to the
// same text.
#include "EntityAccess.h"
#include "SecurityPrograms.h"
#include "TransGroups.h"
#include "TransSettings.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    corvane::TransGroups groups;
    if (groups.load(input)) {
        (void)groups.choiceList();
        for (int r = 0; r < groups.rowCount(); ++r) {
            for (int c = 0; c < corvane::TransGroups::columnCount; ++c)
                (void)groups.display(r, c);
        }
        if (!groups.fields().empty())
            groups.setCode(0, 1, groups.fields().front().code);
        (void)groups.saveRequest(true);
    }

    corvane::TransSettings settings;
    if (settings.load(input)) {
        const std::string first = settings.saveData();
        corvane::TransSettings again;
        if (!again.load(first) || again.saveData() != first)
            __builtin_trap();
    }

    corvane::EntityAccess entities;
    if (entities.load(input)) {
        const std::string first = entities.saveData();
        corvane::EntityAccess again;
        if (!first.empty() && (!again.load(first) || again.saveData() != first))
            __builtin_trap();
    }

    corvane::SecurityPrograms programs;
    if (programs.load(input)) {
        (void)programs.modules();
        (void)programs.unplaced();
    }
    return 0;
}
