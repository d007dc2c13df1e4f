#pragma once

#include "ManagerError.h"
#include "ManagerWorker.h"

#include <exception>
#include <functional>
#include <memory>
#include <optional>

// The text of a database use abandoned after its time limit.
QString ManagerTimeLimitMessage(int ms);

// Runs database work in a thread of its own and waits for it up to ms; the calling thread is held no
// longer than that. Throws what the work throws, or ManagerError when it has not returned in time (the
// work is then abandoned: it must own everything it uses).
template <typename T> T RunWithinTimeLimit(std::function<T()> work, int ms)
{
    struct Outcome
    {
        std::optional<T> value;
        std::exception_ptr error;
    };
    auto outcome = std::make_shared<Outcome>();
    ManagerWorker worker;
    worker.start([outcome, task = std::move(work)] {
        try {
            outcome->value.emplace(task());
        } catch (...) {
            outcome->error = std::current_exception();
        }
    });
    if (!worker.waitFor(ms)) {
        throw ManagerError(ManagerTimeLimitMessage(ms));
    }
    if (outcome->error) {
        std::rethrow_exception(outcome->error);
    }
    return std::move(*outcome->value);
}
