#pragma once

#include "GuardedLog.h"
#include "ProgrammingError.h"

#include <QString>
#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

namespace GuardedDetail {
template <typename T> inline constexpr bool IsFunction = false;
template <typename R, typename... A> inline constexpr bool IsFunction<std::function<R(A...)>> = true;
// The message of a ClockError, the what() of anything else.
QString reason(const std::exception& e);
} // namespace GuardedDetail

// Runs one step of a sequence whose steps stand alone. A step that fails at run time (a ClockError, a file
// that cannot be read, a hook that throws) is skipped, with a warning in the log, and the sequence goes
// on; an unset std::function is no step at all. A ProgrammingError is passed on: a misspelt element must
// not become a silent no-op.
template <typename Step, typename... Args> void guarded(const Step& step, Args&&... args)
{
    if constexpr (GuardedDetail::IsFunction<Step>) {
        if (!step) {
            return;
        }
    }
    try {
        std::invoke(step, std::forward<Args>(args)...);
    } catch (const ProgrammingError&) {
        throw;
    } catch (const std::exception& e) {
        qCWarning(guardedLog).noquote() << "A step was skipped:" << GuardedDetail::reason(e);
    }
}
