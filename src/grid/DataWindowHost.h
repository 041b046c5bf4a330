// What a data window needs of the main window that holds it: the module state and the two procedures that fill
// its lists. The main window implements it; tests may provide their own.
#pragma once

namespace app {
struct ModuleState;
}

namespace grid {

class DataWindowHost {
public:
    virtual ~DataWindowHost() = default;
    virtual void PopulateTables() = 0;
    virtual void PopulateRounds() = 0;
    virtual app::ModuleState &moduleState() = 0;
};

}  // namespace grid
