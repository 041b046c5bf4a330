// Error 76 (path not found) during creation or import: the home directory (and its parents) is created and the
// failing step runs once more; a second failure is reported like any other.
#pragma once

#include "core/HomeDirectory.h"
#include "core/ModuleState.h"
#include "db/Error.h"

namespace importer {

template <typename Step>
auto retryingPath(const app::ModuleState &state, Step step) -> decltype(step()) {
    try {
        return step();
    } catch (const db::Error &error) {
        if (error.number() != db::err::PathNotFound)
            throw;
    }
    app::ensureDirectory(state.homeDir);
    return step();
}

}  // namespace importer
