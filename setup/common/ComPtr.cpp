#include "setup/common/ComPtr.h"

#include <objbase.h>

namespace setup {

ComScope::ComScope() noexcept : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

ComScope::~ComScope() {
    if (initialised_) {
        CoUninitialize();
    }
}

} // namespace setup
