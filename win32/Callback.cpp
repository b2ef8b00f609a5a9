#include "win32/Callback.h"

namespace setup {

std::function<void(const std::exception& error)> CallbackErrorHandler;

} // namespace setup
