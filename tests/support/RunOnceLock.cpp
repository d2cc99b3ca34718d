#include "support/RunOnceLock.h"

namespace testsupport {

RunOnceLock::RunOnceLock() : mutex_(CreateMutexW(nullptr, FALSE, L"Local\\RuvexSetupRunOnceTests")) {
    if (mutex_) {
        WaitForSingleObject(mutex_.get(), 600000);
    }
}

RunOnceLock::~RunOnceLock() {
    if (mutex_) {
        ReleaseMutex(mutex_.get());
    }
}

void DeleteRunOnceValues() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", 0, KEY_SET_VALUE,
                      &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, L"Uninstall_1");
        RegDeleteValueW(key, L"Uninstall_2");
        RegCloseKey(key);
    }
}

} // namespace testsupport
