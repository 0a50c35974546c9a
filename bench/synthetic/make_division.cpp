// terminor-make-division TEAMS SEED OUTPUT: writes a synthetic division as a plan data file, for
// the quality and scaling benchmarks and for trying the generator by hand.

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "SyntheticDivision.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: terminor-make-division TEAMS SEED OUTPUT.xml\n";
        return 2;
    }
    try {
        terminor::TPlanData data;
        terminor::synthetic::BuildDivision(std::stoi(argv[1]), std::stoull(argv[2]), data);
        data.SaveToXML(argv[3]);
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
