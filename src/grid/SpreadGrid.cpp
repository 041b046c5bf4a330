#include "grid/SpreadGrid.h"
