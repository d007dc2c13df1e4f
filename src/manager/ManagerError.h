#pragma once

#include "core/ClockError.h"

// A database failure of the manager link (connection, query, or data the counting cannot use), handed to
// the caller with a description fit to show the director.
class ManagerError : public ClockError
{
public:
    using ClockError::ClockError;
};
