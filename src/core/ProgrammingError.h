#pragma once

#include <stdexcept>
#include <string>

// A slip in the program itself, such as an element that does not exist or an index outside its array.
// Unlike a failure at run time it is never skipped: guarded passes it on, so a test or a debug run stops.
class ProgrammingError : public std::logic_error
{
public:
    explicit ProgrammingError(const std::string& what) : std::logic_error(what) {}
};
