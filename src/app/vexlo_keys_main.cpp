// vexlo-keys: the calculator without a window, driven by a key script.

#include <iostream>

#include "keyscript/Cli.h"

int main(int argc, char** argv) {
    return vexlo::keyscript::runCli(argc, argv, std::cout, std::cerr);
}
