// lotwise: the desktop program.
#include "app/Main.h"

int main(int argc, char *argv[]) { return app::Main(argc, argv); }
