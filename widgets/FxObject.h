// Persistent look objects (font effect, bevel) that tell their owner about every change.
#pragma once

#include <cstdint>
#include <functional>

namespace setup {

class TFxObject;
class TFx3DCaption;
class TFxCaption;
class TFxBevel;

// Called with the object that changed.
using TFxChangeEvent = std::function<void(TFxObject& sender)>;

class TFxObject {
public:
    TFxObject() = default;
    virtual ~TFxObject() = default;
    // The change handler is bound to one owner: copy values with Assign instead.
    TFxObject(const TFxObject&) = delete;
    TFxObject& operator=(const TFxObject&) = delete;

    // Copies every property of source and notifies once; throws EInvalidOperation, changing
    // nothing, when source is of a class this object cannot take values from.
    virtual void Assign(const TFxObject& source);
    virtual const char* ClassName() const { return "TFxObject"; }
    // What this object is, asked without the runtime's type information (Setup.exe has none).
    virtual const TFx3DCaption* AsEffect() const { return nullptr; }
    virtual const TFxCaption* AsCaption() const { return nullptr; }
    virtual const TFxBevel* AsBevel() const { return nullptr; }

    void SetOnChange(TFxChangeEvent handler) { OnChange = std::move(handler); }
    bool Locked() const { return UpdateLock != 0; }

    void LockChange() { UpdateLock = 1; }
    void UnlockChange(bool notify);
    // Calls the change handler unless the lock is held or nobody listens.
    void NotifyChange();

protected:
    // Throws for a property value outside low..high, naming the property.
    static void CheckRange(const char* property, int value, int low, int high);
    // The error for an Assign from an incompatible class.
    [[noreturn]] void AssignError(const TFxObject& source) const;

    // Stores value and runs Changed when it differs from the stored one.
    template <typename T> void Change(T& field, const T& value) {
        if (field == value)
            return;
        field = value;
        Changed();
    }
    // What a stored change sets off: by default, the notification.
    virtual void Changed() { NotifyChange(); }

private:
    TFxChangeEvent OnChange;
    uint8_t UpdateLock = 0;
};

} // namespace setup
