// libmdb's header, included the one way that compiles as C++: mdbtools.h includes glib.h inside extern "C", where
// glib's C++ parts fail, so glib.h comes first.
#pragma once

#include <glib.h>
#include <mdbtools.h>
