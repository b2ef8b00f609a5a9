#include "widgets/FxObject.h"

#include "base/Exceptions.h"

namespace setup {

void TFxObject::Assign(const TFxObject& source) {
    AssignError(source);
}

void TFxObject::UnlockChange(bool notify) {
    UpdateLock = 0;
    if (notify)
        NotifyChange();
}

void TFxObject::NotifyChange() {
    if (UpdateLock == 0 && OnChange)
        OnChange(*this);
}

void TFxObject::CheckRange(const char* property, int value, int low, int high) {
    if (value < low || value > high)
        throw EInvalidOperation(
            Format("%s value %d is out of range %d..%d", property, value, low, high));
}

void TFxObject::AssignError(const TFxObject& source) const {
    throw EInvalidOperation(Format("Cannot assign a %s to a %s", source.ClassName(), ClassName()));
}

} // namespace setup
