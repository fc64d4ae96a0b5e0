#pragma once

#include <string>

// The usage text the program prints for a rejected command line, written out here rather than
// taken from the program, so a change to either side shows. The one copy every test compares with.
inline const std::string usageText =
    "Invalid arguments or invalid number of arguments.\n"
    "Arguments are 'scale' or 'scale nogridx nogridy'.\n"
    "Scale = 0 for automatic scale.\n"
    "All arguments has to be integers. Scale has to be nonnegative. Grid sizes have to be "
    "positive.\n\n";
