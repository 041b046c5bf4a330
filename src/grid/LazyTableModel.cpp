#include "grid/LazyTableModel.h"
