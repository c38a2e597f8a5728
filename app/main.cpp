#include "app/ProgramStart.h"

int main(int argc, char *argv[]) { return ProgramStart(argc, argv).run(); }
