#pragma once

// Ends the process once everything of the clock's own (windows, files, records) has closed. Qt
// Multimedia before 6.8 disconnects from the sound server during the libraries' teardown without
// holding its own lock, and a message from the server arriving at that moment aborts the process
// (about one exit in thirty after a sound). Where that Qt is in use the libraries' teardown is skipped:
// streams are flushed and the leak check of a sanitizer build still runs.
[[noreturn]] void endProcess(int exitCode);
