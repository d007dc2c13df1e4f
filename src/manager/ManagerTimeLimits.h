#pragma once

// How long the clock waits on the manager's database. A manager transaction holding a table lock, a
// server that stops answering or a file that never opens must not hold up the clock: each limit ends
// the wait, and the work that still runs after its limit is left behind.
struct ManagerTimeLimits
{
    // Logging in (ODBC login timeout).
    int connectSeconds = 10;
    // One statement: the server's statement_timeout, the ODBC query timeout, SQLite's busy timeout.
    int statementMs = 10000;
    // A piece of work (connection and all its queries) that has not returned by then is abandoned.
    int watchdogMs = 25000;
    // The first recount, before the clock screen shows; it goes on in the background after that.
    int startupWaitMs = 3000;
    // What closing the clock gives a recount still running.
    int exitWaitMs = 1000;

    // The limits in force, for every thread.
    static ManagerTimeLimits current();
    // Tests shorten them.
    static void set(const ManagerTimeLimits& limits);
    // Statement and watchdog limits from KAVRO_MANAGER_STATEMENT_MS and KAVRO_MANAGER_WATCHDOG_MS when
    // set to a positive number of milliseconds, so a run of the whole program can be given other limits.
    static void takeFromEnvironment();
};
