// Serialises the tests that write the machine-wide RunOnce values of the setup program's
// uninstall (Uninstall_1, Uninstall_2): ctest runs test processes side by side.
#pragma once

#include "base/handles.h"

namespace testsupport {

class RunOnceLock {
public:
    RunOnceLock();
    ~RunOnceLock();
    RunOnceLock(const RunOnceLock&) = delete;
    RunOnceLock& operator=(const RunOnceLock&) = delete;

private:
    ruvex::KernelHandle mutex_;
};

// Deletes the two values (the tests' clean-up; the system would run them at the next start).
void DeleteRunOnceValues();

} // namespace testsupport
