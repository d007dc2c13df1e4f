#pragma once

#include <stdexcept>

// A layout sum that leaves the signed 16-bit range.
class LayoutOverflow : public std::overflow_error
{
public:
    LayoutOverflow() : std::overflow_error("Overflow") {}
};
