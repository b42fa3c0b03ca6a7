#pragma once

namespace corvane {

/// One entry of the rights list, read in this order: may add, may delete, may change, may open.
struct ProgramRights {
    bool mayAdd = false;
    bool mayDelete = false;
    bool mayChange = false;
    bool mayOpen = false;
};

} // namespace corvane
